#include <gtest/gtest.h>

#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "support/RecordBuilder.h"
#include "support/RuleCase.h"
#include "support/ValidRecords.h"

namespace ledgerly {
namespace {

using test::RuleCase;

const std::string kCountRef = "Number of RW Records [Position 8 - 16]";
const std::string kNumeric = "Must be numeric. Right justify and zero fill.";
const std::string kMismatch =
    "The number of RW records in the submission does not equal the value in the RF record.";

// Run with three RW records; ValidRF(3) declares them.
std::vector<RuleCase> RFCases() {
  return {
      {"declared count matches", {}, {}},
      {"declared count too high", {{8, "000000004"}}, {{kCountRef, "[000000004]", kMismatch, 2}}},
      {"declared count zero", {{8, "000000000"}}, {{kCountRef, "[000000000]", kMismatch, 2}}},
      {"declared count blank", {{8, "         "}}, {{kCountRef, "[         ]", kNumeric, 2}}},
      {"declared count left justified",
       {{8, "3        "}},
       {{kCountRef, "[3        ]", kNumeric, 2}}},
      {"declared count with a sign", {{8, "-00000003"}}, {{kCountRef, "[-00000003]", kNumeric, 2}}},
      {"printable characters in the filler",
       {{17, "ABC xyz 123 ~!@#$%^&*()_+{}|:\"<>?`-=[]\\;',./"}},
       {}},
      {"tab in the first filler",
       {{5, "\t"}},
       {{"Blank [Position 3 - 7]", "[  \t  ]", InvalidCharError("5"), 1}}},
      {"bad characters in the last filler",
       {{17, "\x1F"}, {300, "\xFF"}, {512, "\x7F"}},
       {{"Blank [Position 17 - 512]",
         "[\x1F" + std::string(282, ' ') + "\xFF" + std::string(211, ' ') + "\x7F]",
         InvalidCharError("17, 300 and 512"), 3}}},
  };
}

class RulesRF : public testing::TestWithParam<RuleCase> {};

TEST_P(RulesRF, DrawsExactlyTheExpectedFindings) {
  MemoryRuleContext ctx;
  ctx.rw_records = 3;
  CheckCodeRF(test::Edited(test::ValidRF(3), GetParam().edits), ctx);
  EXPECT_EQ(ctx.findings, GetParam().expected);
}

TEST_P(RulesRF, ViewerHighlightsTheSameFields) {
  ViewerRuleContext viewer;
  viewer.stored_rw_records = 3;
  CheckCodeRF(test::Edited(test::ValidRF(3), GetParam().edits), viewer);
  EXPECT_EQ(viewer.highlighted, test::FieldNumbers(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(OneChangePerCase, RulesRF, testing::ValuesIn(RFCases()),
                         [](const auto& info) { return test::CaseName(info.param.name); });

TEST(RulesRFCount, NoRWRecordsAndZeroDeclared) {
  MemoryRuleContext ctx;
  CheckCodeRF(test::ValidRF(0), ctx);
  EXPECT_TRUE(ctx.findings.empty());
}

TEST(RulesRFCount, LargeCountsCompareExactly) {
  MemoryRuleContext ctx;
  ctx.rw_records = 123456789;
  CheckCodeRF(test::ValidRF(123456789), ctx);
  EXPECT_TRUE(ctx.findings.empty());
  ctx.rw_records = 123456788;
  CheckCodeRF(test::ValidRF(123456789), ctx);
  EXPECT_EQ(ctx.findings.size(), 1u);
}

}  // namespace
}  // namespace ledgerly
