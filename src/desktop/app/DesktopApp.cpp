#include "desktop/app/DesktopApp.h"

#include <QApplication>
#include <QFile>
#include <QLockFile>

#include "desktop/app/AppTexts.h"
#include "desktop/app/MainWindow.h"
#include "desktop/common/Dialogs.h"
#include "engine/FileNames.h"
#include "engine/Settings.h"

namespace ledgerly::gui {

int RunDesktop(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("Ledgerly"));
  QApplication::setApplicationVersion(QStringLiteral(LEDGERLY_VERSION));
  std::filesystem::path data_folder;
  try {
    data_folder =
        DataFolder(PathOf(QFile::encodeName(QApplication::applicationDirPath()).toStdString()));
  } catch (const DataFolderError& e) {
    MessageBox::Show(nullptr, QMessageBox::Critical, QApplication::applicationName(),
                     QString::fromLocal8Bit(e.what()));
    return 1;
  }

  QLockFile lock(QString::fromStdString((data_folder / "Ledgerly.lock").string()));
  if (!lock.tryLock(0)) {
    MessageBox::Show(nullptr, QMessageBox::Critical, AlreadyRunningTitle(),
                     QStringLiteral("This program is already running."));
    return 1;
  }

  MainWindow window(data_folder);
  window.show();
  return app.exec();
}

}  // namespace ledgerly::gui
