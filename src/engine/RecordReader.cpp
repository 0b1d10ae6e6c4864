#include "engine/RecordReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/FileNames.h"
#include "engine/TestRun.h"
#include "layout/RecordLayouts.h"
#include "platform/InputFile.h"
#include "platform/StandardStreams.h"

namespace ledgerly {
namespace {

constexpr std::size_t kReadBlock = 1 << 20;

}  // namespace

RecordReader::RecordReader(const std::string& path) {
  const std::filesystem::path file_name = PathOf(path);
  std::error_code ec;
  if (std::filesystem::is_directory(file_name, ec))
    throw std::system_error(EISDIR, std::generic_category(), path);
  // Standard input may be a pipe: it has no size but is read to its end all the same.
  // Other pipes and devices are refused: /dev/zero would never end.
  // Where the system has no name for standard input (Windows), it is read the same way.
  const bool standard_input = path == kStandardInput;
  const bool piped_input = standard_input && (platform::IsPipe(platform::StandardStream::Input) ||
                                              !std::filesystem::exists(file_name, ec));
  const auto status = std::filesystem::status(file_name, ec);
  if (!ec && !std::filesystem::is_regular_file(status) && !piped_input) {
    throw std::system_error(EINVAL, std::generic_category(),
                            path + " is not a regular file (a device, FIFO or socket)");
  }
  if (!piped_input) {
    size_ = std::filesystem::file_size(file_name, ec);
    if (ec) throw std::system_error(ec, path);
  }
  file_.reset(standard_input ? platform::OpenStandardInput() : platform::OpenInputFile(file_name));
  if (!file_) throw std::system_error(errno, std::generic_category(), path);
  // Not zero-filled: only what fread delivered is looked at. A small file gets a
  // small block (its size may still change while it is read, so at least 4 KiB).
  block_size_ = piped_input
                    ? kReadBlock
                    : static_cast<std::size_t>(std::clamp<uint64_t>(size_ + 1, 4096, kReadBlock));
  block_.reset(new char[block_size_]);
}

bool RecordReader::Next(std::string& record) {
  record.clear();
  for (;;) {
    if (next_ == got_) {
      block_offset_ += got_;
      next_ = 0;
      got_ = std::fread(block_.get(), 1, block_size_, file_.get());
      if (got_ == 0) {
        if (std::ferror(file_.get())) throw SubmissionReadFailure{};
        bytes_read_ = block_offset_;
        record_end_ = 0;
        // The last record of the file may be short.
        return !record.empty();
      }
    }
    while (next_ < got_) {
      if (block_[next_] == '\r' || block_[next_] == '\n') {
        ++next_;
        if (record.empty()) continue;
        record_end_ = next_ - 1;
      } else {
        // Take the run of ordinary characters up to a line break or a full record.
        // memchr finds the line breaks many characters at a time; most records hold none.
        // The block is bytes, not a C string: no terminator is wanted.
        // NOLINTBEGIN(bugprone-not-null-terminated-result)
        const char* const from = block_.get() + next_;
        std::size_t run = std::min(got_, next_ + (kRecordLength - record.size())) - next_;
        if (const void* lf = std::memchr(from, '\n', run))
          run = static_cast<const char*>(lf) - from;
        if (const void* cr = std::memchr(from, '\r', run))
          run = static_cast<const char*>(cr) - from;
        // NOLINTEND(bugprone-not-null-terminated-result)
        record.append(from, run);
        next_ += run;
        if (record.size() < kRecordLength) continue;
        record_end_ = next_;
      }
      bytes_read_ = block_offset_ + next_;
      return true;
    }
  }
}

}  // namespace ledgerly
