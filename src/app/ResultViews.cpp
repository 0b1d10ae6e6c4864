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

#include "app/AppTexts.h"
#include "app/Dialogs.h"
#include "app/MainWindow.h"
#include "app/ResultDatabase.h"
#include "app/ResultGrid.h"
#include "reports/ReportData.h"
#include "reports/gui/ReportSettings.h"

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
  SetShown({dbgrid3_, lbl_rec_ctr_, lbl_prgrss1_, lbl_prgrss2_}, false);

  SetQuery(dbgrid1_, kRecordsWithErrorsSql);
  SelectFirstRow(dbgrid1_);
  const QString first_rec_num = dbgrid1_->model()->record(0).value(0).toString();

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

  lbl_records_->setText(records_tested + " Record(s) Tested, " +
                        QString::number(results_->RecordsWithErrorsCount()) +
                        " Record(s) with Error(s)");
  SetQuery(dbgrid2_, kErrorsOfRecordSql + first_rec_num);
  ShowCriticalError();
  lbl_errors_->setText(QStringLiteral("Record Number ") + dbgrid1_->currentText(0));

  img_logo_->hide();
  lbl_welcome_->hide();
  SetShown({lbl_records_, lbl_errors_, lbl_crit_error_, txt_crit_error_, dbgrid1_, dbgrid2_}, true);
  UpdateAreas();
  SetEnabled({"cmdStart", "cmdPrint", "cmdView", "cmdErrors", "mnuRCurrent", "mnuVRErrors",
              "mnuVRAll", "mnuTPrint", "mnuVRecords", "mnuVReport"},
             true);
  SetEnabled({"mnuTOpenLast", "mnuRLast"}, false);
  if (!isMinimized()) {
    if (report_settings_->critical_error_text.isEmpty()) {
      dbgrid1_->view()->setFocus();
    } else {
      txt_crit_error_->setFocus();
    }
  }
  SetEnabled(QStringLiteral("cmdGrid"), false);
  SetEnabled(QStringLiteral("cmdView"), true);
}

void MainWindow::ShowCriticalError() {
  const auto last = results_->LastError();
  if (last && last->critical) {
    report_settings_->critical_error_text =
        QStringLiteral(
            "Execution of Testing was terminated due to the Critical Error in Record Number ") +
        QString::number(last->rec_num) + ":  " + last->error;
    txt_crit_error_->setPlainText(report_settings_->critical_error_text);
  } else {
    report_settings_->critical_error_text.clear();
    txt_crit_error_->setPlainText(results_->RunFinished() ? QStringLiteral("Not Applicable.")
                                                          : QString::fromUtf8(kUnfinishedRunText));
  }
}

void MainWindow::DBGrid1_RowColChange() {
  const QString rec_num = dbgrid1_->currentText(0);
  if (rec_num.isEmpty()) return;
  SetQuery(dbgrid2_, kErrorsOfChosenRecordSql + rec_num);
  lbl_errors_->setText(QStringLiteral("Record Number ") + rec_num);
}

void MainWindow::cmdView_Click() {
  if (TestRunning()) return;
  results_->Open();
  if (results_->HasErrors()) SetEnabled(QStringLiteral("cmdGrid"), true);
  SetEnabled(QStringLiteral("cmdView"), false);

  SetQuery(dbgrid3_, kAllRecordsSql);
  dbgrid3_->setCaption(QString::number(results_->RecordCount()) + " Record(s) Tested");
  // The tested records take the place of the start screen and the error grids.
  SetShown({img_logo_, lbl_welcome_, shape1_, txt_disclosure_, lbl_records_, dbgrid1_, lbl_errors_,
            dbgrid2_},
           false);
  dbgrid3_->show();
  UpdateAreas();
  SelectFirstRow(dbgrid3_);
  dbgrid3_->view()->setFocus();
}

void MainWindow::DBGrid3_RowColChange() {
  const QString rec_num = dbgrid3_->currentText(0);
  if (rec_num.isEmpty()) return;
  ViewFile(rec_num.toLongLong());
}

void MainWindow::cmdLast_Click() {
  if (TestRunning()) return;
  shape1_->hide();
  txt_disclosure_->hide();
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
