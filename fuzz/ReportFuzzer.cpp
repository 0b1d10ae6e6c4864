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

std::string Report(const Database& db, ReportFormat format, int wrap_width) {
  std::string report;
  FunctionSink sink([&](std::string_view piece) { report += piece; });
  WriteReport(db, format, wrap_width, sink);
  return report;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::RunOnBytes(data, size, [&](const Database& db) {
    Report(db, ReportFormat::Text, kDefaultWrapWidth);
    Report(db, ReportFormat::Html, kDefaultWrapWidth);
    Report(db, ReportFormat::Html, size > 0 ? data[0] % 8 : 1);
    const std::string json = Report(db, ReportFormat::Json, kDefaultWrapWidth);
    if (!nlohmann::json::accept(json)) {
      std::fprintf(stderr, "FINDING: the JSON report does not parse\n");
      std::abort();
    }
  });
  return 0;
}
