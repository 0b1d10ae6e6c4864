// The result views over a stored ERRORLOG.MDB: the records with errors and
// their errors, the tested records, and the last results after a restart.
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>

#include "gui/GuiTestSupport.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

// The headers and then each row of a grid, the cells joined by "|".
QStringList Grid(gui::MainWindow& window, const QString& name) {
  const QAbstractItemModel* model = Control<QTableView>(window, name)->model();
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

const QString kUnreadable =
    "Results: Unreadable data was found in the last File tested!\r\nPlease check to make sure "
    "that File entered contains ASCII Text only.";

}  // namespace

class ResultViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ScriptEveryPrompt(); }

  // The caption names the record when the tested file is gone; a critical
  // error is told with its record.
  void recordsWithErrors() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "/nowhere/wages.txt");
    results.AddError(5, "Sequence of Records [Position 1 - 2]", "[RW]",
                     "RF record must be last record in file.", true);
    gui::MainWindow window(results.folder());
    window.show();
    Choose(window, "cmdLast");
    QCOMPARE(window.windowTitle(),
             QString("Record Number 2 of 5 Tested Record(s) - /nowhere/wages.txt"));
    QCOMPARE(Control<QPlainTextEdit>(window, "txtCritError")->toPlainText(),
             QString("Execution of Testing was terminated due to the Critical Error in Record "
                     "Number 5:  RF record must be last record in file."));
    QCOMPARE(LabelText(window, "lblRecords"),
             QString("5 Record(s) Tested, 3 Record(s) with Error(s)"));
    QCOMPARE(Grid(window, "DBGrid1").mid(0, 2),
             QStringList({"RecNum|ErrCount|Record Data", "2|2|RW"}));
    QCOMPARE(Grid(window, "DBGrid2"),
             QStringList({"Error Reference|User Entry|Error Description",
                          "Employer Name [Position 40 - 96]|[SMITH & SONS]|" + kLongError,
                          "Zip Code [Position 134 - 138]||Second error of 2."}));
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 2"));
    auto* records = Control<QTableView>(window, "DBGrid1");
    records->setCurrentIndex(records->model()->index(1, 2));
    QCOMPARE(Grid(window, "DBGrid2").mid(1),
             QStringList("Medicare Wages [Position 232 - 242]|[Y]|The error of 4."));
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 4"));
    QVERIFY(!EnabledCommands(window).contains("cmdLast"));  // the last results are loaded
    // Nothing the user does in a grid reaches the database.
    QCOMPARE(records->editTriggers(), QAbstractItemView::NoEditTriggers);
    auto* model = qobject_cast<QSqlQueryModel*>(records->model());
    QVERIFY(!model->setData(model->index(0, 1), "9"));
    QVERIFY(!QSqlQuery(model->query()).exec("UPDATE Records SET Errors = 9"));
    // The tested records take the place of the records with errors, and back.
    Choose(window, "cmdView");
    QCOMPARE(ShownAreas(window), QStringList({"txtCritError", "DBGrid3"}));
    QCOMPARE(LabelText(window, "DBGrid3Caption"), QString("5 Record(s) Tested"));
    QCOMPARE(EnabledCommands(window).mid(1, 2), QStringList({"cmdGrid", "cmdErrors"}));
    Choose(window, "cmdGrid");
    QCOMPARE(ShownAreas(window), QStringList({"lblRecords", "DBGrid1", "DBGrid2", "txtCritError"}));
    QCOMPARE(EnabledCommands(window).mid(1, 2), QStringList({"cmdView", "cmdErrors"}));
  }

  void lastResultsWithNothingToShow_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("enabled");  // besides Start, Exit, Error limit and Help
    QTest::newRow("no errors: every file named")
        << "clean"
        << "Last Report Results: No errors found in /data/part1.txt; /data/part2.txt"
        << QStringList({"cmdView", "mnuVReport", "mnuVRecords", "mnuVRAll"});
    QTest::newRow("no database") << "none"
                                 << "Results: No Report Found!"
                                 << QStringList({"mnuRLast", "mnuVRAll", "mnuVRErrors"});
    QTest::newRow("no records") << "empty" << kUnreadable << QStringList("mnuVReport");
    QTest::newRow("damaged file") << "damaged" << kUnreadable << QStringList("mnuVReport");
  }

  void lastResultsWithNothingToShow() {
    QFETCH(QString, stored);
    QFETCH(QString, message);
    QFETCH(QStringList, enabled);
    ResultDbBuilder results;
    const auto db = results.folder() / "ERRORLOG.MDB";
    if (stored == "clean") {
      results.AddMisc("/data/part1.txt", "12/06/2011");
      results.AddMisc("/data/part2.txt", "12/06/2011");
      for (int rec_num = 1; rec_num <= 3; ++rec_num) results.AddRecord(rec_num, "RW");
    }
    if (stored == "empty") results.AddMisc("/data/binary.dat", "12/06/2011");
    if (stored == "none") std::filesystem::remove(db);
    if (stored == "damaged") WriteFile(db, std::string(4096, '\x5a'));
    gui::MainWindow window(results.folder());
    Choose(window, "cmdLast");
    QCOMPARE(Messages(), QStringList(message));
    QStringList others = EnabledCommands(window);
    for (const char* name :
         {"cmdStart", "cmdExit", "mnuTStart", "mnuTSet", "mnuTExit", "mnuHContents", "mnuHAbout"}) {
      QVERIFY2(others.removeOne(name), name);
    }
    QCOMPARE(others, enabled);
    if (stored != "clean") return;
    window.cmdGrid_Click();  // the records-with-errors command has nothing to show
    QCOMPARE(Messages().last(),
             "Ledgerly: No errors found in the submission within the scope of "
             "this program, as outlined in the User Manual.");
  }

  // A million records open at once: rows are read as the grid scrolls.
  void aMillionRecordsOpenLazily() {
    ResultDbBuilder results;
    results.AddMisc("big.txt", "12/06/2011");
    results.Exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
        "INSERT INTO Records (Rec_Num, ID, Errors, Record) SELECT i, 'RW', 0, 'RW' FROM n");
    results.AddError(1000000, "Test Aborted", "Exit was chosen", "Stopped.");
    gui::MainWindow window(results.folder());
    Choose(window, "cmdLast");
    QCOMPARE(LabelText(window, "lblRecords"),
             QString("1000000 Record(s) Tested, 1 Record(s) with Error(s)"));
    Choose(window, "cmdView");
    QCOMPARE(LabelText(window, "DBGrid3Caption"), QString("1000000 Record(s) Tested"));
    QVERIFY(Control<QTableView>(window, "DBGrid3")->model()->rowCount() < 10000);
  }
};

QTEST_MAIN(ResultViewsTest)
#include "ResultViewsTest.moc"
