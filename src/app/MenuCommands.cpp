// The Test menu's Error limit item and the Help menu.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include "app/AboutDialog.h"
#include "app/ErrorLimitDialog.h"
#include "app/MainWindow.h"
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

// The help pages live beside the program (or in its share folder when installed).
void MainWindow::mnuHContents_Click() {
  const QDir program(QCoreApplication::applicationDirPath());
  const QString data = QString::fromStdString(data_folder_.string());
  for (const QString& candidate :
       {QDir(data).filePath(QStringLiteral("help/Welcome.htm")),
        program.filePath(QStringLiteral("help/Welcome.htm")),
        program.filePath(QStringLiteral("../share/ledgerly/help/Welcome.htm")),
        program.filePath(QStringLiteral("../share/help/Welcome.htm"))}) {
    if (QFileInfo(candidate).isFile()) {
      QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(candidate).absoluteFilePath()));
      return;
    }
  }
}

void MainWindow::mnuHAbout_Click() {
  AboutDialog about(this);
  about.exec();
}

}  // namespace ledgerly::gui
