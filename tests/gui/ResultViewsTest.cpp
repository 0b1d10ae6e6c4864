// The views of stored results: records with errors, their errors and the
// tooltips on them, tested records, the error summary, and a million records
// walked from the keyboard.
#include <QSqlDatabase>
#include <QSqlQuery>

#include "desktop/app/ErrorSummaryWindow.h"
#include "desktop/app/GridToolTip.h"
#include "desktop/common/NumberDialog.h"
#include "gui/GuiTestSupport.h"

using namespace ledgerly;
using namespace ledgerly::test;

class ResultViewsTest : public QObject {
  Q_OBJECT

  // The headers and then each row of a grid, the cells joined by "|".
  static QStringList Grid(gui::MainWindow& window, const QString& name) {
    return Rows(Control<QTableView>(window, name)->model());
  }
  static QStringList Rows(const QAbstractItemModel* model) {
    QStringList lines;
    for (int row = -1; row < model->rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < model->columnCount(); ++column) {
        const QModelIndex cell = model->index(row, column);
        cells << (row < 0 ? model->headerData(column, Qt::Horizontal) : cell.data()).toString();
      }
      lines << cells.join('|').trimmed();
    }
    return lines;
  }
  // The tooltip once the pointer, moved as the window system would, rests on a cell.
  static QString ToolTipAt(gui::MainWindow& window, QTableView* grid, int row, int column) {
    const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
    const QPoint pointer = grid->viewport()->mapToGlobal(at);
    window.ToolTips()->SetPointerSource([=] { return pointer; });
    QMouseEvent move(QEvent::MouseMove, at, pointer, Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(grid->viewport(), &move);
    for (int i = 0; i < gui::ToolTipWindow::kShowTick; ++i) window.ToolTips()->Tick();
    return window.ToolTips()->isVisible() ? window.ToolTips()->Caption() : QString();
  }

 private slots:
  void init() { ScriptEveryPrompt(); }

  // A tested file that is gone: the caption names the record. A resting
  // pointer shows a cell's full text. Grids never write. The most frequent
  // error comes first in the summary; choosing a kind shows only its records.
  void recordsWithErrors() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "/nowhere/wages.txt");
    results.AddError(5, "Zip Code [Position 134 - 138]", "[X]", "Second error of 2.");
    results.AddError(5, "Sequence of Records [Position 1 - 2]", "[RW]",
                     "RF record must be last record in file.", true);
    gui::MainWindow window(results.folder());
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));  // tooltips are for the active window
    Choose(window, "cmdLast");
    QCOMPARE(QStringList({window.windowTitle(), LabelText(window, "lblRecords"),
                          Control<QPlainTextEdit>(window, "txtCritError")->toPlainText()}),
             QStringList({"Record Number 2 of 5 Tested Record(s) - /nowhere/wages.txt",
                          "5 Record(s) Tested, 3 Record(s) with Error(s)",
                          "Execution of Testing was terminated due to the Critical Error in "
                          "Record Number 5:  RF record must be last record in file."}));
    QCOMPARE(Grid(window, "DBGrid1").mid(0, 2),
             QStringList({"RecNum|ErrCount|Record Data", "2|2|RW"}));
    QCOMPARE(Grid(window, "DBGrid2"),
             QStringList({"Error Reference|User Entry|Error Description",
                          "Employer Name [Position 40 - 96]|[SMITH & SONS]|" + kLongError,
                          "Zip Code [Position 134 - 138]||Second error of 2."}));
    auto* errors = Control<QTableView>(window, "DBGrid2");
    const QString long_tip = ToolTipAt(window, errors, 0, 2);
    QVERIFY(long_tip.contains('\n'));  // in lines
    QCOMPARE(QString(long_tip).remove('\n'), kLongError);
    QCOMPARE(ToolTipAt(window, errors, 1, 1), QString());  // an empty cell
    QCOMPARE(ToolTipAt(window, errors, 0, 1), QString("[SMITH & SONS]"));
    auto* records = Control<QTableView>(window, "DBGrid1");
    records->setCurrentIndex(records->model()->index(1, 2));
    QCOMPARE(Grid(window, "DBGrid2").mid(1),
             QStringList("Medicare Wages [Position 232 - 242]|[Y]|The error of 4."));
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 4"));
    QVERIFY(!records->model()->setData(records->model()->index(0, 1), "9"));
    QSqlQuery update(QSqlDatabase::database(QSqlDatabase::connectionNames().value(0), false));
    QVERIFY(!update.exec("UPDATE Records SET Errors = 9"));
    // The tested records take the place of the records with errors, and back.
    Choose(window, "cmdView");
    QCOMPARE(ShownAreas(window), QStringList({"txtCritError", "DBGrid3"}));
    QCOMPARE(LabelText(window, "DBGrid3Caption"), QString("5 Record(s) Tested"));
    QVERIFY(EnabledCommands(window).startsWith("cmdStart cmdGrid cmdErrors"));
    Choose(window, "cmdGrid");
    QCOMPARE(ShownAreas(window), QStringList({"lblRecords", "DBGrid1", "DBGrid2", "txtCritError"}));
    window.findChild<QAction*>("mnuVSummary")->trigger();
    QTableView* summary = window.findChild<gui::ErrorSummaryWindow*>()->view();
    const QStringList kinds = Rows(summary->model());
    QVERIFY2(kinds.value(1).startsWith("2|Zip Code") && kinds.value(1).endsWith("|2, 5"),
             qPrintable(kinds.join('\n')));
    summary->setCurrentIndex(summary->model()->index(0, 0));
    QCOMPARE(Grid(window, "DBGrid1").size(), 3);  // the header, records 2 and 5
    Choose(window, "cmdGrid");
    QCOMPARE(Grid(window, "DBGrid1").size(), 4);
  }

  // Every row of a million records is reached at once: Ctrl+End the last,
  // Go to Record one in the middle, Page Down the next ones.
  void aMillionRecordsAreWalked() {
    const int n = 1000000;
    ResultDbBuilder results;
    results.AddMisc((results.folder() / "big.txt").string(), "12/06/2011");
    results.Exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(n) +
        ") INSERT INTO Records (Rec_Num, ID, Errors, Record) SELECT i, 'RW', 0, CASE WHEN i "
        "IN (1, 500000, 1000000) THEN 'RW' || printf('%510s', '') ELSE 'RW' END FROM n");
    results.AddError(n, "Test Aborted", "Exit was chosen", "Stopped.");
    gui::NumberDialog::setScripted(true);
    gui::MainWindow window(results.folder());
    window.show();
    Choose(window, "cmdLast");
    Choose(window, "cmdView");
    auto* grid = Control<QTableView>(window, "DBGrid3");
    const auto current = [&] { return grid->currentIndex().siblingAtColumn(0).data().toInt(); };
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(current(), n);
    QCOMPARE(window.windowTitle(), "Record Number 1000000 of 1000000 Tested Record(s) - big.txt");
    gui::NumberDialog::setNextNumber(n / 2);
    window.findChild<QAction*>("mnuVGoTo")->trigger();
    QCOMPARE(current(), n / 2);
    QTest::keyClick(grid, Qt::Key_PageDown);
    QVERIFY(current() > n / 2);
  }
};

QTEST_MAIN(ResultViewsTest)
#include "ResultViewsTest.moc"
