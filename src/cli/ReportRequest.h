#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/WriteReport.h"

namespace ledgerly {

// One --report of the command line: a format and where it goes.
struct ReportRequest {
  ReportFormat format = ReportFormat::Text;
  std::string path;  // empty: standard output
  ReportMask mask;
};

// "FORMAT" or "FORMAT:PATH" (the format names hold no colon, so a path may);
// nothing when FORMAT is not one of kReportFormatNames.
std::optional<ReportRequest> ParseReportRequest(std::string_view text);

// The requests of the given FORMAT[:PATH] texts, those without a path sent to output ("-" or empty:
// standard output). Throws std::invalid_argument, with the reason, when two
// reports would share one destination.
std::vector<ReportRequest> ResolveReportRequests(const std::vector<std::string>& texts,
                                                 const std::string& output);

// Whether a format masks SSNs and names unless told otherwise: the CI formats,
// whose reports end up on build servers.
bool MasksByDefault(ReportFormat format);

// The mask of each request: mask_list ("ssn,ein,name", "all") when given, else
// the format's default unless no_mask. Throws std::invalid_argument for a bad list.
void SetReportMasks(std::vector<ReportRequest>& requests, const std::string& mask_list,
                    bool no_mask);

// The extension of a report file of the format, without the dot.
std::string_view ReportFileExtension(ReportFormat format);

}  // namespace ledgerly
