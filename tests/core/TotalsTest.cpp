#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RecordBuilder.h"
#include "support/ValidDetailRecords.h"
#include "totals/TotalsRules.h"

namespace ledgerly {
namespace {

using test::BlankRecord;
using test::Put;

std::string RecordWithAmount() {
  std::string record = BlankRecord("RW");
  Put(record, 12, "00000012345");
  return record;
}

std::string ZeroText(const std::string& ending) {
  return "The Test Amount field must be zero because it does not apply to the Tax Jurisdiction "
         "Code entered in the RE record. Either enter a value of zero in the Test Amount field or "
         "change the Tax Jurisdiction Code in the RE record to " +
         ending;
}

struct TerritoryCase {
  const char* terr;
  const char* code;    // TaxJurisdiction; nullptr for an invalid code
  const char* ending;  // nullptr when the amount is allowed
};

const std::vector<TerritoryCase> kTerritoryCases = {
    {" ", " ", nullptr},
    {" ", "P", "blank."},
    {" ", "G", "blank."},
    {" ", nullptr, nullptr},
    {"P", "P", nullptr},
    {"P", " ", "P."},
    {"P", nullptr, nullptr},
    {"Not P", "P", "V, G, S, N or blank."},
    {"Not P", "N", nullptr},
    {"Not P", " ", nullptr},
    {"Not P and N", "N", "V, G, S or blank."},
    {"Not P and N", "P", "V, G, S or blank."},
    {"Not P and N", "S", nullptr},
    {"Islands", "G", nullptr},
    {"Islands", "V", nullptr},
    {"Islands", " ", "V, G, S or N."},
    {"Islands", "P", "V, G, S or N."},
    {"Islands", nullptr, nullptr},
};

void PrintTo(const TerritoryCase& c, std::ostream* os) {
  *os << "class \"" << c.terr << "\" code " << (c.code ? c.code : "(invalid)");
}

class TerritoryMoneyRule : public testing::TestWithParam<TerritoryCase> {};

TEST_P(TerritoryMoneyRule, ReportsDisallowedAmountsAndAddsEveryAmount) {
  const TerritoryCase& c = GetParam();
  MemoryRuleContext ctx;
  ctx.OpenBlock("987654321");
  ctx.employer.TaxJurisdiction = c.code ? c.code : "";
  ctx.employer.TaxJurisdictionOK = c.code != nullptr;
  TerritoryMoney(RecordWithAmount(), "RW", "Test Amount", 12, 22, 11, 7, 12345, c.terr, 9, ctx);

  std::vector<Finding> expected;
  if (c.ending) {
    expected.push_back({"Test Amount [Position 12 - 22]", "[00000012345]", ZeroText(c.ending), 7});
  }
  EXPECT_EQ(ctx.findings, expected);
  EXPECT_EQ(ctx.trt.sums[9], 12345);
  EXPECT_EQ(ctx.tru.sums[9], 0);
}

INSTANTIATE_TEST_SUITE_P(Classes, TerritoryMoneyRule, testing::ValuesIn(kTerritoryCases));

TEST(TerritoryMoney, ZeroAmountIsNeitherCheckedNorAdded) {
  MemoryRuleContext ctx;
  ctx.OpenBlock("987654321");
  ctx.employer.TaxJurisdiction = "P";
  ctx.employer.TaxJurisdictionOK = true;
  std::string record = BlankRecord("RW");
  Put(record, 188, "00000000000");
  TerritoryMoney(record, "RW", "Wages, Tips and Other Compensation", 188, 198, 11, 16, 0, " ", 1,
                 ctx);
  EXPECT_TRUE(ctx.findings.empty());
  EXPECT_EQ(ctx.trt.sums[1], 0);
}

TEST(TerritoryMoney, RoAmountsGoToTru) {
  MemoryRuleContext ctx;
  ctx.OpenBlock("987654321");
  ctx.employer = test::ValidEmployer();
  TerritoryMoney(RecordWithAmount(), "RO", "Test Amount", 12, 22, 11, 2, 12345, " ", 1, ctx);
  EXPECT_EQ(ctx.tru.sums[1], 12345);
  EXPECT_EQ(ctx.trt.sums[1], 0);
}

TEST(TerritoryMoney, ViewerModeHighlightsAndAddsNothing) {
  MemoryRuleContext viewer(true);
  viewer.employer.TaxJurisdiction = "P";
  viewer.employer.TaxJurisdictionOK = true;
  TerritoryMoney(RecordWithAmount(), "RW", "Test Amount", 12, 22, 11, 24, 12345, " ", 8, viewer);
  EXPECT_EQ(viewer.highlighted, std::set<int>{24});
  EXPECT_TRUE(viewer.findings.empty());
  EXPECT_EQ(viewer.trt.sums[8], 0);
}

TEST(MoneyTotal, TextsForRtAndRu) {
  MemoryRuleContext ctx;
  std::string rt = BlankRecord("RT");
  Put(rt, 25, "000000000150001");
  MoneyTotal(rt, "RW", "Federal Income Tax Withheld", 25, 39, 15, 3, 150000, "000000000150001",
             ctx);
  std::string ru = BlankRecord("RU");
  Put(ru, 10, "000000000000000");
  MoneyTotal(ru, "RO", "Allocated Tips", 10, 24, 15, 2, 1000000000000000, "000000000000000", ctx);

  const std::vector<Finding> expected = {
      {"Federal Income Tax Withheld [Position 25 - 39]", "[000000000150001]",
       "The sum of the RW Federal Income Tax Withheld amounts does not equal the amount in the "
       "Federal Income Tax Withheld of the RT record. The calculated sum of the RW amounts for the "
       "Federal Income Tax Withheld of the RT record is 150000. The reported sum of the RW amounts "
       "for the Federal Income Tax Withheld of the RT record is 150001.",
       3},
      {"Allocated Tips [Position 10 - 24]", "[000000000000000]",
       "The sum of the RO Allocated Tips amounts does not equal the amount in the Allocated Tips "
       "of the RU record.  The calculated sum of the RO amounts for the Allocated Tips of the RU "
       "record is 1000000000000000. The reported sum of the RO amounts for the Allocated Tips of "
       "the RU record is 0.",
       2}};
  EXPECT_EQ(ctx.findings, expected);
}

TEST(MoneyTotal2, NamesTheDetailRecordAndSsn) {
  MemoryRuleContext ctx;
  std::string rt = BlankRecord("RT");
  Put(rt, 40, "000000000000100");
  MoneyTotal2(rt, "RW", "Social Security Wages", 40, 54, 15, 4, "123456789", ctx);
  const std::vector<Finding> expected = {
      {"Social Security Wages [Position 40 - 54]", "[000000000000100]",
       "The calculated sum is incorrect because of a non-numeric value entered in the RW record "
       "with SSN#: 123456789.",
       4}};
  EXPECT_EQ(ctx.findings, expected);
}

}  // namespace
}  // namespace ledgerly
