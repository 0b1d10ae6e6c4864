#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace ledgerly::platform {

// A file written in full before it takes the place of target, so a failed or
// stopped write never leaves a truncated file. It stays unnamed until Commit
// where the system allows (a process killed meanwhile leaves nothing); else it
// is TemporaryName(its process) in target's folder, which the next writer there
// removes once that process is gone. A new file is for the user only; a file
// it replaces keeps its mode.
// Puts from in the place of to, replacing the file there: at once where the
// system renames over a file; where it cannot while another program has that
// file open (Windows), tries again for a few seconds first.
std::error_code MoveOver(const std::filesystem::path& from, const std::filesystem::path& to);

class ReplacementFile {
 public:
  // Throws std::system_error when the folder cannot take the file.
  explicit ReplacementFile(std::filesystem::path target, bool unnamed = true);
  ~ReplacementFile();  // discards what was not committed
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Both throw std::system_error.
  void Write(std::string_view bytes);
  void Commit();

  // Named by the process and, beside its first, by the slot of the file among
  // those the process has open, so it fits whatever target's name.
  static std::string TemporaryName(long process_id, unsigned slot = 0);

 private:
  void Close() noexcept;

  std::filesystem::path target_;
  std::filesystem::path named_;  // the temporary's path once it has one
  int fd_ = -1;
  unsigned slot_;
};

}  // namespace ledgerly::platform
