// The record field viewer: choosing a row of the tested-records grid shows the
// stored record as labelled fields with the faulty ones light yellow.

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

const std::vector<std::string> kEveryType = {"RA", "RE", "RW", "RO", "RS", "RT", "RU", "RF"};

const struct {
  const char* name;
  std::vector<std::string> ids;  // none: WithFaultyWages
  int rec_num, rows;
  QList<int> yellow;
} kRecords[] = {
    {"RA", kEveryType, 1, 40, {}},
    {"RO", kEveryType, 4, 24, {}},
    {"RS: one plain row", kEveryType, 5, 1, {}},
    {"RU", kEveryType, 7, 23, {}},
    {"RF", kEveryType, 8, 4, {}},
    {"RW with faulty wages", {}, 3, 48, {18}},
    {"RT that cannot reconcile them", {}, 4, 29, {4}},
    // A record that stopped the run on its order is not checked again.
    {"RE out of order", {"RA", "RE", "RE"}, 3, 24, {0}},
    {"unknown identifier: one row", {"RA", "RE", "RW", "XX"}, 4, 1, {0}},
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
    for (int row = 0; row < int(std::size(kRecords)); ++row) {
      QTest::newRow(kRecords[row].name) << row;
    }
  }

  void fields() {
    QFETCH(int, row);
    const auto& c = kRecords[row];
    const std::string content = c.ids.empty() ? WithFaultyWages() : Submission(c.ids);
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

  // The first row is current when the tested records open, and clicking it
  // shows it. The viewer takes the place of the other views and shows whole
  // rows from the scroll bar's value; the next record starts at its top.
  void viewingRecords() {
    gui::MainWindow& window = *window_;
    RunFile(window, home_->path() / "W2.TXT", WithFaultyWages());
    window.cmdView_Click();
    auto* grid = Control<QTableView>(window, "DBGrid3");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 1)).center());
    QCOMPARE(window.windowTitle(), QString("Record Number 1 of 5 Tested Record(s) - W2.TXT"));
    grid->setCurrentIndex(grid->model()->index(2, 1));
    QCOMPARE(window.windowTitle(), QString("Record Number 3 of 5 Tested Record(s) - W2.TXT"));
    QCOMPARE(ShownAreas(window), QStringList({"DBGrid3", "RecordViewer"}));
    QStringList texts;
    for (const char* name : {"lblFName", "lblFData", "Text1_0", "Text1_18", "Text2_18"}) {
      auto* box = window.centralWidget()->findChild<QLineEdit*>(name);
      texts << (box ? box->text() : LabelText(window, name));
    }
    QCOMPARE(texts, QStringList({"Field Name", "Field Data", "Record Identifier",
                                 "Social Security Wages", "12345ABCDEF"}));
    const gui::RecordViewer& viewer = *window.Viewer();
    const int visible = viewer.VisibleRows();
    QVERIFY(visible > 3 && visible < 48);
    QCOMPARE(viewer.ScrollBar()->maximum(), 48 - visible);
    viewer.ScrollBar()->setValue(10);
    for (int row : {9, 10, 9 + visible, 10 + visible}) {
      QCOMPARE(viewer.ValueBox(row)->isVisibleTo(&window), row >= 10 && row < 10 + visible);
    }
    grid->setCurrentIndex(grid->model()->index(1, 1));
    QCOMPARE(viewer.ScrollBar()->value(), 0);
  }

  // A run empties the viewer as soon as its file is opened and it cannot be
  // filled while the run goes on; the records-with-errors view clears it too.
  void emptiedByARunAndByTheErrorView() {
    gui::MainWindow& window = *window_;
    Show(WithFaultyWages(), 3);
    QStringList during;
    DuringRun(
        &window, [&] { return window.TestRunning(); },
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
};

QTEST_MAIN(RecordViewerTest)
#include "RecordViewerTest.moc"
