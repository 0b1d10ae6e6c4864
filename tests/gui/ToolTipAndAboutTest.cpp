// The error grid's tooltip (full cell text after the pointer rests, hidden on
// a 2-pixel move) and the About box.
#include <QMouseEvent>
#include <QTableView>
#include <QtTest>
#include <memory>

#include "desktop/app/AboutDialog.h"
#include "desktop/app/GridToolTip.h"
#include "gui/GuiTestSupport.h"
#include "support/ResultDbBuilder.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

const std::string kLongError =
    "The sum of Social Security Wages and Social Security Tips must not exceed the Social "
    "Security wage base of the tax year; this text is long enough to need several lines when "
    "shown whole in the tooltip beside the error grid of the records with errors.";

// Record 1 has three errors: a long text, an ampersand, and an empty entry.
void AddErrors(ResultDbBuilder& results) {
  results.AddMisc("wages.txt", "12/06/2011");
  results.AddRecord(1, "RW", "123456789");
  results.AddError(1, "Employer Name [Position 40 - 96]", "[SMITH & SONS]", kLongError);
  results.AddError(1, "Zip Code [Position 134 - 138]", "", "Short.");
}

// The main window, active, showing the records with errors of AddErrors.
struct ErrorView {
  ResultDbBuilder results;
  std::unique_ptr<gui::MainWindow> window;

  bool Open() {
    AddErrors(results);
    window = std::make_unique<gui::MainWindow>(results.folder());
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) return false;
    Button(*window, "cmdLast")->click();
    return true;
  }
};

// Moves the pointer over the error grid as the window system would.
class Pointer {
 public:
  explicit Pointer(gui::MainWindow& window)
      : grid_(Control<QTableView>(window, "DBGrid2")), tips_(*window.ToolTips()) {
    tips_.SetPointerSource([this] { return screen_; });
  }
  QTableView* grid() const { return grid_; }
  // Over a cell, with a mouse-move event for the grid.
  void MoveTo(QPoint in_viewport) {
    screen_ = grid_->viewport()->mapToGlobal(in_viewport);
    QMouseEvent move(QEvent::MouseMove, in_viewport, screen_, Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid_->viewport(), &move);
  }
  void MoveToCell(int row, int column) {
    MoveTo(grid_->visualRect(grid_->model()->index(row, column)).center());
  }
  // Somewhere the grid hears nothing of (as over another window).
  void Nudge(int dx, int dy) { screen_ += QPoint(dx, dy); }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) tips_.Tick();
  }

 private:
  QTableView* grid_;
  gui::ToolTipWindow& tips_;
  QPoint screen_;
};

}  // namespace

class ToolTipAndAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ScriptEveryPrompt(); }

  // A line ends after the word that takes it past 570 pixels, shortened five
  // characters at a time while it is wider than 630.
  void wrappingLongTexts() {
    const auto width = [](const QString& text) { return static_cast<int>(text.size()) * 10; };
    QCOMPARE(gui::WrapToolTipText("short text", width), QString("short text"));
    QCOMPARE(gui::WrapToolTipText(QString(57, 'a'), width), QString(57, 'a'));

    // Words of five characters with their blank: 12 of them make 60 characters.
    QString words;
    for (int i = 0; i < 30; ++i) words += "word ";
    QCOMPARE(gui::WrapToolTipText(words, width).split('\n'),
             QStringList({QString("word ").repeated(12), QString("word ").repeated(12),
                          QString("word ").repeated(6)}));

    // One word of 200 characters: cut into pieces no wider than 630 pixels.
    const QString word(200, 'x');
    const QStringList pieces = gui::WrapToolTipText("ab " + word, width).split('\n');
    QCOMPARE(pieces.join(QString()), "ab " + word);
    for (const QString& piece : pieces) QVERIFY(piece.size() <= 63);
    QCOMPARE(pieces.size(), 4);
  }

  void shownAfterFifteenStillTicks() {
    ErrorView view;
    QVERIFY(view.Open());
    gui::MainWindow& window = *view.window;
    Pointer pointer(window);
    gui::ToolTipWindow& tips = *window.ToolTips();

    pointer.MoveToCell(0, 2);
    QCOMPARE(tips.Ticks(), 0);
    pointer.Ticks(14);
    QVERIFY(!tips.isVisible());
    pointer.Ticks(1);
    QVERIFY(tips.isVisible());
    // The long text is shown whole, in lines no wider than 630 pixels.
    const QStringList lines = tips.Caption().split('\n');
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.join(QString()), QString::fromStdString(kLongError));
    const QFontMetrics metrics = tips.findChild<QLabel*>("TipText")->fontMetrics();
    for (const QString& line : lines) QVERIFY(metrics.horizontalAdvance(line) <= 630);
    // Right of and below the pointer.
    const QPoint at = pointer.grid()->viewport()->mapToGlobal(
        pointer.grid()->visualRect(pointer.grid()->model()->index(0, 2)).center());
    QVERIFY(tips.y() > at.y());

    // One pixel keeps it, over the grid or not; two pixels hide it.
    pointer.Nudge(1, 1);
    pointer.Ticks(3);
    QVERIFY(tips.isVisible());
    pointer.MoveTo(pointer.grid()->visualRect(pointer.grid()->model()->index(0, 2)).center() +
                   QPoint(1, 0));
    pointer.Ticks(1);
    QVERIFY(tips.isVisible());
    pointer.Nudge(2, 0);
    pointer.Ticks(1);
    QVERIFY(!tips.isVisible());
  }

  void cellTextsAsTheyAre() {
    ErrorView view;
    QVERIFY(view.Open());
    gui::MainWindow& window = *view.window;
    Pointer pointer(window);
    gui::ToolTipWindow& tips = *window.ToolTips();

    // The ampersand shows once.
    pointer.MoveToCell(0, 1);
    pointer.Ticks(15);
    QVERIFY(tips.isVisible());
    QCOMPARE(tips.Caption(), QString("[SMITH & SONS]"));

    // An empty cell never shows a tooltip.
    pointer.MoveToCell(1, 1);
    QVERIFY(!tips.isVisible());
    pointer.Ticks(15);
    QVERIFY(!tips.isVisible());

    // Below the last row: nothing is armed.
    const QRect last = pointer.grid()->visualRect(pointer.grid()->model()->index(1, 0));
    pointer.MoveTo(QPoint(last.center().x(), last.bottom() + last.height() * 2));
    QCOMPARE(tips.Ticks(), gui::ToolTipWindow::kDisarmed);
    pointer.Ticks(15);
    QVERIFY(!tips.isVisible());

    // The tooltip goes with the grid.
    pointer.MoveToCell(0, 0);
    pointer.Ticks(15);
    QVERIFY(tips.isVisible());
    window.cmdView_Click();
    QVERIFY(!tips.isVisible());
  }

  void aboutBox() {
    gui::AboutDialog about;
    QCOMPARE(about.windowTitle(), QString("About Ledgerly / Tax Year 2011"));
    QCOMPARE(about.findChild<QLabel*>("lblName")->text(),
             QString("Product Name: \nLEDGERLY  FOR TAX  YEAR 2011"));
    QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(),
             QString("Major version number:  1\nMinor version number:  1"));
    QCOMPARE(about.findChild<QLabel*>("lblRevision")->text(), QString("Revision number:  0"));
    QVERIFY(about.findChild<QLabel*>("imgIcon"));

    // Help > About shows it modally; OK closes it.
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    bool seen = false;
    QTimer::singleShot(0, &window, [&] {
      auto* shown = qobject_cast<gui::AboutDialog*>(QApplication::activeModalWidget());
      QVERIFY(shown);
      seen = shown->isModal();
      shown->findChild<QPushButton*>("cmdOK")->click();
    });
    MenuItem(window, "mnuHAbout")->trigger();
    QVERIFY(seen);
    QVERIFY(!window.findChild<gui::AboutDialog*>());
  }
};

QTEST_MAIN(ToolTipAndAboutTest)
#include "ToolTipAndAboutTest.moc"
