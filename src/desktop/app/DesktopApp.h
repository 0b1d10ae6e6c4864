#pragma once

class QApplication;

namespace ledgerly::gui {

// Program start: one instance only, then the main window until Exit.
int RunDesktop(QApplication& app);

}  // namespace ledgerly::gui
