#include "desktop/common/ErrorNotice.h"

#include <filesystem>
#include <system_error>

#include "desktop/common/Dialogs.h"
#include "engine/FailureNotice.h"
#include "engine/ResultClaim.h"
#include "engine/Sqlite.h"

namespace ledgerly::gui {

void ShowErrorNotice(QWidget* parent, const std::exception& error) {
  // Not a failure: the results are there once the run has finished.
  if (dynamic_cast<const ResultsBeingWritten*>(&error)) {
    MessageBox::Show(parent, QMessageBox::Information, QStringLiteral("Results"),
                     QString::fromLocal8Bit(error.what()));
    return;
  }
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
