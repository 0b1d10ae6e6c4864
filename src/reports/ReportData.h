#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ResultReader.h"
#include "engine/Sqlite.h"

namespace ledgerly {

inline constexpr const char* kReportHeading = "LEDGERLY TAX YEAR 2011 ERROR REPORT";

// Everything the report shows before its record groups.
struct ReportSummary {
  std::vector<std::string> files;  // MISC.Path in table order
  std::string report_date;         // RptDate of the first MISC row, as stored
  std::optional<CriticalError> critical;
  int64_t records_tested = 0;  // Rec_Num of the last RECORDS row
  int64_t records_with_errors = 0;
  int64_t errors_found = 0;
  bool run_finished = true;  // false: the run was cut short and its results are incomplete
};

ReportSummary ReadReportSummary(const Database& db);

// The files line's list: the paths joined with "; ".
std::string JoinFiles(const std::vector<std::string>& files);
// "Generated from: " and the files, as every layout heads the report.
std::string FilesLine(const ReportSummary& summary);

// "Execution of Testing was terminated … Record Number N:", the sentence that
// introduces the Critical error wherever the results are shown.
std::string TerminationSentence(int64_t rec_num);

// What the reports say of a run that did not finish.
inline constexpr const char* kUnfinishedRunText =
    "Testing did not finish: the results below are incomplete.";

// The two parts of the termination block, each ending in CR LF; both empty
// when the run was not stopped by a Critical error (the lead says so when the
// run did not finish).
std::string TerminationLead(const ReportSummary& summary);
std::string TerminationText(const ReportSummary& summary);

// One Error entry with the columns of its record that the report shows.
struct ErrorRow {
  int64_t err_num = 0;
  std::string type;  // "C" or empty
  int64_t rec_num = 0;
  std::string reference;
  std::string user_entry;
  std::string error;
  std::string id;
  std::string rec_reference;
  std::string code;  // its entry in the catalogue of checks; empty in older results
};

// Walks ERRORS joined with RECORDS in Rec_Num, Err_Num order, one row at a time.
class ErrorRowReader {
 public:
  explicit ErrorRowReader(const Database& db);
  // Steps to the next row: false at the end.
  bool Next();
  const ErrorRow& row() const { return row_; }
  // True when the current row is the first of its record's group.
  bool StartsGroup() const { return starts_group_; }

 private:
  Statement statement_;
  ErrorRow row_;
  std::optional<int64_t> previous_rec_num_;
  bool starts_group_ = false;
};

// The record header's identification: "EIN: …" for employer-level records with
// a reference, nothing for RF, "SSN: …" otherwise.
std::string IdentificationText(std::string_view id, std::string_view rec_reference);

}  // namespace ledgerly
