// The error report from the window: the option dialog, the text preview with
// Save As and Font, the 64,000-character rule, and the HTML hand-off.
#include <QPlainTextEdit>

#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"
#include "gui/GuiTestSupport.h"
#include "reports/WriteReport.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

std::string TextReport(const std::filesystem::path& db) {
  std::string text;
  WriteReport(db, ReportFormat::Text, 57, [&](std::string_view piece) { text += piece; });
  return text;
}

QString Preview(gui::MainWindow& window) {
  return window.CurrentReportWindow()->findChild<QPlainTextEdit*>("Text1")->toPlainText();
}

// Opens the stored results and asks for the error report of that kind.
void AskForReport(gui::MainWindow& window, int report_choice) {
  Choose(window, "cmdLast");
  gui::ReportOptionDialog::setNextAnswer(report_choice);
  Choose(window, "cmdErrors");
}

}  // namespace

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
    QCOMPARE(Messages(), QStringList("Results: No errors found in the submission!"));
    QVERIFY(!window.CurrentReportWindow());
  }

  // View Last Report opens the stored results and previews the text report;
  // Save As writes it with CR LF line breaks and one more at the end.
  void textReport() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "wages.txt");
    gui::MainWindow window(results.folder());
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    Choose(window, "mnuRLast");
    QVERIFY(ShownAreas(window).contains("DBGrid1"));
    gui::ReportWindow* report = window.CurrentReportWindow();
    QVERIFY(report && report->isVisible());
    QCOMPARE(report->windowTitle(), QString("Report"));
    const std::string text = TextReport(results.path());
    QCOMPARE(Preview(window), QString::fromStdString(text).replace("\r\n", "\n"));
    QVERIFY(Preview(window).startsWith("\tLEDGERLY TAX YEAR 2011 ERROR REPORT"));
    const auto saved = results.folder() / "report.txt";
    gui::FileDialog::setNextFileName(FileName(saved));
    report->findChild<QPushButton*>("cmdSave")->click();
    QCOMPARE(gui::FileDialog::titles(), QStringList("Please Enter File Name"));
    QCOMPARE(ReadFile(saved), text + "\r\n");
    // The font is kept within 8 to 20 points, for the preview and the printout.
    QCOMPARE(report->PrintFontName() + QString::number(report->PrintFontSize()), "Courier10");
    for (auto [chosen, kept] : {std::pair(6, 8), std::pair(12, 12), std::pair(30, 20)}) {
      gui::FontDialog::setNextFont(QFont("DejaVu Sans Mono", chosen));
      report->findChild<QPushButton*>("cmdFont")->click();
      QCOMPARE(report->PrintFontName() + QString::number(report->PrintFontSize()),
               "DejaVu Sans Mono" + QString::number(kept));
      QCOMPARE(report->findChild<QPlainTextEdit*>("Text1")->font().pointSize(), kept);
    }
    // Cancelled options change nothing; a second report replaces the window.
    gui::ReportOptionDialog::setNextAnswer(std::nullopt);
    Choose(window, "cmdPrint");
    QCOMPARE(window.CurrentReportWindow(), report);
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    Choose(window, "cmdErrors");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(window.findChildren<gui::ReportWindow*>().size(), 1);
  }

  void largeReport_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Yes: saved as a text file") << int(QMessageBox::Yes) << true;
    QTest::newRow("Yes, then Cancel in Save As") << int(QMessageBox::Yes) << false;
    QTest::newRow("No") << int(QMessageBox::No) << false;
  }

  // Past 64,000 characters the user is asked once; the whole report goes to
  // the file in pieces, each with one more line break, and the preview keeps
  // only the sentence.
  void largeReport() {
    QFETCH(int, answer);
    QFETCH(bool, saved);
    ResultDbBuilder results;
    results.AddMisc("/data/wages.txt", "12/06/2011");
    results.Exec("BEGIN");
    for (int rec_num = 1; rec_num <= 600; ++rec_num) {
      results.AddRecord(rec_num, "RW", "123456789");
      results.AddError(rec_num, "Employee Name [Position 40 - 96]", "[A]", std::string(200, 'e'));
    }
    results.Exec("COMMIT");
    gui::MainWindow window(results.folder());
    gui::MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    const auto file = results.folder() / "big.txt";
    if (saved) gui::FileDialog::setNextFileName(FileName(file));
    AskForReport(window, gui::kTextReport);
    QCOMPARE(Messages(), QStringList("Report Too Large: This report is too large to fit into the "
                                     "text preview.  Do you want to save it as a text file?"));
    QCOMPARE(gui::FileDialog::titles().size(), answer == QMessageBox::Yes ? 1 : 0);
    QCOMPARE(Preview(window), QString("This report is too large to fit into the text preview."));
    QVERIFY(!window.CurrentReportWindow()->findChild<QPushButton*>("cmdSave")->isEnabled());
    QCOMPARE(std::filesystem::exists(file), saved);
    if (!saved) return;
    const std::string report = TextReport(results.path());
    const std::string written = ReadFile(file);
    QVERIFY(written.starts_with(report.substr(0, 1000)));
    QVERIFY(written.ends_with(report.substr(report.size() - 200) + "\r\n"));
    const std::size_t extra = written.size() - report.size();  // a line break per piece
    QVERIFY(extra >= 4 && extra % 2 == 0);
    QCOMPARE(QString::fromStdString(written).count("Err Num:"), 600);
  }

  void htmlReportGoesToTheBrowser() {
    FakeBrowser browser;
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "wages.txt");
    gui::ReplaceDesktopBrowser(&browser);
    gui::MainWindow window(results.folder());
    AskForReport(window, gui::kHtmlReport);
    gui::ReplaceDesktopBrowser(nullptr);
    const auto page = results.folder() / "temphtm.HTM";
    QCOMPARE(browser.calls, QStringList(gui::PathToUrl(page)));
    QVERIFY(ReadFile(page).starts_with("<!DOCTYPE HTML PUBLIC"));
    QVERIFY(!window.CurrentReportWindow()->isVisible());
    QCOMPARE(window.Report().report_choice, gui::kHtmlReport);  // preselected next time
  }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
