#include "cli/CliHost.h"

#include <ostream>

namespace ledgerly {

std::atomic<bool> CliHost::stop_requested{false};

std::string WithoutCarriageReturns(std::string_view text) {
  std::string plain(text);
  std::erase(plain, '\r');
  return plain;
}

CliHost::CliHost(std::vector<std::string> files, std::ostream& err, bool show_messages,
                 bool show_progress)
    : files_(std::move(files)),
      err_(err),
      show_messages_(show_messages),
      show_progress_(show_progress) {}

std::optional<std::string> CliHost::ChooseFile(std::string_view) {
  // After the last argument the run goes on as if the dialog was cancelled.
  if (next_file_ >= files_.size()) return std::nullopt;
  return files_[next_file_++];
}

MessageAnswer CliHost::ShowMessage(MessageIcon, std::string_view title, std::string_view text,
                                   MessageButtons buttons) {
  EndProgressLine();
  const std::string message = std::string(title) + ": " + WithoutCarriageReturns(text);
  if (show_messages_) err_ << message << '\n';
  messages_ += (messages_.empty() ? "" : "\n") + message;
  // The command line opens nothing: a Yes/No offer is answered No.
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

void CliHost::ShowStatus(std::string_view text) {
  EndProgressLine();
  if (show_messages_) err_ << text << '\n' << std::flush;
}

void CliHost::Progress(const RunProgress& progress) {
  if (!show_progress_) return;
  // A file that grew while it was read would pass 100%.
  const bool file_done = progress.bytes_read >= progress.file_size;
  const auto now = std::chrono::steady_clock::now();
  if (progress_shown_ && !file_done && now - last_progress_ < std::chrono::milliseconds(100)) {
    return;
  }
  last_progress_ = now;
  progress_shown_ = true;
  err_ << "\rProcessing Record Number: " << progress.rec_ctr;
  if (progress.file_size > 0) {
    err_ << "  (" << (file_done ? 100 : progress.bytes_read * 100 / progress.file_size) << "%)";
  }
  err_ << std::flush;
}

bool CliHost::KeepResponsive() {
  return stop_requested.load(std::memory_order_relaxed);
}

std::vector<std::string> CliHost::UnreadFiles() const {
  return {files_.begin() + static_cast<std::ptrdiff_t>(next_file_), files_.end()};
}

void CliHost::EndProgressLine() {
  if (!progress_shown_) return;
  err_ << '\n';
  progress_shown_ = false;
}

}  // namespace ledgerly
