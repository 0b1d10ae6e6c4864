// The record field viewer: choosing a row of the tested-records grid shows the
// stored record as labelled fields with the faulty ones light yellow.
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include "desktop/viewer/RecordViewer.h"
#include "gui/GuiTestSupport.h"
#include "support/RecordBuilder.h"
#include "support/Submission.h"
#include "support/ValidRecords.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

// RA, RE, an RW whose Social Security Wages are not a number, RT, RF.
std::string WithFaultyWages() {
  std::string rw = ValidRecord("RW");
  Put(rw, 210, "12345ABCDEF");
  return Submission({"RA", "RE"}) + rw + "\r\n" + MatchingRT(ValidRecord("RW"), 1) + "\r\n" +
         ValidRF(1);
}

std::string EveryType() {
  return Submission({"RA", "RE", "RW", "RO", "RS", "RT", "RU", "RF"});
}

const struct {
  const char* name;
  std::string (*content)();
  int rec_num, rows;
  QList<int> yellow;
} kRecords[] = {
    {"RA", EveryType, 1, 40, {}},
    {"RO", EveryType, 4, 24, {}},
    {"RS: one plain row", EveryType, 5, 1, {}},
    {"RU", EveryType, 7, 23, {}},
    {"RF", EveryType, 8, 4, {}},
    {"RW with faulty wages", WithFaultyWages, 3, 48, {18}},
    {"RT that cannot reconcile them", WithFaultyWages, 4, 29, {4}},
    // A record that stopped the run on its order is not checked again.
    {"RE out of order",
     [] {
       return Submission({"RA", "RE", "RE"});
     },
     3,
     24,
     {0}},
    {"unknown identifier: one row",
     [] {
       return Submission({"RA", "RE", "RW", "XX"});
     },
     4,
     1,
     {0}},
};

}  // namespace

class RecordViewerTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TempFolder> home_;
  std::unique_ptr<gui::MainWindow> window_;

  // Tests the content as W2.TXT, opens the tested records and chooses one.
  const gui::RecordViewer& Show(const std::string& content, int rec_num) {
    RunFile(*window_, home_->path() / "W2.TXT", content);
    window_->cmdView_Click();
    auto* grid = Control<QTableView>(*window_, "DBGrid3");
    grid->setCurrentIndex(grid->model()->index(rec_num - 1, 1));
    return *window_->Viewer();
  }

 private slots:
  void init() {
    ScriptEveryPrompt();
    home_ = std::make_unique<TempFolder>();
    window_ = std::make_unique<gui::MainWindow>(home_->path());
    window_->resize(1000, 640);
    window_->show();
  }
  void cleanup() { window_.reset(); }

  void fields_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kRecords)); ++row)
      QTest::newRow(kRecords[row].name) << row;
  }

  void fields() {
    QFETCH(int, row);
    const auto& c = kRecords[row];
    const std::string content = c.content();
    const gui::RecordViewer& viewer = Show(content, c.rec_num);
    QCOMPARE(viewer.RowCount(), c.rows);
    QCOMPARE(viewer.ValueBox(0)->text().toStdString(), content.substr(514 * (c.rec_num - 1), 2));
    QList<int> yellow;
    for (int row = 0; row < viewer.RowCount(); ++row) {
      const QColor base = viewer.ValueBox(row)->palette().color(QPalette::Base);
      if (base == gui::RecordViewer::HighlightColour()) yellow << row;
    }
    QCOMPARE(yellow, c.yellow);
  }

  // The viewer takes the place of the other views; only whole rows are shown,
  // the scroll bar and Tab move through them, the next record starts at its top.
  void viewingAFaultyRecord() {
    const gui::RecordViewer& viewer = Show(WithFaultyWages(), 3);
    gui::MainWindow& window = *window_;
    QCOMPARE(window.windowTitle(), QString("Record Number 3 of 5 Tested Record(s) - W2.TXT"));
    QCOMPARE(ShownAreas(window), QStringList({"DBGrid3", "RecordViewer"}));
    QCOMPARE(LabelText(window, "lblFName") + "|" + LabelText(window, "lblFData"),
             QString("Field Name|Field Data"));
    QCOMPARE(viewer.LabelBox(0)->text(), QString("Record Identifier"));
    QCOMPARE(Control<QLineEdit>(window, "Text1_18")->text(), QString("Social Security Wages"));
    QCOMPARE(Control<QLineEdit>(window, "Text2_18")->text(), QString("12345ABCDEF"));
    const int visible = viewer.VisibleRows();
    QVERIFY(visible > 3 && visible < 48);
    QScrollBar* bar = viewer.ScrollBar();
    QCOMPARE(bar->maximum(), 48 - visible);
    bar->setValue(10);
    for (int row : {9, 10, 9 + visible, 10 + visible}) {
      QCOMPARE(viewer.ValueBox(row)->isVisibleTo(&window), row >= 10 && row < 10 + visible);
    }
    // From the last row shown, Tab scrolls the next label in.
    viewer.ValueBox(9 + visible)->setFocus();
    QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
    QCOMPARE(window.focusWidget(), viewer.LabelBox(10 + visible));
    QCOMPARE(bar->value(), 11);
    QTest::keyClick(window.focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(window.focusWidget(), viewer.ValueBox(9 + visible));
    auto* grid = Control<QTableView>(window, "DBGrid3");
    grid->setCurrentIndex(grid->model()->index(1, 1));
    QCOMPARE(bar->value(), 0);
  }

  // A run empties the viewer as soon as its file is opened and it cannot be
  // filled while the run goes on; the records-with-errors view clears it too.
  void emptiedByARunAndByTheErrorView() {
    gui::MainWindow& window = *window_;
    Show(WithFaultyWages(), 3);
    QStringList during;
    DuringRun probe([&] { return window.TestRunning(); },
                    [&] {
                      window.ViewFile(3);
                      during = ShownAreas(window) << QString::number(window.Viewer()->RowCount());
                    });
    QCOMPARE(Show(WithFaultyWages(), 2).RowCount(), 24);
    QVERIFY(!during.contains("RecordViewer") && during.endsWith("1"));
    window.cmdGrid_Click();
    QVERIFY(!ShownAreas(window).contains("RecordViewer"));
    QCOMPARE(window.Viewer()->RowCount(), 1);
  }

  // The first row is current when the tested records open; clicking it shows it.
  void clickOnTheCurrentFirstRow() {
    RunFile(*window_, home_->path() / "W2.TXT", WithFaultyWages());
    window_->cmdView_Click();
    auto* grid = Control<QTableView>(*window_, "DBGrid3");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 1)).center());
    QCOMPARE(window_->Viewer()->RowCount(), 40);
    QCOMPARE(window_->windowTitle(), QString("Record Number 1 of 5 Tested Record(s) - W2.TXT"));
  }
};

QTEST_MAIN(RecordViewerTest)
#include "RecordViewerTest.moc"
