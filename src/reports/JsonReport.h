#pragma once

#include <utility>
#include <vector>

#include "engine/ResultReader.h"
#include "reports/ErrorSummary.h"
#include "reports/ReportBuilder.h"

namespace ledgerly {

// The report as one JSON document (UTF-8). The envelope is written by hand and
// each record header and error as it comes, so memory stays bounded:
//
// {"files":[…],"report_date":"…","critical":{"rec_num":N,"error":"…"}|null,
//  "records_tested":N,"records_with_errors":N,"errors_found":N,"records":[
// {"rec_num":N,"id":"RW","identification":"SSN: …","errors":[
// {"err_num":N,"type":"C"|"","reference":"…","user_entry":"…","error":"…"},
// …]},
// …],"summary":[
// {"count":N,"reference":"…","error":"…","first_rec_nums":[N,…]},
// …],"diagnoses":[
// {"code":"DIAG.…","file":"…","rec_num":N,"offset":N,"position":N,"bytes":"C3 89",
//  "explanation":"…","explains":[{"err_num":N,"code":"…"},…]},
// …]}
// An error whose user entry holds a byte of 0x80 or above also has
// "user_entry_bytes" (hex).
// share/schema/report.schema.json describes it for other programs.
class JsonReport : public ReportBuilder {
 public:
  JsonReport(ReportSink& sink, std::vector<ErrorSummaryRow> summary,
             std::vector<StoredDiagnosis> diagnoses = {})
      : ReportBuilder(sink), summary_(std::move(summary)), diagnoses_(std::move(diagnoses)) {}
  void Begin(const ReportSummary& summary) override;
  void RecordGroup(const ErrorRow& first_row) override;
  void Error(const ErrorRow& row) override;
  void End() override;

 private:
  std::vector<ErrorSummaryRow> summary_;
  std::vector<StoredDiagnosis> diagnoses_;
  bool in_group_ = false;
  bool first_error_in_group_ = true;
};

}  // namespace ledgerly
