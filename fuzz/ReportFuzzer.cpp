// The error report builders on whatever database a run of arbitrary bytes
// leaves: text, HTML at two wrap widths, and JSON that must parse.
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz/FuzzRun.h"
#include "reports/HtmlReport.h"
#include "reports/WriteReport.h"

using namespace ledgerly;

namespace {

std::string Report(ReportFormat format, int wrap_width) {
  std::string report;
  WriteReport(fuzz::ResultDatabase(), format, wrap_width,
              [&](std::string_view piece) { report += piece; });
  return report;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const RunResult result = fuzz::RunOnBytes(data, size);
  if (result.outcome == RunOutcome::Failed) return 0;
  Report(ReportFormat::Text, kDefaultWrapWidth);
  Report(ReportFormat::Html, kDefaultWrapWidth);
  Report(ReportFormat::Html, size > 0 ? data[0] % 8 : 1);
  const std::string json = Report(ReportFormat::Json, kDefaultWrapWidth);
  if (!nlohmann::json::accept(json)) {
    std::fprintf(stderr, "FINDING: the JSON report does not parse\n");
    std::abort();
  }
  return 0;
}
