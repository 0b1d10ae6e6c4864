// A result of a million records walked from the keyboard, the error grid's
// columns, the error summary, and the file named in the captions.
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableView>
#include <QtTest>

#include "desktop/app/ErrorSummaryWindow.h"
#include "desktop/common/NumberDialog.h"
#include "gui/GuiTestSupport.h"
#include "support/ResultDbBuilder.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

constexpr const char* kNameReference = "Employee Name [Position 40 - 96]";
constexpr const char* kWagesReference = "Social Security Wages [Position 210 - 220]";
constexpr const char* kWagesError =
    "Must be numeric. No negative amounts; right justify and zero fill.";

// n RW records; the few the tests show are full length, the rest short to keep the file small.
void AddRecords(ResultDbBuilder& results, int n, std::initializer_list<int> shown) {
  results.Exec("BEGIN");
  results.Exec(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(n) +
      ") INSERT INTO Records (Rec_Num, ID, Errors, Record) SELECT i, 'RW', 0, 'RW' FROM n");
  for (int rec_num : shown) {
    results.Exec("UPDATE Records SET Record = 'RW' || printf('%510s', '') WHERE Rec_Num = " +
                 std::to_string(rec_num));
  }
  results.Exec("COMMIT");
}

QTableView* Grid(gui::MainWindow& window, const char* name) {
  return Control<QTableView>(window, name);
}

QString CurrentRecNum(QTableView* grid) {
  return grid->model()->index(grid->currentIndex().row(), 0).data().toString();
}

QStringList Column(QAbstractItemModel* model, int column) {
  QStringList values;
  for (int row = 0; row < model->rowCount(); ++row)
    values << model->index(row, column).data().toString();
  return values;
}

// How long a step takes until the grid has painted its rows, for the record;
// speed is not asserted here.
void Timed(const char* step, QTableView* grid, const std::function<void()>& action) {
  QElapsedTimer timer;
  timer.start();
  action();
  grid->viewport()->repaint();
  qInfo("%s: %lld ms", step, static_cast<long long>(timer.elapsed()));
}

}  // namespace

class BigResultTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ScriptEveryPrompt();
    gui::NumberDialog::setScripted(true);
  }

  // Every row of a million-record result is reached from the keyboard at
  // once: Ctrl+End the last one, Go to Record one in the middle.
  void aMillionRecordsAreWalkedToTheEnd() {
    const int n = qEnvironmentVariableIntValue("LEDGERLY_BIG_RECORDS") > 0
                      ? qEnvironmentVariableIntValue("LEDGERLY_BIG_RECORDS")
                      : 1000000;
    ResultDbBuilder results;
    results.AddMisc((results.folder() / "big.txt").string(), "12/06/2011");
    AddRecords(results, n, {1, n / 2, n});
    results.AddError(n, "Test Aborted", "Exit was chosen", "Stopped.");
    gui::MainWindow window(results.folder());
    window.show();
    QTableView* grid = Grid(window, "DBGrid3");
    Timed("open", grid, [&] {
      Button(window, "cmdLast")->click();
      Button(window, "cmdView")->click();
    });
    QCOMPARE(grid->model()->rowCount(), n);

    Timed("Ctrl+End", grid, [&] { QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier); });
    QCOMPARE(CurrentRecNum(grid), QString::number(n));
    // The viewer opening under the grid leaves the chosen row in sight.
    QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())));
    QCOMPARE(window.windowTitle(),
             QString("Record Number %1 of %1 Tested Record(s) - big.txt").arg(n));

    gui::NumberDialog::setNextNumber(n / 2);
    Timed("Go to Record", grid, [&] { window.findChild<QAction*>("mnuVGoTo")->trigger(); });
    QCOMPARE(CurrentRecNum(grid), QString::number(n / 2));
    QVERIFY(window.windowTitle().startsWith(QString("Record Number %1 of ").arg(n / 2)));

    Timed("Page Down", grid, [&] { QTest::keyClick(grid, Qt::Key_PageDown); });
    QVERIFY(CurrentRecNum(grid).toInt() > n / 2);
  }

  // The reference keeps its "[Position ...]" and the description gets the
  // rest of the width; a column the user sized keeps its width.
  void errorColumnsFitTheirTexts() {
    ResultDbBuilder results;
    results.AddMisc("wages.txt", "12/06/2011");
    AddRecords(results, 3, {});
    results.AddError(2, kWagesReference, "[ABC]", kWagesError);
    results.AddError(3, kNameReference, "[]", "Must be entered.");
    gui::MainWindow window(results.folder());
    window.resize(1100, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Button(window, "cmdLast")->click();

    QTableView* errors = Grid(window, "DBGrid2");
    const QFontMetrics metrics = errors->fontMetrics();
    QVERIFY(errors->columnWidth(0) > metrics.horizontalAdvance(kWagesReference));
    QVERIFY(errors->columnWidth(2) > metrics.horizontalAdvance(kWagesError));

    errors->horizontalHeader()->resizeSection(0, 120);
    QTableView* records = Grid(window, "DBGrid1");
    records->setCurrentIndex(records->model()->index(1, 0));
    QCOMPARE(Column(errors->model(), 0), QStringList({kNameReference}));
    QCOMPARE(errors->columnWidth(0), 120);
  }

  // The summary lists the most frequent error first; choosing a kind shows
  // only its records until View Records With Errors shows them all again.
  void errorSummaryLeadsToTheRecordsOfOneError() {
    ResultDbBuilder results;
    results.AddMisc("wages.txt", "12/06/2011");
    AddRecords(results, 6, {});
    for (int rec_num : {2, 4, 5}) results.AddError(rec_num, kWagesReference, "[X]", kWagesError);
    results.AddError(3, kNameReference, "[]", "Must be entered.");
    gui::MainWindow window(results.folder());
    window.show();
    Button(window, "cmdLast")->click();
    window.findChild<QAction*>("mnuVSummary")->trigger();

    auto* summary = window.findChild<gui::ErrorSummaryWindow*>();
    QVERIFY(summary);
    QAbstractItemModel* kinds = summary->view()->model();
    QCOMPARE(Column(kinds, 0), QStringList({"3", "1"}));
    QCOMPARE(Column(kinds, 1), QStringList({kWagesReference, kNameReference}));
    QCOMPARE(Column(kinds, 3), QStringList({"2, 4, 5", "3"}));

    summary->view()->setCurrentIndex(kinds->index(1, 0));
    QAbstractItemModel* records = Grid(window, "DBGrid1")->model();
    QCOMPARE(Column(records, 0), QStringList({"3"}));
    summary->view()->setCurrentIndex(kinds->index(0, 0));
    QCOMPARE(Column(records, 0), QStringList({"2", "4", "5"}));
    QVERIFY(Enabled(window, "cmdGrid"));
    Button(window, "cmdGrid")->click();
    QCOMPARE(Column(records, 0), QStringList({"2", "3", "4", "5"}));
  }

  // The grid's caption and the viewer's name the file alike: by its name
  // while its folder can be reached, even when the file is gone.
  void captionsNameTheFileAlike() {
    struct Case {
      const char* file;  // under the result's folder unless absolute
      const char* named;
    };
    const Case cases[] = {
        {"gone.txt", "gone.txt"},
        {"/nowhere/wages.txt", "/nowhere/wages.txt"},
    };
    for (const Case& c : cases) {
      ResultDbBuilder results;
      const std::filesystem::path file(c.file);
      results.AddMisc((file.is_absolute() ? file : results.folder() / file).string(), "12/06/2011");
      AddRecords(results, 2, {2});
      results.AddError(2, kNameReference, "[]", "Must be entered.");
      gui::MainWindow window(results.folder());
      Button(window, "cmdLast")->click();
      const QString grid_caption = window.windowTitle();
      Button(window, "cmdView")->click();
      QTableView* grid = Grid(window, "DBGrid3");
      grid->setCurrentIndex(grid->model()->index(1, 0));
      QCOMPARE(window.windowTitle(), QString("Record Number 2 of 2 Tested Record(s) - ") + c.named);
      QVERIFY2(grid_caption.endsWith(QString("- ") + c.named), qPrintable(grid_caption));
    }
  }
};

QTEST_MAIN(BigResultTest)
#include "BigResultTest.moc"
