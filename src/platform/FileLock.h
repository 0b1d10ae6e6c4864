#pragma once

#include <filesystem>

namespace ledgerly::platform {

// Locks on single bytes of one lock file, held by this object rather than by
// the process: two objects in one process exclude each other just as two
// processes do, and every lock goes when the object goes (or the process dies).
class FileLock {
 public:
  enum class Access { Shared, Exclusive };

  // Opens the lock file, creating it private to its owner; throws
  // std::system_error when it cannot. Unless `required`, a lock file the user
  // may only read is opened for shared locks, and one that cannot be opened at
  // all for lack of permission holds nothing (valid() is false).
  FileLock(const std::filesystem::path& path, bool required);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool valid() const;
  // Takes the lock on byte `slot` without waiting: false when another holds a
  // conflicting one. Throws std::system_error when the system refuses.
  bool TryLock(int slot, Access access);
  void Unlock(int slot);

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  bool writable_ = false;
};

}  // namespace ledgerly::platform
