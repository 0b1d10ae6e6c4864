// The error grid's tooltip (the full cell text once the pointer rests, hidden
// when it moves) and the About box.
#include <QMouseEvent>
#include <QTableView>
#include <QtTest>

#include "desktop/app/AboutDialog.h"
#include "desktop/app/GridToolTip.h"
#include "gui/GuiTestSupport.h"

using namespace ledgerly;
using namespace ledgerly::test;

class ToolTipAndAboutTest : public QObject {
  Q_OBJECT

  QTableView* grid_ = nullptr;
  gui::ToolTipWindow* tips_ = nullptr;
  QPoint pointer_;  // on the screen

  // Moves the pointer over a cell of the error grid as the window system would.
  void MoveTo(QPoint in_viewport) {
    pointer_ = grid_->viewport()->mapToGlobal(in_viewport);
    QMouseEvent move(QEvent::MouseMove, in_viewport, pointer_, Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid_->viewport(), &move);
  }
  QRect Cell(int row, int column) { return grid_->visualRect(grid_->model()->index(row, column)); }
  // Lets the pointer rest as long as it takes a tooltip to show.
  void Rest() {
    for (int i = 0; i < gui::ToolTipWindow::kShowTick; ++i) tips_->Tick();
  }

 private slots:
  void init() { ScriptEveryPrompt(); }

  // Lines end after the word that passes 570 pixels; a longer word is cut at 630.
  void wrappingLongTexts() {
    const auto width = [](const QString& text) { return static_cast<int>(text.size()) * 10; };
    QCOMPARE(gui::WrapToolTipText(QString(57, 'a'), width), QString(57, 'a'));
    QCOMPARE(gui::WrapToolTipText(QString("word ").repeated(30), width).split('\n'),
             QStringList({QString("word ").repeated(12), QString("word ").repeated(12),
                          QString("word ").repeated(6)}));
    const QString text = "ab " + QString(200, 'x');
    const QStringList pieces = gui::WrapToolTipText(text, width).split('\n');
    QCOMPARE(pieces.join(QString()), text);
    for (const QString& piece : pieces) QVERIFY(piece.size() <= 63);
  }

  void errorGridToolTip() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "wages.txt");
    gui::MainWindow window(results.folder());
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Choose(window, "cmdLast");
    grid_ = Control<QTableView>(window, "DBGrid2");
    tips_ = window.ToolTips();
    tips_->SetPointerSource([this] { return pointer_; });

    // The long text is shown whole once the pointer rests, in lines no wider than 630 pixels.
    MoveTo(Cell(0, 2).center());
    QVERIFY(!tips_->isVisible());
    Rest();
    QVERIFY(tips_->isVisible());
    const QStringList lines = tips_->Caption().split('\n');
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.join(QString()), kLongError);
    const QFontMetrics metrics = tips_->findChild<QLabel*>("TipText")->fontMetrics();
    for (const QString& line : lines) QVERIFY(metrics.horizontalAdvance(line) <= 630);
    // One pixel keeps it, two pixels hide it.
    MoveTo(Cell(0, 2).center() + QPoint(1, 0));
    tips_->Tick();
    QVERIFY(tips_->isVisible());
    pointer_ += QPoint(2, 0);
    tips_->Tick();
    QVERIFY(!tips_->isVisible());

    // The ampersand shows once; an empty cell and the space below the rows show nothing.
    MoveTo(Cell(0, 1).center());
    Rest();
    QCOMPARE(tips_->Caption(), QString("[SMITH & SONS]"));
    MoveTo(Cell(1, 1).center());
    Rest();
    QVERIFY(!tips_->isVisible());
    MoveTo(Cell(1, 0).center() + QPoint(0, 3 * Cell(1, 0).height()));
    Rest();
    QVERIFY(!tips_->isVisible());

    // The tooltip goes with the grid.
    MoveTo(Cell(0, 0).center());
    Rest();
    QVERIFY(tips_->isVisible());
    window.cmdView_Click();
    QVERIFY(!tips_->isVisible());
  }

  void aboutBox() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    QStringList texts;
    QTimer::singleShot(0, &window, [&] {
      auto* about = qobject_cast<gui::AboutDialog*>(QApplication::activeModalWidget());
      if (!about) return;
      texts << about->windowTitle();
      for (const char* name : {"lblName", "lblVersion", "lblRevision"}) {
        texts << about->findChild<QLabel*>(name)->text();
      }
      about->findChild<QPushButton*>("cmdOK")->click();
    });
    Choose(window, "mnuHAbout");
    QCOMPARE(texts,
             QStringList(
                 {"About Ledgerly / Tax Year 2011", "Product Name: \nLEDGERLY  FOR TAX  YEAR 2011",
                  "Major version number:  1\nMinor version number:  1", "Revision number:  0"}));
    QVERIFY(!window.findChild<gui::AboutDialog*>());
  }
};

QTEST_MAIN(ToolTipAndAboutTest)
#include "ToolTipAndAboutTest.moc"
