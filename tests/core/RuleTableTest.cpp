// The rule table: each row of tests/data/rule-cases.jsonl is a valid record of its
// type with a few characters changed, tested under the row's employer values, and
// exactly the findings it must draw, in order. The viewer must highlight the same
// fields. "sums" are block sum columns the record must leave behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "engine/Latin1.h"
#include "engine/TestRun.h"
#include "layout/RecordTypes.h"
#include "rules/Catalogue.h"
#include "support/DbRows.h"
#include "support/RecordBuilder.h"
#include "support/RuleHarness.h"
#include "support/ScriptedHost.h"
#include "support/Submission.h"
#include "support/TempFolder.h"

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

// Every finding a record's rules report is drawn from the catalogue: its text is
// the entry's, values filled in.
void CollectCodes(const MemoryRuleContext& run, std::set<std::string>& drawn) {
  for (std::size_t i = 0; i < run.codes.size(); ++i) {
    drawn.insert(run.codes[i]);
    const Check* check = FindCheck(run.codes[i]);
    if (check != nullptr && check->text.find("{}") == std::string::npos) {
      EXPECT_EQ(run.findings[i].error, check->text) << run.codes[i];
    }
  }
}

// Each field a layout marks for a shared check, given what that check refuses: a
// control character, a letter in an amount; a detail amount under a Tax Jurisdiction
// Code that may refuse it; a total that differs from its sum, or whose sum a detail
// record left incomplete.
void DrawLaidOutChecks(std::set<std::string>& drawn) {
  for (const RecordType& type : kRecordTypes) {
    const std::string id(type.id);
    const bool total = id == "RT" || id == "RU";
    BlockState state = total ? test::TotalState() : test::DetailState();
    for (const FieldLayoutRow& row : type.layout) {
      const bool amount =
          row.column != 0 || row.check == FieldCheck::SickPay || row.check == FieldCheck::Count;
      if (row.check != FieldCheck::Characters && !amount) continue;
      const std::string valid = test::ValidRecordIn(id, state);
      std::string record = valid;
      test::Put(record, row.first, amount ? "X" : "\x01");
      CollectCodes(test::RunBothWays(id, record, state), drawn);
      if (!amount) continue;
      BlockState other = state;
      record = valid;
      if (total) {
        // Another total; then the right one, but its sum left incomplete.
        test::Put(record, row.last, valid[row.last - 1] == '9' ? "8" : "9");
        CollectCodes(test::RunBothWays(id, record, state), drawn);
        record = valid;
        other.Row(id == "RT" ? Totals::TRT : Totals::TRU).err_refs.fill("123456789");
      } else {
        test::Put(record, row.last, "1");
        other.employer.TaxJurisdictionOK = true;
      }
      for (const char* code : {"P", "G"}) {
        if (!total) other.employer.TaxJurisdiction = other.employer.TaxJurisdictionRaw = code;
        CollectCodes(test::RunBothWays(id, record, other), drawn);
      }
    }
  }
}

// The findings on the file: whole runs of submissions that break the order of
// records, end early or fail, and every input of the fuzzers' corpus.
void DrawFileChecks(std::set<std::string>& drawn) {
  const std::unique_ptr<ResultStore> store = ResultStore::CreateInMemory();
  const auto run = [&](std::deque<std::string> files, int stop_at_record_call = -1) {
    test::ScriptedHost host;
    host.files = std::move(files);
    host.stop_at_record_call = stop_at_record_call;
    TestRun(host, *store, 2, false).ReadFile();
    for (const auto& row : test::QueryRows(store->database(), "SELECT Code FROM ERRORS")) {
      drawn.insert(row[0]);
    }
  };
  test::TempFolder dir;
  const std::vector<std::vector<std::string>> submissions = {
      {"RA", "RX"},
      {"RA", "RE", "RX"},
      {"RA", "RE", "RW", "RO", "RO"},
      {"RA", "RE", "RW", "RO", "RT", "RF"},
      {"RA", "RE", "RW", "RO", "RT", "RU", "RW"},
      {"RA", "RE", "RW", "RS", "RT", "RV", "RW"},
  };
  for (const auto& ids : submissions) run({dir.Write("order.txt", test::Submission(ids))});
  const std::string whole =
      dir.Write("whole.txt", test::Submission({"RA", "RE", "RW", "RT", "RF"}));
  run({whole}, 3);
  run({dir.Write("part.txt", test::Submission({"RA", "RE", "RW"})), "/proc/self/mem"});
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(LEDGERLY_TEST_DATA) / "corpus")) {
    run(test::WriteSubmissionFiles(dir, test::ReadFileText(entry.path())));
  }
}

TEST(Catalogue, EveryEntryIsDrawnAndNoFindingIsOutsideIt) {
  std::set<std::string> codes;
  for (const Check& check : AllChecks()) {
    EXPECT_TRUE(codes.insert(check.code).second) << check.code << " is in the catalogue twice";
  }
  std::set<std::string> drawn;
  for (const TableRow& row : LoadRows()) {
    CollectCodes(test::RunBothWays(row.id, row.record, row.state), drawn);
  }
  DrawLaidOutChecks(drawn);
  DrawFileChecks(drawn);
  for (const std::string& code : drawn)
    EXPECT_TRUE(codes.count(code)) << code << " is not in the catalogue";
  for (const std::string& code : codes)
    EXPECT_TRUE(drawn.count(code)) << code << " is drawn by no case";
}

}  // namespace
}  // namespace ledgerly
