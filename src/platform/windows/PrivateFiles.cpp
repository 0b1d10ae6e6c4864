#include "platform/PrivateFiles.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <system_error>

#include "platform/windows/WriteAll.h"

namespace ledgerly::platform {

// Windows gives the files and folders under the user's profile (where the data
// folder lies) to that user through the inherited access lists, whatever the
// program asks; nothing here sets an access list of its own.

namespace {

[[noreturn]] void Fail(int error, const std::filesystem::path& path) {
  throw std::system_error(error, std::generic_category(), path.string());
}

}  // namespace

void CreatePrivateFolder(const std::filesystem::path& folder, bool /*tighten*/) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw std::system_error(ec, folder.string());
}

bool IsOwnFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec);
}

bool IsWritableFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec) && ::_waccess(folder.c_str(), 2) == 0;
}

bool IsReadOnlyFile(const std::filesystem::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

void WritePrivateFile(const std::filesystem::path& file, std::string_view text, bool append) {
  const int flags =
      _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | (append ? _O_APPEND : _O_TRUNC);
  const int fd = ::_wopen(file.c_str(), flags, _S_IREAD | _S_IWRITE);
  if (fd < 0) Fail(errno, file);
  const int error = WriteAll(fd, text);
  if (::_close(fd) != 0 && error == 0) Fail(errno, file);
  if (error != 0) Fail(error, file);
}

}  // namespace ledgerly::platform
