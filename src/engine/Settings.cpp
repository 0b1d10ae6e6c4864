#include "engine/Settings.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include "engine/TestRun.h"
#include "platform/Folders.h"
#include "platform/PrivateFiles.h"

namespace ledgerly {
namespace {

constexpr const char* kSettingsFile = "ErrSetLog.ini";
constexpr std::string_view kLimitLabel = "[Maximum Error Count]:";
// The one line the file holds is far shorter; a longer one is not read whole.
constexpr std::size_t kMaxLineLength = 256;

constexpr const char* kChooseHome =
    "; set LEDGERLY_HOME to the folder for ERRORLOG.MDB and ErrSetLog.ini.";

// The value of a line that is the label, spaces, a whole number and nothing else
// (a CR of the line end aside), or 0.
long ParseLimit(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (!line.starts_with(kLimitLabel)) return 0;
  line.remove_prefix(kLimitLabel.size());
  while (line.starts_with(' ')) line.remove_prefix(1);
  if (line.empty() || line.size() > 5) return 0;
  long value = 0;
  for (const char c : line) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::filesystem::path DataFolder(const std::filesystem::path& program_folder) {
  if (const char* home = std::getenv("LEDGERLY_HOME"); home && *home) {
    try {
      platform::CreatePrivateFolder(home, false);
    } catch (const std::system_error&) {
      // The run names the folder it cannot use, with the reason.
    }
    return home;
  }
  if (!program_folder.empty() && program_folder != program_folder.root_path() &&
      platform::IsWritableFolder(program_folder) && platform::IsOwnFolder(program_folder)) {
    return program_folder;
  }
  std::string why_none;
  std::filesystem::path folder = platform::UserDataFolder(why_none);
  if (folder.empty()) throw DataFolderError(why_none + kChooseHome);
  try {
    platform::CreatePrivateFolder(folder, true);
  } catch (const std::system_error& e) {
    throw DataFolderError("The data folder " + folder.string() + " cannot be created (" +
                          e.code().message() + ")" + kChooseHome);
  }
  if (!platform::IsOwnFolder(folder)) {
    throw DataFolderError("The data folder " + folder.string() +
                          " belongs to another user or others may write to it" + kChooseHome);
  }
  return folder;
}

int ReadErrorLimit(const std::filesystem::path& data_folder) {
  const auto path = data_folder / kSettingsFile;
  std::ifstream in(path, std::ios::binary);
  std::string line(kMaxLineLength + 1, '\0');
  in.getline(line.data(), static_cast<std::streamsize>(line.size()));
  if (!in.is_open() || (in.fail() && in.gcount() == 0)) {
    // Missing or unreadable: write the default once; the limit is 500 either way.
    WriteErrorLimit(data_folder, kDefaultErrorLimit);
    return kDefaultErrorLimit;
  }
  // A line longer than the bound fails the read and counts as unreadable.
  if (in.fail()) return kDefaultErrorLimit;
  line.resize(std::char_traits<char>::length(line.c_str()));
  const long limit = ParseLimit(line);
  return limit >= 1 && limit <= kMaxErrorLimit ? static_cast<int>(limit) : kDefaultErrorLimit;
}

void WriteErrorLimit(const std::filesystem::path& data_folder, int limit) {
  try {
    platform::WritePrivateFile(data_folder / kSettingsFile,
                               std::string(kLimitLabel) + std::to_string(limit) + "\r\n", false);
  } catch (const std::system_error&) {
  }
}

}  // namespace ledgerly
