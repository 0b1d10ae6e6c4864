// The main window around Test runs: start-up, the commands available before,
// during and after a run, the views a run leaves, Exit during a run, and the
// single-instance rule.
#include <QLockFile>
#include <QPlainTextEdit>
#include <QTableView>

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

  QString CriticalText() {
    return Control<QPlainTextEdit>(*window_, "txtCritError")->toPlainText();
  }

 private slots:
  void init() {
    ScriptEveryPrompt();
    home_ = std::make_unique<TempFolder>();
    window_ = std::make_unique<gui::MainWindow>(home_->path());
    window_->show();
  }
  void cleanup() { window_.reset(); }

  // The welcome screen; a missing file is asked for again.
  void startsOnTheWelcomeScreen() {
    gui::MainWindow& window = *window_;
    QCOMPARE(window.windowTitle(),
             QString("Orvane: Welcome to Ledgerly 2011 For Tax Year 2011 Pelkin Submissions"));
    QCOMPARE(LabelText(window, "lblWelcome"),
             QString("Welcome To Ledgerly 2011\n For Tax Year 2011\n Pelkin Submissions"));
    QCOMPARE(ShownAreas(window), QStringList({"lblWelcome", "imgLogo", "txtDisclosure"}));
    const QStringList enabled = {
        "cmdStart",   "cmdLast",  "cmdExit",  "mnuTStart",   "mnuTOpenLast", "mnuTSet",  "mnuTExit",
        "mnuVReport", "mnuRLast", "mnuVRAll", "mnuVRErrors", "mnuHContents", "mnuHAbout"};
    QCOMPARE(EnabledCommands(window), enabled);
    QCOMPARE(ReadFile(home_->path() / "ErrSetLog.ini"), "[Maximum Error Count]:500\r\n");

    const QString missing = FileName(home_->path() / "gone.txt");
    gui::FileDialog::setNextFileName(missing);
    Choose(window, "cmdStart");
    QCOMPARE(gui::FileDialog::titles(), QStringList(2, "Please Enter File Name to be Tested"));
    QCOMPARE(MessageTexts(),
             QStringList({missing + " was not found.",
                          "Please check to make sure that correct File Name was entered and /or "
                          "correct Drive was chosen."}));
    QVERIFY(!std::filesystem::exists(home_->path() / "ERRORLOG.MDB"));
    QCOMPARE(EnabledCommands(window), enabled);
  }

  // During a run only Exit, Help and About can be chosen; a clean run then
  // returns to the welcome screen with the tested-records commands.
  void commandsAroundACleanRun() {
    gui::MainWindow& window = *window_;
    QStringList during;
    DuringRun probe([&] { return LabelText(window, "lblRecCtr").endsWith(": 2"); },
                    [&] {
                      during = EnabledCommands(window) << LabelText(window, "lblRecCtr");
                      window.cmdStart_Click();  // refused while the run pumps events
                      window.mnuTSet_Click();
                    });
    RunFile(window, home_->path() / "clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
    QCOMPARE(during, QStringList({"cmdExit", "mnuTExit", "mnuHContents", "mnuHAbout",
                                  "Processing Record Number: 2"}));
    QCOMPARE(gui::FileDialog::titles().size(), 1);
    QVERIFY(!window.findChild<QDialog*>("frmSetErrors"));
    QCOMPARE(MessageTexts(), QStringList({"Testing Completed.\r\nThere were no errors found."}));
    QCOMPARE(EnabledCommands(window),
             QStringList({"cmdStart", "cmdView", "cmdExit", "mnuTStart", "mnuTSet", "mnuTExit",
                          "mnuRLast", "mnuVRecords", "mnuVRAll", "mnuHContents", "mnuHAbout"}));
    QCOMPARE(ShownAreas(window), QStringList({"lblWelcome", "imgLogo"}));
    Choose(window, "cmdView");
    QCOMPARE(Control<QTableView>(window, "DBGrid3")->model()->rowCount(), 5);
    QCOMPARE(LabelText(window, "DBGrid3Caption"), QString("5 Record(s) Tested"));
  }

  // Errors show the records with errors, cancelling the next start keeps
  // them, and a critical error is told with its record.
  void runsWithErrors() {
    gui::MainWindow& window = *window_;
    std::string rw = ValidRecord("RW");
    Put(rw, 210, "0000000X000");  // Social Security Wages not a number
    RunFile(window, home_->path() / "faulty.txt",
            Submission({"RA", "RE"}) + rw + "\r\n" + rw + "\r\n" + Submission({"RT", "RF"}));
    QCOMPARE(window.windowTitle(), QString("Records With Errors - faulty.txt"));
    QCOMPARE(LabelText(window, "lblRecords"),
             QString("6 Record(s) Tested, 4 Record(s) with Error(s)"));
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 3"));
    QCOMPARE(CriticalText(), QString("Not Applicable."));
    QCOMPARE(ShownAreas(window), QStringList({"lblRecords", "DBGrid1", "DBGrid2", "txtCritError"}));
    const QStringList enabled = EnabledCommands(window);
    QCOMPARE(enabled,
             QStringList({"cmdStart", "cmdView", "cmdErrors", "cmdPrint", "cmdExit", "mnuTStart",
                          "mnuTPrint", "mnuTSet", "mnuTExit", "mnuVReport", "mnuRCurrent",
                          "mnuVRecords", "mnuVRAll", "mnuVRErrors", "mnuHContents", "mnuHAbout"}));
    gui::FileDialog::setNextCancel();
    Choose(window, "cmdStart");
    QCOMPARE(EnabledCommands(window), enabled);
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 3"));

    RunFile(window, home_->path() / "no-re.txt", Submission({"RA", "RW", "RT", "RF"}));
    auto* crit = Control<QPlainTextEdit>(window, "txtCritError");
    QCOMPARE(crit->toPlainText(),
             QString("Execution of Testing was terminated due to the Critical Error in Record "
                     "Number 2:  Record 2 must be RE record."));
    QCOMPARE(window.focusWidget(), crit);
    QCOMPARE(crit->textCursor().selectedText(), crit->toPlainText());
  }

  void exitDuringARun_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Exit button") << "cmdExit";
    QTest::newRow("Test menu") << "mnuTExit";
    QTest::newRow("closing the window") << "";
  }

  // The run stops before its next record, logs "Test Aborted" against the
  // last record read, and the window closes.
  void exitDuringARun() {
    QFETCH(QString, how);
    gui::MainWindow& window = *window_;
    DuringRun exit([&] { return LabelText(window, "lblRecCtr").endsWith(": 3"); },
                   [&] { how.isEmpty() ? (void)window.close() : Choose(window, how); });
    RunFile(window, home_->path() / "long.txt",
            Submission({"RA", "RE", "RW", "RW", "RW", "RW", "RW", "RT", "RF"}));
    QVERIFY(!window.isVisible());
    const auto db = home_->path() / "ERRORLOG.MDB";
    QCOMPARE(QueryValue(db, "SELECT COUNT(*) FROM Records"), "3");
    QCOMPARE(QueryRows(db, "SELECT Type, Rec_Num, Reference, User_Entry, Error FROM Errors"),
             (std::vector<std::vector<std::string>>{
                 {"NULL", "3", "Test Aborted", "Exit was chosen",
                  "The last file did not complete testing because the Exit Button was selected "
                  "while processing."}}));
  }

  void secondInstanceIsRefused() {
    qputenv("LEDGERLY_HOME", QByteArray::fromStdString(home_->path().string()));
    QLockFile running(FileName(home_->path() / "Ledgerly.lock"));
    QVERIFY(running.tryLock(0));
    QCOMPARE(gui::RunDesktop(*qApp), 1);
    qunsetenv("LEDGERLY_HOME");
    QCOMPARE(gui::MessageBox::shown().size(), 1);
    const auto& shown = gui::MessageBox::shown()[0];
    QCOMPARE(shown.title + ": " + shown.text,
             QString("Ledgerly 2011: This program is already running."));
    QCOMPARE(shown.icon, QMessageBox::Critical);
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
