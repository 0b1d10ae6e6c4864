// The Test run as the main window drives it: cmdStart_Click, the window's
// side of the run, and what the window shows when the run ends.
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>

#include "desktop/app/AppTexts.h"
#include "desktop/app/ErrorLimitDialog.h"
#include "desktop/app/MainWindow.h"
#include "desktop/app/QtRunHost.h"
#include "desktop/app/ResultDatabase.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/common/Dialogs.h"
#include "engine/TestRun.h"

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
  if (busy_pointer_) {
    QApplication::restoreOverrideCursor();
    busy_pointer_ = false;
  }
  txt_disclosure_->hide();
  shape1_->hide();
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
                     QStringLiteral("Error Number: 0\r\nError Description: ") +
                         QString::fromLocal8Bit(e.what()));
    result.outcome = RunOutcome::Failed;
  }
  run_host_ = nullptr;
  if (busy_pointer_) {
    QApplication::restoreOverrideCursor();
    busy_pointer_ = false;
  }
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
  lbl_rec_ctr_->hide();
  lbl_prgrss1_->hide();
  lbl_prgrss2_->hide();
  img_logo_->show();
  lbl_welcome_->show();
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
      {lbl_records_, lbl_crit_error_, lbl_errors_, txt_crit_error_, dbgrid1_, dbgrid2_, dbgrid3_},
      false);
  SetEnabled({"cmdStart", "cmdLast", "mnuTOpenLast", "cmdPrint", "cmdErrors", "cmdView", "cmdGrid"},
             false);
  UpdateAreas();
  SetProgressFraction(0);
  if (!busy_pointer_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_pointer_ = true;
  }
}

void MainWindow::ShowRunProgress(const RunProgress& progress) {
  lbl_rec_ctr_->setText(QStringLiteral("Processing Record Number: ") +
                        QString::number(progress.rec_ctr));
  lbl_rec_ctr_->show();
  lbl_prgrss2_->show();
  lbl_prgrss1_->show();
  constexpr uint64_t kRecordLength = 512;
  if (progress.file_size > kRecordLength) {
    SetProgressFraction(static_cast<double>(progress.file_records) /
                        (static_cast<double>(progress.file_size) / kRecordLength));
  }
}

// The run deletes and rebuilds ERRORLOG.MDB: the grids drop their queries and
// the connection closes first. ReopenResults brings them back afterwards.
void MainWindow::ReleaseResults() {
  if (!results_->IsOpen()) return;
  released_queries_.clear();
  for (ResultGrid* grid : {dbgrid1_, dbgrid2_, dbgrid3_}) {
    released_queries_[grid] = grid->lastQuery();
    grid->clear();
  }
  results_->Close();
}

void MainWindow::ReopenResults() {
  if (!results_->Open()) return;
  for (auto& [grid, sql] : released_queries_) {
    if (!sql.isEmpty()) SetQuery(grid, sql);
  }
  released_queries_.clear();
}

}  // namespace ledgerly::gui
