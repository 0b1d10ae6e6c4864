// The run at its limits: the largest error limit, record numbers past the
// 16-bit range, and totals that would leave the 64-bit range.
#include <gtest/gtest.h>

#include <limits>

#include "support/DbChecks.h"
#include "support/DbRows.h"
#include "support/RunFixture.h"
#include "support/Submission.h"

namespace ledgerly {
namespace {

using test::QueryRows;
using test::QueryValue;
using Rows = std::vector<std::vector<std::string>>;

using LimitsTest = test::RunFixture;

TEST_F(LimitsTest, LargestErrorLimitStopsWithTheLimitEntryLast) {
  // Some 35 errors in each record: the limit is passed inside record 717 or so.
  std::string content = test::Submission({"RA", "RE"});
  for (int i = 0; i < 1000; ++i) content += "RW" + std::string(510, '*') + "\r\n";
  const RunResult result = RunFile(dir_.Write("faults.txt", content), kMaxErrorLimit);

  EXPECT_EQ(result.outcome, RunOutcome::Critical);
  const std::string last_record = QueryValue(db(), "SELECT MAX(Rec_Num) FROM RECORDS");
  EXPECT_EQ(std::to_string(result.critical_rec_num), last_record);
  const Rows last = QueryRows(db(),
                              "SELECT Rec_Num, Type, Reference, User_Entry, substr(Error, 1, 60) "
                              "FROM ERRORS ORDER BY Err_Num DESC LIMIT 1");
  EXPECT_EQ(last, (Rows{{last_record, "C", "25000 or more Errors in submission", "25000 Errors",
                         "25000 or more errors were encountered. Please correct the er"}}));
  // Reached during the last record, not before it.
  EXPECT_LT(
      std::stoll(QueryValue(db(), "SELECT COUNT(*) FROM ERRORS WHERE Rec_Num < " + last_record)),
      kMaxErrorLimit);
  EXPECT_GT(result.errors, kMaxErrorLimit);
  EXPECT_EQ(test::ResultDatabaseFaults(db()), std::vector<std::string>{});
}

TEST_F(LimitsTest, RecordNumbersPassThe16BitRange) {
  // 33,000 RW records; the 32,768th (record 32,770) is faulty.
  const std::string file = (dir_.path() / "large.txt").string();
  ASSERT_TRUE(test::WriteLargeSubmission(file, 33000, 32768));
  const RunResult result = RunFile(file);

  EXPECT_EQ(result.outcome, RunOutcome::Errors);
  EXPECT_EQ(result.records, 33004);
  EXPECT_EQ(QueryValue(db(), "SELECT MAX(Rec_Num) FROM RECORDS"), "33004");
  // The faulty RW and the RT whose wage total it makes impossible to compare.
  EXPECT_EQ(QueryRows(db(), "SELECT Rec_Num, Errors FROM RECORDS WHERE Errors > 0"),
            (Rows{{"32770", "1"}, {"33003", "1"}}));
  EXPECT_EQ(QueryValue(db(), "SELECT \"0\" FROM TRT"), "33000");
  EXPECT_EQ(test::ResultDatabaseFaults(db()), std::vector<std::string>{});
}

TEST(AccumulatorLimitsTest, SumsStopAtTheLargestValueInsteadOfWrapping) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  MemoryRuleContext ctx;
  ctx.block.trt.sums[3] = kMax - 5;
  ctx.AddToSum(Totals::TRT, 3, 99999999999);
  EXPECT_EQ(ctx.block.trt.sums[3], kMax);
  ctx.AddToSum(Totals::TRT, 3, 1);
  EXPECT_EQ(ctx.block.trt.sums[3], kMax);
  ctx.block.tru.count = kMax;
  ctx.CountInBlock(Totals::TRU);
  EXPECT_EQ(ctx.block.tru.count, kMax);
}

}  // namespace
}  // namespace ledgerly
