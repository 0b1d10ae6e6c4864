// The result views over a stored ERRORLOG.MDB: the records with errors and
// their errors, the tested records, and the last results after a restart.
#include <QSqlQuery>
#include <QSqlQueryModel>

#include "gui/GuiTestSupport.h"

using namespace ledgerly;
using namespace ledgerly::test;

class ResultViewsTest : public QObject {
  Q_OBJECT

  // The headers and then each row of a grid, the cells joined by "|".
  static QStringList Grid(gui::MainWindow& window, const QString& name) {
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

 private slots:
  void init() { ScriptEveryPrompt(); }

  // The caption names the record when the tested file is gone; a critical
  // error is told with its record; the grids never write to the results.
  void recordsWithErrors() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "/nowhere/wages.txt");
    results.AddError(5, "Sequence of Records [Position 1 - 2]", "[RW]",
                     "RF record must be last record in file.", true);
    gui::MainWindow window(results.folder());
    window.show();
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
    auto* records = Control<QTableView>(window, "DBGrid1");
    records->setCurrentIndex(records->model()->index(1, 2));
    QCOMPARE(Grid(window, "DBGrid2").mid(1),
             QStringList("Medicare Wages [Position 232 - 242]|[Y]|The error of 4."));
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 4"));
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
  }
  // The messages, then the commands the stored results allow besides Start,
  // Exit, Error limit and Help; Records with errors has nothing to show.
  void lastResultsWithNothingToShow() {
    const struct {
      const char* stored;
      QStringList shown;
    } cases[] = {
        {"clean",
         {"Last Report Results: No errors found in /data/part1.txt; /data/part2.txt",
          "Ledgerly: No errors found in the submission within the scope of this program, as "
          "outlined in the User Manual.",
          "cmdView mnuVRecords mnuVRAll"}},
        {"none", {"Results: No Report Found!", "mnuRLast mnuVRAll mnuVRErrors"}},
        {"damaged",
         {"Results: Unreadable data was found in the last File tested!\r\nPlease check to make "
          "sure that File entered contains ASCII Text only.",
          "mnuVReport"}},
    };
    for (const auto& c : cases) {
      ScriptEveryPrompt();
      ResultDbBuilder results;
      const auto db = results.folder() / "ERRORLOG.MDB";
      results.AddMisc("/data/part1.txt", "12/06/2011");
      results.AddMisc("/data/part2.txt", "12/06/2011");
      results.AddRecord(1, "RW");
      if (c.stored == std::string("none")) std::filesystem::remove(db);
      if (c.stored == std::string("damaged")) std::ofstream(db) << std::string(4096, 'Z');
      gui::MainWindow window(results.folder());
      Choose(window, "cmdLast");
      if (c.stored == std::string("clean")) window.cmdGrid_Click();
      QStringList allowed = EnabledCommands(window);
      for (const char* name : {"cmdStart", "cmdExit", "mnuTStart", "mnuTSet", "mnuTExit",
                               "mnuHContents", "mnuHAbout"}) {
        QVERIFY(allowed.removeOne(name));
      }
      QCOMPARE(Messages() << allowed.join(' '), c.shown);
    }
  }
};

QTEST_MAIN(ResultViewsTest)
#include "ResultViewsTest.moc"
