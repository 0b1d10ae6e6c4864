#pragma once

#include <vector>

#include "reports/ErrorSummary.h"
#include "reports/ReportSink.h"

namespace ledgerly {

// The error summary as a plain table for a terminal: a heading line, then one
// line per kind of error with the columns aligned, LF line ends.
void WriteSummaryTable(const std::vector<ErrorSummaryRow>& rows, ReportSink& sink);

// The record numbers of a summary row, joined with ", ".
std::string JoinRecNums(const std::vector<int64_t>& rec_nums);

}  // namespace ledgerly
