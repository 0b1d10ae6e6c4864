// The record field viewer: a tested record as labelled fields, the faulty ones yellow.
#include "desktop/viewer/RecordViewer.h"
#include "gui/GuiTestSupport.h"
#include "support/RecordBuilder.h"
#include "support/Submission.h"

using namespace ledgerly;
using namespace ledgerly::test;

class RecordViewerTest : public QObject {
  Q_OBJECT
 private slots:
  // Clicking the first row, current already, shows it; the viewer replaces the other views.
  void viewingRecords() {
    ScriptEveryPrompt();
    TempFolder home;
    gui::MainWindow window(home.path());
    window.show();
    std::string rw = ValidRecord("RW");
    Put(rw, 210, "12345ABCDEF");  // Social Security Wages not a number
    const std::string faulty = Submission({"RA", "RE"}) + rw + "\r\n" + Submission({"RT", "RF"});
    RunFile(window, home.path() / "W2.TXT", faulty);
    window.cmdView_Click();
    auto* grid = Control<QTableView>(window, "DBGrid3");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 1)).center());
    QCOMPARE(window.windowTitle(), QString("Record Number 1 of 5 Tested Record(s) - W2.TXT"));
    grid->setCurrentIndex(grid->model()->index(2, 1));
    QCOMPARE(window.windowTitle(), QString("Record Number 3 of 5 Tested Record(s) - W2.TXT"));
    QCOMPARE(ShownAreas(window), QStringList({"DBGrid3", "RecordViewer"}));
    const gui::RecordViewer& viewer = *window.Viewer();
    QList<int> yellow;
    for (int row = 0; row < viewer.RowCount(); ++row) {
      const QColor base = viewer.ValueBox(row)->palette().color(QPalette::Base);
      if (base == gui::RecordViewer::HighlightColour()) yellow << row;
    }
    QCOMPARE(yellow, QList<int>{18});
    QStringList texts = {LabelText(window, "lblFName"), LabelText(window, "lblFData")};
    for (const char* name : {"Text1_0", "Text1_18", "Text2_18", "Text1_47"}) {
      texts << Control<QLineEdit>(window, name)->text();
    }
    QCOMPARE(texts, QStringList({"Field Name", "Field Data", "Record Identifier",
                                 "Social Security Wages", "12345ABCDEF", "Blank"}));
  }
};

QTEST_MAIN(RecordViewerTest)
#include "RecordViewerTest.moc"
