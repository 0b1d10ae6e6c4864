#pragma once

#include "reports/ReportData.h"
#include "reports/ReportSink.h"

namespace ledgerly {

// One report layout. The walk over the database (WriteReport) calls Begin once,
// RecordGroup before the first error of each record, Error for every row, and
// End unless the sink ended the report early.
class ReportBuilder {
 public:
  explicit ReportBuilder(ReportSink& sink) : sink_(sink) {}
  virtual ~ReportBuilder() = default;

  virtual void Begin(const ReportSummary& summary) = 0;
  virtual void RecordGroup(const ErrorRow& first_row) = 0;
  virtual void Error(const ErrorRow& row) = 0;
  virtual void End() = 0;

 protected:
  ReportSink& sink_;
};

}  // namespace ledgerly
