#pragma once

#include <cstdio>
#include <filesystem>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ledgerly {

// A report that could not be written, with the system's reason.
class ReportOutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// C0 control characters other than tab, CR and LF, and DEL, shown as ^X: a
// submission's ESC sequences must not drive the user's terminal.
std::string ShowControlCharacters(std::string_view text);

// Where a report goes: stdout, or --output FILE. The file is written under a
// temporary name in its folder and renamed into place only when complete, so
// a failed or stopped report never leaves a truncated file; the temporary is
// created at once, so a FILE that cannot be written is known before a run.
class ReportOutput {
 public:
  // An empty path means out; to_terminal shows control characters visibly.
  ReportOutput(const std::string& path, std::ostream& out, bool to_terminal);
  ~ReportOutput();  // removes the temporary file unless committed
  ReportOutput(const ReportOutput&) = delete;
  ReportOutput& operator=(const ReportOutput&) = delete;

  void Write(std::string_view piece);
  // Flushes, and puts the file in place.
  void Commit();

 private:
  [[noreturn]] void Fail(int error) const;

  std::string path_;
  std::filesystem::path temp_path_;
  std::FILE* file_ = nullptr;
  std::ostream& out_;
  bool to_terminal_;
};

}  // namespace ledgerly
