// The error grid's tooltip (the full cell text once the pointer rests, hidden
// when it moves) and the About box.
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
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Choose(window, "cmdLast");
    auto* grid = Control<QTableView>(window, "DBGrid2");
    gui::ToolTipWindow& tips = *window.ToolTips();
    QPoint pointer;  // on the screen
    tips.SetPointerSource([&] { return pointer; });
    // Moves the pointer over the grid as the window system would, and rests there.
    const auto rest_at = [&](int row, int column, QPoint offset = {}, int ticks = 15) {
      const QPoint at = grid->visualRect(grid->model()->index(row, column)).center() + offset;
      pointer = grid->viewport()->mapToGlobal(at);
      QMouseEvent move(QEvent::MouseMove, at, pointer, Qt::NoButton, Qt::NoButton, {});
      QApplication::sendEvent(grid->viewport(), &move);
      for (int i = 0; i < ticks; ++i) tips.Tick();
      return tips.isVisible() ? tips.Caption() : QString();
    };
    // The long text is shown whole, in lines no wider than 630 pixels.
    const QStringList lines = rest_at(0, 2).split('\n');
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.join(QString()), kLongError);
    const QFontMetrics metrics = tips.findChild<QLabel*>("TipText")->fontMetrics();
    for (const QString& line : lines) QVERIFY(metrics.horizontalAdvance(line) <= 630);
    QVERIFY(rest_at(0, 2, {2, 0}, 1).isEmpty());  // moving hides it
    QCOMPARE(rest_at(0, 1), QString("[SMITH & SONS]"));
    QCOMPARE(rest_at(1, 1), QString());  // an empty cell
    QVERIFY(!rest_at(0, 0).isEmpty());
    window.cmdView_Click();  // the tooltip goes with the grid
    QVERIFY(!tips.isVisible());
  }
  void aboutBox() {
    gui::AboutDialog about;
    QStringList texts = {about.windowTitle()};
    for (const char* name : {"lblName", "lblVersion", "lblRevision"}) {
      texts << about.findChild<QLabel*>(name)->text();
    }
    QCOMPARE(texts,
             QStringList(
                 {"About Ledgerly / Tax Year 2011", "Product Name: \nLEDGERLY  FOR TAX  YEAR 2011",
                  "Major version number:  1\nMinor version number:  1", "Revision number:  0"}));
  }
};

QTEST_MAIN(ToolTipAndAboutTest)
#include "ToolTipAndAboutTest.moc"
