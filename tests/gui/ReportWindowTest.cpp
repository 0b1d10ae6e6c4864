// The error report from the window: the option dialog, the text preview with
// Save As and Font, the 64,000-character rule, and the HTML hand-off.
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QtTest>

#include "desktop/report/BrowserHandoff.h"
#include "desktop/report/PreviewSink.h"
#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"
#include "gui/GuiTestSupport.h"
#include "reports/WriteReport.h"
#include "support/ResultDbBuilder.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

const QString kTooLarge = "This report is too large to fit into the text preview.";

void AddErrors(ResultDbBuilder& results, int count, std::size_t text_length = 40) {
  results.AddMisc("/data/wages.txt", "12/06/2011");
  results.Exec("BEGIN");
  for (int rec_num = 1; rec_num <= count; ++rec_num) {
    results.AddRecord(rec_num, "RW", "123456789");
    results.AddError(rec_num, "Employee Name [Position 40 - 96]", "[A]",
                     std::string(text_length, 'e'));
  }
  results.Exec("COMMIT");
}

std::string TextReport(const std::filesystem::path& db) {
  std::string text;
  WriteReport(db, ReportFormat::Text, 57, [&](std::string_view piece) { text += piece; });
  return text;
}

QString Preview(gui::MainWindow& window) {
  return window.CurrentReportWindow()->findChild<QPlainTextEdit*>("Text1")->toPlainText();
}

int TimesAsked(const QString& title) {
  int asked = 0;
  for (const auto& shown : gui::MessageBox::shown()) asked += shown.title == title;
  return asked;
}

}  // namespace

// Takes the browser's place.
class BrowserStub : public gui::BrowserLauncher {
 public:
  QStringList opened;

  std::optional<QString> FindBrowser(const std::filesystem::path&) override {
    return QStringLiteral("browser");
  }
  bool PrintFile(const QString&, const std::filesystem::path&) override { return false; }
  bool OpenWith(const QString&, const QString& target) override {
    opened << target;
    return true;
  }
};

class ReportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ScriptEveryPrompt(); }

  void noErrorsNoReport() {
    ResultDbBuilder results;
    results.AddMisc("/data/wages.txt", "12/06/2011");
    results.AddRecord(1, "RA");
    gui::MainWindow window(results.folder());
    window.cmdErrors_Click();
    QCOMPARE(MessageTexts(), QStringList({"No errors found in the submission!"}));
    QCOMPARE(gui::MessageBox::shown()[0].title, QString("Results"));
    QCOMPARE(gui::ReportOptionDialog::timesShown(), 0);
    QVERIFY(!window.CurrentReportWindow());
  }

  void cancelledOptionsShowNothing() {
    ResultDbBuilder results;
    AddErrors(results, 2);
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    gui::ReportOptionDialog::setNextAnswer(std::nullopt);
    Button(window, "cmdPrint")->click();
    QCOMPARE(gui::ReportOptionDialog::timesShown(), 1);
    QVERIFY(!window.CurrentReportWindow());
    QVERIFY(!window.Report().print_requested);
    QVERIFY(!window.Report().dialog_cancelled);
  }

  void textReportIsPreviewed() {
    ResultDbBuilder results;
    AddErrors(results, 3);
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    Button(window, "cmdErrors")->click();

    gui::ReportWindow* report = window.CurrentReportWindow();
    QVERIFY(report && report->isVisible());
    QCOMPARE(report->windowTitle(), QString("Report"));
    QCOMPARE(Preview(window),
             QString::fromStdString(TextReport(results.path())).replace("\r\n", "\n"));
    QCOMPARE(report->PrintFontName(), QString("Courier"));
    QCOMPARE(report->PrintFontSize(), 10);
    QCOMPARE(report->findChild<QPlainTextEdit*>("Text1")->font().pointSize(), 10);
    QVERIFY(Enabled(window, "cmdErrors"));
    QVERIFY(Enabled(window, "cmdPrint"));

    // Save As writes the preview with CR LF line breaks and one more at the end.
    const auto saved = results.folder() / "report.txt";
    gui::FileDialog::setNextFileName(FileName(saved));
    gui::MessageBox::setNextAnswer(QMessageBox::Yes);  // create the file
    report->findChild<QPushButton*>("cmdSave")->click();
    QCOMPARE(gui::FileDialog::titles(), QStringList({"Please Enter File Name"}));
    QCOMPARE(ReadFile(saved), TextReport(results.path()) + "\r\n");

    // A second report replaces the window.
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    Button(window, "cmdErrors")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(window.findChildren<gui::ReportWindow*>().size(), 1);
  }

  void fontSizeStaysWithin8To20_data() {
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("kept");
    QTest::newRow("small") << 6 << 8;
    QTest::newRow("in range") << 12 << 12;
    QTest::newRow("large") << 30 << 20;
  }

  void fontSizeStaysWithin8To20() {
    QFETCH(int, chosen);
    QFETCH(int, kept);
    ResultDbBuilder results;
    AddErrors(results, 1);
    gui::ReportSettings settings;
    gui::ReportWindow report(settings, results.folder(), results.path());
    gui::FontDialog::setNextFont(QFont("DejaVu Sans Mono", chosen));
    report.findChild<QPushButton*>("cmdFont")->click();
    QCOMPARE(report.PrintFontName(), QString("DejaVu Sans Mono"));
    QCOMPARE(report.PrintFontSize(), kept);
    QCOMPARE(report.findChild<QPlainTextEdit*>("Text1")->font().pointSize(), kept);
  }

  // Past 64,000 characters the user is asked once; the whole report goes to
  // the file in pieces, each with one more line break, and the preview keeps
  // only the sentence.
  void largeReportIsStreamedToAFile() {
    ResultDbBuilder results;
    AddErrors(results, 600, 200);
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    gui::MessageBox::setNextAnswer(QMessageBox::Yes);
    gui::MessageBox::setNextAnswer(QMessageBox::Yes);  // create the file
    const auto saved = results.folder() / "big.txt";
    gui::FileDialog::setNextFileName(FileName(saved));
    Button(window, "cmdErrors")->click();

    QCOMPARE(TimesAsked("Report Too Large"), 1);
    QCOMPARE(gui::MessageBox::shown()[0].text,
             QString("This report is too large to fit into the text preview.  Do you want to "
                     "save it as a text file?"));
    QCOMPARE(Preview(window), kTooLarge);
    QVERIFY(!window.CurrentReportWindow()->findChild<QPushButton*>("cmdSave")->isEnabled());

    const std::string report = TextReport(results.path());
    const std::string file = ReadFile(saved);
    QVERIFY(file.starts_with(report.substr(0, 1000)));
    QVERIFY(file.ends_with(report.substr(report.size() - 200) + "\r\n"));
    // Two pieces at least, each followed by its own line break.
    const std::size_t extra = file.size() - report.size();
    QVERIFY(extra >= 4 && extra % 2 == 0);
    std::size_t blocks = 0;
    for (std::size_t at = file.find("Err Num:"); at != std::string::npos;
         at = file.find("Err Num:", at + 1)) {
      ++blocks;
    }
    QCOMPARE(blocks, std::size_t{600});
  }

  void largeReportDeclinedOrCancelled_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("No") << false;
    QTest::newRow("Yes, then Cancel in Save As") << true;
  }

  void largeReportDeclinedOrCancelled() {
    QFETCH(bool, yes);
    ResultDbBuilder results;
    AddErrors(results, 600, 200);
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    gui::MessageBox::setNextAnswer(yes ? QMessageBox::Yes : QMessageBox::No);
    gui::FileDialog::setNextCancel();
    Button(window, "cmdErrors")->click();
    QCOMPARE(TimesAsked("Report Too Large"), 1);
    QCOMPARE(gui::FileDialog::titles().size(), yes ? 1 : 0);
    QCOMPARE(Preview(window), kTooLarge);
    QVERIFY(!window.Report().dialog_cancelled);
  }

  void previewLimitIsOver64000Characters_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("asked");
    QTest::newRow("64,000") << 64000 << false;
    QTest::newRow("64,001") << 64001 << true;
  }

  void previewLimitIsOver64000Characters() {
    QFETCH(int, length);
    QFETCH(bool, asked);
    bool was_asked = false;
    gui::PreviewSink sink({[] {},
                           [&] {
                             was_asked = true;
                             return false;
                           },
                           [](const std::string&) { return std::nullopt; },
                           [](const std::string&, const std::string&) {}});
    // Two-byte characters count once.
    sink.Write(std::string(2, 'x') + "\xc3\xa9");
    sink.Write(std::string(static_cast<std::size_t>(length) - 3, 'x'));
    QCOMPARE(sink.ErrorBlockDone(), !asked);
    QCOMPARE(was_asked, asked);
  }

  void htmlReportGoesToTheBrowser() {
    ResultDbBuilder results;
    AddErrors(results, 2);
    BrowserStub browser;
    gui::ReplaceDesktopBrowser(&browser);
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    gui::ReportOptionDialog::setNextAnswer(gui::kHtmlReport);
    Button(window, "cmdErrors")->click();
    gui::ReplaceDesktopBrowser(nullptr);

    const auto page = results.folder() / "temphtm.HTM";
    QCOMPARE(browser.opened, QStringList({gui::PathToUrl(page)}));
    QVERIFY(ReadFile(page).starts_with("<!DOCTYPE HTML PUBLIC"));
    QVERIFY(!window.CurrentReportWindow()->isVisible());
    // The next report preselects HTML.
    QCOMPARE(window.Report().report_choice, gui::kHtmlReport);
  }

  void lastReportAfterARestart() {
    ResultDbBuilder results;
    AddErrors(results, 2);
    gui::MainWindow window(results.folder());
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    MenuItem(window, "mnuRLast")->trigger();
    QVERIFY(Shown(window, "DBGrid1"));
    QVERIFY(window.CurrentReportWindow());
    QVERIFY(Preview(window).startsWith("\tLEDGERLY TAX YEAR 2011 ERROR REPORT"));
  }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
