#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/ReportOutput.h"
#include "cli/ReportRequest.h"

namespace ledgerly {

using ReportOutputs = std::vector<std::unique_ptr<ReportOutput>>;

// Opens every report's destination before the run, so one that cannot be
// written is known at once. Nothing when one cannot be opened (said on err).
std::optional<ReportOutputs> OpenReportOutputs(const std::vector<ReportRequest>& requests,
                                               std::ostream& out, std::ostream& err);

// Streams the report of the results in db to its output. False when it could not.
bool WriteReportTo(const std::filesystem::path& db, const ReportRequest& request,
                   ReportOutput& output, std::ostream& err);

// Writes every report asked for; false when one could not be written.
bool WriteReports(const std::filesystem::path& database, const std::vector<ReportRequest>& requests,
                  const ReportOutputs& outputs, std::ostream& err);

// When nothing could be tested: each JSON report says so in a document of its
// own (the other reports are not written).
void WriteJsonFailures(const std::vector<ReportRequest>& requests, const ReportOutputs& outputs,
                       const std::string& message, int exit_status, std::ostream& err);

}  // namespace ledgerly
