// The main window around Test runs: start-up, the commands available before,
// during and after a run, the views a run leaves, Exit during a run, and the
// single-instance rule.
#include <QLockFile>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

#include "desktop/app/DesktopApp.h"
#include "gui/GuiTestSupport.h"
#include "support/DbRows.h"
#include "support/RecordBuilder.h"
#include "support/ResultDbBuilder.h"
#include "support/Submission.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

const QStringList kEveryCommand = {"cmdStart",     "cmdLast",     "cmdGrid",      "cmdView",
                                   "cmdErrors",    "cmdPrint",    "cmdExit",      "mnuTStart",
                                   "mnuTOpenLast", "mnuTPrint",   "mnuTSet",      "mnuTExit",
                                   "mnuVReport",   "mnuRLast",    "mnuRCurrent",  "mnuVRecords",
                                   "mnuVRAll",     "mnuVRErrors", "mnuHContents", "mnuHAbout"};

QStringList EnabledCommands(gui::MainWindow& window) {
  QStringList enabled;
  for (const QString& name : kEveryCommand) {
    if (Enabled(window, name)) enabled << name;
  }
  return enabled;
}

// A wage record whose Social Security Wages are not a number.
std::string FaultyRW() {
  std::string rw = ValidRecord("RW");
  Put(rw, 210, "0000000X000");
  return rw;
}

