#include "desktop/report/AssociatedBrowser.h"

#include <QProcess>

#include "platform/Folders.h"

namespace ledgerly::gui {

std::optional<QString> AssociatedBrowser::FindBrowser(const std::filesystem::path&) {
  const std::filesystem::path program = platform::ProgramOpening(".html");
  if (program.empty()) return std::nullopt;
  return QString::fromStdWString(program.wstring());
}

bool AssociatedBrowser::OpenWith(const QString& browser, const QString& target) {
  return QProcess::startDetached(browser, target.isEmpty() ? QStringList() : QStringList{target});
}

}  // namespace ledgerly::gui
