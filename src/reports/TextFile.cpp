#include "reports/TextFile.h"

#include <string>
#include <system_error>

#include "platform/PrivateFiles.h"

namespace ledgerly {

void AppendReportText(const std::filesystem::path& path, std::string_view text, bool replace) {
  try {
    platform::WritePrivateFile(path, std::string(text) + "\r\n", !replace);
  } catch (const std::system_error& e) {
    throw std::filesystem::filesystem_error("Cannot write the report file", path, e.code());
  }
}

}  // namespace ledgerly
