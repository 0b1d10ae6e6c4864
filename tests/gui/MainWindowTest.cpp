// The main window around Test runs: the commands and views before, during and
// after a run, Exit during a run, one instance at a time.
#include "desktop/app/DesktopApp.h"
#include "gui/GuiTestSupport.h"
#include "support/DbRows.h"
#include "support/RecordBuilder.h"
#include "support/Submission.h"

using namespace ledgerly;
using namespace ledgerly::test;

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TempFolder> home_;
  std::unique_ptr<gui::MainWindow> window_;

 private slots:
  void init() {
    ScriptEveryPrompt();
    home_ = std::make_unique<TempFolder>();
    window_ = std::make_unique<gui::MainWindow>(home_->path());
    window_->show();
  }
  void cleanup() { window_.reset(); }

  // The welcome screen stays when the file to test is missing.
  void startsOnTheWelcomeScreen() {
    gui::MainWindow& window = *window_;
    QCOMPARE(window.windowTitle() + "|" + LabelText(window, "lblWelcome"),
             "Orvane: Welcome to Ledgerly 2011 For Tax Year 2011 Pelkin Submissions|Welcome To "
             "Ledgerly 2011\n For Tax Year 2011\n Pelkin Submissions");
    QCOMPARE(ShownAreas(window), QStringList({"lblWelcome", "imgLogo", "txtDisclosure"}));
    const QStringList enabled = EnabledCommands(window);
    QCOMPARE(enabled, QStringList({"cmdStart", "cmdLast", "cmdExit", "mnuTStart", "mnuTOpenLast",
                                   "mnuTSet", "mnuTExit", "mnuVReport", "mnuRLast", "mnuVRAll",
                                   "mnuVRErrors", "mnuHContents", "mnuHAbout"}));
    const QString missing = FileName(home_->path() / "gone.txt");
    gui::FileDialog::setNextFileName(missing);
    Choose(window, "cmdStart");
    QCOMPARE(gui::FileDialog::titles(), QStringList(2, "Please Enter File Name to be Tested"));
    QCOMPARE(Messages(), QStringList({"Submission File Not Found: " + missing + " was not found.",
                                      "Submission File Name Error: Please check to make sure that "
                                      "correct File Name was entered and /or correct Drive was "
                                      "chosen."}));
    QCOMPARE(EnabledCommands(window), enabled);
  }
  // During a run only Exit, Help and About can be chosen; a clean run then
  // returns to the welcome screen with the tested-records commands.
  void commandsAroundACleanRun() {
    gui::MainWindow& window = *window_;
    QStringList during;
    DuringRun(
        &window, [&] { return LabelText(window, "lblRecCtr").endsWith(": 2"); },
        [&] {
          during = EnabledCommands(window) << LabelText(window, "lblRecCtr");
          window.cmdStart_Click();  // refused while the run pumps events
        });
    RunFile(window, home_->path() / "clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
    QCOMPARE(during, QStringList({"cmdExit", "mnuTExit", "mnuHContents", "mnuHAbout",
                                  "Processing Record Number: 2"}));
    QCOMPARE(Messages(), QStringList("Results: Testing Completed.\r\nThere were no errors found."));
    QCOMPARE(ShownAreas(window), QStringList({"lblWelcome", "imgLogo"}));
    QCOMPARE(EnabledCommands(window),
             QStringList({"cmdStart", "cmdView", "cmdExit", "mnuTStart", "mnuTSet", "mnuTExit",
                          "mnuRLast", "mnuVRecords", "mnuVRAll", "mnuHContents", "mnuHAbout"}));
  }
  // Errors show the records with errors, cancelling the next start keeps
  // them, and a critical error is told with its record, selected for copying.
  void runsWithErrors() {
    gui::MainWindow& window = *window_;
    std::string rw = ValidRecord("RW");
    Put(rw, 210, "0000000X000");  // Social Security Wages not a number
    RunFile(window, home_->path() / "faulty.txt",
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
             QStringList({"cmdStart", "cmdView", "cmdErrors", "cmdPrint", "cmdExit", "mnuTStart",
                          "mnuTPrint", "mnuTSet", "mnuTExit", "mnuVReport", "mnuRCurrent",
                          "mnuVRecords", "mnuVRAll", "mnuVRErrors", "mnuHContents", "mnuHAbout"}));
    RunFile(window, home_->path() / "no-re.txt", Submission({"RA", "RW", "RT", "RF"}));
    QCOMPARE(window.focusWidget(), crit);
    QCOMPARE(crit->textCursor().selectedText(),
             "Execution of Testing was terminated due to the Critical Error in Record Number 2:  "
             "Record 2 must be RE record.");
  }
  // Exit stops the run before its next record, logs "Test Aborted" against
  // the last record read and closes the window.
  void exitDuringARun() {
    for (const QString how : {"cmdExit", "mnuTExit", "close"}) {
      init();
      gui::MainWindow& window = *window_;
      DuringRun(
          &window, [&] { return LabelText(window, "lblRecCtr").endsWith(": 3"); },
          [&] { how == "close" ? (void)window.close() : Choose(window, how); });
      RunFile(window, home_->path() / "long.txt", Submission({"RA", "RE", "RW", "RW", "RW", "RT"}));
      QVERIFY2(!window.isVisible(), qPrintable(how));
      QCOMPARE(QueryValue(home_->path() / "ERRORLOG.MDB",
                          "SELECT COUNT(*) || ' ' || Errors.Rec_Num || ' ' || Reference "
                          "FROM Records, Errors"),
               "3 3 Test Aborted");
    }
  }
  void secondInstanceIsRefused() {
    qputenv("LEDGERLY_HOME", QByteArray::fromStdString(home_->path().string()));
    QLockFile running(FileName(home_->path() / "Ledgerly.lock"));
    QVERIFY(running.tryLock(0));
    QCOMPARE(gui::RunDesktop(*qApp), 1);
    qunsetenv("LEDGERLY_HOME");
    QCOMPARE(Messages(), QStringList("Ledgerly 2011: This program is already running."));
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