std::string WithFaultyRecords() {
  return Submission({"RA", "RE"}) + FaultyRW() + "\r\n" + ValidRecord("RW") + "\r\n" + FaultyRW() +
         "\r\n" + Submission({"RT", "RF"});
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ScriptEveryPrompt(); }

  void startsOnTheWelcomeScreen() {
    TempFolder home;
    gui::MainWindow window(home.path());
    QCOMPARE(window.windowTitle(),
             QString("Orvane: Welcome to Ledgerly 2011 For Tax Year 2011 Pelkin Submissions"));
    QCOMPARE(LabelText(window, "lblWelcome"),
             QString("Welcome To Ledgerly 2011\n For Tax Year 2011\n Pelkin Submissions"));
    QCOMPARE(EnabledCommands(window),
             QStringList({"cmdStart", "cmdLast", "cmdExit", "mnuTStart", "mnuTOpenLast", "mnuTSet",
                          "mnuTExit", "mnuVReport", "mnuRLast", "mnuVRAll", "mnuVRErrors",
                          "mnuHContents", "mnuHAbout"}));
    QVERIFY(Shown(window, "txtDisclosure"));
    QVERIFY(Shown(window, "lblWelcome"));
    for (const char* hidden : {"DBGrid1", "DBGrid2", "DBGrid3", "txtCritError", "lblRecCtr"}) {
      QVERIFY2(!Shown(window, hidden), hidden);
    }
    // The Error limit file is made on first use.
    QCOMPARE(ReadFile(home.path() / "ErrSetLog.ini"), std::string("[Maximum Error Count]:500\r\n"));
    QCOMPARE(window.ErrorLimit(), 500);
  }

  // During a run only Exit, Help and About can be chosen; a clean run then
  // returns to the welcome screen with the tested-records commands.
  void commandsAroundACleanRun() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    const auto file = home.path() / "clean.txt";
    WriteFile(file, Submission({"RA", "RE", "RW", "RT", "RF"}));
    gui::FileDialog::setNextFileName(FileName(file));

    QStringList during;
    QString counter;
    DuringRun probe([&] { return !LabelText(window, "lblRecCtr").isEmpty(); },
                    [&] {
                      during = EnabledCommands(window);
                      counter = LabelText(window, "lblRecCtr");
                      // A second start while the run pumps events is refused.
                      window.cmdStart_Click();
                      window.mnuTSet_Click();
                    });
    Button(window, "cmdStart")->click();

    QVERIFY(probe.fired);
    QCOMPARE(during, QStringList({"cmdExit", "mnuTExit", "mnuHContents", "mnuHAbout"}));
    QVERIFY(counter.startsWith("Processing Record Number: "));
    QCOMPARE(gui::FileDialog::titles(), QStringList({"Please Enter File Name to be Tested"}));
    QVERIFY(!window.findChild<QDialog*>("frmSetErrors"));

    QCOMPARE(MessageTexts(), QStringList({"Testing Completed.\r\nThere were no errors found."}));
    QCOMPARE(EnabledCommands(window),
             QStringList({"cmdStart", "cmdView", "cmdExit", "mnuTStart", "mnuTSet", "mnuTExit",
                          "mnuRLast", "mnuVRecords", "mnuVRAll", "mnuHContents", "mnuHAbout"}));
    QVERIFY(Shown(window, "imgLogo"));
    QVERIFY(Shown(window, "lblWelcome"));
    QVERIFY(!Shown(window, "txtDisclosure"));
    QVERIFY(!Shown(window, "Shape1"));
    QVERIFY(!Shown(window, "lblRecCtr"));
    QVERIFY(!Shown(window, "lblPrgrss2"));

    // The tested records are listed from the new database.
    Button(window, "cmdView")->click();
    QVERIFY(Shown(window, "DBGrid3"));
    QCOMPARE(Control<QTableView>(window, "DBGrid3")->model()->rowCount(), 5);
    QCOMPARE(Control<QLabel>(window, "DBGrid3Caption")->text(), QString("5 Record(s) Tested"));
  }

  void runWithErrorsShowsTheRecordsWithErrors() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    const auto file = home.path() / "faulty.txt";
    WriteFile(file, WithFaultyRecords());
    gui::FileDialog::setNextFileName(FileName(file));
    Button(window, "cmdStart")->click();

    const auto db = home.path() / "ERRORLOG.MDB";
    const QString with_errors =
        QString::fromStdString(QueryValue(db, "SELECT COUNT(*) FROM Records WHERE Errors > 0"));
    QVERIFY(with_errors.toInt() >= 2);
    QCOMPARE(window.windowTitle(), QString("Records With Errors - faulty.txt"));
    QCOMPARE(LabelText(window, "lblRecords"),
             "7 Record(s) Tested, " + with_errors + " Record(s) with Error(s)");
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 3"));
    QCOMPARE(Control<QPlainTextEdit>(window, "txtCritError")->toPlainText(),
             QString("Not Applicable."));
    QCOMPARE(window.focusWidget(), Control<QWidget>(window, "DBGrid1"));
    for (const char* shown :
         {"lblRecords", "DBGrid1", "lblErrors", "DBGrid2", "lblCritError", "txtCritError"}) {
      QVERIFY2(Shown(window, shown), shown);
    }
    QVERIFY(!Shown(window, "imgLogo"));
    QCOMPARE(EnabledCommands(window),
             QStringList({"cmdStart", "cmdView", "cmdErrors", "cmdPrint", "cmdExit", "mnuTStart",
                          "mnuTPrint", "mnuTSet", "mnuTExit", "mnuVReport", "mnuRCurrent",
                          "mnuVRecords", "mnuVRAll", "mnuVRErrors", "mnuHContents", "mnuHAbout"}));
  }

  void criticalStopShowsTheTerminationSentence() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    const auto file = home.path() / "no-re.txt";
    WriteFile(file, Submission({"RA", "RW", "RT", "RF"}));
    gui::FileDialog::setNextFileName(FileName(file));
    Button(window, "cmdStart")->click();

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
    QTest::newRow("closing the window") << "close";
  }

  // The run stops before its next record, logs "Test Aborted" against the last
  // record read, and the window closes; the next start shows the entry.
  void exitDuringARun() {
    QFETCH(QString, how);
    TempFolder home;
    const auto file = home.path() / "long.txt";
    WriteFile(file, Submission({"RA", "RE", "RW", "RW", "RW", "RW", "RW", "RW", "RT", "RF"}));
    {
      gui::MainWindow window(home.path());
      window.show();
      gui::FileDialog::setNextFileName(FileName(file));
      DuringRun exit([&] { return LabelText(window, "lblRecCtr").endsWith(": 3"); },
                     [&] {
                       if (how == "cmdExit") Button(window, how)->click();
                       if (how == "mnuTExit") MenuItem(window, how)->trigger();
                       if (how == "close") window.close();
                     });
      Button(window, "cmdStart")->click();
      QVERIFY(exit.fired);
      QVERIFY(!window.isVisible());
    }
    const auto db = home.path() / "ERRORLOG.MDB";
    QCOMPARE(QueryValue(db, "SELECT COUNT(*) FROM Records"), std::string("3"));
    QCOMPARE(QueryRows(db, "SELECT Type, Rec_Num, Reference, User_Entry, Error FROM Errors"),
             (std::vector<std::vector<std::string>>{
                 {"NULL", "3", "Test Aborted", "Exit was chosen",
                  "The last file did not complete testing because the Exit Button was selected "
                  "while processing."}}));

    gui::MainWindow restarted(home.path());
    restarted.show();
    Button(restarted, "cmdLast")->click();
    QCOMPARE(LabelText(restarted, "lblRecords"),
             QString("3 Record(s) Tested, 1 Record(s) with Error(s)"));
    QCOMPARE(LabelText(restarted, "lblErrors"), QString("Record Number 3"));
  }

  void missingFileIsAskedForAgain() {
    TempFolder home;
    gui::MainWindow window(home.path());
    const QString missing = FileName(home.path() / "gone.txt");
    gui::FileDialog::setNextFileName(missing);
    gui::FileDialog::setNextCancel();
    Button(window, "cmdStart")->click();
    QCOMPARE(gui::FileDialog::titles().size(), 2);
    QCOMPARE(MessageTexts(),
             QStringList({missing + " was not found.",
                          "Please check to make sure that correct File Name was entered and /or "
                          "correct Drive was chosen."}));
    QVERIFY(!std::filesystem::exists(home.path() / "ERRORLOG.MDB"));
    QVERIFY(Enabled(window, "cmdStart"));
  }

  // Cancelling the first file dialog leaves the previous results and views as they were.
  void cancelKeepsThePreviousResults() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    const auto file = home.path() / "faulty.txt";
    WriteFile(file, WithFaultyRecords());
    gui::FileDialog::setNextFileName(FileName(file));
    Button(window, "cmdStart")->click();
    auto* errors_grid = Control<QTableView>(window, "DBGrid2");
    const int error_rows = errors_grid->model()->rowCount();
    const QStringList enabled = EnabledCommands(window);

    gui::FileDialog::setNextCancel();
    Button(window, "cmdStart")->click();
    QCOMPARE(EnabledCommands(window), enabled);
    QCOMPARE(errors_grid->model()->rowCount(), error_rows);
    QVERIFY(Shown(window, "DBGrid1"));
    QCOMPARE(QueryValue(home.path() / "ERRORLOG.MDB", "SELECT COUNT(*) FROM Records"),
             std::string("7"));
  }

  void secondInstanceIsRefused() {
    TempFolder home;
    qputenv("LEDGERLY_HOME", QByteArray::fromStdString(home.path().string()));
    QLockFile running(FileName(home.path() / "Ledgerly.lock"));
    QVERIFY(running.tryLock(0));
    QCOMPARE(gui::RunDesktop(*qApp), 1);
    QCOMPARE(gui::MessageBox::shown().size(), 1);
    QCOMPARE(gui::MessageBox::shown()[0].title, QString("Ledgerly 2011"));
    QCOMPARE(gui::MessageBox::shown()[0].text, QString("This program is already running."));
    QCOMPARE(gui::MessageBox::shown()[0].icon, QMessageBox::Critical);
    qunsetenv("LEDGERLY_HOME");
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
