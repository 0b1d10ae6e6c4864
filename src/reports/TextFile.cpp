#include "reports/TextFile.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace ledgerly {
namespace {

[[noreturn]] void FailWrite(const std::filesystem::path& path) {
  throw std::filesystem::filesystem_error("Cannot write the report file", path,
                                          std::error_code(errno, std::generic_category()));
}

}  // namespace

void AppendReportText(const std::filesystem::path& path, std::string_view text, bool replace) {
  if (replace) std::filesystem::remove(path);
  std::ofstream file(path, std::ios::binary | std::ios::app);
  if (!file) FailWrite(path);
  file << text << "\r\n";
  file.close();
  if (!file) FailWrite(path);
}

}  // namespace ledgerly
