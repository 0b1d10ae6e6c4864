#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/ResultReader.h"
#include "reports/ReportBuilder.h"

namespace ledgerly {

// The results as JUnit XML, for the test panels of CI systems: a testsuite per
// employer block (its RE to the next) and one for the submission as a whole
// (RA, RF and the checks of the file), each with a testcase per check of the
// catalogue that applies there, failed when the check found something, with
// the records it found. A clean run is all passing testcases. Each suite is
// written as soon as the walk has passed it; a failure lists at most
// kListedRecords records.
//
// As a part of a batch's document (whole_file_suite given) it writes no
// document of its own: one testsuite of that name with every check.
class JUnitReport : public ReportBuilder {
 public:
  static constexpr int64_t kListedRecords = 50;

  // blocks: the RE records in order, their EINs as the report may show them.
  JUnitReport(ReportSink& sink, std::vector<BlockStart> blocks, std::string whole_file_suite = {})
      : ReportBuilder(sink),
        blocks_(std::move(blocks)),
        whole_file_suite_(std::move(whole_file_suite)) {}
  void Begin(const ReportSummary& summary) override;
  void RecordGroup(const ErrorRow&) override {}
  void Error(const ErrorRow& row) override;
  void End() override;

 private:
  struct Failure {
    int64_t count = 0;
    std::string text;
    std::string lines;
  };
  using Failures = std::map<std::string, Failure>;  // by code

  // Writes the blocks before block; block is then the one whose failures gather.
  void Advance(std::size_t block);
  enum class Scope { Block, File, All };
  void WriteSuite(const std::string& name, Scope scope, const Failures& failures);

  std::vector<BlockStart> blocks_;
  std::string whole_file_suite_;
  std::size_t open_ = 0;     // the block whose failures gather; those before are written
  Failures block_failures_;  // of the open block
  Failures file_failures_;
};

}  // namespace ledgerly
