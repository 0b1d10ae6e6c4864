#include "reports/TextReport.h"

namespace ledgerly {
namespace {
constexpr std::string_view kCrLf = "\r\n";
}

std::string RightAlignedCount(int64_t count) {
  const std::string padded = std::string(10, ' ') + std::to_string(count);
  return padded.substr(padded.size() - 10);
}

std::array<std::string, 3> TotalsLines(const ReportSummary& summary) {
  return {RightAlignedCount(summary.records_tested) + " Record(s) tested",
          RightAlignedCount(summary.records_with_errors) + " Record(s) with Error(s)",
          RightAlignedCount(summary.errors_found) + " Error(s) found"};
}

void TextReport::Begin(const ReportSummary& summary) {
  std::string text = "\t" + std::string(kReportHeading);
  text += "\r\n\r\n" + FilesLine(summary) + "\r\n\r\n";
  text += "\r\n\t" + summary.report_date + "\r\n\r\n";
  text += TerminationLead(summary) + TerminationText(summary) + std::string(kCrLf);
  for (const std::string& line : TotalsLines(summary)) text += line + std::string(kCrLf);
  text += kCrLf;
  sink_.Write(text);
}

std::string RecordHeaderText(const ErrorRow& first_row) {
  return "Record number: " + std::to_string(first_row.rec_num) + "    Code: " + first_row.id +
         "    " + IdentificationText(first_row.id, first_row.rec_reference);
}

void TextReport::RecordGroup(const ErrorRow& first_row) {
  sink_.Write("\r\n\t" + RecordHeaderText(first_row) + "\r\n\r\n");
}

void TextReport::Error(const ErrorRow& row) {
  sink_.Write("Err Num: \t\t" + std::to_string(row.err_num) + "\r\n" +  //
              "Reference: \t\t" + row.reference + "\r\n" +              //
              "User Entry: \t\t" + row.user_entry + "\r\n" +            //
              "Error Description: \t" + row.error + "\r\n" +            //
              "\r\n");
}

}  // namespace ledgerly
