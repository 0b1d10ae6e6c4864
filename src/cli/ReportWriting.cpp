#include "cli/ReportWriting.h"

#include <iostream>
#include <ostream>

#include "cli/CliHost.h"
#include "engine/FailureNotice.h"
#include "engine/ResultClaim.h"
#include "platform/StandardStreams.h"
#include "reports/HtmlReport.h"
#include "reports/RunVerdict.h"
#include "reports/WriteReport.h"

namespace ledgerly {

bool WriteReportTo(const std::filesystem::path& db, const ReportRequest& request,
                   ReportOutput& output, std::ostream& err) {
  const ReportFormat format = request.format;
  try {
    WriteReport(
        db, format, kDefaultWrapWidth,
        [&](std::string_view piece) {
          if (CliHost::stop_requested) throw ReportOutputError(kReportStoppedText);
          output.Write(piece);
        },
        request.mask);
    // A saved text or HTML report ends with one line break, as the desktop program writes it.
    if (format == ReportFormat::Text || format == ReportFormat::Html) output.Write("\r\n");
    output.Commit();
  } catch (const ResultsBeingWritten& e) {
    err << e.what() << '\n';  // not a failure of the file: a plain notice
    return false;
  } catch (const StoreError& e) {
    err << WithoutCarriageReturns(FailureNotice(e.code(), e.what())) << '\n';
    return false;
  } catch (const ReportOutputError& e) {
    err << e.what() << '\n';
    return false;
  }
  return true;
}

std::optional<ReportOutputs> OpenReportOutputs(const std::vector<ReportRequest>& requests,
                                               std::ostream& out, std::ostream& err) {
  ReportOutputs outputs;
  const bool own_stdout = &out == &std::cout;
  for (const ReportRequest& request : requests) {
    try {
      outputs.push_back(std::make_unique<ReportOutput>(
          request.path, out, own_stdout,
          own_stdout && platform::IsTerminal(platform::StandardStream::Output)));
    } catch (const ReportOutputError& e) {
      err << e.what() << '\n';
      return std::nullopt;
    }
  }
  return outputs;
}

bool WriteReports(const std::filesystem::path& database, const std::vector<ReportRequest>& requests,
                  const ReportOutputs& outputs, std::ostream& err) {
  bool written = true;
  for (std::size_t i = 0; i < requests.size(); ++i) {
    written = WriteReportTo(database, requests[i], *outputs[i], err) && written;
  }
  return written;
}

void WriteJsonFailures(const std::vector<ReportRequest>& requests, const ReportOutputs& outputs,
                       const std::string& message, int exit_status, std::ostream& err) {
  for (std::size_t i = 0; i < requests.size(); ++i) {
    if (requests[i].format != ReportFormat::Json) continue;
    try {
      outputs[i]->Write(JsonFailureDocument(message, exit_status));
      outputs[i]->Commit();
    } catch (const ReportOutputError& e) {
      err << e.what() << '\n';
    }
  }
}

}  // namespace ledgerly
