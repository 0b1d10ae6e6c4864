#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/RecordLayouts.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "support/LaidOutFields.h"
#include "support/RecordBuilder.h"
#include "support/ValidDetailRecords.h"

namespace ledgerly {
namespace {

using test::Amount;
using test::FieldsWhere;
using test::LaidOutField;
using test::Put;
using test::ReferenceOf;
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
  ViewerRuleContext viewer;
  viewer.employer = employer;
  viewer.tru.Indx = 1;
  viewer.current_ssn = kSsn;
  CheckCodeRO(record, viewer);
  EXPECT_EQ(viewer.highlighted, test::FieldNumbers(expected));
  EXPECT_EQ(viewer.tru.count, 0);
  for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
    EXPECT_EQ(viewer.tru.sums[column], 0);
    EXPECT_EQ(viewer.tru.err_refs[column], "None");
  }
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

const std::vector<LaidOutField> kMoneyFields = FieldsWhere(kROLayout, test::HasColumn);

class ROMoneyFields : public testing::TestWithParam<LaidOutField> {};

TEST_P(ROMoneyFields, NonNumericAmountIsReportedAndMarksItsColumn) {
  const LaidOutField& c = GetParam();
  const int column = c.row->column;
  std::string record = ValidRO();
  Put(record, c.row->first, "12345 67890");
  const std::vector<Finding> expected = {{ReferenceOf(c), "[12345 67890]", kMoney, c.field_no}};
  const TestRun run = RunRO(record);
  EXPECT_EQ(run.findings, expected);
  EXPECT_EQ(run.tru.sums[column], 0);
  for (int other = 1; other <= AccumulatorRow::kMaxColumns; ++other) {
    EXPECT_EQ(run.tru.err_refs[other], other == column ? kSsn : "None") << other;
  }
  ExpectViewerHighlights(record, expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, ROMoneyFields, testing::ValuesIn(kMoneyFields),
                         [](const auto& info) { return test::FieldName(info.param); });

TEST(RulesRO, AmountsGoToTheirColumns) {
  std::string record = ValidRO();
  EmployerValues employer = ValidEmployer();
  employer.TaxJurisdiction = "";  // invalid code: no Tax Jurisdiction errors at all
  employer.TaxJurisdictionOK = false;
  employer.TaxJurisdictionRaw = "X";
  for (const LaidOutField& c : kMoneyFields) {
    Put(record, c.row->first, Amount(c.row->column, c.row->last - c.row->first + 1));
  }
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
