#include "reports/RunVerdict.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>

#include "rules/FileChecks.h"

namespace ledgerly {
namespace {

// The error limit's text, less the limit that starts it.
bool IsErrorLimitText(std::string_view error) {
  const std::string one = ErrorLimitReached(1).error;
  const std::string_view tail = std::string_view(one).substr(1);
  if (error.size() <= tail.size() || !error.ends_with(tail)) return false;
  const std::string_view limit = error.substr(0, error.size() - tail.size());
  return std::all_of(limit.begin(), limit.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

StopCause StopCauseOf(std::string_view critical_error) {
  if (critical_error.empty()) return StopCause::None;
  if (critical_error == TestAborted().error) return StopCause::Interrupt;
  if (IsErrorLimitText(critical_error)) return StopCause::ErrorLimit;
  return StopCause::Critical;
}

StopCause StopCauseOf(const ReportSummary& summary) {
  return summary.critical ? StopCauseOf(summary.critical->error) : StopCause::None;
}

std::string_view StopCauseName(StopCause cause) {
  switch (cause) {
    case StopCause::Critical:
      return "critical";
    case StopCause::ErrorLimit:
      return "error_limit";
    case StopCause::Interrupt:
      return "interrupt";
    case StopCause::None:
      break;
  }
  return {};
}

bool RunComplete(const ReportSummary& summary) {
  return summary.run_finished && StopCauseOf(summary) == StopCause::None;
}

std::string JsonFailureDocument(std::string_view message, int exit_status) {
  const nlohmann::ordered_json document{
      {"tool", kToolName},
      {"version", LEDGERLY_VERSION},
      {"error", {{"message", message}, {"exit_status", exit_status}}}};
  return document.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace ledgerly
