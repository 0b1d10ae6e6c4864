#include "platform/Folders.h"

#include <cstdlib>
#include <system_error>

namespace ledgerly::platform {
namespace {

// An absolute path from the environment, or nothing: a relative one would
// depend on the folder the program was started in.
std::filesystem::path AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || *value != '/') return {};
  return value;
}

}  // namespace

std::filesystem::path ProgramFile() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe;
}

std::filesystem::path ProgramOpening(const std::string& /*extension*/) {
  return {};
}

std::filesystem::path UserDataFolder(std::string& why_none) {
  std::filesystem::path folder = AbsoluteFromEnvironment("XDG_DATA_HOME");
  if (folder.empty()) {
    folder = AbsoluteFromEnvironment("HOME");
    if (folder.empty()) {
      why_none = "No data folder: neither XDG_DATA_HOME nor HOME names a folder";
      return {};
    }
    folder /= ".local/share";
  }
  return folder / "Ledgerly";
}

}  // namespace ledgerly::platform
