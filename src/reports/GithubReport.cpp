#include "reports/GithubReport.h"

#include "reports/CiSupport.h"
#include "reports/RunVerdict.h"

namespace ledgerly {
namespace {

// The runner reads %, CR and LF as escapes in a message, and also : and , in
// a property's value.
std::string Escaped(std::string_view text, bool property) {
  std::string escaped;
  for (const char c : text) {
    if (c == '%') {
      escaped += "%25";
    } else if (c == '\r') {
      escaped += "%0D";
    } else if (c == '\n') {
      escaped += "%0A";
    } else if (property && c == ':') {
      escaped += "%3A";
    } else if (property && c == ',') {
      escaped += "%2C";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

void GithubReport::Begin(const ReportSummary& summary) {
  file_ = summary.files.empty() ? std::string() : summary.files.front();
  line_breaks_ = file_.empty() || HasLineBreaks(file_);
  const std::string_view stopped_by = StopCauseName(StopCauseOf(summary));
  totals_ = std::to_string(summary.records_tested) + " records tested, " +
            std::to_string(summary.records_with_errors) + " with errors, " +
            std::to_string(summary.errors_found) + " errors" +
            (stopped_by.empty() ? "" : ", stopped by " + std::string(stopped_by));
}

void GithubReport::Error(const ErrorRow& row) {
  const FilePlace place = PlaceOf(row, line_breaks_);
  sink_.Write("::error file=" + Escaped(file_, true) + ",line=" + std::to_string(place.line) +
              ",col=" + std::to_string(place.first_column) +
              ",endColumn=" + std::to_string(place.last_column) +
              ",title=" + Escaped(row.code.empty() ? row.reference : row.code, true) +
              "::" + Escaped(FindingMessage(row), false) + "\n");
}

void GithubReport::End() {
  sink_.Write("::notice title=" + std::string(kToolName) + "::" + Escaped(totals_, false) + "\n");
}

}  // namespace ledgerly
