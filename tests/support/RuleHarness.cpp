#include "support/RuleHarness.h"

#include <gtest/gtest.h>

#include "support/RuleCase.h"
#include "support/ValidDetailRecords.h"
#include "totals/TotalRecords.h"

namespace ledgerly::test {

namespace {
constexpr char kSsn[] = "123456789";
constexpr int64_t kRWRecords = 3;

void ExpectUnchanged(const AccumulatorRow& after, const AccumulatorRow& before) {
  EXPECT_EQ(after.count, before.count);
  EXPECT_EQ(after.sums, before.sums);
  EXPECT_EQ(after.err_refs, before.err_refs);
}
}  // namespace

RuleState DetailState() {
  RuleState state{ValidEmployer(), {}, {}};
  for (AccumulatorRow* row : {&state.trt, &state.tru}) {
    row->Indx = 1;
    row->RE_EIN = "987654321";
  }
  return state;
}

AccumulatorRow SampleBlockRow() {
  AccumulatorRow row;
  row.Indx = 1;
  row.RE_EIN = "987654321";
  row.count = 2;
  for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
    row.sums[column] = 100000 + column;
  }
  return row;
}

RuleState TotalState() {
  return {ValidEmployer(), SampleBlockRow(), SampleBlockRow()};
}

RuleRun RunBothWays(std::string_view id, const std::string& record, const RuleState& state) {
  const BlockState block{state.employer, kSsn, state.trt, state.tru};
  MemoryRuleContext run;
  run.block = block;
  run.rw_records = kRWRecords;
  CheckRecordFields(id, record, run);

  ViewerRuleContext viewer;
  viewer.block = block;
  viewer.stored_rw_records = kRWRecords;
  CheckRecordFields(id, record, viewer);
  EXPECT_EQ(viewer.highlighted, FieldNumbers(run.findings)) << "viewer highlights";
  ExpectUnchanged(viewer.block.trt, state.trt);
  ExpectUnchanged(viewer.block.tru, state.tru);
  return {run.findings, run.block.trt, run.block.tru, run.rec_reference};
}

}  // namespace ledgerly::test
