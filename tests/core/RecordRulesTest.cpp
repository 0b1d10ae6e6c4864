// What the header and detail rules leave besides their findings (those are in the
// rule table): the stored RA record, the employer values and blocks the RE opens,
// the SSN an incomplete sum names.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "rules/RecordRules.h"
#include "support/RecordBuilder.h"
#include "support/RuleCase.h"
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
  EXPECT_EQ(ctx.rec_reference, "123456789");
  EXPECT_TRUE(ctx.pin_ok);
  EXPECT_EQ(ctx.stored_record, Edited(ValidRA(), {{12, "********"}}));

  MemoryRuleContext invalid;
  invalid.pin_ok = true;
  CheckCodeRA(Edited(ValidRA(), {{3, "ABCDEFGHI"}, {12, "AB#12345"}}), invalid);
  EXPECT_EQ(invalid.rec_reference, "ABCDEFGHI");  // stamped as read, valid or not
  EXPECT_FALSE(invalid.pin_ok);
  EXPECT_TRUE(invalid.stored_record.empty());

  ViewerRuleContext masked;
  masked.stored_pin_ok = true;
  CheckCodeRA(Edited(ValidRA(), {{12, "********"}, {36, "97"}}), masked);
  EXPECT_EQ(masked.highlighted, (std::set<int>{7}));
  ViewerRuleContext unmasked;
  CheckCodeRA(Edited(ValidRA(), {{12, "ab12cd34"}}), unmasked);
  EXPECT_EQ(unmasked.highlighted, (std::set<int>{2}));
}

// The employer values the RE leaves for the rest of its block, in the run and the viewer.
struct EmployerCase {
  const char* name;
  std::vector<test::Edit> edits;
  EmployerValues expected;
};

void PrintTo(const EmployerCase& c, std::ostream* os) {
  *os << c.name;
}

class REEmployerValues : public testing::TestWithParam<EmployerCase> {};

TEST_P(REEmployerValues, AreSetAnewForEveryBlock) {
  const std::string record = Edited(ValidRE(), GetParam().edits);
  const EmployerValues& want = GetParam().expected;
  MemoryRuleContext run;
  ViewerRuleContext viewer;
  for (RuleContext* ctx : std::initializer_list<RuleContext*>{&run, &viewer}) {
    SCOPED_TRACE(ctx == &viewer ? "viewer" : "test run");
    ctx->employer = {1999, "1999", "M", "G", true, "G"};  // left by a previous block
    CheckCodeRE(record, *ctx);
    const EmployerValues& got = ctx->employer;
    EXPECT_EQ(std::tie(got.TaxYear, got.TaxYearText, got.EmploymentCode, got.TaxJurisdiction,
                       got.TaxJurisdictionOK, got.TaxJurisdictionRaw),
              std::tie(want.TaxYear, want.TaxYearText, want.EmploymentCode, want.TaxJurisdiction,
                       want.TaxJurisdictionOK, want.TaxJurisdictionRaw));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, REEmployerValues,
    testing::Values(
        EmployerCase{"valid", {}, {2011, "2011", "R", " ", true, " "}},
        EmployerCase{"year out of range", {{3, "2012"}}, {2012, "2012", "R", " ", true, " "}},
        EmployerCase{"year with a letter", {{3, "20A1"}}, {0, "20A1", "R", " ", true, " "}},
        EmployerCase{"invalid employment code", {{219, "Z"}}, {2011, "2011", "Z", " ", true, " "}},
        EmployerCase{"Guam", {{220, "G"}}, {2011, "2011", "R", "G", true, "G"}},
        EmployerCase{"invalid jurisdiction", {{220, "X"}}, {2011, "2011", "R", "", false, "X"}}),
    [](const auto& info) { return test::CaseName(info.param.name); });

TEST(RecordRules, EachREOpensABlockKeyedByItsEINAsRead) {
  MemoryRuleContext ctx;
  CheckCodeRE(ValidRE(), ctx);
  CheckCodeRE(Edited(ValidRE(), {{8, "12345678A"}}), ctx);
  EXPECT_EQ(ctx.trt.Indx, 2);
  EXPECT_EQ(ctx.trt.RE_EIN, "12345678A");
  EXPECT_EQ(ctx.tru.RE_EIN, "12345678A");
  EXPECT_EQ(ctx.rec_reference, "12345678A");
  EXPECT_EQ(ctx.re_indx, 2);

  ViewerRuleContext viewer;
  CheckCodeRE(ValidRE(), viewer);
  EXPECT_EQ(viewer.trt.Indx, 0);
}

// A sum made incomplete by letters names the first such SSN of its block.
TEST(RecordRules, FirstNonNumericSsnOfTheBlockIsKept) {
  MemoryRuleContext ctx;
  ctx.employer = test::ValidEmployer();
  ctx.OpenBlock("987654321");
  for (const char* ssn : {"111111111", "222222222"}) {
    CheckCodeRW(Edited(test::ValidRW(), {{3, ssn}, {210, "ABCDEFGHIJK"}}), ctx);
  }
  CheckCodeRW(test::ValidRW(), ctx);
  EXPECT_EQ(ctx.trt.count, 3);
  EXPECT_EQ(ctx.trt.err_refs[3], "111111111");
  EXPECT_EQ(ctx.trt.sums[3], 5000000);  // only the numeric record counts
  EXPECT_EQ(ctx.rec_reference, "123456789");
}

TEST(RecordRules, RFComparesTheWholeCount) {
  for (const int64_t count : {0, 123456789}) {
    MemoryRuleContext ctx;
    ctx.rw_records = count;
    CheckCodeRF(test::ValidRF(count), ctx);
    EXPECT_TRUE(ctx.findings.empty()) << count;
    ctx.rw_records = count + 1;
    CheckCodeRF(test::ValidRF(count), ctx);
    EXPECT_EQ(ctx.findings.size(), 1u) << count;
  }
}

}  // namespace
}  // namespace ledgerly
