#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/RunHost.h"

namespace ledgerly {

// The system's texts end their lines with CR LF; a terminal wants LF.
std::string WithoutCarriageReturns(std::string_view text);

// The command line's answer to the run's questions: files come from the
// arguments, messages go to stderr, and a signal stops the run like Exit.
class CliHost : public RunHost {
 public:
  CliHost(std::vector<std::string> files, std::ostream& err, bool show_messages,
          bool show_progress);

  std::optional<std::string> ChooseFile(std::string_view title) override;
  MessageAnswer ShowMessage(MessageIcon icon, std::string_view title, std::string_view text,
                            MessageButtons buttons) override;
  void Progress(const RunProgress& progress) override;
  bool KeepResponsive() override;
  Date Today() override { return TodayOrOverride(); }
  void OpenFilingService() override {}
  void ShowStatus(std::string_view text) override;

  // Set from a signal handler.
  static std::atomic<bool> stop_requested;

  // Ends the progress line, so nothing else is printed onto it.
  void EndProgressLine();

  // The files the run never asked for, and the last one it did.
  std::vector<std::string> UnreadFiles() const;
  // Every message of the run ("title: text" lines), whether shown or not.
  const std::string& Messages() const { return messages_; }
  std::string LastFile() const { return next_file_ > 0 ? files_[next_file_ - 1] : std::string(); }

 private:
  std::vector<std::string> files_;
  std::size_t next_file_ = 0;
  std::ostream& err_;
  bool show_messages_;
  bool show_progress_;
  bool progress_shown_ = false;
  std::string messages_;
  std::chrono::steady_clock::time_point last_progress_;
};

}  // namespace ledgerly
