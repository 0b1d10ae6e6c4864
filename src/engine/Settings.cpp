#include "engine/Settings.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include "engine/TestRun.h"

namespace ledgerly {
namespace {

constexpr const char* kSettingsFile = "ErrSetLog.ini";
constexpr const char* kLimitLabel = "[Maximum Error Count]:";

bool IsWritableFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK) == 0;
}

// The whole number after the first ":" of the line, or 0 when there is none.
long ParseLimit(const std::string& line) {
  const auto colon = line.find(':');
  if (colon == std::string::npos) return 0;
  std::size_t i = colon + 1;
  while (i < line.size() && line[i] == ' ') ++i;
  long value = 0;
  bool any = false;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    any = true;
    value = value * 10 + (line[i] - '0');
    if (value > kMaxErrorLimit) return 0;
  }
  return any ? value : 0;
}

}  // namespace

std::filesystem::path DataFolder(const std::filesystem::path& program_folder) {
  std::filesystem::path folder;
  if (const char* home = std::getenv("LEDGERLY_HOME"); home && *home) {
    folder = home;
  } else if (!program_folder.empty() && IsWritableFolder(program_folder)) {
    return program_folder;
  } else if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    folder = std::filesystem::path(xdg) / "Ledgerly";
  } else if (const char* user_home = std::getenv("HOME"); user_home && *user_home) {
    folder = std::filesystem::path(user_home) / ".local" / "share" / "Ledgerly";
  } else {
    folder = std::filesystem::current_path();
  }
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder;
}

int ReadErrorLimit(const std::filesystem::path& data_folder) {
  const auto path = data_folder / kSettingsFile;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line)) {
    // Missing or unreadable: write the default once; the limit is 500 either way.
    WriteErrorLimit(data_folder, kDefaultErrorLimit);
    return kDefaultErrorLimit;
  }
  const long limit = ParseLimit(line);
  return limit >= 1 && limit <= kMaxErrorLimit ? static_cast<int>(limit) : kDefaultErrorLimit;
}

void WriteErrorLimit(const std::filesystem::path& data_folder, int limit) {
  std::ofstream out(data_folder / kSettingsFile, std::ios::binary | std::ios::trunc);
  out << kLimitLabel << limit << "\r\n";
}

}  // namespace ledgerly
