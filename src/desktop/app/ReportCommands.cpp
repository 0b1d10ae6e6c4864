// The main window's report commands: View Error Report, Print Error Report
// and View > Report > Last.
#include <QApplication>
#include <QPushButton>

#include "desktop/app/MainWindow.h"
#include "desktop/app/ResultDatabase.h"
#include "desktop/common/Dialogs.h"
#include "desktop/common/ErrorNotice.h"
#include "desktop/report/ReportOptionDialog.h"
#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"

namespace ledgerly::gui {

void MainWindow::cmdErrors_Click() {
  if (TestRunning()) return;
  ReportSettings& settings = *report_settings_;
  if (!OpenResults()) return;
  if (!results_->HasErrors()) {
    MessageBox::Show(this, QMessageBox::Information, QStringLiteral("Results"),
                     QStringLiteral("No errors found in the submission!"));
    settings.print_requested = false;
    return;
  }
  if (report_window_) report_window_->close();
  if (!ReportOptionDialog::Ask(this, settings)) {
    settings.print_requested = false;
    settings.dialog_cancelled = false;
    return;
  }

  SetEnabled({"cmdPrint", "cmdErrors"}, false);
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  try {
    report_window_ = new ReportWindow(settings, data_folder_, DatabasePath(), this);
    if (settings.report_choice == kTextReport && settings.print_requested) {
      report_window_->cmdPrint_Click();
      report_window_->close();
    } else if (settings.report_choice == kTextReport) {
      report_window_->FormatReport(ReportWindow::kTextMode);
      report_window_->show();
      report_window_->raise();
      report_window_->activateWindow();
    } else {
      report_window_->FormatReport(ReportWindow::kHtmlMode);
    }
  } catch (const std::exception& e) {
    ShowErrorNotice(this, e);
  }
  settings.print_requested = false;
  SetEnabled({"cmdPrint", "cmdErrors"}, true);
}

void MainWindow::cmdPrint_Click() {
  if (TestRunning()) return;
  report_settings_->print_requested = true;
  cmdErrors_Click();
}

void MainWindow::mnuRLast_Click() {
  if (TestRunning()) return;
  cmdLast_Click();
  if (results_->IsOpen() && results_->HasErrors()) cmdErrors_Click();
}

}  // namespace ledgerly::gui
