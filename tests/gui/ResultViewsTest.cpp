// The result views over a stored ERRORLOG.MDB: the records with errors and
// their errors, the tested records, and the last results after a restart.
#include <QPlainTextEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

#include "gui/GuiTestSupport.h"
#include "support/ResultDbBuilder.h"

using namespace ledgerly;
using namespace ledgerly::test;

namespace {

QAbstractItemModel* Model(gui::MainWindow& window, const QString& grid) {
  return Control<QTableView>(window, grid)->model();
}

QStringList Column(QAbstractItemModel* model, int column) {
  QStringList values;
  for (int row = 0; row < model->rowCount(); ++row) {
    values << model->index(row, column).data().toString();
  }
  return values;
}

QStringList Headers(QAbstractItemModel* model) {
  QStringList headers;
  for (int column = 0; column < model->columnCount(); ++column) {
    headers << model->headerData(column, Qt::Horizontal).toString();
  }
  return headers;
}

// Five records; record 2 has two errors, record 4 one.
void AddRecordsWithErrors(ResultDbBuilder& results, const std::string& tested_file) {
  results.AddMisc(tested_file, "12/06/2011");
  for (int rec_num = 1; rec_num <= 5; ++rec_num) results.AddRecord(rec_num, "RW", "123456789");
  results.AddError(2, "Employee Name [Position 40 - 96]", "[A]", "First error of 2.");
  results.AddError(2, "Social Security Wages [Position 210 - 220]", "[X]", "Second error of 2.");
  results.AddError(4, "Medicare Wages [Position 232 - 242]", "[Y]", "The error of 4.");
}

}  // namespace

class ResultViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ScriptEveryPrompt(); }

  void rowChangesRefillTheErrorGrid() {
    ResultDbBuilder results;
    const auto tested = results.folder() / "wages.txt";
    WriteFile(tested, "");
    AddRecordsWithErrors(results, tested.string());
    gui::MainWindow window(results.folder());
    window.show();
    Button(window, "cmdLast")->click();

    QCOMPARE(window.windowTitle(), QString("Records With Errors - wages.txt"));
    QCOMPARE(LabelText(window, "lblRecords"),
             QString("5 Record(s) Tested, 2 Record(s) with Error(s)"));
    QAbstractItemModel* records = Model(window, "DBGrid1");
    QAbstractItemModel* errors = Model(window, "DBGrid2");
    QCOMPARE(Headers(records), QStringList({"RecNum", "ErrCount", "Record Data"}));
    QCOMPARE(Headers(errors), QStringList({"Error Reference", "User Entry", "Error Description"}));
    QCOMPARE(Column(records, 0), QStringList({"2", "4"}));
    QCOMPARE(Column(errors, 2), QStringList({"First error of 2.", "Second error of 2."}));
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 2"));

    auto* grid = Control<QTableView>(window, "DBGrid1");
    grid->setCurrentIndex(records->index(1, 2));
    QCOMPARE(Column(errors, 0), QStringList({"Medicare Wages [Position 232 - 242]"}));
    QCOMPARE(Column(errors, 1), QStringList({"[Y]"}));
    QCOMPARE(LabelText(window, "lblErrors"), QString("Record Number 4"));
    QCOMPARE(Control<QPlainTextEdit>(window, "txtCritError")->toPlainText(),
             QString("Not Applicable."));
    // The last results are loaded: their commands are done.
    QVERIFY(!Enabled(window, "cmdLast"));
    QVERIFY(!Enabled(window, "mnuTOpenLast"));
    QVERIFY(!Enabled(window, "mnuRLast"));
  }

  void captionNamesTheRecordWhenTheFileIsGone() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "/nowhere/wages.txt");
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    QCOMPARE(window.windowTitle(),
             QString("Record Number 2 of 5 Tested Record(s) - /nowhere/wages.txt"));
  }

  void criticalErrorTextNamesItsRecord() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "wages.txt");
    results.AddError(5, "Sequence of Records [Position 1 - 2]", "[RW]",
                     "RF record must be last record in file.", true);
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    QCOMPARE(Control<QPlainTextEdit>(window, "txtCritError")->toPlainText(),
             QString("Execution of Testing was terminated due to the Critical Error in Record "
                     "Number 5:  RF record must be last record in file."));
  }

  // Nothing the user does in a grid reaches the database.
  void gridsAreReadOnly() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "wages.txt");
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    for (const char* name : {"DBGrid1", "DBGrid2"}) {
      auto* grid = Control<QTableView>(window, name);
      QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
      QVERIFY(!(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable));
      QVERIFY(!grid->model()->setData(grid->model()->index(0, 1), "9"));
    }
    QSqlQuery update(QSqlDatabase::database(QSqlDatabase::connectionNames().value(0), false));
    QVERIFY(!update.exec("UPDATE Records SET Errors = 9"));
  }

  void lastResultsWithoutErrorsNameEveryFile() {
    ResultDbBuilder results;
    results.AddMisc("/data/part1.txt", "12/06/2011");
    results.AddMisc("/data/part2.txt", "12/06/2011");
    for (int rec_num = 1; rec_num <= 3; ++rec_num) results.AddRecord(rec_num, "RW");
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();

    QCOMPARE(gui::MessageBox::shown().size(), 1);
    QCOMPARE(gui::MessageBox::shown()[0].title, QString("Last Report Results"));
    QCOMPARE(gui::MessageBox::shown()[0].text,
             QString("No errors found in /data/part1.txt; /data/part2.txt"));
    QCOMPARE(gui::MessageBox::shown()[0].icon, QMessageBox::Information);
    for (const char* name : {"cmdLast", "mnuRLast", "mnuTOpenLast", "mnuVRErrors"}) {
      QVERIFY2(!Enabled(window, name), name);
    }
    for (const char* name : {"cmdView", "mnuVRecords", "mnuVRAll"}) {
      QVERIFY2(Enabled(window, name), name);
    }

    // The records-with-errors command has nothing to show.
    window.cmdGrid_Click();
    QCOMPARE(gui::MessageBox::shown().back().text,
             QString("No errors found in the submission within the scope of this program, as "
                     "outlined in the User Manual."));
    QCOMPARE(gui::MessageBox::shown().back().icon, QMessageBox::NoIcon);
    QVERIFY(!Enabled(window, "mnuVReport"));
    QVERIFY(!Enabled(window, "cmdGrid"));
  }

  void lastResultsWithoutADatabase() {
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    Button(window, "cmdLast")->click();
    QCOMPARE(MessageTexts(), QStringList({"No Report Found!"}));
    QCOMPARE(gui::MessageBox::shown()[0].title, QString("Results"));
    for (const char* name : {"cmdLast", "mnuVReport", "mnuTOpenLast"}) {
      QVERIFY2(!Enabled(window, name), name);
    }
    QVERIFY(Shown(window, "lblWelcome"));
    QVERIFY(!Shown(window, "txtDisclosure"));
  }

  void lastResultsWithoutRecords() {
    ResultDbBuilder results;
    results.AddMisc("/data/binary.dat", "12/06/2011");
    gui::MainWindow window(results.folder());
    Button(window, "cmdLast")->click();
    QCOMPARE(MessageTexts(), QStringList({"Unreadable data was found in the last File tested!\r\n"
                                          "Please check to make sure that File entered contains "
                                          "ASCII Text only."}));
    QCOMPARE(gui::MessageBox::shown()[0].icon, QMessageBox::Warning);
    for (const char* name : {"cmdLast", "mnuRLast", "mnuTOpenLast", "mnuVRErrors", "cmdView",
                             "mnuVRecords", "mnuVRAll"}) {
      QVERIFY2(!Enabled(window, name), name);
    }
  }

  // A damaged results file (at start-up and at View Last Test Results) is
  // reported like unreadable results, never a crash.
  void lastResultsFromACorruptDatabase() {
    TempFolder home;
    WriteFile(home.path() / "ERRORLOG.MDB", std::string(4096, '\x5a'));
    gui::MainWindow window(home.path());
    window.show();
    Button(window, "cmdLast")->click();
    QCOMPARE(MessageTexts(), QStringList({"Unreadable data was found in the last File tested!\r\n"
                                          "Please check to make sure that File entered contains "
                                          "ASCII Text only."}));
    QVERIFY(!Enabled(window, "cmdView"));
  }

  void testedRecordsToggleWithTheErrorView() {
    ResultDbBuilder results;
    AddRecordsWithErrors(results, "wages.txt");
    gui::MainWindow window(results.folder());
    window.show();
    Button(window, "cmdLast")->click();

    Button(window, "cmdView")->click();
    QVERIFY(Shown(window, "DBGrid3"));
    QVERIFY(!Shown(window, "DBGrid1"));
    QCOMPARE(Control<QLabel>(window, "DBGrid3Caption")->text(), QString("5 Record(s) Tested"));
    QVERIFY(Enabled(window, "cmdGrid"));
    QVERIFY(!Enabled(window, "cmdView"));
    auto* grid = Control<QTableView>(window, "DBGrid3");
    grid->setCurrentIndex(grid->model()->index(3, 0));
    // The record field viewer shows the chosen record.
    QVERIFY(Shown(window, "RecordViewer"));
    QVERIFY(window.windowTitle().startsWith("Record Number 4 of 5 Tested Record(s) - "));

    Button(window, "cmdGrid")->click();
    QVERIFY(!Shown(window, "DBGrid3"));
    QVERIFY(Shown(window, "DBGrid1"));
    QVERIFY(!Enabled(window, "cmdGrid"));
    QVERIFY(Enabled(window, "cmdView"));
  }
};

QTEST_MAIN(ResultViewsTest)
#include "ResultViewsTest.moc"
