#include "platform/FileLock.h"

#include <windows.h>

#include <system_error>

namespace ledgerly::platform {
namespace {

std::system_error LastError(const std::string& what) {
  return std::system_error(static_cast<int>(::GetLastError()), std::system_category(), what);
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& path, bool required) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  writable_ = h != INVALID_HANDLE_VALUE;
  if (!writable_ && !required && ::GetLastError() == ERROR_ACCESS_DENIED) {
    h = ::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
  }
  if (h == INVALID_HANDLE_VALUE) throw LastError(path.string());
  handle_ = h;
}

FileLock::~FileLock() {
  if (handle_) ::CloseHandle(handle_);
}

bool FileLock::valid() const {
  return handle_ != nullptr;
}

bool FileLock::TryLock(int slot, Access access) {
  if (!handle_) return true;
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(slot);
  const DWORD flags =
      LOCKFILE_FAIL_IMMEDIATELY | (access == Access::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
  if (::LockFileEx(handle_, flags, 0, 1, 0, &at)) return true;
  if (::GetLastError() == ERROR_LOCK_VIOLATION) return false;
  throw LastError("Cannot lock");
}

void FileLock::Unlock(int slot) {
  if (!handle_) return;
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(slot);
  ::UnlockFileEx(handle_, 0, 1, 0, &at);
}

}  // namespace ledgerly::platform
