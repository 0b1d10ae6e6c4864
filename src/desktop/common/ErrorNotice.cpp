#include "desktop/common/ErrorNotice.h"

#include <filesystem>
#include <system_error>

#include "desktop/common/Dialogs.h"
#include "engine/FailureNotice.h"
#include "engine/Sqlite.h"

namespace ledgerly::gui {

void ShowErrorNotice(QWidget* parent, const std::exception& error) {
  int number = 0;
  if (const auto* store = dynamic_cast<const StoreError*>(&error)) {
    number = store->code();
  } else if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
    number = system->code().value();
  }
  MessageBox::Show(parent, QMessageBox::Critical, QStringLiteral("Error"),
                   QString::fromLocal8Bit(FailureNotice(number, error.what())));
}

}  // namespace ledgerly::gui
