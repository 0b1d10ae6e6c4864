#include "cli/ReportOutput.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/CliHost.h"
#include "engine/FileNames.h"
#include "platform/PrivateFiles.h"
#include "platform/StandardStreams.h"

namespace ledgerly {
namespace {

// Written in pieces of this size: few system calls, little memory.
constexpr std::size_t kFlushSize = 1 << 16;

// The length of the UTF-8 sequence a lead byte starts (0 for a continuation).
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return lead < 0x80 ? 1 : 0;
}

void ShowControl(std::string& shown, unsigned char control) {
  if (control >= 0x80) shown += "M-";
  shown += '^';
  shown += static_cast<char>((control & 0x7f) ^ 0x40);
}

}  // namespace

std::string ShowControlCharacters(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto u = static_cast<unsigned char>(text[i]);
    if ((u < 0x20 && u != '\t' && u != '\r' && u != '\n') || u == 0x7f) {
      ShowControl(shown, u);
      continue;
    }
    // U+0080 to U+009F, and such bytes outside any UTF-8 sequence: terminals read both.
    const std::size_t length = SequenceLength(u);
    if (u == 0xC2 && i + 1 < text.size() &&
        (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) {
      ShowControl(shown, static_cast<unsigned char>(text[++i]));
    } else if (length == 0 && u <= 0x9F) {
      ShowControl(shown, u);
    } else {
      const std::size_t end = std::min(text.size(), i + std::max<std::size_t>(length, 1));
      shown.append(text.substr(i, end - i));
      i = end - 1;
    }
  }
  return shown;
}

ReportOutput::ReportOutput(const std::string& path, std::ostream& out, bool own_stdout,
                           bool to_terminal)
    : path_(IsStandardOutput(path) ? "" : path),
      out_(out),
      own_stdout_(own_stdout),
      to_terminal_(to_terminal && path_.empty()) {
  if (path_.empty()) {
    if (own_stdout_) {
      if (const int problem = platform::StandardOutputProblem(); problem != 0) Fail(problem);
    }
    return;
  }
  std::error_code ec;
  if (std::filesystem::is_directory(PathOf(path_), ec)) Fail(EISDIR);
  if (platform::IsReadOnlyFile(PathOf(path_))) {
    throw ReportOutputError(path_ + " is read-only; it was left unchanged.");
  }
  try {
    file_.emplace(PathOf(path_));
  } catch (const std::system_error& e) {
    Fail(e.code().value());
  }
}

void ReportOutput::Write(std::string_view piece) {
  if (to_terminal_) {
    pending_ += ShowControlCharacters(piece);
  } else {
    pending_ += piece;
  }
  if (pending_.size() >= kFlushSize) Flush();
}

void ReportOutput::Flush() {
  const std::string pending = std::move(pending_);
  pending_.clear();
  if (file_) {
    try {
      file_->Write(pending);
    } catch (const std::system_error& e) {
      Fail(e.code().value());
    }
  } else if (own_stdout_) {
    const int error = platform::WriteStandardOutput(pending, CliHost::stop_requested);
    if (error == EINTR) throw ReportOutputError(kReportStoppedText);
    if (error != 0) Fail(error);
  } else {
    errno = 0;
    out_ << pending;
    if (!out_) Fail(errno);
  }
}

void ReportOutput::Commit() {
  Flush();
  if (!file_) {
    if (own_stdout_) return;
    errno = 0;
    out_.flush();
    if (!out_) Fail(errno);
    return;
  }
  try {
    file_->Commit();
  } catch (const std::system_error& e) {
    Fail(e.code().value());
  }
  file_.reset();
}

void ReportOutput::Fail(int error) const {
  const std::string where = path_.empty() ? "standard output" : path_;
  const std::string reason = error != 0 ? std::strerror(error) : "the stream failed";
  throw ReportOutputError("Cannot write the report to " + where + ": " + reason);
}

}  // namespace ledgerly
