#include <QApplication>

#include "desktop/app/DesktopApp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return ledgerly::gui::RunDesktop(app);
}
