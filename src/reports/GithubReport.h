#pragma once

#include <string>

#include "reports/ReportBuilder.h"

namespace ledgerly {

// One workflow command a line, which a CI runner shows as an annotation on the
// submission file: "::error file=…,line=…,col=…,endColumn=…,title=CODE::message"
// per error, then a notice with the totals.
class GithubReport : public ReportBuilder {
 public:
  using ReportBuilder::ReportBuilder;
  void Begin(const ReportSummary& summary) override;
  void RecordGroup(const ErrorRow&) override {}
  void Error(const ErrorRow& row) override;
  void End() override;

 private:
  std::string file_;
  bool line_breaks_ = true;
  std::string totals_;
};

}  // namespace ledgerly
