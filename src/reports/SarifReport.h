#pragma once

#include <string>

#include "reports/ReportBuilder.h"

namespace ledgerly {

// The results as a SARIF 2.1.0 log, for code-scanning views: the catalogue of
// checks as the driver's rules, and a result per error with its code, its
// message and the field's place in the submission file (the first file of a
// split submission). Streamed: one result per piece.
class SarifReport : public ReportBuilder {
 public:
  using ReportBuilder::ReportBuilder;
  void Begin(const ReportSummary& summary) override;
  void RecordGroup(const ErrorRow&) override {}
  void Error(const ErrorRow& row) override;
  void End() override;

 private:
  std::string uri_;
  bool line_breaks_ = true;
  bool first_ = true;
  std::string properties_;
};

}  // namespace ledgerly
