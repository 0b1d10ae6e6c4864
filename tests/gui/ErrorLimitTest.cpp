// The Error limit: the dialog's entry rules, ErrSetLog.ini, and OK starting a run.
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "desktop/app/ErrorLimitDialog.h"
#include "gui/GuiTestSupport.h"
#include "support/ResultDbBuilder.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

const QString kLimitMessage = "The error limit can not be zero or blank or greater than 25,000.";

gui::ErrorLimitDialog* OpenDialog(gui::MainWindow& window) {
  MenuItem(window, "mnuTSet")->trigger();
  return window.findChild<gui::ErrorLimitDialog*>("frmSetErrors");
}

}  // namespace

class ErrorLimitTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ScriptEveryPrompt(); }

  void entries_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("limit");  // 0: rejected
    QTest::newRow("one") << "1" << 1;
    QTest::newRow("largest") << "25000" << 25000;
    QTest::newRow("leading zeros") << "00750" << 750;
    QTest::newRow("blank") << "" << 0;
    QTest::newRow("spaces") << "   " << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("zeros") << "00" << 0;
    QTest::newRow("too large") << "25001" << 0;
    QTest::newRow("too long to convert") << QString(400, '9') << 0;
  }

  void entries() {
    QFETCH(QString, entry);
    QFETCH(int, limit);
    TempFolder home;
    gui::MainWindow window(home.path());
    gui::ErrorLimitDialog* dialog = OpenDialog(window);
    dialog->findChild<QLineEdit*>("txtErrorCount")->setText(entry);
    dialog->findChild<QPushButton*>("cmdOK")->click();
    QCoreApplication::processEvents();
    if (limit == 0) {
      QCOMPARE(MessageTexts(), QStringList({kLimitMessage}));
      QCOMPARE(gui::MessageBox::shown()[0].title, QString("Error Limit"));
      QVERIFY(dialog->isVisible());
      QCOMPARE(window.ErrorLimit(), 500);
      QCOMPARE(ReadFile(home.path() / "ErrSetLog.ini"),
               std::string("[Maximum Error Count]:500\r\n"));
      QVERIFY(gui::FileDialog::titles().isEmpty());
    } else {
      QVERIFY(MessageTexts().isEmpty());
      QCOMPARE(window.ErrorLimit(), limit);
      QCOMPARE(ReadFile(home.path() / "ErrSetLog.ini"),
               "[Maximum Error Count]:" + std::to_string(limit) + "\r\n");
      // OK starts a Test run with the file dialog.
      QCOMPARE(gui::FileDialog::titles(), QStringList({"Please Enter File Name to be Tested"}));
    }
  }

  void onlyDigitsAndBackspaceAreTyped() {
    TempFolder home;
    gui::MainWindow window(home.path());
    gui::ErrorLimitDialog* dialog = OpenDialog(window);
    auto* entry = dialog->findChild<QLineEdit*>("txtErrorCount");
    QCOMPARE(entry->text(), QString("500"));
    entry->clear();
    QTest::keyClicks(entry, "1a2-3 .4");
    QCOMPARE(entry->text(), QString("1234"));
    QTest::keyClick(entry, Qt::Key_Backspace);
    QCOMPARE(entry->text(), QString("123"));
    QCOMPARE(dialog->findChild<QLabel*>("txtMessage")->text(),
             QString("Set the number of error(s) allowed from\n1 through 25,000 before testing is "
                     "stopped"));
  }

  void theLimitSurvivesARestart() {
    TempFolder home;
    {
      gui::MainWindow window(home.path());
      gui::ErrorLimitDialog* dialog = OpenDialog(window);
      dialog->findChild<QLineEdit*>("txtErrorCount")->setText("750");
      dialog->findChild<QPushButton*>("cmdOK")->click();
      QCoreApplication::processEvents();
    }
    QCOMPARE(ReadFile(home.path() / "ErrSetLog.ini"), std::string("[Maximum Error Count]:750\r\n"));
    gui::MainWindow restarted(home.path());
    QCOMPARE(restarted.ErrorLimit(), 750);
    QCOMPARE(OpenDialog(restarted)->findChild<QLineEdit*>("txtErrorCount")->text(), QString("750"));
  }

  void cancelChangesNothing() {
    TempFolder home;
    gui::MainWindow window(home.path());
    gui::ErrorLimitDialog* dialog = OpenDialog(window);
    dialog->findChild<QLineEdit*>("txtErrorCount")->setText("9");
    dialog->findChild<QPushButton*>("cmdCancel")->click();
    QCoreApplication::processEvents();
    QCOMPARE(window.ErrorLimit(), 500);
    QVERIFY(gui::FileDialog::titles().isEmpty());
  }

  void handEditedValuesFallBackTo500_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("limit");
    QTest::newRow("kept") << "[Maximum Error Count]:1200" << 1200;
    QTest::newRow("zero") << "[Maximum Error Count]:0" << 500;
    QTest::newRow("too large") << "[Maximum Error Count]:99999" << 500;
    QTest::newRow("not a number") << "[Maximum Error Count]:many" << 500;
    QTest::newRow("no colon") << "500" << 500;
  }

  void handEditedValuesFallBackTo500() {
    QFETCH(QString, line);
    QFETCH(int, limit);
    TempFolder home;
    WriteFile(home.path() / "ErrSetLog.ini", line.toStdString() + "\r\n");
    gui::MainWindow window(home.path());
    QCOMPARE(window.ErrorLimit(), limit);
  }

  // A folder where the file cannot be written: the start goes on with 500.
  void unwritableFolderDoesNotLoop() {
    TempFolder home;
    std::filesystem::create_directory(home.path() / "ErrSetLog.ini");
    gui::MainWindow window(home.path());
    QCOMPARE(window.ErrorLimit(), 500);
  }
};

QTEST_MAIN(ErrorLimitTest)
#include "ErrorLimitTest.moc"
