#pragma once

#include <functional>
#include <string_view>
#include <utility>

namespace ledgerly {

// Where a report goes, piece by piece. A report is never held whole: the
// builders hand over one piece per heading, record header and error block.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void Write(std::string_view piece) = 0;
  // Called after each error block has been written. Returning false ends the
  // report there: no further rows are read (the preview's "too large" answer).
  virtual bool ErrorBlockDone() { return true; }
};

// Adapts a plain callback (stdout, a file, a string in tests).
class FunctionSink : public ReportSink {
 public:
  explicit FunctionSink(std::function<void(std::string_view)> write) : write_(std::move(write)) {}
  void Write(std::string_view piece) override { write_(piece); }

 private:
  std::function<void(std::string_view)> write_;
};

}  // namespace ledgerly
