#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "reports/ReportBuilder.h"

namespace ledgerly {

// The plain-text report: tabs and CR LF, counts right-aligned in ten characters.
class TextReport : public ReportBuilder {
 public:
  using ReportBuilder::ReportBuilder;
  void Begin(const ReportSummary& summary) override;
  void RecordGroup(const ErrorRow& first_row) override;
  void Error(const ErrorRow& row) override;
  void End() override {}
};

// Ten blanks before the number, then the last ten characters (a longer
// number keeps only its last ten digits).
std::string RightAlignedCount(int64_t count);

// The three totals lines without their line ends: right-aligned count, a
// blank, "Record(s) tested", "Record(s) with Error(s)", "Error(s) found".
std::array<std::string, 3> TotalsLines(const ReportSummary& summary);

// A record header's line, as the text report and the printout show it:
// "Record number: N    Code: ID    " and the identification.
std::string RecordHeaderText(const ErrorRow& first_row);

}  // namespace ledgerly
