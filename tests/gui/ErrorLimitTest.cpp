// The Error limit: the dialog's entry rules, ErrSetLog.ini, and OK starting a run.
#include "desktop/app/ErrorLimitDialog.h"
#include "gui/GuiTestSupport.h"

using namespace ledgerly;
using namespace ledgerly::test;

class ErrorLimitTest : public QObject {
  Q_OBJECT
 private slots:
  // A refused entry is said so; a good one is kept, read at the next start, and OK starts a run.
  void entries() {
    const struct {
      QString entry;
      QString button;
      int limit;  // 0: refused
    } cases[] = {
        {"25000", "cmdOK", 25000}, {"25001", "cmdOK", 0},           {"", "cmdOK", 0},
        {"00", "cmdOK", 0},        {QString(400, '9'), "cmdOK", 0}, {"9", "cmdCancel", 500}};
    for (const auto& c : cases) {
      ScriptEveryPrompt();
      TempFolder home;
      gui::MainWindow window(home.path());
      Choose(window, "mnuTSet");
      auto* dialog = window.findChild<gui::ErrorLimitDialog*>("frmSetErrors");
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
      QCOMPARE(ReadFile(home.path() / "ErrSetLog.ini"),
               "[Maximum Error Count]:" + std::to_string(limit) + "\r\n");
      QCOMPARE(gui::FileDialog::titles().size(), c.limit && c.button == "cmdOK" ? 1 : 0);
      QCOMPARE(gui::MainWindow(home.path()).ErrorLimit(), limit);
    }
  }
};

QTEST_MAIN(ErrorLimitTest)
#include "ErrorLimitTest.moc"
