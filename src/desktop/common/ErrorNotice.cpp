#include "desktop/common/ErrorNotice.h"

#include <filesystem>
#include <system_error>

#include "desktop/common/Dialogs.h"
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
                   QStringLiteral("Error Number: ") + QString::number(number) +
                       "\r\nError Description: " + QString::fromLocal8Bit(error.what()));
}

}  // namespace ledgerly::gui
