#include "reports/JsonReport.h"

#include <nlohmann/json.hpp>

#include "layout/RecordLayouts.h"
#include "reports/Diagnoses.h"
#include "reports/RunVerdict.h"
#include "rules/Catalogue.h"

namespace ledgerly {
namespace {

using Json = nlohmann::ordered_json;

// Text that is not valid UTF-8 is written with replacement characters rather
// than failing the whole report.
std::string Dump(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// The field of the finding's entry in the catalogue and its positions; nulls
// for a finding on the file or an entry without a code.
Json FieldOf(const ErrorRow& row, Json error) {
  const Check* check = FindCheck(row.code);
  const auto layout = check ? LayoutFor(check->record_type) : std::span<const FieldLayoutRow>();
  if (check == nullptr || check->field <= 0 || check->field >= static_cast<int>(layout.size())) {
    error["field"] = nullptr;
    error["start"] = nullptr;
    error["end"] = nullptr;
    return error;
  }
  const FieldLayoutRow& field = layout[static_cast<std::size_t>(check->field)];
  error["field"] = check->field;
  error["start"] = field.first;
  error["end"] = field.last;
  return error;
}

}  // namespace

void JsonReport::Begin(const ReportSummary& summary) {
  Json critical = nullptr;
  if (summary.critical) {
    critical = Json{{"rec_num", summary.critical->rec_num}, {"error", summary.critical->error}};
  }
  const std::string_view stopped_by = StopCauseName(StopCauseOf(summary));
  sink_.Write(
      "{\"tool\":" + Dump(Json(kToolName)) + ",\"version\":" + Dump(Json(LEDGERLY_VERSION)) +
      ",\"files\":" + Dump(Json(summary.files)) +
      ",\"report_date\":" + Dump(Json(summary.report_date)) + ",\"critical\":" + Dump(critical) +
      ",\"records_tested\":" + std::to_string(summary.records_tested) +
      ",\"records_with_errors\":" + std::to_string(summary.records_with_errors) +
      ",\"errors_found\":" + std::to_string(summary.errors_found) +
      (summary.run_finished ? "" : ",\"run_finished\":false") +
      ",\"valid\":" + (summary.errors_found == 0 ? "true" : "false") +
      ",\"stopped_by\":" + (stopped_by.empty() ? "null" : Dump(Json(stopped_by))) +
      ",\"complete\":" + (RunComplete(summary) ? "true" : "false") + ",\"records\":[");
}

void JsonReport::RecordGroup(const ErrorRow& first_row) {
  sink_.Write(std::string(in_group_ ? "]},\n" : "\n") +
              "{\"rec_num\":" + std::to_string(first_row.rec_num) +
              ",\"id\":" + Dump(Json(first_row.id)) + ",\"identification\":" +
              Dump(Json(IdentificationText(first_row.id, first_row.rec_reference))) +
              ",\"errors\":[");
  in_group_ = true;
  first_error_in_group_ = true;
}

void JsonReport::Error(const ErrorRow& row) {
  Json error = FieldOf(row, {{"err_num", row.err_num},
                             {"type", row.type},
                             {"reference", row.reference},
                             {"user_entry", row.user_entry},
                             {"error", row.error},
                             {"code", row.code}});
  if (auto bytes = UserEntryBytes(row.user_entry)) error["user_entry_bytes"] = std::move(*bytes);
  sink_.Write((first_error_in_group_ ? "\n" : ",\n") + Dump(error));
  first_error_in_group_ = false;
}

// The summary comes last so that the fields before it keep their places. Error
// texts that name an SSN make one kind per employee, so it is written entry by entry.
void JsonReport::End() {
  sink_.Write(in_group_ ? "]}\n],\"summary\":[" : "],\"summary\":[");
  for (std::size_t i = 0; i < summary_.size(); ++i) {
    const ErrorSummaryRow& row = summary_[i];
    const Json entry{{"count", row.count},
                     {"reference", row.reference},
                     {"error", row.error},
                     {"first_rec_nums", row.first_rec_nums}};
    sink_.Write((i == 0 ? "\n" : ",\n") + Dump(entry));
  }
  sink_.Write("],\"diagnoses\":[");
  for (std::size_t i = 0; i < diagnoses_.size(); ++i) {
    const StoredDiagnosis& d = diagnoses_[i];
    Json explains = Json::array();
    for (const auto& [err_num, code] : d.explains) {
      explains.push_back({{"err_num", err_num}, {"code", code}});
    }
    const Json entry{{"code", d.code},
                     {"file", d.file},
                     {"rec_num", d.rec_num},
                     {"offset", d.offset},
                     {"position", d.position},
                     {"bytes", d.bytes},
                     {"explanation", d.explanation},
                     {"explains", explains}};
    sink_.Write((i == 0 ? "\n" : ",\n") + Dump(entry));
  }
  sink_.Write("]}\n");
}

}  // namespace ledgerly
