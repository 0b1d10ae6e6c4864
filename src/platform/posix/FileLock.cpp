#include "platform/FileLock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace ledgerly::platform {
namespace {

// Open-file-description locks: unlike classic POSIX record locks they belong
// to the descriptor, so closing another descriptor of the same file (SQLite
// does) releases nothing, and two descriptors in one process conflict.
bool SetLock(int fd, int slot, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = slot;
  lock.l_len = 1;
  if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
  if (errno == EAGAIN || errno == EACCES) return false;
  throw std::system_error(errno, std::generic_category(), "Cannot lock");
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& path, bool required) {
  const int flags = O_CLOEXEC | O_NOFOLLOW;
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | flags, 0600);
  writable_ = fd_ >= 0;
  // A reader that may not write there can still take a shared lock, or go
  // without one where there is no lock file to take it on.
  if (fd_ < 0 && !required && (errno == EACCES || errno == EROFS)) {
    fd_ = ::open(path.c_str(), O_RDONLY | flags);
    if (fd_ < 0 && (errno == ENOENT || errno == EACCES)) return;
  }
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), path.string());
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileLock::valid() const {
  return fd_ >= 0;
}

bool FileLock::TryLock(int slot, Access access) {
  if (fd_ < 0) return true;
  if (access == Access::Exclusive && !writable_) {
    throw std::system_error(EBADF, std::generic_category(), "Cannot lock for writing");
  }
  return SetLock(fd_, slot, access == Access::Shared ? F_RDLCK : F_WRLCK);
}

void FileLock::Unlock(int slot) {
  if (fd_ >= 0) SetLock(fd_, slot, F_UNLCK);
}

}  // namespace ledgerly::platform
