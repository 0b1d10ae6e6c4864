// The main window's commands and views before, during and after Test runs, of
// stored results (with the record field viewer, the error summary and a million
// records walked from the keyboard), the Error limit and Help.
#include <QtSql>

#include "desktop/app/DesktopApp.h"
#include "desktop/app/ErrorSummaryWindow.h"
#include "desktop/common/HelpWindow.h"
#include "desktop/common/NumberDialog.h"
#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"
#include "desktop/viewer/RecordViewer.h"
#include "engine/ResultClaim.h"
#include "engine/TestRun.h"
#include "gui/GuiTestSupport.h"
#include "support/DbRows.h"
#include "support/RecordBuilder.h"
#include "support/ScriptedHost.h"
#include "support/Submission.h"

using namespace ledgerly;
using namespace ledgerly::test;

class MainWindowTest : public QObject {
  Q_OBJECT

  // The headers and then each row of a grid, the cells joined by "|".
  static QStringList Rows(const QTableView* grid) {
    const QAbstractItemModel* model = grid->model();
    QStringList lines;
    for (int row = -1; row < model->rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < model->columnCount(); ++column) {
        const QModelIndex cell = model->index(row, column);
        cells << (row < 0 ? model->headerData(column, Qt::Horizontal) : cell.data()).toString();
      }
      lines << cells.join('|').trimmed();
    }
    return lines;
  }

 private slots:
  void init() { ScriptEveryPrompt(); }

  // A missing file keeps the welcome screen. During a run only Exit and Help
  // can be chosen; a clean run returns to the welcome screen, and at the next
  // start its results say there are no errors to show.
  void cleanRun() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    QCOMPARE(window.windowTitle() + "|" + LabelText(window, "lblWelcome"),
             "Orvane: Welcome to Ledgerly 2011 For Tax Year 2011 Pelkin Submissions|Welcome To "
             "Ledgerly 2011\n For Tax Year 2011\n Pelkin Submissions");
    QCOMPARE(ShownAreas(window), QStringList({"lblWelcome", "imgLogo", "txtDisclosure"}));
    const QString missing = FileName(home.path() / "gone.txt");
    gui::FileDialog::setNextFileName(missing);
    Choose(window, "cmdStart");
    QCOMPARE(EnabledCommands(window),
             "cmdStart cmdLast cmdExit mnuTStart mnuTOpenLast mnuTSet mnuTExit mnuVReport mnuRLast "
             "mnuVRAll mnuVRErrors mnuHContents mnuHAbout");
    QString during;
    DuringRun(
        &window, [&] { return LabelText(window, "lblRecCtr").endsWith(": 2"); },
        [&] {
          during = EnabledCommands(window) + "|" + LabelText(window, "lblRecCtr");
          window.cmdStart_Click();  // refused while the run pumps events
        });
    const auto clean = home.path() / "clean.txt";
    RunFile(window, clean, Submission({"RA", "RE", "RW", "RT", "RF"}));
    QCOMPARE(during, "cmdExit mnuTExit mnuHContents mnuHAbout|Processing Record Number: 2");
    QCOMPARE(gui::FileDialog::titles(), QStringList(3, "Please Enter File Name to be Tested"));
    QCOMPARE(ShownAreas(window), QStringList({"lblWelcome", "imgLogo"}));
    QCOMPARE(EnabledCommands(window),
             "cmdStart cmdView cmdExit mnuTStart mnuTSet mnuTExit mnuRLast mnuVRecords mnuVRAll "
             "mnuHContents mnuHAbout");
    gui::MainWindow next_start(home.path());
    Choose(next_start, "cmdLast");
    next_start.cmdGrid_Click();
    QCOMPARE(Messages() << EnabledCommands(next_start),
             QStringList({"Submission File Not Found: " + missing + " was not found.",
                          "Submission File Name Error: Please check to make sure that "
                          "correct File Name was entered and /or correct Drive was "
                          "chosen.",
                          "Results: Testing Completed.\r\nThere were no errors found.",
                          "Last Report Results: No errors found in " + FileName(clean),
                          "Ledgerly: No errors found in the submission within the scope of this "
                          "program, as outlined in the User Manual.",
                          "cmdStart cmdView cmdExit mnuTStart mnuTSet mnuTExit mnuVRecords "
                          "mnuVRAll mnuHContents mnuHAbout"}));
  }

  // Cancelling the next start keeps the records with errors, and the record
  // field viewer shows a tested record with the faulty field yellow. A critical
  // error is told with its record, selected for copying.
  void runsWithErrors() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    std::string rw = ValidRecord("RW");
    Put(rw, 210, "0000000X000");  // Social Security Wages not a number
    RunFile(window, home.path() / "faulty.txt",
            Submission({"RA", "RE"}) + rw + "\r\n" + rw + "\r\n" + Submission({"RT", "RF"}));
    gui::FileDialog::setNextCancel();
    Choose(window, "cmdStart");
    auto* crit = Control<QPlainTextEdit>(window, "txtCritError");
    QCOMPARE(QStringList({window.windowTitle(), LabelText(window, "lblRecords"),
                          LabelText(window, "lblErrors"), crit->toPlainText()}),
             QStringList({"Records With Errors - faulty.txt",
                          "6 Record(s) Tested, 4 Record(s) with Error(s)", "Record Number 3",
                          "Not Applicable."}));
    QCOMPARE(ShownAreas(window), QStringList({"lblRecords", "DBGrid1", "DBGrid2", "txtCritError"}));
    QCOMPARE(EnabledCommands(window),
             "cmdStart cmdView cmdErrors cmdPrint cmdExit mnuTStart mnuTPrint mnuTSet mnuTExit "
             "mnuVReport mnuRCurrent mnuVRecords mnuVRAll mnuVRErrors mnuHContents mnuHAbout");
    Choose(window, "cmdView");
    auto* grid = Control<QTableView>(window, "DBGrid3");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},  // on the current row
                      grid->visualRect(grid->model()->index(0, 1)).center());
    QCOMPARE(window.windowTitle(), QString("Record Number 1 of 6 Tested Record(s) - faulty.txt"));
    grid->setCurrentIndex(grid->model()->index(2, 1));
    QCOMPARE(ShownAreas(window), QStringList({"DBGrid3", "RecordViewer"}));
    QList<int> yellow;
    for (int row = 0; row < window.Viewer()->RowCount(); ++row) {
      const QColor base = window.Viewer()->ValueBox(row)->palette().color(QPalette::Base);
      if (base == gui::RecordViewer::HighlightColour()) yellow << row;
    }
    QCOMPARE(yellow, QList<int>{18});
    QStringList texts;  // the first and the faulty field's name, its data, the last name
    for (const char* name : {"Text1_0", "Text1_18", "Text2_18", "Text1_47"}) {
      texts << Control<QLineEdit>(window, name)->text();
    }
    QCOMPARE(texts,
             QStringList({"Record Identifier", "Social Security Wages", "0000000X000", "Blank"}));
    RunFile(window, home.path() / "no-re.txt", Submission({"RA", "RW", "RT", "RF"}));
    QCOMPARE(window.focusWidget(), crit);
    QCOMPARE(crit->textCursor().selectedText(),
             "Execution of Testing was terminated due to the Critical Error in Record Number 2:  "
             "Record 2 must be RE record.");
  }

  // Exit logs "Test Aborted" against the last record read and closes the window.
  void exitDuringARun() {
    for (const QString how : {"cmdExit", "mnuTExit", "close"}) {
      TempFolder home;
      gui::MainWindow window(home.path());
      window.show();
      DuringRun(
          &window, [&] { return LabelText(window, "lblRecCtr").endsWith(": 3"); },
          [&] { how == "close" ? (void)window.close() : Choose(window, how); });
      RunFile(window, home.path() / "long.txt", Submission({"RA", "RE", "RW", "RW", "RW", "RT"}));
      QVERIFY2(!window.isVisible(), qPrintable(how));
      QCOMPARE(QueryValue(home.path() / "ERRORLOG.MDB",
                          "SELECT COUNT(*) || ' ' || Errors.Rec_Num || ' ' || Reference "
                          "FROM Records, Errors"),
               "3 3 Test Aborted");
    }
  }

  // The results the window shows are its own until it lets them go: another
  // program's run leaves them, and the report is of the results on the screen.
  // While another program's run writes them, the window says so and waits.
  void otherRunsLeaveTheShownResults() {
    TempFolder home;
    const auto db = home.path() / "ERRORLOG.MDB";
    gui::MainWindow window(home.path());
    RunFile(window, home.path() / "no-re.txt", Submission({"RA", "RW", "RT", "RF"}));
    ScriptedHost other;
    other.files = {home.Write("clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}))};
    QCOMPARE(TestRun(other, db, kDefaultErrorLimit).ReadFile().outcome, RunOutcome::Failed);
    QCOMPARE(other.messages.back().text,
             "Error Number: 5\r\nError Description: " + db.string() +
                 " is in use by another program; it was left unchanged.");
    gui::ReportOptionDialog::setNextAnswer(gui::kTextReport);
    Choose(window, "cmdErrors");
    QVERIFY(
        window.CurrentReportWindow()->findChild<QPlainTextEdit*>("Text1")->toPlainText().contains(
            "Record 2 must be RE record."));
    window.close();

    const auto writing = ResultClaim::ForRun(db, [] { return false; });
    gui::MessageBox::reset();
    gui::MainWindow later(home.path());
    Choose(later, "cmdLast");
    const QString notice = "Results: A test run is writing the results in " + FileName(db) +
                           ". They can be viewed once it has finished.";
    QCOMPARE(Messages(), QStringList({notice, notice}));  // at the start and when asked
  }

  void secondInstanceIsRefused() {
    TempFolder home;
    qputenv("LEDGERLY_HOME", QByteArray::fromStdString(home.path().string()));
    QLockFile running(FileName(home.path() / "Ledgerly.lock"));
    QVERIFY(running.tryLock(0));
    QCOMPARE(gui::RunDesktop(*qApp), 1);
    qunsetenv("LEDGERLY_HOME");
    QCOMPARE(Messages(), QStringList("Ledgerly 2011: This program is already running."));
  }

  // A refused entry is said so; a good one is kept, read at the next start, and OK starts a run.
  void errorLimit() {
    const struct {
      QString entry, button;
      int limit;  // 0: refused
    } cases[] = {
        {"25000", "cmdOK", 25000}, {"25001", "cmdOK", 0},           {"", "cmdOK", 0},
        {"00", "cmdOK", 0},        {QString(400, '9'), "cmdOK", 0}, {"9", "cmdCancel", 500}};
    for (const auto& c : cases) {
      ScriptEveryPrompt();
      TempFolder home;
      gui::MainWindow window(home.path());
      Choose(window, "mnuTSet");
      auto* dialog = window.findChild<QDialog*>("frmSetErrors");
      auto* entry = dialog->findChild<QLineEdit*>("txtErrorCount");
      entry->clear();
      QTest::keyClicks(entry, c.entry + "a-. ");  // only digits are taken
      QCOMPARE(entry->text(), c.entry);
      dialog->findChild<QPushButton*>(c.button)->click();
      QCoreApplication::processEvents();
      const int limit = c.limit ? c.limit : 500;
      QCOMPARE(Messages(), c.limit ? QStringList()
                                   : QStringList("Error Limit: The error limit can not be zero or "
                                                 "blank or greater than 25,000."));
      QCOMPARE(dialog->isVisible(), c.limit == 0);
      QCOMPARE(ReadFileText(home.path() / "ErrSetLog.ini"),
               "[Maximum Error Count]:" + std::to_string(limit) + "\r\n");
      QCOMPARE(gui::FileDialog::titles().size(), c.limit && c.button == "cmdOK" ? 1 : 0);
      QCOMPARE(gui::MainWindow(home.path()).ErrorLimit(), limit);
    }
  }

  // A tested file that is gone: the caption names the record. Grids never
  // write. The most frequent error comes first in the summary; choosing a kind
  // shows only its records.
  void recordsWithErrors() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "/nowhere/wages.txt");
    results.AddError(5, "Zip Code [Position 134 - 138]", "[X]", "Second error of 2.");
    results.AddError(5, "Sequence of Records [Position 1 - 2]", "[RW]",
                     "RF record must be last record in file.", true);
    gui::MainWindow window(results.folder());
    window.show();
    Choose(window, "cmdLast");
    auto* records = Control<QTableView>(window, "DBGrid1");
    auto* errors = Control<QTableView>(window, "DBGrid2");
    QCOMPARE(QStringList({window.windowTitle(), LabelText(window, "lblRecords"),
                          Control<QPlainTextEdit>(window, "txtCritError")->toPlainText()}),
             QStringList({"Record Number 2 of 5 Tested Record(s) - /nowhere/wages.txt",
                          "5 Record(s) Tested, 3 Record(s) with Error(s)",
                          "Execution of Testing was terminated due to the Critical Error in "
                          "Record Number 5:  RF record must be last record in file."}));
    QCOMPARE(Rows(records).mid(0, 2), QStringList({"RecNum|ErrCount|Record Data", "2|2|RW"}));
    QCOMPARE(Rows(errors),
             QStringList({"Error Reference|User Entry|Error Description",
                          "Employer Name [Position 40 - 96]|[SMITH & SONS]|Not valid.",
                          "Zip Code [Position 134 - 138]||Second error of 2."}));
    records->setCurrentIndex(records->model()->index(1, 2));
    QCOMPARE(Rows(errors).mid(1),
             QStringList("Medicare Wages [Position 232 - 242]|[Y]|The error of 4."));
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 4"));
    QVERIFY(!records->model()->setData(records->model()->index(0, 1), "9"));
    QSqlQuery update(QSqlDatabase::database(QSqlDatabase::connectionNames().value(0), false));
    QVERIFY(!update.exec("UPDATE Records SET Errors = 9"));
    // The tested records take the place of the records with errors, and back.
    Choose(window, "cmdView");
    QCOMPARE(ShownAreas(window), QStringList({"txtCritError", "DBGrid3"}));
    QCOMPARE(LabelText(window, "DBGrid3Caption"), QString("5 Record(s) Tested"));
    QVERIFY(EnabledCommands(window).startsWith("cmdStart cmdGrid cmdErrors"));
    Choose(window, "cmdGrid");
    QCOMPARE(ShownAreas(window), QStringList({"lblRecords", "DBGrid1", "DBGrid2", "txtCritError"}));
    window.findChild<QAction*>("mnuVSummary")->trigger();
    QTableView* summary = window.findChild<gui::ErrorSummaryWindow*>()->view();
    const QStringList kinds = Rows(summary);
    QVERIFY2(kinds.value(1).startsWith("2|Zip Code") && kinds.value(1).endsWith("|2, 5"),
             qPrintable(kinds.join('\n')));
    summary->setCurrentIndex(summary->model()->index(0, 0));
    QCOMPARE(Rows(records).size(),
             3);  // the header, records 2 and 5
    Choose(window, "cmdGrid");
    QCOMPARE(Rows(records).size(), 4);
  }

  // Every row of a million records is reached at once: Ctrl+End the last,
  // Go to Record one in the middle, Page Down the next ones.
  void aMillionRecordsAreWalked() {
    const int n = 1000000;
    ResultDbBuilder results;
    results.AddMisc((results.folder() / "big.txt").string(), "12/06/2011");
    results.Exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(n) +
        ") INSERT INTO Records (Rec_Num, ID, Errors, Record) SELECT i, 'RW', 0, CASE WHEN i "
        "IN (1, 500000, 1000000) THEN 'RW' || printf('%510s', '') ELSE 'RW' END FROM n");
    results.AddError(n, "Test Aborted", "Exit was chosen", "Stopped.");
    gui::NumberDialog::setScripted(true);
    gui::MainWindow window(results.folder());
    window.show();
    Choose(window, "cmdLast");
    Choose(window, "cmdView");
    auto* grid = Control<QTableView>(window, "DBGrid3");
    const auto current = [&] { return grid->currentIndex().siblingAtColumn(0).data().toInt(); };
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(current(), n);
    QCOMPARE(window.windowTitle(), "Record Number 1000000 of 1000000 Tested Record(s) - big.txt");
    gui::NumberDialog::setNextNumber(n / 2);
    window.findChild<QAction*>("mnuVGoTo")->trigger();
    QCOMPARE(current(), n / 2);
    QTest::keyClick(grid, Qt::Key_PageDown);
    QVERIFY(current() > n / 2);
  }

  // Help Contents opens the welcome page, once per owner; missing pages are said
  // so. An installed (or moved) program finds its pages in ../share/ledgerly/help.
  void help() {
    QWidget owner, other;
    QTextBrowser* browser = gui::ShowHelpContents(&owner)->browser();  // the source tree's
    QCOMPARE(browser->documentTitle(), QString("Welcome to Ledgerly"));
    browser->setSource(QUrl("CommandLine.htm"));
    QCOMPARE(gui::ShowHelpContents(&owner)->browser(), browser);
    QCOMPARE(browser->source().fileName(), QString("Welcome.htm"));
    const QString missing = gui::ShowHelpContents(&other, "/nonexistent")->browser()->toPlainText();
    QVERIFY(missing.contains("Welcome.htm could not be found"));
    QTemporaryDir root;
    const QString installed = root.filePath("share/ledgerly/help");
    QVERIFY(QDir().mkpath(installed) && QFile(installed + "/Welcome.htm").open(QFile::WriteOnly));
    QCOMPARE(gui::FindHelpFolder(root.filePath("bin")), installed);
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
