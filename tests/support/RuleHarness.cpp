#include "support/RuleHarness.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <tuple>
#include <utility>

#include "rules/RecordRules.h"
#include "support/RecordBuilder.h"
#include "support/ValidDetailRecords.h"
#include "support/ValidRecords.h"

namespace ledgerly {

void PrintTo(const FoundError& finding, std::ostream* os) {
  *os << "{" << finding.field_no << ", " << testing::PrintToString(finding.reference) << ", "
      << testing::PrintToString(finding.user_entry) << ", " << testing::PrintToString(finding.error)
      << "}";
}

namespace test {

namespace {
constexpr int64_t kRWRecords = 3;
}  // namespace

std::string Edited(std::string record, const std::vector<Edit>& edits) {
  for (const Edit& edit : edits) Put(record, edit.position, edit.text);
  return record;
}

std::string CaseName(const std::string& name) {
  std::string out;
  for (char c : name) out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return out;
}

BlockState DetailState() {
  BlockState state{ValidEmployer(), "123456789", {}, {}};
  for (AccumulatorRow* row : {&state.trt, &state.tru}) {
    row->Indx = 1;
    row->RE_EIN = "987654321";
  }
  return state;
}

BlockState TotalState() {
  BlockState state = DetailState();
  for (AccumulatorRow* row : {&state.trt, &state.tru}) {
    row->count = 2;
    for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
      row->sums[column] = 100000 + column;
    }
  }
  return state;
}

std::string ValidRecordIn(const std::string& id, const BlockState& state) {
  if (id == "RA") return ValidRA();
  if (id == "RE") return ValidRE();
  if (id == "RF") return ValidRF(kRWRecords);
  if (id == "RT") return ValidRT(state.trt);
  if (id == "RU") return ValidRU(state.tru);
  return id == "RW" ? ValidRW() : ValidRO();
}

MemoryRuleContext RunBothWays(std::string_view id, const std::string& record,
                              const BlockState& state) {
  MemoryRuleContext run;
  run.block = state;
  run.rw_records = kRWRecords;
  CheckRecordFields(id, record, run);

  ViewerRuleContext viewer;
  viewer.block = state;
  viewer.rw_records = kRWRecords;
  CheckRecordFields(id, record, viewer);
  std::set<int> reported;
  for (const FoundError& finding : run.findings) reported.insert(finding.field_no);
  EXPECT_EQ(viewer.fields, reported) << "viewer highlights";
  return run;
}

}  // namespace test
}  // namespace ledgerly
