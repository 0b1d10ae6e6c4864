// The error grid's tooltip and the About box.
#include <QMouseEvent>
#include <QTableView>

#include "desktop/app/AboutDialog.h"
#include "desktop/app/GridToolTip.h"
#include "gui/GuiTestSupport.h"

using namespace ledgerly;
using namespace ledgerly::test;

class ToolTipAndAboutTest : public QObject {
  Q_OBJECT
 private slots:
  // The full text of a cell once the pointer rests on it, whole and in lines.
  void errorGridToolTip() {
    ScriptEveryPrompt();
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "wages.txt");
    gui::MainWindow window(results.folder());
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));  // tooltips are for the active window
    Choose(window, "cmdLast");
    auto* grid = Control<QTableView>(window, "DBGrid2");
    gui::ToolTipWindow& tips = *window.ToolTips();
    QPoint pointer;  // on the screen
    tips.SetPointerSource([&] { return pointer; });
    // Moves the pointer over the grid as the window system would, and rests there.
    const auto rest_at = [&](int row, int column) {
      const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
      pointer = grid->viewport()->mapToGlobal(at);
      QMouseEvent move(QEvent::MouseMove, at, pointer, Qt::NoButton, Qt::NoButton, {});
      QApplication::sendEvent(grid->viewport(), &move);
      for (int i = 0; i < gui::ToolTipWindow::kShowTick; ++i) tips.Tick();
      return tips.isVisible() ? tips.Caption() : QString();
    };
    const QStringList lines = rest_at(0, 2).split('\n');
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.join(QString()), kLongError);
    QCOMPARE(rest_at(1, 1), QString());  // an empty cell
    QCOMPARE(rest_at(0, 1), QString("[SMITH & SONS]"));
  }
  void aboutBox() {
    gui::AboutDialog about;
    QString texts = about.windowTitle();
    for (const char* name : {"lblName", "lblVersion", "lblRevision"}) {
      texts += "|" + about.findChild<QLabel*>(name)->text();
    }
    QCOMPARE(texts,
             "About Ledgerly / Tax Year 2011|Product Name: \nLEDGERLY  FOR TAX  YEAR 2011|"
             "Major version number:  1\nMinor version number:  1|Revision number:  0");
  }
};

QTEST_MAIN(ToolTipAndAboutTest)
#include "ToolTipAndAboutTest.moc"
