// The record field viewer: choosing a row of the tested-records grid shows the
// stored record as labelled fields with the faulty ones light yellow.
#include "desktop/viewer/RecordViewer.h"
#include "gui/GuiTestSupport.h"
#include "support/RecordBuilder.h"
#include "support/Submission.h"

using namespace ledgerly;
using namespace ledgerly::test;

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
  // RA, RE, an RW whose Social Security Wages are not a number, RT, RF.
  static std::string WithFaultyWages() {
    std::string rw = ValidRecord("RW");
    Put(rw, 210, "12345ABCDEF");
    return Submission({"RA", "RE"}) + rw + "\r\n" + Submission({"RW", "RT", "RF"}).substr(514);
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

  // The rows of a record and the yellow ones; a record that stopped the run on
  // its order is not checked again, an unknown one is a single row.
  void fields() {
    const struct {
      std::string content;
      int rec_num, rows;
      QList<int> yellow;
    } cases[] = {
        {Submission({"RA", "RE", "RW", "RO", "RS", "RT", "RU", "RF"}), 7, 23, {}},  // RU
        {WithFaultyWages(), 3, 48, {18}},
        {WithFaultyWages(), 4, 29, {4}},  // the RT cannot reconcile the wages
        {WithFaultyWages(), 5, 4, {}},
        {Submission({"RA", "RE", "RE"}), 3, 24, {0}},
        {Submission({"RA", "RE", "RW", "XX"}), 4, 1, {0}},
    };
    for (const auto& c : cases) {
      init();
      const gui::RecordViewer& viewer = Show(c.content, c.rec_num);
      QList<int> yellow;
      for (int row = 0; row < viewer.RowCount(); ++row) {
        const QColor base = viewer.ValueBox(row)->palette().color(QPalette::Base);
        if (base == gui::RecordViewer::HighlightColour()) yellow << row;
      }
      QCOMPARE(viewer.ValueBox(0)->text().toStdString(),
               c.content.substr(514 * (c.rec_num - 1), 2));
      QCOMPARE(viewer.RowCount(), c.rows);
      QCOMPARE(yellow, c.yellow);
    }
  }

  // The first row is current when the tested records open, and clicking it
  // shows it. The viewer takes the place of the other views and shows whole
  // rows from the scroll bar's value; a run empties it.
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
    QStringList texts = {LabelText(window, "lblFName"), LabelText(window, "lblFData")};
    for (const char* name : {"Text1_0", "Text1_18", "Text2_18"}) {
      texts << Control<QLineEdit>(window, name)->text();
    }
    QCOMPARE(texts, QStringList({"Field Name", "Field Data", "Record Identifier",
                                 "Social Security Wages", "12345ABCDEF"}));
    const gui::RecordViewer& viewer = *window.Viewer();
    const int visible = viewer.VisibleRows();
    QVERIFY(visible > 3 && visible < 48);
    viewer.ScrollBar()->setValue(10);
    for (int row : {9, 10, 9 + visible, 10 + visible}) {
      QCOMPARE(viewer.ValueBox(row)->isVisibleTo(&window), row >= 10 && row < 10 + visible);
    }
    int rows_during = -1;
    DuringRun(
        &window, [&] { return window.TestRunning(); },
        [&] { window.ViewFile(3), rows_during = window.Viewer()->RowCount(); });
    RunFile(window, home_->path() / "W2.TXT", WithFaultyWages());
    QCOMPARE(rows_during, 1);
    QVERIFY(!ShownAreas(window).contains("RecordViewer"));
  }
};

QTEST_MAIN(RecordViewerTest)
#include "RecordViewerTest.moc"
