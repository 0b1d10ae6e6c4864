#include "reports/SarifReport.h"

#include <nlohmann/json.hpp>
#include <unordered_map>

#include "reports/CiSupport.h"
#include "reports/RunVerdict.h"

namespace ledgerly {
namespace {

using Json = nlohmann::ordered_json;

std::string Dump(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json Rule(const Check& check) {
  Json properties{{"severity", SeverityName(check.severity)}};
  if (!check.record_type.empty()) properties["record"] = check.record_type;
  if (check.field > 0) properties["field"] = check.field;
  return {{"id", check.code},
          {"shortDescription", {{"text", check.text}}},
          {"defaultConfiguration", {{"level", "error"}}},
          {"properties", properties}};
}

// The place of each code among the driver's rules.
const std::unordered_map<std::string, std::size_t>& RuleIndexes() {
  static const std::unordered_map<std::string, std::size_t> indexes = [] {
    std::unordered_map<std::string, std::size_t> map;
    for (std::size_t i = 0; i < AllChecks().size(); ++i) map.emplace(AllChecks()[i].code, i);
    return map;
  }();
  return indexes;
}

}  // namespace

void SarifReport::Begin(const ReportSummary& summary) {
  uri_ = summary.files.empty() ? std::string() : FileUri(summary.files.front());
  line_breaks_ = summary.files.empty() || HasLineBreaks(summary.files.front());
  const std::string_view stopped_by = StopCauseName(StopCauseOf(summary));
  properties_ = Dump(Json{{"files", summary.files},
                          {"records_tested", summary.records_tested},
                          {"errors_found", summary.errors_found},
                          {"valid", summary.errors_found == 0},
                          {"stopped_by", stopped_by.empty() ? Json(nullptr) : Json(stopped_by)},
                          {"complete", RunComplete(summary)}});
  Json rules = Json::array();
  for (const Check& check : AllChecks()) rules.push_back(Rule(check));
  const Json driver{{"name", kToolName},
                    {"version", LEDGERLY_VERSION},
                    {"semanticVersion", LEDGERLY_VERSION},
                    {"rules", rules}};
  sink_.Write(R"({"$schema":"https://json.schemastore.org/sarif-2.1.0.json","version":"2.1.0",)"
              R"("runs":[{"tool":{"driver":)" +
              Dump(driver) + R"(},"columnKind":"unicodeCodePoints","results":[)");
}

void SarifReport::Error(const ErrorRow& row) {
  const FilePlace place = PlaceOf(row, line_breaks_);
  Json region{{"startLine", place.line},
              {"startColumn", place.first_column},
              {"endColumn", place.last_column + 1}};
  Json result{
      {"level", "error"},
      {"message", {{"text", FindingMessage(row)}}},
      {"locations",
       {{{"physicalLocation", {{"artifactLocation", {{"uri", uri_}}}, {"region", region}}}}}},
      {"partialFingerprints", {{"ledgerlyFinding/v1", Fingerprint(row)}}}};
  if (const auto it = RuleIndexes().find(row.code); it != RuleIndexes().end()) {
    result["ruleId"] = row.code;
    result["ruleIndex"] = it->second;
  }
  sink_.Write((first_ ? "\n" : ",\n") + Dump(result));
  first_ = false;
}

void SarifReport::End() {
  sink_.Write("],\"properties\":" + properties_ + "}]}\n");
}

}  // namespace ledgerly
