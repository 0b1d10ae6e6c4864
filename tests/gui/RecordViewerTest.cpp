// The record field viewer: choosing a row of the tested-records grid shows the
// stored record as labelled fields with the faulty ones light yellow.
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

#include "desktop/viewer/RecordViewer.h"
#include "gui/GuiTestSupport.h"
#include "support/RecordBuilder.h"
#include "support/ResultDbBuilder.h"
#include "support/Submission.h"
#include "support/ValidRecords.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

// Runs the content as one file through the window and opens the tested records.
void TestInWindow(gui::MainWindow& window, const std::filesystem::path& folder,
                  const std::string& content) {
  const auto file = folder / "W2.TXT";
  WriteFile(file, content);
  gui::FileDialog::setNextFileName(FileName(file));
  window.cmdStart_Click();
  gui::MessageBox::reset();
  window.cmdView_Click();
}

void ChooseRecord(gui::MainWindow& window, int rec_num) {
  auto* grid = Control<QTableView>(window, "DBGrid3");
  grid->setCurrentIndex(grid->model()->index(rec_num - 1, 1));
}

QList<int> YellowBoxes(const gui::RecordViewer& viewer) {
  QList<int> yellow;
  for (int row = 0; row < viewer.RowCount(); ++row) {
    const QColor base = viewer.ValueBox(row)->palette().color(QPalette::Base);
    if (base == gui::RecordViewer::HighlightColour()) yellow << row;
  }
  return yellow;
}

// RA, RE, an RW whose Social Security Wages are not a number, RT, RF.
std::string WithFaultyWages() {
  std::string rw = ValidRecord("RW");
  Put(rw, 210, "12345ABCDEF");
  return Submission({"RA", "RE"}) + rw + "\r\n" + MatchingRT(ValidRecord("RW"), 1) + "\r\n" +
         ValidRF(1);
}

}  // namespace

class RecordViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ScriptEveryPrompt(); }

  void faultyWagesAloneAreYellow() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    TestInWindow(window, home.path(), WithFaultyWages());
    const gui::RecordViewer& viewer = *window.Viewer();
    QVERIFY(!Shown(window, "RecordViewer"));

    ChooseRecord(window, 3);
    QCOMPARE(viewer.RowCount(), 48);
    QCOMPARE(viewer.LabelBox(18)->text(), QString("Social Security Wages"));
    QCOMPARE(viewer.ValueBox(18)->text(), QString("12345ABCDEF"));
    QCOMPARE(viewer.LabelBox(47)->text(), QString("Blank"));
    QCOMPARE(YellowBoxes(viewer), QList<int>{18});
    QCOMPARE(viewer.ValueBox(0)->palette().color(QPalette::Base),
             window.palette().color(QPalette::Base));
    QCOMPARE(window.windowTitle(), QString("Record Number 3 of 5 Tested Record(s) - W2.TXT"));
    QVERIFY(Control<QLineEdit>(window, "Text1_18") == viewer.LabelBox(18));
    QVERIFY(Control<QLineEdit>(window, "Text2_18") == viewer.ValueBox(18));

    // The viewer takes the place of the other views under the grid.
    QCOMPARE(LabelText(window, "lblFName"), QString("Field Name"));
    QCOMPARE(LabelText(window, "lblFData"), QString("Field Data"));
    for (const char* shown : {"lblFName", "lblFData", "Text1_0", "Text2_0", "DBGrid3"}) {
      QVERIFY2(Shown(window, shown), shown);
    }
    for (const char* hidden : {"DBGrid1", "DBGrid2", "lblRecords", "lblErrors", "lblCritError",
                               "txtCritError", "imgLogo", "lblWelcome"}) {
      QVERIFY2(!Shown(window, hidden), hidden);
    }
    // The grid ends where the viewer's scroll bar begins.
    QCoreApplication::processEvents();  // the layout follows
    const auto* grid_box = Control<QWidget>(window, "DBGrid3Box");
    const auto* bar = Control<QScrollBar>(window, "VScroll1");
    QCOMPARE(grid_box->mapTo(&window, QPoint(grid_box->width(), 0)).x(),
             bar->mapTo(&window, QPoint(0, 0)).x());

    // The RT cannot reconcile the wages; the RF is plain and has four rows.
    ChooseRecord(window, 4);
    QCOMPARE(viewer.RowCount(), 29);
    QCOMPARE(YellowBoxes(viewer), QList<int>{4});
    ChooseRecord(window, 5);
    QCOMPARE(viewer.RowCount(), 4);
    QCOMPARE(viewer.ValueBox(3)->text(), QString(496, ' '));
    QCOMPARE(YellowBoxes(viewer), QList<int>());
    QVERIFY(!Control<QLineEdit>(window, "Text1_4"));
    QCOMPARE(window.windowTitle(), QString("Record Number 5 of 5 Tested Record(s) - W2.TXT"));
  }

  void rowsOfEveryRecordType() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    TestInWindow(window, home.path(), Submission({"RA", "RE", "RW", "RO", "RS", "RT", "RU", "RF"}));
    const gui::RecordViewer& viewer = *window.Viewer();
    const QList<int> rows{40, 24, 48, 24, 1, 29, 23, 4};
    const QStringList ids{"RA", "RE", "RW", "RO", "RS", "RT", "RU", "RF"};
    for (int rec = 1; rec <= 8; ++rec) {
      ChooseRecord(window, rec);
      QCOMPARE(viewer.RowCount(), rows[rec - 1]);
      QCOMPARE(viewer.LabelBox(0)->text(), QString("Record Identifier"));
      QCOMPARE(viewer.ValueBox(0)->text(), ids[rec - 1]);
      QCOMPARE(YellowBoxes(viewer), QList<int>());
    }
    // The state record: one plain row and nothing to scroll.
    ChooseRecord(window, 5);
    QVERIFY(!viewer.ScrollBar()->isVisibleTo(&window));
  }

  // A record that stopped the run on its order is not re-checked: only its
  // identifier is yellow. An unknown identifier is one yellow row.
  void criticalAndUnknownRecords() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    TestInWindow(window, home.path(), Submission({"RA", "RE", "RE"}));
    ChooseRecord(window, 3);
    QCOMPARE(window.Viewer()->RowCount(), 24);
    QCOMPARE(YellowBoxes(*window.Viewer()), QList<int>{0});

    TestInWindow(window, home.path(), Submission({"RA", "RE", "RW", "XX"}));
    ChooseRecord(window, 4);
    QCOMPARE(window.Viewer()->RowCount(), 1);
    QCOMPARE(window.Viewer()->ValueBox(0)->text(), QString("XX"));
    QCOMPARE(YellowBoxes(*window.Viewer()), QList<int>{0});
  }

  void scrollingShowsWholeRowsFromTheTop() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.resize(1000, 640);
    window.show();
    TestInWindow(window, home.path(), WithFaultyWages());
    ChooseRecord(window, 3);
    const gui::RecordViewer& viewer = *window.Viewer();
    const int visible = viewer.VisibleRows();
    QVERIFY(visible > 3 && visible < 48);
    QScrollBar* bar = viewer.ScrollBar();
    QVERIFY(bar->isVisibleTo(&window));
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->maximum(), 48 - visible);
    QVERIFY(viewer.LabelBox(visible - 1)->isVisibleTo(&window));
    QVERIFY(!viewer.LabelBox(visible)->isVisibleTo(&window));

    bar->setValue(10);
    for (int row = 0; row < 48; ++row) {
      const bool expected = row >= 10 && row < 10 + visible;
      QCOMPARE(viewer.LabelBox(row)->isVisibleTo(&window), expected);
      QCOMPARE(viewer.ValueBox(row)->isVisibleTo(&window), expected);
    }
    QCOMPARE(viewer.LabelBox(10)->y(), 0);
    QCOMPARE(viewer.ValueBox(11)->y(), viewer.LabelBox(10)->height());
    QCOMPARE(viewer.ValueBox(10)->x(), viewer.LabelBox(10)->width());
    // Every shown row fits whole in the viewer area.
    const QWidget* last = viewer.ValueBox(10 + visible - 1);
    QVERIFY(last->y() + last->height() <= last->parentWidget()->height());

    // The next record starts at its top again.
    ChooseRecord(window, 2);
    QCOMPARE(bar->value(), 0);
    QVERIFY(viewer.LabelBox(0)->isVisibleTo(&window));
  }

  void tabGoesLabelValueRowByRow() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.resize(1000, 640);
    window.show();
    TestInWindow(window, home.path(), WithFaultyWages());
    ChooseRecord(window, 3);
    const gui::RecordViewer& viewer = *window.Viewer();
    const int visible = viewer.VisibleRows();
    QScrollBar* bar = viewer.ScrollBar();
    const auto press = [&](bool back) {
      QTest::keyClick(window.focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                      back ? Qt::ShiftModifier : Qt::NoModifier);
      return window.focusWidget();
    };

    viewer.LabelBox(0)->setFocus();
    QCOMPARE(press(false), viewer.ValueBox(0));
    QCOMPARE(press(false), viewer.LabelBox(1));
    QCOMPARE(press(true), viewer.ValueBox(0));
    QCOMPARE(press(true), viewer.LabelBox(0));

    // From the last row shown, the next label scrolls in by one row.
    viewer.ValueBox(visible - 1)->setFocus();
    QCOMPARE(press(false), viewer.LabelBox(visible));
    QCOMPARE(bar->value(), 1);
    QVERIFY(viewer.LabelBox(visible)->isVisibleTo(&window));
    QVERIFY(!viewer.LabelBox(0)->isVisibleTo(&window));
    // And back from the top row's label to the value above it.
    viewer.LabelBox(1)->setFocus();
    QCOMPARE(press(true), viewer.ValueBox(0));
    QCOMPARE(bar->value(), 0);
  }

  // A run empties the viewer as soon as its file is opened; it cannot be
  // filled while the run goes on, and the error view clears it too.
  void emptiedByARunAndByTheErrorView() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    TestInWindow(window, home.path(), WithFaultyWages());
    ChooseRecord(window, 3);
    QCOMPARE(window.Viewer()->RowCount(), 48);

    const auto file = home.path() / "again.txt";
    WriteFile(file, WithFaultyWages());
    gui::FileDialog::setNextFileName(FileName(file));
    int rows_during = -1;
    QString value_during = "unset";
    bool shown_during = true;
    DuringRun probe([&] { return window.TestRunning(); },
                    [&] {
                      window.ViewFile(3);
                      rows_during = window.Viewer()->RowCount();
                      value_during = window.Viewer()->ValueBox(0)->text();
                      shown_during = Shown(window, "RecordViewer");
                    });
    window.cmdStart_Click();
    QVERIFY(probe.fired);
    QCOMPARE(rows_during, 1);
    QCOMPARE(value_during, QString());
    QVERIFY(!shown_during);
    QVERIFY(!Shown(window, "lblFName"));

    // The run had errors: the records-with-errors view, no viewer.
    QVERIFY(Shown(window, "DBGrid1"));
    QVERIFY(!Shown(window, "RecordViewer"));
    window.cmdView_Click();
    ChooseRecord(window, 2);
    QCOMPARE(window.Viewer()->RowCount(), 24);
    window.cmdGrid_Click();
    QVERIFY(!Shown(window, "RecordViewer"));
    QCOMPARE(window.Viewer()->RowCount(), 1);
  }

  // The first row is current when the tested records open; clicking it shows it.
  void clickOnTheCurrentFirstRow() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    TestInWindow(window, home.path(), WithFaultyWages());
    auto* grid = Control<QTableView>(window, "DBGrid3");
    QCOMPARE(grid->currentIndex().row(), 0);
    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(window.Viewer()->RowCount(), 40);
    QCOMPARE(window.windowTitle(), QString("Record Number 1 of 5 Tested Record(s) - W2.TXT"));
  }
};

QTEST_MAIN(RecordViewerTest)
#include "RecordViewerTest.moc"
