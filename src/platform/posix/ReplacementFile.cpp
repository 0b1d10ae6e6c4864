#include "platform/ReplacementFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/TemporaryNames.h"
#include "platform/posix/WriteAll.h"

namespace ledgerly::platform {
namespace {

namespace fs = std::filesystem;

using temporary_names::FolderOf;
using temporary_names::FreeSlot;
using temporary_names::TakeSlot;

// What a writer killed before its Commit left behind.
void RemoveStaleTemporaries(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const long pid = temporary_names::Owner(it->path().filename().string());
    if (pid == 0) continue;
    struct stat status {};
    if (::lstat(it->path().c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != ::geteuid()) {
      continue;
    }
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) continue;  // still running
    ::unlink(it->path().c_str());
  }
}

[[noreturn]] void Fail(int error, const fs::path& path) {
  throw std::system_error(error, std::generic_category(), path.string());
}

}  // namespace

std::error_code MoveOver(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return ec;
}

std::string ReplacementFile::TemporaryName(long process_id, unsigned slot) {
  return temporary_names::Name(process_id, slot);
}

ReplacementFile::ReplacementFile(fs::path target, bool unnamed)
    : target_(std::move(target)), slot_(TakeSlot()) {
  const fs::path folder = FolderOf(target_);
  RemoveStaleTemporaries(folder);
#ifdef O_TMPFILE
  if (unnamed) {
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    // File systems without unnamed files take the named one.
    if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) Fail(errno, target_);
  }
#endif
  if (fd_ < 0) {
    named_ = folder / TemporaryName(::getpid(), slot_);
    ::unlink(named_.c_str());  // an earlier one of this process
    fd_ = ::open(named_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0) {
      const int error = errno;
      named_.clear();
      Fail(error, target_);
    }
  }
  ::fchmod(fd_, 0600);
}

ReplacementFile::~ReplacementFile() {
  Close();
  if (!named_.empty()) ::unlink(named_.c_str());
  FreeSlot(slot_);
}

void ReplacementFile::Close() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void ReplacementFile::Write(std::string_view bytes) {
  if (const int error = WriteAll(fd_, bytes); error != 0) Fail(error, target_);
}

void ReplacementFile::Commit() {
  struct stat replaced {};
  if (::stat(target_.c_str(), &replaced) == 0) ::fchmod(fd_, replaced.st_mode & 07777);
  if (::fsync(fd_) != 0) Fail(errno, target_);
  if (named_.empty()) {
    // The unnamed file gets its name only now that it is complete.
    named_ = FolderOf(target_) / TemporaryName(::getpid(), slot_);
    ::unlink(named_.c_str());
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, named_.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      const int error = errno;
      named_.clear();
      Fail(error, target_);
    }
  }
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) Fail(errno, target_);
  if (const std::error_code ec = MoveOver(named_, target_)) Fail(ec.value(), target_);
  named_.clear();
}

}  // namespace ledgerly::platform
