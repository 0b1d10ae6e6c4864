// The error report from the window: options, preview, Save As, Font, the size limit, HTML.
#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"
#include "gui/GuiTestSupport.h"
#include "reports/WriteReport.h"

using namespace ledgerly;
using namespace ledgerly::test;

class ReportWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ResultDbBuilder> results_;
  std::unique_ptr<gui::MainWindow> window_;

  // A window over the stored results whose commands ask for a report of that kind.
  gui::ReportWindow* AskForReport(std::optional<int> kind,
                                  const QStringList& commands = {"cmdLast", "cmdErrors"}) {
    window_ = std::make_unique<gui::MainWindow>(results_->folder());
    gui::ReportOptionDialog::setNextAnswer(kind);
    for (const QString& command : commands) Choose(*window_, command);
    return window_->CurrentReportWindow();
  }
  QString Preview() {
    return window_->CurrentReportWindow()->findChild<QPlainTextEdit*>("Text1")->toPlainText();
  }
  std::string TextReport() {
    std::string text;
    WriteReport(results_->path(), ReportFormat::Text, 57, [&](auto piece) { text += piece; });
    return text;
  }

 private slots:
  void init() {
    ScriptEveryPrompt();
    results_ = std::make_unique<ResultDbBuilder>();
  }
  void cleanup() { window_.reset(); }

  // No errors, no report. Save As writes the preview with CR LF and one more at the end.
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
    QVERIFY(ReadFile(page).starts_with("<!DOCTYPE HTML PUBLIC"));
    QCOMPARE(window_->Report().report_choice, gui::kHtmlReport);  // preselected next time
    gui::ReportWindow* report = AskForReport(gui::kTextReport, {"mnuRLast"});
    QVERIFY(ShownAreas(*window_).contains("DBGrid1") && report->isVisible());
    QCOMPARE(report->windowTitle(), QString("Report"));
    const std::string text = TextReport();
    QTest::keyClicks(report->findChild<QPlainTextEdit*>("Text1"), "stray");  // read-only
    QCOMPARE(Preview(), QString::fromStdString(text).replace("\r\n", "\n"));
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
    QCOMPARE(ReadFile(results_->folder() / "report.txt"), text + "\r\n");
    QCOMPARE(gui::FileDialog::StartFolder(), FileName(results_->folder()));
    gui::FontDialog::setNextFont(QFont("DejaVu Sans Mono", 30));  // kept within 8 to 20 points
    report->findChild<QPushButton*>("cmdFont")->click();
    QCOMPARE(report->PrintFontSize(), 20);
  }
  // The font dialog opens at the preview's fixed-pitch font and offers only 8 to 20 points.
  void fontDialog() {
    AddRecordsWithErrors(*results_, "wages.txt");
    auto* preview = AskForReport(gui::kTextReport)->findChild<QPlainTextEdit*>("Text1");
    const QFont font = preview->font();
    QVERIFY(QFontInfo(font).fixedPitch());
    gui::FontDialog::setScripted(false);
    QString family;
    QList<int> sizes;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      family = dialog->currentFont().family();
      for (QListView* list : dialog->findChildren<QListView*>())
        for (int row = 0; row < list->model()->rowCount(); ++row) {
          bool number = false;
          const int size = list->model()->index(row, 0).data().toInt(&number);
          if (number && !list->isRowHidden(row)) sizes << size;  // the size list
        }
      dialog->accept();
    });
    window_->CurrentReportWindow()->findChild<QPushButton*>("cmdFont")->click();
    QCOMPARE(family, font.family());
    QCOMPARE(std::pair(sizes.value(0), sizes.value(sizes.size() - 1)), std::pair(8, 20));
    QCOMPARE(preview->font().family(), font.family());
    QCOMPARE(preview->font().pointSize(), 10);
  }
  // Past 64,000 characters the user is asked; the file gets a line break more per piece.
  void largeReport() {
    results_->AddMisc("/data/wages.txt", "12/06/2011");
    for (int rec_num = 1; rec_num <= 600; ++rec_num) {
      results_->AddRecord(rec_num, "RW", "123456789");
      results_->AddError(rec_num, "Employee Name [Position 40 - 96]", "[A]", std::string(200, 'e'));
    }
    const auto file = results_->folder() / "big.txt";
    for (const auto& [answer, saved] :
         {std::pair(QMessageBox::No, false), std::pair(QMessageBox::Yes, false),
          std::pair(QMessageBox::Yes, true)}) {
      ScriptEveryPrompt();
      gui::MessageBox::setNextAnswer(answer);
      if (saved) {
        gui::FileDialog::setNextFileName(FileName(file));
        gui::MessageBox::setNextAnswer(QMessageBox::Yes);  // create the file
      }
      AskForReport(gui::kTextReport);
      QCOMPARE(Messages().size(), saved ? 2 : 1);
      QCOMPARE(Messages().first(), QString("Report Too Large: This report is too large to fit into "
                                           "the text preview.  Do you want to save it as a text "
                                           "file?"));
      QCOMPARE(gui::FileDialog::titles().size(), answer == QMessageBox::Yes ? 1 : 0);
      QCOMPARE(Preview(), QString("This report is too large to fit into the text preview."));
      QVERIFY(!window_->CurrentReportWindow()->findChild<QPushButton*>("cmdSave")->isEnabled());
      QCOMPARE(std::filesystem::exists(file), saved);
    }
    const QString written = QString::fromStdString(ReadFile(file));
    const QString report = QString::fromStdString(TextReport());
    QVERIFY(written.size() >= report.size() + 4);  // a line break more after each piece
    QCOMPARE(QString(written).remove("\r\n"), QString(report).remove("\r\n"));
  }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
