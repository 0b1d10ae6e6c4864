#pragma once

#include <string>
#include <string_view>

#include "reports/ReportData.h"

namespace ledgerly {

// The name the machine-read reports give the program that wrote them.
inline constexpr const char* kToolName = "ledgerly-cli";

// Why a run stopped before the end of its submission.
enum class StopCause { None, Critical, ErrorLimit, Interrupt };

// Told from the text of the Critical entry that ended the run (empty: none):
// the error limit and an interruption ("Test Aborted") log Critical entries of
// their own.
StopCause StopCauseOf(std::string_view critical_error);
StopCause StopCauseOf(const ReportSummary& summary);

// "critical", "error_limit", "interrupt"; empty for None.
std::string_view StopCauseName(StopCause cause);

// Every record of the submission was tested: the run neither stopped early
// nor was cut short.
bool RunComplete(const ReportSummary& summary);

// The JSON document written where a JSON report was asked for when nothing
// could be tested: {"tool":…,"version":…,"error":{"message":…,"exit_status":N}}.
std::string JsonFailureDocument(std::string_view message, int exit_status);

}  // namespace ledgerly
