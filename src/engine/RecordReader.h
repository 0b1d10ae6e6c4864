#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Cuts a submission file into records: 512 bytes each, or fewer where a line
// break (CR or LF) comes first; line breaks between records are skipped, so
// records may be written one a line or back to back. The file is read in blocks.
namespace ledgerly {

// The file failed while being read.
struct SubmissionReadFailure {};

class RecordReader {
 public:
  // Opens the file. Throws std::system_error for a folder, a device, socket or
  // FIFO (but standard input from a pipe, read to its end), or a file that
  // cannot be opened.
  explicit RecordReader(const std::string& path);

  // The next record into record; false at the end of the file. Throws
  // SubmissionReadFailure when reading fails.
  bool Next(std::string& record);

  // The size of the file when it was opened; 0 for piped standard input.
  uint64_t size() const { return size_; }
  // The bytes read up to the end of the record last returned.
  uint64_t bytes_read() const { return bytes_read_; }
  // Where the record last returned ends in the file.
  uint64_t record_end() const { return block_offset_ + record_end_; }
  // The bytes after the record last returned, from the line break that ended
  // it, as far as the block already read goes; nothing is read for them.
  std::string_view Following() const { return {block_.get() + record_end_, got_ - record_end_}; }

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  std::unique_ptr<std::FILE, Closer> file_;
  uint64_t size_ = 0;
  std::unique_ptr<char[]> block_;
  std::size_t block_size_ = 0;
  std::size_t got_ = 0;         // bytes in the block
  std::size_t next_ = 0;        // the first byte of the block not yet taken
  uint64_t block_offset_ = 0;   // of the block in the file
  std::size_t record_end_ = 0;  // in the block, of the record last returned
  uint64_t bytes_read_ = 0;
};

}  // namespace ledgerly
