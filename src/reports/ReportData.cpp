#include "reports/ReportData.h"

#include "layout/RecordTypes.h"
#include "reports/Utf8Text.h"

namespace ledgerly {
namespace {

// Only the columns the report shows; RECORDS.Record stays unread. Results written
// before findings had codes have no Code column: their codes read as empty.
std::string ErrorRowsSql(const Database& db) {
  Statement has_code(db, "SELECT COUNT(*) FROM pragma_table_info('ERRORS') WHERE name = 'Code'");
  has_code.Step();
  return std::string(
             "SELECT Err_Num, Type, ERRORS.Rec_Num, Reference, User_Entry, Error, ID, "
             "RecReference, ") +
         (has_code.Int(0) != 0 ? "Code" : "NULL") +
         " FROM ERRORS INNER JOIN RECORDS ON ERRORS.Rec_Num = RECORDS.Rec_Num "
         "ORDER BY ERRORS.Rec_Num, Err_Num";
}

}  // namespace

ReportSummary ReadReportSummary(const Database& db) {
  const ResultReader reader(db);
  ReportSummary summary;
  // A file's name is whatever bytes the system allows; the reports are UTF-8.
  for (const std::string& file : reader.TestedFiles()) {
    summary.files.push_back(EscapeInvalidUtf8(file));
  }
  summary.report_date = reader.ReportDate();
  summary.critical = reader.CriticalEntry();
  summary.records_tested = reader.RecordCount();
  summary.records_with_errors = reader.RecordsWithErrors();
  summary.errors_found = reader.ErrorCount();
  summary.run_finished = reader.RunFinished();
  return summary;
}

std::string JoinFiles(const std::vector<std::string>& files) {
  std::string joined;
  for (const std::string& file : files) {
    if (!joined.empty()) joined += "; ";
    joined += file;
  }
  return joined;
}

std::string FilesLine(const ReportSummary& summary) {
  return "Generated from: " + JoinFiles(summary.files);
}

std::string TerminationSentence(int64_t rec_num) {
  return "Execution of Testing was terminated due to the Critical Error in Record Number " +
         std::to_string(rec_num) + ":";
}

std::string TerminationLead(const ReportSummary& summary) {
  if (!summary.critical)
    return summary.run_finished ? "" : std::string(kUnfinishedRunText) + "\r\n";
  return TerminationSentence(summary.critical->rec_num) + "  \r\n";
}

std::string TerminationText(const ReportSummary& summary) {
  if (!summary.critical) return {};
  return summary.critical->error + "\r\n";
}

ErrorRowReader::ErrorRowReader(const Database& db) : statement_(db, ErrorRowsSql(db)) {}

bool ErrorRowReader::Next() {
  if (!statement_.Step()) return false;
  row_.err_num = statement_.Int(0);
  row_.type = statement_.Text(1);
  row_.rec_num = statement_.Int(2);
  row_.reference = statement_.Text(3);
  row_.user_entry = statement_.Text(4);
  row_.error = statement_.Text(5);
  row_.id = statement_.Text(6);
  row_.rec_reference = statement_.Text(7);
  row_.code = statement_.Text(8);
  starts_group_ = !previous_rec_num_ || *previous_rec_num_ != row_.rec_num;
  previous_rec_num_ = row_.rec_num;
  return true;
}

std::string IdentificationText(std::string_view id, std::string_view rec_reference) {
  const RecordType* type = FindRecordType(id);
  const Identification identification = type ? type->identification : Identification::Ssn;
  if (identification == Identification::Ein && !rec_reference.empty()) {
    return "EIN: " + std::string(rec_reference);
  }
  if (identification == Identification::None) return {};
  return "SSN: " + std::string(rec_reference);
}

}  // namespace ledgerly
