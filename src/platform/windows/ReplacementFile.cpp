#include "platform/ReplacementFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <charconv>

#include "platform/TemporaryNames.h"
#include "platform/windows/WriteAll.h"

namespace ledgerly::platform {
namespace {

namespace fs = std::filesystem;

using temporary_names::FolderOf;
// Another program that has the file open (a viewer, a virus scanner, a backup)
// keeps it from being replaced; most let go within moments.
constexpr int kReplaceTries = 50;
constexpr DWORD kReplacePauseMs = 100;

bool IsRunning(long pid) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;  // another user's
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

// What a writer killed before its Commit left behind.
void RemoveStaleTemporaries(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const long pid = temporary_names::Owner(it->path().filename().string());
    std::error_code ignored;
    if (pid != 0 && it->is_regular_file(ignored) && !IsRunning(pid))
      fs::remove(it->path(), ignored);
  }
}

[[noreturn]] void Fail(int error, const fs::path& path) {
  throw std::system_error(error, std::generic_category(), path.string());
}

bool HeldByAnother(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
         error == ERROR_LOCK_VIOLATION;
}

}  // namespace

std::error_code MoveOver(const fs::path& from, const fs::path& to) {
  for (int tries = 1;; ++tries) {
    if (::MoveFileExW(from.c_str(), to.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return {};
    }
    const DWORD error = ::GetLastError();
    if (!HeldByAnother(error) || tries == kReplaceTries) {
      return {static_cast<int>(error), std::system_category()};
    }
    ::Sleep(kReplacePauseMs);
  }
}

std::string ReplacementFile::TemporaryName(long process_id, unsigned slot) {
  return temporary_names::Name(process_id, slot);
}

// Windows has no unnamed files: the temporary is always named, and removed by
// the next writer when this process is gone.
ReplacementFile::ReplacementFile(fs::path target, bool /*unnamed*/)
    : target_(std::move(target)), slot_(temporary_names::TakeSlot()) {
  const fs::path folder = FolderOf(target_);
  RemoveStaleTemporaries(folder);
  named_ = folder / TemporaryName(static_cast<long>(::GetCurrentProcessId()), slot_);
  std::error_code ignored;
  fs::remove(named_, ignored);  // an earlier one of this process
  fd_ = ::_wopen(named_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                 _S_IREAD | _S_IWRITE);
  if (fd_ < 0) {
    const int error = errno;
    named_.clear();
    Fail(error, target_);
  }
}

ReplacementFile::~ReplacementFile() {
  Close();
  std::error_code ignored;
  if (!named_.empty()) fs::remove(named_, ignored);
  temporary_names::FreeSlot(slot_);
}

void ReplacementFile::Close() noexcept {
  if (fd_ >= 0) ::_close(fd_);
  fd_ = -1;
}

void ReplacementFile::Write(std::string_view bytes) {
  if (const int error = WriteAll(fd_, bytes); error != 0) Fail(error, target_);
}

void ReplacementFile::Commit() {
  if (::_commit(fd_) != 0) Fail(errno, target_);
  const int closed = ::_close(fd_);
  fd_ = -1;
  if (closed != 0) Fail(errno, target_);
  if (const std::error_code ec = MoveOver(named_, target_)) {
    throw std::system_error(ec, target_.string());
  }
  named_.clear();
}

}  // namespace ledgerly::platform
