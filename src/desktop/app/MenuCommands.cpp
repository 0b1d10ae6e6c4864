// The Test menu's Error limit item and the Help menu.
#include <QTimer>

#include "desktop/app/AboutDialog.h"
#include "desktop/app/ErrorLimitDialog.h"
#include "desktop/app/MainWindow.h"
#include "desktop/common/HelpWindow.h"
#include "engine/Settings.h"

namespace ledgerly::gui {

void MainWindow::mnuTSet_Click() {
  if (TestRunning()) return;
  if (auto* open = findChild<ErrorLimitDialog*>()) {
    open->raise();
    open->activateWindow();
    return;
  }
  auto* dialog = new ErrorLimitDialog(error_limit_, this);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    error_limit_ = dialog->limit();
    WriteErrorLimit(data_folder_, error_limit_);
    // The run starts once the dialog has gone.
    QTimer::singleShot(0, this, &MainWindow::StartTesting);
  });
  dialog->show();
}

void MainWindow::mnuHContents_Click() {
  ShowHelpContents(this);
}

void MainWindow::mnuHAbout_Click() {
  AboutDialog about(this);
  about.exec();
}

}  // namespace ledgerly::gui
