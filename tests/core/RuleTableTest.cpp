// The rule table: each row of tests/data/rule-cases.jsonl is a valid record of its
// type with a few characters changed, tested under the row's employer values, and
// exactly the findings it must draw, in order. The viewer must highlight the same
// fields. "sums" are block sum columns the record must leave behind.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "engine/Latin1.h"
#include "support/RecordBuilder.h"
#include "support/RuleHarness.h"

namespace ledgerly {
namespace {

using nlohmann::json;

struct TableRow {
  std::string id;
  std::string name;
  std::string record;
  BlockState state;
  std::vector<FoundError> findings;
  std::map<int, int64_t> sums;  // TRT columns for RW, TRU for RO
};

void PrintTo(const TableRow& row, std::ostream* os) {
  *os << row.id << ": " << row.name;
}

// Texts in the table are UTF-8; records and findings are Latin-1 ('?' for any other).
std::string Bytes(const json& text) {
  return Utf8ToLatin1(text.get<std::string>());
}

BlockState StateOf(const std::string& id, const json& employer) {
  const bool total = id == "RT" || id == "RU";
  BlockState state = total ? test::TotalState() : test::DetailState();
  if (!total && id != "RW" && id != "RO") state.employer = {};
  EmployerValues& e = state.employer;
  e.TaxYear = employer.value("year", e.TaxYear);
  e.TaxYearText = employer.value(
      "year_text", employer.contains("year") ? std::to_string(e.TaxYear) : e.TaxYearText);
  e.EmploymentCode = employer.value("code", e.EmploymentCode);
  e.TaxJurisdiction = employer.value("jurisdiction", e.TaxJurisdiction);
  e.TaxJurisdictionOK = employer.value("jurisdiction_ok", e.TaxJurisdictionOK);
  e.TaxJurisdictionRaw = employer.value("jurisdiction_raw", e.TaxJurisdictionRaw);
  return state;
}

std::vector<TableRow> LoadRows() {
  std::ifstream in(LEDGERLY_TEST_DATA "/rule-cases.jsonl");
  EXPECT_TRUE(in) << "cannot read the rule table";
  std::vector<TableRow> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const json j = json::parse(line);
    TableRow row{j["id"], j["case"], {}, StateOf(j["id"], j.value("employer", json::object())),
                 {},      {}};
    row.record = test::ValidRecordIn(row.id, row.state);
    for (const json& edit : j["edits"]) test::Put(row.record, edit[0], Bytes(edit[1]));
    for (const json& f : j["findings"]) {
      row.findings.push_back({Bytes(f[1]), Bytes(f[2]), Bytes(f[3]), f[0].get<int>()});
    }
    const json sums = j.value("sums", json::object());
    for (const auto& [column, sum] : sums.items()) {
      row.sums[std::stoi(column)] = sum.get<int64_t>();
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

class RuleTable : public testing::TestWithParam<TableRow> {};

TEST_P(RuleTable, DrawsExactlyTheRowsFindings) {
  const TableRow& row = GetParam();
  const MemoryRuleContext run = test::RunBothWays(row.id, row.record, row.state);
  EXPECT_EQ(run.findings, row.findings);
  const AccumulatorRow& block = row.id == "RO" ? run.block.tru : run.block.trt;
  for (const auto& [column, sum] : row.sums) EXPECT_EQ(block.sums[column], sum) << column;
}

INSTANTIATE_TEST_SUITE_P(Rows, RuleTable, testing::ValuesIn(LoadRows()), [](const auto& info) {
  return info.param.id + "_" + test::CaseName(info.param.name);
});

}  // namespace
}  // namespace ledgerly
