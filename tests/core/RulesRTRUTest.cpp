#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/RecordLayouts.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "support/LaidOutFields.h"
#include "support/RecordBuilder.h"
#include "support/ValidDetailRecords.h"
#include "totals/TotalRecords.h"

namespace ledgerly {
namespace {

using test::Amount;
using test::FieldName;
using test::FieldsWhere;
using test::LaidOutField;
using test::Put;
using test::ReferenceOf;
using test::ValidEmployer;
using test::ValidRO;
using test::ValidRT;
using test::ValidRU;
using test::ValidRW;

const std::string kMoney = "Must be numeric. No negative amounts; right justify and zero fill.";
const std::string kCountNumeric = "Must be numeric. Right justify and zero fill.";

std::string RTMismatch(const std::string& name, int64_t sum, int64_t reported) {
  return "The sum of the RW " + name + " amounts does not equal the amount in the " + name +
         " of the RT record. The calculated sum of the RW amounts for the " + name +
         " of the RT record is " + std::to_string(sum) +
         ". The reported sum of the RW amounts for the " + name + " of the RT record is " +
         std::to_string(reported) + ".";
}

std::string RUMismatch(const std::string& name, int64_t sum, int64_t reported) {
  return "The sum of the RO " + name + " amounts does not equal the amount in the " + name +
         " of the RU record.  The calculated sum of the RO amounts for the " + name +
         " of the RU record is " + std::to_string(sum) +
         ". The reported sum of the RO amounts for the " + name + " of the RU record is " +
         std::to_string(reported) + ".";
}

std::string Incomplete(const std::string& id, const std::string& ssn) {
  return "The calculated sum is incorrect because of a non-numeric value entered in the " + id +
         " record with SSN#: " + ssn + ".";
}

std::string WithSsn(std::string record, const std::string& ssn) {
  Put(record, 3, ssn);
  return record;
}

// Runs a total record in a Test run and in viewer mode against the same stored
// row: viewer mode must highlight exactly the fields reported, and link nothing.
template <typename Check>
std::vector<Finding> RunTotal(Check check, Totals which, const std::string& record,
                              const AccumulatorRow& row, const EmployerValues& employer) {
  MemoryRuleContext ctx;
  ctx.employer = employer;
  (which == Totals::TRT ? ctx.trt : ctx.tru) = row;
  check(record, ctx);

  ViewerRuleContext viewer;
  viewer.employer = employer;
  (which == Totals::TRT ? viewer.trt : viewer.tru) = row;
  check(record, viewer);
  EXPECT_EQ(viewer.highlighted, test::FieldNumbers(ctx.findings));
  return ctx.findings;
}

std::vector<Finding> RunRT(const std::string& record, const AccumulatorRow& row,
                           const EmployerValues& employer = ValidEmployer()) {
  return RunTotal(CheckCodeRT, Totals::TRT, record, row, employer);
}

std::vector<Finding> RunRU(const std::string& record, const AccumulatorRow& row,
                           const EmployerValues& employer = ValidEmployer()) {
  return RunTotal(CheckCodeRU, Totals::TRU, record, row, employer);
}

// A stored block row with a distinct sum in every column.
AccumulatorRow SampleRow() {
  AccumulatorRow row;
  row.Indx = 1;
  row.RE_EIN = "987654321";
  row.count = 2;
  for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
    row.sums[column] = 100000 + column;
  }
  return row;
}

// ---- RT ----

TEST(RulesRT, TotalsOfItsBlockDrawNothingAndLinkTheRecord) {
  MemoryRuleContext ctx;
  ctx.employer = ValidEmployer();
  ctx.OpenBlock("987654321");
  CheckCodeRW(WithSsn(ValidRW(), "111111111"), ctx);
  CheckCodeRW(WithSsn(ValidRW(), "222222222"), ctx);

  std::string rt = ValidRT(ctx.trt);
  EXPECT_EQ(rt.substr(2, 7), "0000002");
  EXPECT_EQ(rt.substr(9, 15), "000000011000000");  // two RW records' wages
  CheckCodeRT(rt, ctx);
  EXPECT_TRUE(ctx.findings.empty());
  EXPECT_EQ(ctx.rec_reference, "987654321");
  EXPECT_EQ(ctx.re_indx, 1);
}

TEST(RulesRT, CountOfRWRecords) {
  const AccumulatorRow row = SampleRow();
  std::string rt = ValidRT(row);
  Put(rt, 3, "0000003");
  EXPECT_EQ(RunRT(rt, row),
            (std::vector<Finding>{{"Number of RW Records [Position 3 - 9]", "[0000003]",
                                   "The number of RW records (2) since the last RE record does "
                                   "not equal the value in the RT record.",
                                   1}}));
  Put(rt, 3, "00000 2");
  EXPECT_EQ(RunRT(rt, row), (std::vector<Finding>{{"Number of RW Records [Position 3 - 9]",
                                                   "[00000 2]", kCountNumeric, 1}}));
}

bool IsMoneyTotal(const FieldLayoutRow& row) {
  return row.check == FieldCheck::Money;
}

class RTMoneyTotals : public testing::TestWithParam<LaidOutField> {};

TEST_P(RTMoneyTotals, MismatchNonNumericAndIncompleteSum) {
  const LaidOutField& f = GetParam();
  const std::string reference = ReferenceOf(f);
  const std::string name(f.row->ReferenceName());
  const int position = f.row->first;
  const int column = f.row->column;
  AccumulatorRow row = SampleRow();
  const int64_t sum = row.sums[column];

  std::string rt = ValidRT(row);
  Put(rt, position, Amount(sum + 1, 15));
  const std::string entry = "[" + Amount(sum + 1, 15) + "]";
  EXPECT_EQ(RunRT(rt, row),
            (std::vector<Finding>{{reference, entry, RTMismatch(name, sum, sum + 1), f.field_no}}));

  Put(rt, position, "00000000000010A");
  EXPECT_EQ(RunRT(rt, row),
            (std::vector<Finding>{{reference, "[00000000000010A]", kMoney, f.field_no}}));

  // A block with a non-numeric RW amount: no comparison, the first SSN is named...
  row.err_refs[column] = "111111111";
  rt = ValidRT(row);
  EXPECT_EQ(RunRT(rt, row), (std::vector<Finding>{{reference, "[" + Amount(sum, 15) + "]",
                                                   Incomplete("RW", "111111111"), f.field_no}}));
  // ...unless the total itself is not numeric.
  Put(rt, position, "00000000000010A");
  EXPECT_EQ(RunRT(rt, row),
            (std::vector<Finding>{{reference, "[00000000000010A]", kMoney, f.field_no}}));
}

INSTANTIATE_TEST_SUITE_P(Fields, RTMoneyTotals,
                         testing::ValuesIn(FieldsWhere(kRTLayout, IsMoneyTotal)),
                         [](const auto& info) { return FieldName(info.param); });

TEST(RulesRT, EmploymentCodeZeroRules) {
  const AccumulatorRow row = SampleRow();
  const std::string rt = ValidRT(row);
  const auto zero_error = [&rt](int position, const std::string& name, int field_no) {
    return Finding{name + " [Position " + std::to_string(position) + " - " +
                       std::to_string(position + 14) + "]",
                   "[" + rt.substr(position - 1, 15) + "]",
                   "The " + name +
                       " field must be zero because it does not apply to the Employment Code "
                       "entered in the RE record. Either enter a value of zero in the " +
                       name + " field or change the Employment Code in the RE record.",
                   field_no};
  };
  EmployerValues employer = ValidEmployer();
  employer.EmploymentCode = "Q";
  EXPECT_EQ(RunRT(rt, row, employer),
            (std::vector<Finding>{zero_error(40, "Social Security Wages", 4),
                                  zero_error(55, "Social Security Tax Withheld", 5),
                                  zero_error(100, "Social Security Tips", 8)}));
  employer.EmploymentCode = "X";
  EXPECT_EQ(RunRT(rt, row, employer),
            (std::vector<Finding>{zero_error(40, "Social Security Wages", 4),
                                  zero_error(55, "Social Security Tax Withheld", 5),
                                  zero_error(70, "Medicare Wages and Tips", 6),
                                  zero_error(85, "Medicare Tax Withheld", 7),
                                  zero_error(100, "Social Security Tips", 8)}));

  // A blank total under X: the zero rule first, then the numeric rule.
  AccumulatorRow zero_row = row;
  zero_row.sums[3] = zero_row.sums[4] = zero_row.sums[5] = zero_row.sums[6] = zero_row.sums[7] = 0;
  std::string blank_wages = ValidRT(zero_row);
  Put(blank_wages, 40, std::string(15, ' '));
  const std::string reference = "Social Security Wages [Position 40 - 54]";
  const std::string entry = "[" + std::string(15, ' ') + "]";
  EXPECT_EQ(RunRT(blank_wages, zero_row, employer),
            (std::vector<Finding>{
                {reference, entry,
                 "The Social Security Wages field must be zero because it does not apply to the "
                 "Employment Code entered in the RE record. Either enter a value of zero in the "
                 "Social Security Wages field or change the Employment Code in the RE record.",
                 4},
                {reference, entry, kMoney, 4}}));
}

TEST(RulesRT, ThirdPartySickPayTax) {
  const AccumulatorRow row = SampleRow();
  std::string rt = ValidRT(row);
  const std::string reference =
      "Income Tax Withheld by Payer of Third-Party Sick Pay [Position 325 - 339]";
  EmployerValues puerto_rico = ValidEmployer();
  puerto_rico.TaxJurisdiction = puerto_rico.TaxJurisdictionRaw = "P";

  EXPECT_TRUE(RunRT(rt, row, puerto_rico).empty());  // zero
  Put(rt, 325, Amount(500, 15));
  EXPECT_TRUE(RunRT(rt, row).empty());  // blank code
  EXPECT_EQ(RunRT(rt, row, puerto_rico),
            (std::vector<Finding>{
                {reference, "[000000000000500]",
                 "The Income Tax Withheld by Payer of Third-Party Sick Pay field must be zero "
                 "because it does not apply to the Tax Jurisdiction Code entered in the RE record. "
                 "Either enter a value of zero in the Income Tax Withheld by Payer of Third-Party "
                 "Sick Pay field or change the Tax Jurisdiction Code in the RE record to V, G, S, "
                 "N or blank.",
                 23}}));
  Put(rt, 325, "-00000000000500");
  EXPECT_EQ(RunRT(rt, row, puerto_rico),
            (std::vector<Finding>{{reference, "[-00000000000500]", kMoney, 23}}));
}

TEST(RulesRT, CharacterOnlyFields) {
  const AccumulatorRow row = SampleRow();
  std::string rt = ValidRT(row);
  Put(rt, 115, "ABCDEFGHIJKLMNO");
  Put(rt, 295, "ABCDEFGHIJKLMNO");
  Put(rt, 400, "ANY TEXT ~!@#");
  EXPECT_TRUE(RunRT(rt, row).empty());

  Put(rt, 116, "\t");
  Put(rt, 309, "\t");
  Put(rt, 512, "\x80");
  EXPECT_EQ(RunRT(rt, row),
            (std::vector<Finding>{
                {"Advance Earned Income Credit [Position 115 - 129]", "[A\tCDEFGHIJKLMNO]",
                 InvalidCharError("116"), 9},
                {"Cost of Employer-Sponsored Health Coverage [Position 295 - 309]",
                 "[ABCDEFGHIJKLMN\t]", InvalidCharError("309"), 21},
                {"Blank [Position 400 - 512]", "[ANY TEXT ~!@#" + std::string(99, ' ') + "\x80]",
                 InvalidCharError("512"), 28}}));
}

TEST(RulesRT, FindingsComeInPositionOrder) {
  const AccumulatorRow row = SampleRow();
  std::string rt = ValidRT(row);
  Put(rt, 512, "\t");
  Put(rt, 325, "X");
  Put(rt, 310, "X");
  Put(rt, 295, "\t");
  Put(rt, 115, "\t");
  Put(rt, 100, "X");
  Put(rt, 3, "X");
  std::vector<int> order;
  for (const Finding& f : RunRT(rt, row)) order.push_back(f.field_no);
  EXPECT_EQ(order, (std::vector<int>{1, 8, 9, 21, 22, 23, 28}));
}

TEST(RulesRT, NonNumericRWAmountMakesTheSumIncomplete) {
  MemoryRuleContext ctx;
  ctx.employer = ValidEmployer();
  ctx.OpenBlock("987654321");
  std::string faulty = WithSsn(ValidRW(), "111111111");
  Put(faulty, 199, "0000080000O");  // letter O for zero
  CheckCodeRW(faulty, ctx);
  CheckCodeRW(WithSsn(ValidRW(), "222222222"), ctx);
  ctx.findings.clear();

  CheckCodeRT(ValidRT(ctx.trt), ctx);
  EXPECT_EQ(ctx.findings,
            (std::vector<Finding>{{"Federal Income Tax Withheld [Position 25 - 39]",
                                   "[000000000800000]", Incomplete("RW", "111111111"), 3}}));
}

TEST(RulesRT, SecondEmployerBlockStartsAfresh) {
  MemoryRuleContext ctx;
  ctx.employer = ValidEmployer();
  ctx.OpenBlock("987654321");
  CheckCodeRW(WithSsn(ValidRW(), "111111111"), ctx);
  CheckCodeRW(WithSsn(ValidRW(), "222222222"), ctx);
  CheckCodeRT(ValidRT(ctx.trt), ctx);
  ctx.OpenBlock("555555555");
  CheckCodeRW(WithSsn(ValidRW(), "333333333"), ctx);

  // The RT of one RW record, written out by hand.
  std::string rt = ValidRT(AccumulatorRow{});
  Put(rt, 3, "0000001");
  Put(rt, 10, Amount(5500000, 15));
  Put(rt, 25, Amount(800000, 15));
  Put(rt, 40, Amount(5000000, 15));
  Put(rt, 55, Amount(310000, 15));
  Put(rt, 70, Amount(5500000, 15));
  Put(rt, 85, Amount(79750, 15));
  Put(rt, 100, Amount(500000, 15));
  Put(rt, 130, Amount(100000, 15));
  Put(rt, 145, Amount(200000, 15));
  CheckCodeRT(rt, ctx);
  EXPECT_TRUE(ctx.findings.empty());
  EXPECT_EQ(ctx.rec_reference, "555555555");
  EXPECT_EQ(ctx.re_indx, 2);
}

TEST(RulesRT, WithoutAnOpenBlockComparesWithNothing) {
  MemoryRuleContext ctx;
  ctx.employer = ValidEmployer();
  std::string rt = ValidRT(AccumulatorRow{});
  CheckCodeRT(rt, ctx);
  EXPECT_TRUE(ctx.findings.empty());
  EXPECT_EQ(ctx.re_indx, 0);
  EXPECT_EQ(ctx.rec_reference, "");

  Put(rt, 3, "0000001");
  CheckCodeRT(rt, ctx);
  ASSERT_EQ(ctx.findings.size(), 1u);
  EXPECT_EQ(ctx.findings[0].error,
            "The number of RW records (0) since the last RE record does not equal the value in "
            "the RT record.");
}

// ---- RU ----

TEST(RulesRU, TotalsOfItsBlockDrawNothingAndLinkTheRecord) {
  MemoryRuleContext ctx;
  ctx.employer = ValidEmployer();
  ctx.OpenBlock("987654321");
  for (const char* ssn : {"111111111", "222222222", "333333333"}) {
    CheckCodeRW(WithSsn(ValidRW(), ssn), ctx);
    CheckCodeRO(ValidRO(), ctx);
  }
  CheckCodeRT(ValidRT(ctx.trt), ctx);

  std::string ru = ValidRU(ctx.tru);
  EXPECT_EQ(ru.substr(9, 15), "000000000060000");  // three RO records' allocated tips
  CheckCodeRU(ru, ctx);
  EXPECT_TRUE(ctx.findings.empty());
  EXPECT_EQ(ctx.rec_reference, "987654321");
  EXPECT_EQ(ctx.re_indx, 1);

  Put(ru, 3, "0000001");
  CheckCodeRU(ru, ctx);
  EXPECT_EQ(ctx.findings,
            (std::vector<Finding>{{"Number of RO Records [Position 3 - 9]", "[0000001]",
                                   "The number of RO records (3) since the last RE record does "
                                   "not equal the value in the RU record.",
                                   1}}));
}

TEST(RulesRU, CountNotNumeric) {
  const AccumulatorRow row = SampleRow();
  std::string ru = ValidRU(row);
  Put(ru, 3, "      2");
  EXPECT_EQ(RunRU(ru, row), (std::vector<Finding>{{"Number of RO Records [Position 3 - 9]",
                                                   "[      2]", kCountNumeric, 1}}));
}

class RUMoneyTotals : public testing::TestWithParam<LaidOutField> {};

TEST_P(RUMoneyTotals, MismatchNonNumericAndIncompleteSum) {
  const LaidOutField& f = GetParam();
  const std::string reference = ReferenceOf(f);
  const std::string name(f.row->ReferenceName());
  const int position = f.row->first;
  const int column = f.row->column;
  AccumulatorRow row = SampleRow();
  const int64_t sum = row.sums[column];

  std::string ru = ValidRU(row);
  Put(ru, position, Amount(sum - 1, 15));
  EXPECT_EQ(RunRU(ru, row), (std::vector<Finding>{{reference, "[" + Amount(sum - 1, 15) + "]",
                                                   RUMismatch(name, sum, sum - 1), f.field_no}}));

  Put(ru, position, " 00000000000100");
  EXPECT_EQ(RunRU(ru, row),
            (std::vector<Finding>{{reference, "[ 00000000000100]", kMoney, f.field_no}}));

  row.err_refs[column] = "333333333";
  ru = ValidRU(row);
  EXPECT_EQ(RunRU(ru, row), (std::vector<Finding>{{reference, "[" + Amount(sum, 15) + "]",
                                                   Incomplete("RO", "333333333"), f.field_no}}));
}

INSTANTIATE_TEST_SUITE_P(Fields, RUMoneyTotals,
                         testing::ValuesIn(FieldsWhere(kRULayout, IsMoneyTotal)),
                         [](const auto& info) { return FieldName(info.param); });

TEST(RulesRU, NonNumericROAmountNamesTheSsnOfTheRWBeforeIt) {
  MemoryRuleContext ctx;
  ctx.employer = ValidEmployer();
  ctx.OpenBlock("987654321");
  CheckCodeRW(WithSsn(ValidRW(), "111111111"), ctx);
  CheckCodeRO(ValidRO(), ctx);
  CheckCodeRW(WithSsn(ValidRW(), "333333333"), ctx);
  std::string faulty = ValidRO();
  Put(faulty, 12, "ABC");
  CheckCodeRO(faulty, ctx);
  ctx.findings.clear();

  CheckCodeRU(ValidRU(ctx.tru), ctx);
  EXPECT_EQ(ctx.findings,
            (std::vector<Finding>{{"Allocated Tips [Position 10 - 24]", "[000000000020000]",
                                   Incomplete("RO", "333333333"), 2}}));
}

TEST(RulesRU, CharacterOnlyFields) {
  const AccumulatorRow row = SampleRow();
  std::string ru = ValidRU(row);
  Put(ru, 130, Amount(123456, 15));  // HIRE wages are not reconciled
  Put(ru, 145, "ABCDEFGHIJKLMNO");
  Put(ru, 160, "ANY TEXT");
  Put(ru, 490, "ANY TEXT");
  EXPECT_TRUE(RunRU(ru, row).empty());

  Put(ru, 144, "\t");
  Put(ru, 145, "\t");
  Put(ru, 354, "\t");
  Put(ru, 490, "\t");
  EXPECT_EQ(RunRU(ru, row),
            (std::vector<Finding>{
                {"HIRE Exempt Wages and Tips [Position 130 - 144]", "[00000000012345\t]",
                 InvalidCharError("144"), 10},
                {"Designated Roth Contributions Under a Governmental Section 457(b) Plan "
                 "[Position 145 - 159]",
                 "[\tBCDEFGHIJKLMNO]", InvalidCharError("145"), 11},
                {"Blank [Position 160 - 354]", "[ANY TEXT" + std::string(186, ' ') + "\t]",
                 InvalidCharError("354"), 12},
                {"Blank [Position 490 - 512]", "[\tNY TEXT" + std::string(15, ' ') + "]",
                 InvalidCharError("490"), 22}}));
}

TEST(RulesRU, WithoutAnOpenBlockComparesWithNothing) {
  MemoryRuleContext ctx;
  std::string ru = ValidRU(AccumulatorRow{});
  Put(ru, 10, Amount(5, 15));
  CheckCodeRU(ru, ctx);
  EXPECT_EQ(ctx.findings,
            (std::vector<Finding>{{"Allocated Tips [Position 10 - 24]", "[000000000000005]",
                                   RUMismatch("Allocated Tips", 0, 5), 2}}));
  EXPECT_EQ(ctx.re_indx, 0);
}

}  // namespace
}  // namespace ledgerly
