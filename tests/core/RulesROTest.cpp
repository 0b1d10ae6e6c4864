#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "support/RecordBuilder.h"
#include "support/ValidDetailRecords.h"

namespace ledgerly {
namespace {

using test::Amount;
using test::Put;
using test::ValidEmployer;
using test::ValidRO;

const std::string kMoney = "Must be numeric. No negative amounts; right justify and zero fill.";
constexpr const char* kSsn = "123456789";  // Current SSN left by the RW before the RO

struct TestRun {
  std::vector<Finding> findings;
  AccumulatorRow tru;
  std::string rec_reference;
  int64_t re_indx = 0;
};

TestRun RunRO(const std::string& record, const EmployerValues& employer = ValidEmployer()) {
  MemoryRuleContext ctx;
  ctx.employer = employer;
  ctx.OpenBlock("987654321");
  ctx.current_ssn = kSsn;
  CheckCodeRO(record, ctx);
  return {ctx.findings, ctx.tru, ctx.rec_reference, ctx.re_indx};
}

void ExpectViewerHighlights(const std::string& record, const std::vector<Finding>& expected,
                            const EmployerValues& employer = ValidEmployer()) {
  MemoryRuleContext viewer(true);
  viewer.employer = employer;
  viewer.tru.Indx = 1;
  viewer.current_ssn = kSsn;
  CheckCodeRO(record, viewer);
  EXPECT_EQ(viewer.highlighted, test::FieldNumbers(expected));
  EXPECT_TRUE(viewer.findings.empty());
  EXPECT_EQ(viewer.tru.count, 0);
  for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
    EXPECT_EQ(viewer.tru.sums[column], 0);
    EXPECT_EQ(viewer.tru.err_refs[column], "None");
  }
  EXPECT_EQ(viewer.rec_reference, "");
}

TEST(RulesRO, ValidRecordDrawsNothingAndFillsTheBlockRow) {
  const TestRun run = RunRO(ValidRO());
  EXPECT_TRUE(run.findings.empty());
  EXPECT_EQ(run.rec_reference, kSsn);
  EXPECT_EQ(run.re_indx, 1);
  EXPECT_EQ(run.tru.count, 1);
  EXPECT_EQ(run.tru.sums[1], 20000);
  EXPECT_EQ(run.tru.sums[2], 1000);
  EXPECT_EQ(run.tru.sums[3], 30000);
  for (int column = 4; column <= 19; ++column) EXPECT_EQ(run.tru.sums[column], 0);
}

TEST(RulesRO, TaxJurisdictionRuleAppliesToAllButUncollectedTax) {
  EmployerValues puerto_rico = ValidEmployer();
  puerto_rico.TaxJurisdiction = "P";
  puerto_rico.TaxJurisdictionRaw = "P";
  const std::string record = ValidRO();
  const std::vector<Finding> expected = {
      {"Allocated Tips [Position 12 - 22]", "[00000020000]",
       "The Allocated Tips field must be zero because it does not apply to the Tax Jurisdiction "
       "Code entered in the RE record. Either enter a value of zero in the Allocated Tips field or "
       "change the Tax Jurisdiction Code in the RE record to blank.",
       2},
      {"Medical Savings Account [Position 34 - 44]", "[00000030000]",
       "The Medical Savings Account field must be zero because it does not apply to the Tax "
       "Jurisdiction Code entered in the RE record. Either enter a value of zero in the Medical "
       "Savings Account field or change the Tax Jurisdiction Code in the RE record to V, G, S or "
       "blank.",
       4}};
  const TestRun run = RunRO(record, puerto_rico);
  EXPECT_EQ(run.findings, expected);
  // Disallowed amounts are still summed.
  EXPECT_EQ(run.tru.sums[1], 20000);
  EXPECT_EQ(run.tru.sums[2], 1000);
  EXPECT_EQ(run.tru.sums[3], 30000);
  ExpectViewerHighlights(record, expected, puerto_rico);
}

struct MoneyFieldCase {
  int position;
  const char* reference;
  int field_no;
  int column;
};

const std::vector<MoneyFieldCase> kMoneyFields = {
    {12, "Allocated Tips [Position 12 - 22]", 2, 1},
    {23, "Uncollected Employee Tax on Tips [Position 23 - 33]", 3, 2},
    {34, "Medical Savings Account [Position 34 - 44]", 4, 3},
    {45, "Simple Retirement Account [Position 45 - 55]", 5, 4},
    {56, "Qualified Adoption Expenses [Position 56 - 66]", 6, 5},
    {67,
     "Uncollected Social Security or RRTA Tax on Cost of Group Term Life Insurance over $50,000 "
     "[Position 67 - 77]",
     7, 6},
    {78,
     "Uncollected Medicare Tax on Cost of Group Term Life Insurance over $50,000 [Position 78 - "
     "88]",
     8, 7},
    {89,
     "Income Under Section 409A on a Non-qualified Deferred Compensation Plan [Position 89 - 99]",
     9, 8},
    {275, "Wages Subject to Puerto Rico Tax [Position 275 - 285]", 13, 9},
    {286, "Commissions Subject to Puerto Rico Tax [Position 286 - 296]", 14, 10},
    {297, "Allowances Subject to Puerto Rico Tax [Position 297 - 307]", 15, 11},
    {308, "Tips Subject to Puerto Rico Tax [Position 308 - 318]", 16, 12},
    {319,
     "Total Wages, Commissions, Tips and Allowances Subject to Puerto Rico Tax [Position 319 - "
     "329]",
     17, 13},
    {330, "Puerto Rico Tax Withheld [Position 330 - 340]", 18, 14},
    {341, "Retirement Fund Annual Contributions [Position 341 - 351]", 19, 15},
    {363,
     "Total Wages, Tips and Other Compensation Subject to Virgin Islands, Guam, American Samoa or "
     "Northern Mariana Islands Income Tax [Position 363 - 373]",
     21, 16},
    {374,
     "Virgin Islands, Guam, American Samoa or Northern Mariana Islands Income Tax Withheld "
     "[Position 374 - 384]",
     22, 17},
};

void PrintTo(const MoneyFieldCase& c, std::ostream* os) {
  *os << c.reference;
}

class ROMoneyFields : public testing::TestWithParam<MoneyFieldCase> {};

TEST_P(ROMoneyFields, NonNumericAmountIsReportedAndMarksItsColumn) {
  const MoneyFieldCase& c = GetParam();
  std::string record = ValidRO();
  Put(record, c.position, "12345 67890");
  const std::vector<Finding> expected = {{c.reference, "[12345 67890]", kMoney, c.field_no}};
  const TestRun run = RunRO(record);
  EXPECT_EQ(run.findings, expected);
  EXPECT_EQ(run.tru.sums[c.column], 0);
  for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
    EXPECT_EQ(run.tru.err_refs[column], column == c.column ? kSsn : "None") << column;
  }
  ExpectViewerHighlights(record, expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, ROMoneyFields, testing::ValuesIn(kMoneyFields));

TEST(RulesRO, AmountsGoToTheirColumns) {
  std::string record = ValidRO();
  EmployerValues employer = ValidEmployer();
  employer.TaxJurisdiction = "";  // invalid code: no Tax Jurisdiction errors at all
  employer.TaxJurisdictionOK = false;
  employer.TaxJurisdictionRaw = "X";
  for (const MoneyFieldCase& c : kMoneyFields) Put(record, c.position, Amount(c.column, 11));
  const TestRun run = RunRO(record, employer);
  EXPECT_TRUE(run.findings.empty());
  for (int column = 1; column <= 17; ++column) EXPECT_EQ(run.tru.sums[column], column);
  EXPECT_EQ(run.tru.sums[18], 0);
  EXPECT_EQ(run.tru.sums[19], 0);
}

struct CharFieldCase {
  const char* label;
  int position;
  std::string text;
  std::vector<Finding> expected;
};

const std::vector<CharFieldCase> kCharFields = {
    {"blank 3-11 with a tab",
     3,
     "\t",
     {{"Blank [Position 3 - 11]", "[\t        ]", InvalidCharError("3"), 1}}},
    {"HIRE exempt wages may hold letters", 100, "ABCDEFGHIJK", {}},
    {"HIRE exempt wages with a tab",
     105,
     "\t",
     {{"HIRE Exempt Wages and Tips [Position 100 - 110]", "[00000\t00000]", InvalidCharError("105"),
       10}}},
    {"Roth 457(b) may hold letters", 111, "ABCDEFGHIJK", {}},
    {"Roth 457(b) with a tab",
     121,
     "\t",
     {{"Designated Roth Contributions Under a Governmental Section 457(b) Plan [Position 111 - "
       "121]",
       "[0000000000\t]", InvalidCharError("121"), 11}}},
    {"blank 122-274 with two tabs",
     122,
     "\t\t",
     {{"Blank [Position 122 - 274]", "[\t\t" + std::string(151, ' ') + "]",
       InvalidCharError("122 and 123"), 12}}},
    {"blank 352-362 with a tab",
     362,
     "\t",
     {{"Blank [Position 352 - 362]", "[          \t]", InvalidCharError("362"), 20}}},
    {"blank 385-512 with a tab",
     512,
     "\t",
     {{"Blank [Position 385 - 512]", "[" + std::string(127, ' ') + "\t]", InvalidCharError("512"),
       23}}},
};

void PrintTo(const CharFieldCase& c, std::ostream* os) {
  *os << c.label;
}

class ROCharFields : public testing::TestWithParam<CharFieldCase> {};

TEST_P(ROCharFields, ReportsExactlyTheExpectedFindings) {
  const CharFieldCase& c = GetParam();
  std::string record = ValidRO();
  Put(record, c.position, c.text);
  EXPECT_EQ(RunRO(record).findings, c.expected);
  ExpectViewerHighlights(record, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, ROCharFields, testing::ValuesIn(kCharFields));

}  // namespace
}  // namespace ledgerly
