#include "cli/ReportOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ostream>

namespace ledgerly {

std::string ShowControlCharacters(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7f) {
      shown += '^';
      shown += static_cast<char>(u ^ 0x40);
    } else {
      shown += c;
    }
  }
  return shown;
}

ReportOutput::ReportOutput(const std::string& path, std::ostream& out, bool to_terminal)
    : path_(path), out_(out), to_terminal_(to_terminal && path.empty()) {
  if (path_.empty()) return;
  std::error_code ec;
  if (std::filesystem::is_directory(path_, ec)) Fail(EISDIR);
  const std::filesystem::path target(path_);
  std::string pattern =
      (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) Fail(errno);
  temp_path_ = pattern;
  // mkstemp makes it private; a report gets the permissions of any new file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int error = errno;
    ::close(fd);
    Fail(error);
  }
}

ReportOutput::~ReportOutput() {
  if (file_) std::fclose(file_);
  if (!temp_path_.empty()) {
    std::error_code ec;
    std::filesystem::remove(temp_path_, ec);
  }
}

void ReportOutput::Write(std::string_view piece) {
  if (file_) {
    if (std::fwrite(piece.data(), 1, piece.size(), file_) != piece.size()) Fail(errno);
    return;
  }
  errno = 0;
  if (to_terminal_) {
    out_ << ShowControlCharacters(piece);
  } else {
    out_ << piece;
  }
  if (!out_) Fail(errno);
}

void ReportOutput::Commit() {
  if (!file_) {
    errno = 0;
    out_.flush();
    if (!out_) Fail(errno);
    return;
  }
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fflush(file) != 0 || ::fsync(::fileno(file)) != 0) {
    const int error = errno;
    std::fclose(file);
    Fail(error);
  }
  if (std::fclose(file) != 0) Fail(errno);
  std::error_code ec;
  std::filesystem::rename(temp_path_, path_, ec);
  if (ec) Fail(ec.value());
  temp_path_.clear();
}

void ReportOutput::Fail(int error) const {
  const std::string where = path_.empty() ? "standard output" : path_;
  const std::string reason = error != 0 ? std::strerror(error) : "the stream failed";
  throw ReportOutputError("Cannot write the report to " + where + ": " + reason);
}

}  // namespace ledgerly
