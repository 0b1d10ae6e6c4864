// The result views of the main window: records with errors, tested records,
// and the last results reopened from disk.
#include <QApplication>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>

#include "desktop/app/AppTexts.h"
#include "desktop/app/MainWindow.h"
#include "desktop/app/MainWindowPanes.h"
#include "desktop/app/ResultDatabase.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/common/Dialogs.h"
#include "desktop/report/ReportSettings.h"
#include "reports/ReportData.h"

namespace ledgerly::gui {
namespace {

const QString kRecordsWithErrorsSql = QStringLiteral(
    "Select Rec_Num, Errors, Record  From Records where Errors > 0 Order By Rec_Num");
const QString kErrorsOfRecordSql =
    QStringLiteral("Select Reference, User_Entry, Error From Errors Where Rec_Num = ");
const QString kErrorsOfChosenRecordSql = QStringLiteral(
    "Select Errors.Reference, Errors.User_Entry, Errors.Error From Errors Where Errors.Rec_Num = ");
const QString kAllRecordsSql = QStringLiteral("Select Rec_Num, Errors, Record  From Records");

}  // namespace

void MainWindow::SetQuery(ResultGrid* grid, const QString& sql) {
  // Moving to the new rows is not a row change the user made.
  const QSignalBlocker blocker(grid->view()->selectionModel());
  grid->setQuery(sql, results_->Connection().connectionName());
}

void MainWindow::SelectFirstRow(ResultGrid* grid) {
  const QSignalBlocker blocker(grid->view()->selectionModel());
  if (grid->model()->rowCount() > 0) {
    grid->view()->setCurrentIndex(grid->model()->index(0, 0));
  }
}

void MainWindow::cmdGrid_Click() {
  if (TestRunning()) return;
  results_->Open();
  if (!results_->HasErrors()) {
    MessageBox::Show(this, QMessageBox::NoIcon, ProgramTitle(),
                     QStringLiteral("No errors found in the submission within the scope of this "
                                    "program, as outlined in the User Manual."));
    SetEnabled({"mnuVReport", "mnuVRErrors", "cmdGrid"}, false);
    SetEnabled(QStringLiteral("cmdView"), true);
    return;
  }

  SetEnabled(QStringLiteral("cmdGrid"), false);
  const BusyPointer busy;
  ClearViewer();
  SetShown({tested_pane_->records}, false);
  run_status_->SetShown(false);

  SetQuery(errors_pane_->records, kRecordsWithErrorsSql);
  SelectFirstRow(errors_pane_->records);
  const QString first_rec_num = errors_pane_->records->model()->record(0).value(0).toString();

  // The caption names the last file tested; when that file is gone, the record
  // and the full path are named instead.
  const QString records_tested = QString::number(results_->RecordCount());
  const QStringList paths = results_->FilePaths();
  const QString path = paths.isEmpty() ? QString() : paths.back();
  const QFileInfo file(path);
  if (file.exists()) {
    setWindowTitle(QStringLiteral("Records With Errors ") + "- " + file.fileName());
  } else {
    setWindowTitle(QStringLiteral("Record Number ") + first_rec_num + " of " + records_tested +
                   " Tested Record(s) " + "- " + path);
  }

  errors_pane_->records_heading->setText(records_tested + " Record(s) Tested, " +
                                         QString::number(results_->RecordsWithErrorsCount()) +
                                         " Record(s) with Error(s)");
  SetQuery(errors_pane_->errors, kErrorsOfRecordSql + first_rec_num);
  ShowCriticalError();
  errors_pane_->errors_heading->setText(QStringLiteral("Record Number ") +
                                        errors_pane_->records->currentText(0));

  start_pane_->logo->hide();
  start_pane_->welcome->hide();
  SetShown({errors_pane_->records_heading, errors_pane_->errors_heading, critical_pane_->heading,
            critical_pane_->text, errors_pane_->records, errors_pane_->errors},
           true);
  UpdateAreas();
  SetEnabled({"cmdStart", "cmdPrint", "cmdView", "cmdErrors", "mnuRCurrent", "mnuVRErrors",
              "mnuVRAll", "mnuTPrint", "mnuVRecords", "mnuVReport"},
             true);
  SetEnabled({"mnuTOpenLast", "mnuRLast"}, false);
  if (!isMinimized()) {
    if (report_settings_->critical_error_text.isEmpty()) {
      errors_pane_->records->view()->setFocus();
    } else {
      critical_pane_->text->setFocus();
    }
  }
  SetEnabled(QStringLiteral("cmdGrid"), false);
  SetEnabled(QStringLiteral("cmdView"), true);
}

void MainWindow::ShowCriticalError() {
  if (const auto critical = results_->CriticalEntry()) {
    report_settings_->critical_error_text =
        QString::fromStdString(TerminationSentence(critical->rec_num) + "  " + critical->error);
    critical_pane_->text->setPlainText(report_settings_->critical_error_text);
  } else {
    report_settings_->critical_error_text.clear();
    critical_pane_->text->setPlainText(results_->RunFinished()
                                           ? QStringLiteral("Not Applicable.")
                                           : QString::fromUtf8(kUnfinishedRunText));
  }
}

void MainWindow::DBGrid1_RowColChange() {
  const QString rec_num = errors_pane_->records->currentText(0);
  if (rec_num.isEmpty()) return;
  SetQuery(errors_pane_->errors, kErrorsOfChosenRecordSql + rec_num);
  errors_pane_->errors_heading->setText(QStringLiteral("Record Number ") + rec_num);
}

void MainWindow::cmdView_Click() {
  if (TestRunning()) return;
  results_->Open();
  if (results_->HasErrors()) SetEnabled(QStringLiteral("cmdGrid"), true);
  SetEnabled(QStringLiteral("cmdView"), false);

  SetQuery(tested_pane_->records, kAllRecordsSql);
  tested_pane_->records->setCaption(QString::number(results_->RecordCount()) + " Record(s) Tested");
  // The tested records take the place of the start screen and the error grids.
  SetShown({start_pane_->logo, start_pane_->welcome, start_pane_->disclaimer_box,
            start_pane_->disclaimer, errors_pane_->records_heading, errors_pane_->records,
            errors_pane_->errors_heading, errors_pane_->errors},
           false);
  tested_pane_->records->show();
  UpdateAreas();
  SelectFirstRow(tested_pane_->records);
  tested_pane_->records->view()->setFocus();
}

void MainWindow::DBGrid3_RowColChange() {
  const QString rec_num = tested_pane_->records->currentText(0);
  if (rec_num.isEmpty()) return;
  ViewFile(rec_num.toLongLong());
}

void MainWindow::cmdLast_Click() {
  if (TestRunning()) return;
  start_pane_->disclaimer_box->hide();
  start_pane_->disclaimer->hide();
  UpdateAreas();
  if (!results_->Exists()) {
    MessageBox::Show(this, QMessageBox::Information, QStringLiteral("Results"),
                     QStringLiteral("No Report Found!"));
    SetEnabled({"cmdLast", "mnuVReport", "mnuTOpenLast"}, false);
    return;
  }
  results_->Open();
  if (!results_->HasRecords()) {
    MessageBox::Show(this, QMessageBox::Warning, QStringLiteral("Results"),
                     QStringLiteral("Unreadable data was found in the last File tested!\r\n"
                                    "Please check to make sure that File entered contains ASCII "
                                    "Text only."));
    SetEnabled({"cmdLast", "mnuRLast", "mnuTOpenLast", "mnuVRErrors", "cmdView", "mnuVRecords",
                "mnuVRAll"},
               false);
    return;
  }
  if (results_->HasErrors()) {
    cmdGrid_Click();
    SetEnabled({"cmdLast", "mnuRLast", "mnuTOpenLast"}, false);
    return;
  }
  MessageBox::Show(
      this, QMessageBox::Information, QStringLiteral("Last Report Results"),
      QStringLiteral("No errors found in ") + results_->FilePaths().join(QStringLiteral("; ")));
  SetEnabled({"cmdLast", "mnuRLast", "mnuTOpenLast", "mnuVRErrors"}, false);
  SetEnabled({"cmdView", "mnuVRecords", "mnuVRAll"}, true);
}

}  // namespace ledgerly::gui
