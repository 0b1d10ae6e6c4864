// The error report: from the window with its options, preview, Save As, Font
// and size limit; printed through the print command into PDF files; and as
// HTML handed to the desktop's browser.
#include "desktop/report/ReportPrinter.h"
#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"
#include "desktop/report/XdgBrowser.h"
#include "gui/GuiTestSupport.h"
#include "reports/TempHtml.h"
#include "reports/WriteReport.h"

using namespace ledgerly;
using namespace ledgerly::test;

const QString kNotOpened = "Your default browser could not be opened: \r\n/usr/bin/somebrowser";
const QString kNoBrowser = "Could not find a default Web Browser. ";
const QString kText = " a text report?";

const struct {
  const char* name;
  bool service, print, found, prints, opens, answer_ok, result;
  QString calls;   // asked of the browser
  QString prompt;  // "title: text" of the one prompt: OK/Cancel, a notice (OK) in service mode
} kHandOffs[] = {
    {"print: browser prints, nothing opened", 0, 1, 1, 1, 1, 1, 1, "print", ""},
    {"print: browser cannot print, report opened instead", 0, 1, 1, 0, 1, 1, 1, "print open", ""},
    {"print: neither prints nor opens, user takes the text report", 0, 1, 1, 0, 0, 1, 0,
     "print open", "HTML Report: " + kNotOpened + "\r\n\r\nWould you like to print" + kText},
    {"view: no browser, user takes the text report", 0, 0, 0, 0, 0, 1, 0, "",
     "HTML Report: " + kNoBrowser + "\r\nWould you like to view" + kText},
    {"print: no browser, user cancels", 0, 1, 0, 0, 0, 0, 1, "",
     "HTML Report: " + kNoBrowser + "\r\nWould you like to print" + kText},
    {"service: no browser is only a notice", 1, 0, 0, 0, 0, 1, 0, "",
     "Browser Not Found: " + kNoBrowser},
    {"service: browser does not open", 1, 0, 1, 0, 0, 1, 1, "open",
     "Connect to Quorvix: " + kNotOpened},
};

class ReportTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ResultDbBuilder> results_;
  std::unique_ptr<gui::MainWindow> window_;
  int printouts_ = 0;

  // A window over the stored results whose commands ask for a report of that kind.
  gui::ReportWindow* AskForReport(std::optional<int> kind,
                                  const QStringList& commands = {"cmdLast", "cmdErrors"}) {
    window_ = std::make_unique<gui::MainWindow>(results_->folder());
    gui::ReportOptionDialog::setNextAnswer(kind);
    for (const QString& command : commands) Choose(*window_, command);
    return window_->CurrentReportWindow();
  }
  std::string TextReport() {
    std::string text;
    WriteReport(results_->path(), ReportFormat::Text, 57, [&](auto piece) { text += piece; });
    return text;
  }
  // Prints through the print command, answering its dialog; the text of each page printed.
  QStringList Print(std::optional<std::pair<int, int>> range, int copies = 1, bool accept = true) {
    const QString pdf = FileName(results_->folder() / (std::to_string(++printouts_) + ".pdf"));
    gui::ReportPrintDialog::setNextAnswer(
        {accept, range, copies, /*collate=*/true, pdf, /*page_size=*/std::nullopt});
    if (!gui::PrintReport(nullptr, results_->path(), QFont("Courier", 10))) return {};
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    pdftotext.waitForFinished();
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
    pages.removeLast();  // a form feed ends every page
    for (QString& page : pages) page = page.simplified();
    return pages;
  }
  static QStringList Footers(const QStringList& pages) {
    QStringList footers;
    for (const QString& page : pages) footers << "Page: " + page.section("Page: ", -1);
    return footers;
  }

 private slots:
  void init() {
    ScriptEveryPrompt();
    results_ = std::make_unique<ResultDbBuilder>();
  }
  void cleanup() { window_.reset(); }

  // No errors, no report; HTML goes to the browser. Save As writes the preview, CR LF and one more.
  void smallReports() {
    ResultDbBuilder clean;
    clean.AddRecord(1, "RA");
    gui::MainWindow(clean.folder()).cmdErrors_Click();
    QCOMPARE(Messages(), QStringList("Results: No errors found in the submission!"));
    AddRecordsWithErrors(*results_, "wages.txt");
    QVERIFY(!AskForReport(std::nullopt));
    FakeBrowser browser;
    gui::ReplaceDesktopBrowser(&browser);
    QVERIFY(!AskForReport(gui::kHtmlReport)->isVisible());
    gui::ReplaceDesktopBrowser(nullptr);
    const auto page = results_->folder() / "temphtm.HTM";
    QCOMPARE(browser.calls, QStringList(gui::PathToUrl(page)));
    QVERIFY(ReadFileText(page).starts_with("<!DOCTYPE HTML PUBLIC"));
    QCOMPARE(window_->Report().report_choice, gui::kHtmlReport);  // preselected next time
    gui::ReportWindow* report = AskForReport(gui::kTextReport, {"mnuRLast"});
    QVERIFY(ShownAreas(*window_).contains("DBGrid1") && report->isVisible());
    const std::string text = TextReport();
    auto* preview = report->findChild<QPlainTextEdit*>("Text1");
    QTest::keyClicks(preview, "stray");  // read-only
    QCOMPARE(preview->toPlainText(), QString::fromStdString(text).replace("\r\n", "\n"));
    QVERIFY(QFontInfo(preview->font()).fixedPitch());  // the report's columns line up
    // No to creating a file goes back to the dialog; the next one starts where this one ended.
    const auto declined = results_->folder() / "new.txt";
    gui::FileDialog::setNextFileName(FileName(declined));
    gui::FileDialog::setNextFileName(FileName(results_->folder() / "report.txt"));
    gui::MessageBox::setNextAnswer(QMessageBox::No);
    gui::MessageBox::setNextAnswer(QMessageBox::Yes);
    report->findChild<QPushButton*>("cmdSave")->click();
    QCOMPARE(gui::FileDialog::titles(), QStringList(2, "Please Enter File Name"));
    QCOMPARE(gui::MessageBox::shown().at(gui::MessageBox::shown().size() - 2).text,
             FileName(declined) + "\r\nThis file does not exist.\r\nDo you want to create it?");
    QVERIFY(!std::filesystem::exists(declined));
    QCOMPARE(ReadFileText(results_->folder() / "report.txt"), text + "\r\n");
    QCOMPARE(QDir::toNativeSeparators(gui::FileDialog::StartFolder()),
             FileName(results_->folder()));
    gui::FontDialog::setNextFont(QFont("DejaVu Sans Mono", 30));  // kept within 8 to 20 points
    report->findChild<QPushButton*>("cmdFont")->click();
    QCOMPARE(report->PrintFontSize(), 20);
  }

  // Past 64,000 characters the user is asked; the file gets a line break more per piece.
  void largeReport() {
    results_->AddMisc("/data/wages.txt", "12/06/2011");
    for (int rec_num = 1; rec_num <= 600; ++rec_num) {
      results_->AddRecord(rec_num, "RW", "123456789");
      results_->AddError(rec_num, "Employee Name [Position 40 - 96]", "[A]", std::string(200, 'e'));
    }
    const auto file = results_->folder() / "big.txt";
    for (const bool saved : {false, true}) {
      ScriptEveryPrompt();
      gui::MessageBox::setNextAnswer(saved ? QMessageBox::Yes : QMessageBox::No);
      gui::FileDialog::setNextFileName(FileName(file));
      gui::MessageBox::setNextAnswer(QMessageBox::Yes);  // create the file
      gui::ReportWindow* report = AskForReport(gui::kTextReport);
      QCOMPARE(Messages().size(), saved ? 2 : 1);
      QCOMPARE(Messages().first(), QString("Report Too Large: This report is too large to fit into "
                                           "the text preview.  Do you want to save it as a text "
                                           "file?"));
      QCOMPARE(gui::FileDialog::titles().size(), saved ? 1 : 0);
      QCOMPARE(report->findChild<QPlainTextEdit*>("Text1")->toPlainText(),
               "This report is too large to fit into the text preview.");
      QVERIFY(!report->findChild<QPushButton*>("cmdSave")->isEnabled());
      QCOMPARE(std::filesystem::exists(file), saved);
    }
    const QString written = QString::fromStdString(ReadFileText(file));
    const QString report = QString::fromStdString(TextReport());
    QVERIFY(written.size() >= report.size() + 4);  // a line break more after each piece
    QCOMPARE(QString(written).remove("\r\n"), QString(report).remove("\r\n"));
  }

  // The dialog offers every page of the report; the printout holds what was
  // chosen, and pages past the end are said to be missing.
  void printCommand() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("needs poppler-utils");
    // 40 records of two errors each; the last with a long entry and a long two-line text.
    const std::string long_entry = "[" + std::string(400, 'Q') + "]";
    const QString long_text =
        "Must be numeric, with no negative amounts; right justify and fill "
        "with zeros. Wages above the base are kept in the employer totals.\r\nSee the guide.";
    results_->AddMisc("/data/W2REPORT.TXT", "12/06/2011");
    for (int r = 1; r <= 40; ++r) {
      results_->AddRecord(r, "RW", "123456789");
      for (int e = 0; e < 2; ++e) {
        results_->AddError(r, "Social Security Wages [Position 210 - 220]",
                           r < 40 ? "[00000012A45]" : long_entry,
                           r < 40 ? "Not numeric." : long_text.toStdString());
      }
    }
    const QStringList whole = Footers(Print({}));
    const int last = whole.size();
    const QString missing =
        "Print: The report has %1 page(s).  Pages %2 to %3 do not exist and were not printed.";
    const QString past_end = missing.arg(last).arg(last + 1).arg(last + 2);
    const struct {
      std::optional<std::pair<int, int>> pages;
      int copies;  // collated: the program prints each
      bool accept;
      QStringList footers, messages;
    } cases[] = {
        {{}, 3, true, whole + whole + whole, {}},
        {std::pair(2, 3), 1, true, {"Page: 2", "Page: 3"}, {}},
        {std::pair(last, last + 2), 1, true, {whole.last()}, {past_end}},
        {std::pair(50, 60), 1, true, {}, {missing.arg(last).arg(50).arg(60)}},
        {{}, 1, false, {}, {}},
    };
    for (const auto& c : cases) {
      ScriptEveryPrompt();
      const QStringList pages = Print(c.pages, c.copies, c.accept);
      QCOMPARE(Messages(), c.messages);
      QVERIFY(!QApplication::overrideCursor());  // no wait pointer left behind
      const auto offer = gui::ReportPrintDialog::offers().at(0);
      QCOMPARE(std::tuple(offer.min, offer.from_page, offer.to_page, offer.max),
               std::tuple(1, 1, last, last));
      QCOMPARE(Footers(pages), c.footers);
      if (c.footers.value(0) != "Page: 1") continue;
      QVERIFY(pages[0].contains("LEDGERLY TAX YEAR 2011 ERROR REPORT"));
      QVERIFY(pages[0].contains("Record number: 1 Code: RW SSN: 123456789 Err Num: 1 "));
      QVERIFY(!pages[1].contains("LEDGERLY TAX YEAR"));
      // Long values wrap, text at blanks, in the value column and nothing of them is lost.
      QCOMPARE(pages.join("").remove(' ').count(QString::fromStdString(long_entry)), 2 * c.copies);
      QCOMPARE(pages.join(" ").count(long_text.simplified()), 2 * c.copies);
    }
  }

  // The HTML report or the filing service's page handed to a stand-in browser.
  void handOff() {
    for (const auto& c : kHandOffs) {
      TempFolder data;
      FakeBrowser browser(c.found, c.prints, c.opens);
      ScriptEveryPrompt();
      gui::MessageBox::setNextAnswer(c.answer_ok ? QMessageBox::Ok : QMessageBox::Cancel);
      std::string html = c.service ? std::string() : "<!DOCTYPE HTML PUBLIC> <HTML></HTML>";
      QVERIFY2(gui::ShowHtmlReport(nullptr, data.path(), html, c.print, browser,
                                   gui::MessageBox::Show) == c.result,
               c.name);
      QCOMPARE(Messages().join(""), c.prompt);
      for (const auto& shown : gui::MessageBox::shown())  // a warning; a question has Cancel
        QCOMPARE(std::pair(shown.icon, shown.buttons == QMessageBox::Ok),
                 std::pair(QMessageBox::Warning, c.service));
      const auto page = data.path() / kTempHtmlFileName;
      const QString target = c.service ? gui::FilingServiceUrl() : gui::PathToUrl(page);
      QCOMPARE(browser.calls.join(' '), QString(c.calls).replace("open", target));
      QVERIFY(ReadFileText(page).starts_with(c.service ? "<HTML> </HTML>\r\n" : html));
    }
  }

  // The browser xdg-mime names is found and started on the target. Last: it puts
  // stand-ins of both alone on PATH.
  void desktopBrowser() {
#ifdef _WIN32
    QSKIP("Windows names the browser by the .html file association; tried on Windows itself");
#endif
    TempFolder home;
    const std::string args = (home.path() / "args").string();
    for (const auto& [name, body] : {std::pair("xdg-mime", std::string("echo fakebrowser.desktop")),
                                     std::pair("fakebrowser", "echo \"$@\" > '" + args + "'")}) {
      std::ofstream(home.path() / name) << "#!/bin/sh\n" + body + "\n";
      std::filesystem::permissions(home.path() / name, std::filesystem::perms::owner_exec,
                                   std::filesystem::perm_options::add);
    }
    std::filesystem::create_directories(home.path() / "applications");
    std::ofstream(home.path() / "applications" / "fakebrowser.desktop")
        << "[Desktop Entry]\nExec=fakebrowser --new-window %u\n[Desktop Action New]\nExec=other\n";
    qputenv("PATH", QByteArray::fromStdString(home.path().string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path().string()));
    qputenv("XDG_DATA_DIRS", "/nonexistent");
    gui::XdgBrowser browser;
    const auto program = browser.FindBrowser("/tmp/temphtm.HTM");
    QCOMPARE(program, std::optional<QString>(FileName(home.path() / "fakebrowser")));
    QVERIFY(browser.OpenWith(*program, "file:///tmp/temphtm.HTM"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(QString::fromStdString(args)).size() > 0, 10000);
    QCOMPARE(ReadFileText(args), "--new-window file:///tmp/temphtm.HTM\n");
  }
};

QTEST_MAIN(ReportTest)
#include "ReportTest.moc"
