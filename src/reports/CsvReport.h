#pragma once

#include <string>
#include <string_view>

#include "reports/ReportBuilder.h"

namespace ledgerly {

// One CSV line per error (RFC 4180: every text field quoted, quotes doubled,
// CR LF), under a header row, written as the rows come so memory stays bounded.
class CsvReport : public ReportBuilder {
 public:
  using ReportBuilder::ReportBuilder;
  void Begin(const ReportSummary& summary) override;
  void RecordGroup(const ErrorRow&) override {}
  void Error(const ErrorRow& row) override;
  void End() override {}
};

// A text field as CSV: quoted, inner quotes doubled. A value a spreadsheet would
// take for a formula (leading =, +, -, @, tab or CR) gets a leading ' so that it
// stays text: the values come from untrusted submissions.
std::string CsvField(std::string_view value);

}  // namespace ledgerly
