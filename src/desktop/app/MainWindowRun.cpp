// The Test run as the main window drives it: cmdStart_Click, the window's
// side of the run, and what the window shows when the run ends.
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>

#include "desktop/app/AppTexts.h"
#include "desktop/app/ErrorLimitDialog.h"
#include "desktop/app/ErrorSummaryWindow.h"
#include "desktop/app/MainWindow.h"
#include "desktop/app/MainWindowPanes.h"
#include "desktop/app/QtRunHost.h"
#include "desktop/app/ResultDatabase.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/common/Dialogs.h"
#include "engine/FailureNotice.h"
#include "engine/TestRun.h"
#include "layout/RecordLayouts.h"

namespace ledgerly::gui {

void MainWindow::StartTesting() {
  cmdStart_Click();
}

void MainWindow::cmdStart_Click() {
  if (TestRunning()) return;  // a second run would replace the database being written
  for (;;) {
    const RunResult result = ReadFile();
    if (exit_requested_) {
      close();
      return;
    }
    // A file that was not found: the user is asked again.
    if (result.outcome != RunOutcome::FileNotFound) {
      PresentRunResult(result);
      break;
    }
  }
  start_pane_->disclaimer->hide();
  start_pane_->disclaimer_box->hide();
  UpdateAreas();
}

RunResult MainWindow::ReadFile() {
  // A limit entered from now on would not apply to this run.
  if (auto* limit_dialog = findChild<ErrorLimitDialog*>()) limit_dialog->reject();
  QtRunHost host(*this);
  run_host_ = &host;
  ApplyEnabled();
  RunResult result;
  try {
    TestRun run(host, DatabasePath(), error_limit_);
    result = run.ReadFile();
  } catch (const std::exception& e) {
    MessageBox::Show(this, QMessageBox::Critical, QStringLiteral("Submission File Error"),
                     QString::fromLocal8Bit(FailureNotice(0, e.what())));
    result.outcome = RunOutcome::Failed;
  }
  run_host_ = nullptr;
  busy_pointer_.reset();
  ApplyEnabled();
  ReopenResults();
  return result;
}

void MainWindow::PresentRunResult(const RunResult& result) {
  switch (result.outcome) {
    case RunOutcome::Cancelled:
    case RunOutcome::FileNotFound:
      return;
    case RunOutcome::NoData:
    case RunOutcome::Clean:
      FinishCleanRun(result);
      return;
    case RunOutcome::Errors:
    case RunOutcome::Critical:
    case RunOutcome::Aborted:
    case RunOutcome::Failed:
      if (result.errors > 0) {
        cmdGrid_Click();
      } else {
        SetEnabled(QStringLiteral("cmdStart"), true);
      }
      return;
  }
}

void MainWindow::FinishCleanRun(const RunResult& result) {
  SetEnabled(QStringLiteral("cmdStart"), true);
  SetEnabled(QStringLiteral("cmdView"), result.outcome == RunOutcome::Clean);
  run_status_->SetShown(false);
  start_pane_->logo->show();
  start_pane_->welcome->show();
  setWindowTitle(WelcomeCaption());
  SetEnabled({"mnuVRecords", "mnuVRAll"}, true);
  SetEnabled({"mnuVReport", "mnuVRErrors"}, false);
  UpdateAreas();
}

// A file of the submission has been opened.
void MainWindow::RunFileStarted(const QString&) {
  setWindowTitle(WelcomeCaption());
  ClearViewer();
  SetShown(
      {errors_pane_->records_heading, critical_pane_->heading, errors_pane_->errors_heading,
       critical_pane_->text, errors_pane_->records, errors_pane_->errors, tested_pane_->records},
      false);
  SetEnabled({"cmdStart", "cmdLast", "mnuTOpenLast", "cmdPrint", "cmdErrors", "cmdView", "cmdGrid"},
             false);
  // The views that find records in the last results have nothing to show until it ends.
  SetEnabled({"mnuVGoTo", "mnuVSummary"}, false);
  if (summary_window_) summary_window_->close();
  UpdateAreas();
  run_status_->SetFraction(0);
  if (!busy_pointer_) busy_pointer_.emplace();
}

void MainWindow::ShowRunProgress(const RunProgress& progress) {
  run_status_->record_number->setText(QStringLiteral("Processing Record Number: ") +
                                      QString::number(progress.rec_ctr));
  run_status_->SetShown(true);
  if (progress.file_size > kRecordLength) {
    run_status_->SetFraction(static_cast<double>(progress.file_records) /
                             (static_cast<double>(progress.file_size) / kRecordLength));
  }
}

// The run deletes and rebuilds ERRORLOG.MDB: the grids drop their rows and
// the connection closes first. ReopenResults brings them back afterwards.
void MainWindow::ReleaseResults() {
  if (!results_->IsOpen()) return;
  released_rows_.clear();
  for (ResultGrid* grid : {errors_pane_->records, errors_pane_->errors, tested_pane_->records}) {
    released_rows_[grid] = grid->rows();
    grid->clear();
  }
  results_->Close();
}

bool MainWindow::OpenResults() {
  return results_->Open() || !results_->BeingWritten();
}

void MainWindow::ShowRunStatus(const QString& text) {
  run_status_->record_number->setText(text);
  run_status_->SetShown(true);
}

void MainWindow::ReopenResults() {
  if (!results_->Open()) return;
  for (auto& [grid, rows] : released_rows_) {
    if (!rows.IsEmpty()) SetRows(grid, rows);
  }
  released_rows_.clear();
}

}  // namespace ledgerly::gui
