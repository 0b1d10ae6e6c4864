#include "platform/PrivateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/posix/WriteAll.h"

namespace ledgerly::platform {
namespace {

[[noreturn]] void Fail(int error, const std::filesystem::path& path) {
  throw std::system_error(error, std::generic_category(), path.string());
}

}  // namespace

void CreatePrivateFolder(const std::filesystem::path& folder, bool tighten) {
  const std::filesystem::path path = folder.has_filename() ? folder : folder.parent_path();
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  if (::mkdir(path.c_str(), 0700) == 0) return;
  if (errno != EEXIST) Fail(errno, path);
  struct stat status {};
  if (tighten && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
      status.st_uid == ::geteuid() && (status.st_mode & 077) != 0) {
    ::chmod(path.c_str(), status.st_mode & 07700);
  }
}

bool IsOwnFolder(const std::filesystem::path& folder) {
  struct stat status {};
  return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == ::geteuid() && (status.st_mode & S_IWOTH) == 0;
}

bool IsWritableFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK) == 0;
}

bool IsReadOnlyFile(const std::filesystem::path& file) {
  struct stat status {};
  return ::stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         (status.st_mode & S_IWUSR) == 0;
}

void WritePrivateFile(const std::filesystem::path& file, std::string_view text, bool append) {
  const int fd =
      ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC), 0600);
  if (fd < 0) Fail(errno, file);
  const int error = WriteAll(fd, text);
  if (::close(fd) != 0 && error == 0) Fail(errno, file);
  if (error != 0) Fail(error, file);
}

}  // namespace ledgerly::platform
