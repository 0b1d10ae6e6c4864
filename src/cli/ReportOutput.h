#pragma once

#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/ReplacementFile.h"

namespace ledgerly {

// A report that could not be written, with the system's reason.
class ReportOutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kReportStoppedText = "The report was stopped by a signal";

// C0 and C1 control characters other than tab, CR and LF, and DEL, shown as ^X
// and M-^X: a submission's escape sequences must not drive the user's terminal.
std::string ShowControlCharacters(std::string_view text);

// Where a report goes: standard output, or --output FILE. The file is put in
// place only when complete (platform::ReplacementFile), so a failed or stopped
// report never leaves a truncated file; it is opened at once, so a FILE that
// cannot be written is known before a run.
class ReportOutput {
 public:
  // An empty path or "-" means standard output: out, or with own_stdout the
  // process's own, written so that a stop signal ends even a blocked write.
  // to_terminal shows control characters visibly.
  ReportOutput(const std::string& path, std::ostream& out, bool own_stdout, bool to_terminal);

  void Write(std::string_view piece);
  // Flushes, and puts the file in place.
  void Commit();

  static bool IsStandardOutput(const std::string& path) { return path.empty() || path == "-"; }

 private:
  void Flush();
  [[noreturn]] void Fail(int error) const;

  std::string path_;  // empty for standard output
  std::optional<platform::ReplacementFile> file_;
  std::ostream& out_;
  bool own_stdout_;
  bool to_terminal_;
  std::string pending_;
};

}  // namespace ledgerly
