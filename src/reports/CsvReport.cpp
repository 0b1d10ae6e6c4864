#include "reports/CsvReport.h"

#include "reports/Diagnoses.h"

namespace ledgerly {

std::string CsvField(std::string_view value) {
  std::string field = "\"";
  if (!value.empty() &&
      std::string_view("=+-@\t\r").find(value.front()) != std::string_view::npos) {
    field += '\'';
  }
  for (const char c : value) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

void CsvReport::Begin(const ReportSummary&) {
  sink_.Write(
      "rec_num,id,identification,err_num,type,reference,user_entry,error,code,user_entry_"
      "bytes\r\n");
}

void CsvReport::Error(const ErrorRow& row) {
  sink_.Write(std::to_string(row.rec_num) + ',' + CsvField(row.id) + ',' +
              CsvField(IdentificationText(row.id, row.rec_reference)) + ',' +
              std::to_string(row.err_num) + ',' + CsvField(row.type) + ',' +
              CsvField(row.reference) + ',' + CsvField(row.user_entry) + ',' + CsvField(row.error) +
              ',' + CsvField(row.code) + ',' +
              CsvField(UserEntryBytes(row.user_entry).value_or("")) + "\r\n");
}

}  // namespace ledgerly
