// The result views of the main window: records with errors, tested records,
// and the last results reopened from disk.
#include <QApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QTableView>

#include "desktop/app/AppTexts.h"
#include "desktop/app/MainWindow.h"
#include "desktop/app/MainWindowPanes.h"
#include "desktop/app/ResultDatabase.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/app/ResultRowsModel.h"
#include "desktop/common/Dialogs.h"
#include "desktop/report/ReportSettings.h"
#include "reports/ReportData.h"
#include "viewer/RecordView.h"

namespace ledgerly::gui {

void MainWindow::SetRows(ResultGrid* grid, const GridRows& rows) {
  // Moving to the new rows is not a row change the user made.
  const QSignalBlocker blocker(grid->view()->selectionModel());
  grid->setRows(rows, results_->Connection().connectionName());
}

void MainWindow::SelectFirstRow(ResultGrid* grid) {
  const QSignalBlocker blocker(grid->view()->selectionModel());
  if (grid->model()->rowCount() > 0) {
    grid->view()->setCurrentIndex(grid->model()->index(0, 0));
  }
}

void MainWindow::cmdGrid_Click() {
  if (TestRunning()) return;
  if (!OpenResults()) return;
  if (!results_->HasErrors()) {
    MessageBox::Show(this, QMessageBox::NoIcon, ProgramTitle(),
                     QStringLiteral("No errors found in the submission within the scope of this "
                                    "program, as outlined in the User Manual."));
    SetEnabled({"mnuVReport", "mnuVRErrors", "cmdGrid"}, false);
    SetEnabled(QStringLiteral("cmdView"), true);
    return;
  }
  ShowRecordsWithErrors(RecordsWithErrors(), QStringLiteral("Record(s)"), true);
}

// The records-with-errors view over all such records, or over those of one
// kind of error chosen in the error summary.
void MainWindow::ShowRecordsWithErrors(const GridRows& records, const QString& caption,
                                       bool all_records) {
  SetEnabled(QStringLiteral("cmdGrid"), false);
  const BusyPointer busy;
  ClearViewer();
  SetShown({tested_pane_->records}, false);
  run_status_->SetShown(false);

  SetRows(errors_pane_->records, records);
  errors_pane_->records->setCaption(caption);
  SelectFirstRow(errors_pane_->records);
  const int64_t first_rec_num = errors_pane_->records->model()->KeyOf(0);

  // The caption names the last file tested; when its folder cannot be
  // reached, the record and the full path are named instead.
  const QString records_tested = QString::number(results_->RecordCount());
  const QStringList paths = results_->FilePaths();
  const QString path = paths.isEmpty() ? QString() : paths.back();
  if (const auto file_name = ReachableFileName(path.toStdString())) {
    setWindowTitle(QStringLiteral("Records With Errors ") + "- " +
                   QString::fromStdString(*file_name));
  } else {
    setWindowTitle(QStringLiteral("Record Number ") + QString::number(first_rec_num) + " of " +
                   records_tested + " Tested Record(s) " + "- " + path);
  }

  errors_pane_->records_heading->setText(records_tested + " Record(s) Tested, " +
                                         QString::number(results_->RecordsWithErrorsCount()) +
                                         " Record(s) with Error(s)");
  SetRows(errors_pane_->errors, ErrorsOfRecord(first_rec_num));
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
  SetEnabled({"mnuTOpenLast", "mnuRLast", "mnuVGoTo"}, false);
  SetEnabled(QStringLiteral("mnuVSummary"), true);
  if (!isMinimized()) {
    if (report_settings_->critical_error_text.isEmpty()) {
      errors_pane_->records->view()->setFocus();
    } else {
      critical_pane_->text->setFocus();
    }
  }
  // From the records of one error, View Records With Errors goes back to all.
  SetEnabled(QStringLiteral("cmdGrid"), !all_records);
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
  SetRows(errors_pane_->errors, ErrorsOfRecord(rec_num.toLongLong()));
  errors_pane_->errors_heading->setText(QStringLiteral("Record Number ") + rec_num);
}

void MainWindow::cmdView_Click() {
  if (TestRunning()) return;
  if (!OpenResults()) return;
  if (results_->HasErrors()) SetEnabled(QStringLiteral("cmdGrid"), true);
  SetEnabled(QStringLiteral("cmdView"), false);

  SetRows(tested_pane_->records, AllRecords());
  tested_pane_->records->setCaption(QString::number(results_->RecordCount()) + " Record(s) Tested");
  // The tested records take the place of the start screen and the error grids.
  SetShown({start_pane_->logo, start_pane_->welcome, start_pane_->disclaimer_box,
            start_pane_->disclaimer, errors_pane_->records_heading, errors_pane_->records,
            errors_pane_->errors_heading, errors_pane_->errors},
           false);
  tested_pane_->records->show();
  SetEnabled(QStringLiteral("mnuVGoTo"), true);
  UpdateAreas();
  SelectFirstRow(tested_pane_->records);
  tested_pane_->records->view()->setFocus();
}

void MainWindow::DBGrid3_RowColChange() {
  const QString rec_num = tested_pane_->records->currentText(0);
  if (rec_num.isEmpty()) return;
  ViewFile(rec_num.toLongLong());
  // The viewer opening under the grid takes some of its height: the chosen
  // row is kept in sight once the grid has its new size.
  centralWidget()->layout()->activate();
  tested_pane_->records->view()->scrollTo(tested_pane_->records->view()->currentIndex());
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
  if (!OpenResults()) return;
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
