#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/ErrorSummary.h"
#include "reports/ReportData.h"

namespace ledgerly {

// What a report hides: reports go to vendors, support desks and CI servers, and
// need not carry every employee's SSN and name.
struct ReportMask {
  bool ssn = false;
  bool ein = false;
  bool name = false;

  bool Any() const { return ssn || ein || name; }
};

// "ssn,ein,name" (any of them) or "all"; nothing for anything else.
std::optional<ReportMask> ParseReportMask(std::string_view list);

// An SSN as "***-**-6789", an EIN as "**-***6789"; a value that is not nine
// characters keeps its length, all but its last four starred.
std::string MaskedSsn(std::string_view ssn);
std::string MaskedEin(std::string_view ein);
// In a field's fixed width: all but the last four starred; a name as its
// initials ("JOHN Q PUBLIC" -> "J.   Q P.    "), its length kept.
std::string StarredKeepingLastFour(std::string_view value);
std::string Initials(std::string_view name);

// Hides what mask names in the row: its record's identification, the user
// entry of an SSN, EIN or name field, and an SSN that an error text names.
void MaskRow(ErrorRow& row, const ReportMask& mask);
// The same for texts that are not of one record.
std::string MaskText(std::string_view text, const ReportMask& mask);
void MaskSummary(ReportSummary& summary, const ReportMask& mask);
void MaskSummaryRows(std::vector<ErrorSummaryRow>& rows, const ReportMask& mask);

}  // namespace ledgerly
