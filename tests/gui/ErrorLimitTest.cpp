// The Error limit: the dialog's entry rules, ErrSetLog.ini, and OK starting a run.
#include <QLineEdit>

#include "desktop/app/ErrorLimitDialog.h"
#include "gui/GuiTestSupport.h"

using namespace ledgerly;
using namespace ledgerly::test;

class ErrorLimitTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ScriptEveryPrompt(); }

  void entries_data() {
    QTest::addColumn<QString>("typed");  // the entry, then the button pressed
    QTest::addColumn<int>("limit");      // kept afterwards, also after a restart
    QTest::addColumn<bool>("rejected");
    QTest::newRow("largest") << "25000 cmdOK" << 25000 << false;
    QTest::newRow("leading zeros") << "00750 cmdOK" << 750 << false;
    QTest::newRow("blank") << " cmdOK" << 500 << true;
    QTest::newRow("zeros") << "00 cmdOK" << 500 << true;
    QTest::newRow("too large") << "25001 cmdOK" << 500 << true;
    QTest::newRow("too long to convert") << QString(400, '9') + " cmdOK" << 500 << true;
    QTest::newRow("Cancel changes nothing") << "9 cmdCancel" << 500 << false;
  }

  void entries() {
    QFETCH(QString, typed);
    QFETCH(int, limit);
    QFETCH(bool, rejected);
    TempFolder home;
    gui::MainWindow window(home.path());
    Choose(window, "mnuTSet");
    auto* dialog = window.findChild<gui::ErrorLimitDialog*>("frmSetErrors");
    QCOMPARE(dialog->findChild<QLabel*>("txtMessage")->text(),
             QString("Set the number of error(s) allowed from\n1 through 25,000 before testing is "
                     "stopped"));
    dialog->findChild<QLineEdit*>("txtErrorCount")->setText(typed.section(' ', 0, 0));
    dialog->findChild<QPushButton*>(typed.section(' ', 1))->click();
    QCoreApplication::processEvents();
    QCOMPARE(Messages(), rejected ? QStringList("Error Limit: The error limit can not be zero or "
                                                "blank or greater than 25,000.")
                                  : QStringList());
    QCOMPARE(dialog->isVisible(), rejected);
    QCOMPARE(window.ErrorLimit(), limit);
    QCOMPARE(ReadFile(home.path() / "ErrSetLog.ini"),
             "[Maximum Error Count]:" + std::to_string(limit) + "\r\n");
    // OK with a good entry starts a Test run with the file dialog.
    QCOMPARE(gui::FileDialog::titles().size(), !rejected && typed.endsWith("OK") ? 1 : 0);
    QCOMPARE(gui::MainWindow(home.path()).ErrorLimit(), limit);
  }

  void onlyDigitsAndBackspaceAreTyped() {
    TempFolder home;
    gui::MainWindow window(home.path());
    Choose(window, "mnuTSet");
    auto* entry = window.findChild<QLineEdit*>("txtErrorCount");
    QCOMPARE(entry->text(), QString("500"));
    entry->clear();
    QTest::keyClicks(entry, "1a2-3 .4");
    QTest::keyClick(entry, Qt::Key_Backspace);
    QCOMPARE(entry->text(), QString("123"));
  }
};

QTEST_MAIN(ErrorLimitTest)
#include "ErrorLimitTest.moc"
