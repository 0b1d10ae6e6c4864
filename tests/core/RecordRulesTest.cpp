// What the header and detail rules leave besides their findings (those are in the
// rule table): the stored RA record, the employer values and blocks the RE opens,
// the SSN an incomplete sum names.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "rules/RecordRules.h"
#include "support/RuleHarness.h"
#include "support/Submission.h"
#include "support/ValidDetailRecords.h"
#include "support/ValidRecords.h"

namespace ledgerly {
namespace {

using test::Edited;
using test::ValidRA;
using test::ValidRE;

// A valid User ID is masked in the stored record and sets PinOK; the viewer, which
// sees only the mask, must not paint it, but paints an invalid one.
TEST(RecordRules, ValidUserIdIsMaskedInTheStoredRecord) {
  MemoryRuleContext ctx;
  CheckCodeRA(ValidRA(), ctx);
  EXPECT_EQ(ctx.stamps.rec_reference, "123456789");
  EXPECT_EQ(ctx.stamps.pin_ok, true);
  EXPECT_EQ(ctx.stamps.stored_record, Edited(ValidRA(), {{12, "********"}}));

  MemoryRuleContext invalid;
  CheckCodeRA(Edited(ValidRA(), {{3, "ABCDEFGHI"}, {12, "AB#12345"}}), invalid);
  EXPECT_EQ(invalid.stamps.rec_reference, "ABCDEFGHI");  // stamped as read, valid or not
  EXPECT_EQ(invalid.stamps.pin_ok, false);
  EXPECT_FALSE(invalid.stamps.stored_record);

  ViewerRuleContext masked;
  masked.user_id_masked_in_store = true;
  CheckCodeRA(Edited(ValidRA(), {{12, "********"}, {36, "97"}}), masked);
  EXPECT_EQ(masked.fields, (std::set<int>{7}));
  ViewerRuleContext unmasked;
  CheckCodeRA(Edited(ValidRA(), {{12, "ab12cd34"}}), unmasked);
  EXPECT_EQ(unmasked.fields, (std::set<int>{2}));
}

// The employer values the RE leaves for the rest of its block, in the run and the
// viewer, whatever a previous block left.
TEST(RecordRules, REEmployerValuesAreSetAnewForEveryBlock) {
  const std::pair<std::vector<test::Edit>, EmployerValues> cases[] = {
      {{}, {2011, "2011", "R", " ", true, " "}},
      {{{3, "2012"}}, {2012, "2012", "R", " ", true, " "}},  // year out of range
      {{{3, "20A1"}}, {0, "20A1", "R", " ", true, " "}},
      {{{219, "Z"}}, {2011, "2011", "Z", " ", true, " "}},  // invalid employment code
      {{{220, "G"}}, {2011, "2011", "R", "G", true, "G"}},
      {{{220, "X"}}, {2011, "2011", "R", "", false, "X"}},  // invalid jurisdiction
  };
  for (const auto& [edits, want] : cases) {
    MemoryRuleContext run;
    ViewerRuleContext viewer;
    for (RuleContext* ctx : std::initializer_list<RuleContext*>{&run, &viewer}) {
      ctx->block.employer = {1999, "1999", "M", "G", true, "G"};
      CheckCodeRE(Edited(ValidRE(), edits), *ctx);
      const EmployerValues& got = ctx->block.employer;
      EXPECT_EQ(std::tie(got.TaxYear, got.TaxYearText, got.EmploymentCode, got.TaxJurisdiction,
                         got.TaxJurisdictionOK, got.TaxJurisdictionRaw),
                std::tie(want.TaxYear, want.TaxYearText, want.EmploymentCode, want.TaxJurisdiction,
                         want.TaxJurisdictionOK, want.TaxJurisdictionRaw))
          << (ctx == &viewer ? "viewer " : "run ") << want.TaxYearText << want.EmploymentCode
          << want.TaxJurisdictionRaw;
    }
  }
}

// Each RE opens a block keyed by its EIN as read; the RT and
// RU giving the totals of its own RW and RO records draw nothing and are linked to it,
// and the second block's totals start from nothing.
TEST(RecordRules, TotalsOfEachBlockMatchItsOwnRecords) {
  MemoryRuleContext ctx;
  CheckCodeRE(ValidRE(), ctx);
  for (const char* ssn : {"111111111", "222222222"}) {
    CheckCodeRW(Edited(test::ValidRW(), {{3, ssn}}), ctx);
    CheckCodeRO(test::ValidRO(), ctx);
  }
  const std::string rt = test::ValidRT(ctx.block.trt);
  EXPECT_EQ(rt.substr(2, 22), "0000002000000011000000");  // count and two records' wages
  CheckCodeRT(rt, ctx);
  CheckCodeRU(test::ValidRU(ctx.block.tru), ctx);
  EXPECT_TRUE(ctx.findings.empty());
  EXPECT_EQ(ctx.stamps.rec_reference, "123456789");
  EXPECT_EQ(ctx.stamps.re_indx, 1);

  CheckCodeRE(Edited(ValidRE(), {{8, "12345678A"}}), ctx);
  EXPECT_EQ(ctx.block.trt.Indx, 2);
  EXPECT_EQ(ctx.block.tru.RE_EIN, "12345678A");
  EXPECT_EQ(ctx.stamps.rec_reference, "12345678A");
  ctx.findings.clear();
  CheckCodeRW(test::ValidRW(), ctx);
  CheckCodeRT(test::MatchingRT(test::ValidRW(), 1), ctx);
  EXPECT_TRUE(ctx.findings.empty());
  EXPECT_EQ(ctx.stamps.rec_reference, "12345678A");
  EXPECT_EQ(ctx.stamps.re_indx, 2);
}

// Letters in a detail amount make the total's sum incomplete under the SSN of the
// first RW record they were found in (for an RO: the RW before it); the amounts of
// the other records are still summed.
TEST(RecordRules, IncompleteSumNamesTheFirstSsnItWasFoundUnder) {
  MemoryRuleContext ctx;
  ctx.block.employer = test::ValidEmployer();
  ctx.OpenBlock("987654321");
  CheckCodeRW(Edited(test::ValidRW(), {{3, "111111111"}}), ctx);
  CheckCodeRO(test::ValidRO(), ctx);
  for (const char* ssn : {"333333333", "444444444"}) {
    CheckCodeRW(Edited(test::ValidRW(), {{3, ssn}, {199, "0000080000O"}}), ctx);
    CheckCodeRO(Edited(test::ValidRO(), {{12, "ABC"}}), ctx);
  }
  EXPECT_EQ(ctx.stamps.rec_reference, "444444444");
  ctx.findings.clear();
  CheckCodeRT(test::ValidRT(ctx.block.trt), ctx);
  CheckCodeRU(test::ValidRU(ctx.block.tru), ctx);
  const std::string incomplete =
      "The calculated sum is incorrect because of a non-numeric value entered in the ";
  EXPECT_EQ(ctx.findings,
            (std::vector<FoundError>{
                {"Federal Income Tax Withheld [Position 25 - 39]", "[000000000800000]",
                 incomplete + "RW record with SSN#: 333333333.", 3},
                {"Allocated Tips [Position 10 - 24]", "[000000000020000]",
                 incomplete + "RO record with SSN#: 333333333.", 2}}));
}

// Totals before any RE compare with an empty block and link to none.
TEST(RecordRules, TotalsWithoutAnOpenBlockCompareWithNothing) {
  MemoryRuleContext ctx;
  CheckCodeRT(Edited(test::ValidRT(AccumulatorRow{}), {{3, "0000001"}}), ctx);
  EXPECT_FALSE(ctx.stamps.re_indx);
  EXPECT_FALSE(ctx.stamps.rec_reference);
  ASSERT_EQ(ctx.findings.size(), 1u);
  EXPECT_EQ(ctx.findings[0].error,
            "The number of RW records (0) since the last RE record does not equal the value in "
            "the RT record.");
}

}  // namespace
}  // namespace ledgerly
