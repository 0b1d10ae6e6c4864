// The main window's commands and views before, during and after Test runs.
#include "desktop/app/DesktopApp.h"
#include "gui/GuiTestSupport.h"
#include "support/DbRows.h"
#include "support/RecordBuilder.h"
#include "support/Submission.h"

using namespace ledgerly;
using namespace ledgerly::test;

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { ScriptEveryPrompt(); }

  // A missing file keeps the welcome screen. During a run only Exit and Help
  // can be chosen; a clean run returns to the welcome screen.
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
    RunFile(window, home.path() / "clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
    QCOMPARE(during, "cmdExit mnuTExit mnuHContents mnuHAbout|Processing Record Number: 2");
    QCOMPARE(gui::FileDialog::titles(), QStringList(3, "Please Enter File Name to be Tested"));
    QCOMPARE(Messages(),
             QStringList({"Submission File Not Found: " + missing + " was not found.",
                          "Submission File Name Error: Please check to make sure that "
                          "correct File Name was entered and /or correct Drive was "
                          "chosen.",
                          "Results: Testing Completed.\r\nThere were no errors found."}));
    QCOMPARE(ShownAreas(window), QStringList({"lblWelcome", "imgLogo"}));
    QCOMPARE(EnabledCommands(window),
             "cmdStart cmdView cmdExit mnuTStart mnuTSet mnuTExit mnuRLast mnuVRecords mnuVRAll "
             "mnuHContents mnuHAbout");
  }

  // Cancelling the next start keeps the records with errors; a critical error
  // is told with its record, selected for copying.
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

  void secondInstanceIsRefused() {
    TempFolder home;
    qputenv("LEDGERLY_HOME", QByteArray::fromStdString(home.path().string()));
    QLockFile running(FileName(home.path() / "Ledgerly.lock"));
    QVERIFY(running.tryLock(0));
    QCOMPARE(gui::RunDesktop(*qApp), 1);
    qunsetenv("LEDGERLY_HOME");
    QCOMPARE(Messages(), QStringList("Ledgerly 2011: This program is already running."));
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
