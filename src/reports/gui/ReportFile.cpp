#include "reports/gui/ReportFile.h"

#include <QFile>
#include <system_error>

namespace ledgerly::gui {

void WriteReportFile(const QString& file_name, std::string_view text, bool replace) {
  if (file_name.isEmpty()) return;
  QFile file(file_name);
  if (replace && file.exists() && !file.remove()) {
    throw std::system_error(std::make_error_code(std::errc::permission_denied),
                            file.errorString().toStdString());
  }
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    throw std::system_error(std::make_error_code(std::errc::io_error),
                            file.errorString().toStdString());
  }
  const qint64 size = static_cast<qint64>(text.size());
  if (file.write(text.data(), size) != size || file.write("\r\n", 2) != 2) {
    throw std::system_error(std::make_error_code(std::errc::io_error),
                            file.errorString().toStdString());
  }
}

}  // namespace ledgerly::gui
