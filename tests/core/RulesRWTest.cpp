#include <gtest/gtest.h>

#include <optional>
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
using test::ValidRW;

const std::string kMoney = "Must be numeric. No negative amounts; right justify and zero fill.";
const std::string kSsnNumeric =
    "This is a mandatory field and must contain only valid numeric data.";
const std::string kNameText =
    "May only contain letters (A - Z), numbers (0 - 9), spaces, hyphens, periods and apostrophes.";
const std::string kNotBlank = "Must not be blank. This is a mandatory field.";
const std::string kNumericOrBlank = "Must be numeric or blank.";

// "[" + text padded with spaces to the field's width + "]"
std::string Entry(const std::string& text, std::size_t width) {
  std::string value = text;
  value.resize(width, ' ');
  return "[" + value + "]";
}

std::string EcZero(const std::string& name) {
  return "The " + name +
         " field must be zero because it does not apply to the Employment Code entered in the RE "
         "record. Either enter a value of zero in the " +
         name + " field or change the Employment Code in the RE record.";
}

struct Edit {
  int position;
  std::string text;
};

std::string EditedRW(const std::vector<Edit>& edits) {
  std::string record = ValidRW();
  for (const Edit& edit : edits) Put(record, edit.position, edit.text);
  return record;
}

struct TestRun {
  std::vector<Finding> findings;
  AccumulatorRow trt;
};

TestRun RunRW(const std::string& record, const EmployerValues& employer) {
  MemoryRuleContext ctx;
  ctx.employer = employer;
  ctx.OpenBlock("987654321");
  CheckCodeRW(record, ctx);
  return {ctx.findings, ctx.trt};
}

// Viewer mode paints exactly the fields a Test run reports and stores nothing.
void ExpectViewerHighlights(const std::string& record, const EmployerValues& employer,
                            const std::vector<Finding>& expected) {
  ViewerRuleContext viewer;
  viewer.employer = employer;
  viewer.trt.Indx = 1;
  CheckCodeRW(record, viewer);
  EXPECT_EQ(viewer.highlighted, test::FieldNumbers(expected));
  EXPECT_EQ(viewer.trt.count, 0);
  for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
    EXPECT_EQ(viewer.trt.sums[column], 0) << "column " << column;
    EXPECT_EQ(viewer.trt.err_refs[column], "None") << "column " << column;
  }
}

TEST(RulesRW, ValidRecordDrawsNothingAndFillsTheBlockRow) {
  MemoryRuleContext ctx;
  ctx.employer = ValidEmployer();
  ctx.OpenBlock("987654321");
  CheckCodeRW(ValidRW(), ctx);

  EXPECT_TRUE(ctx.findings.empty());
  EXPECT_EQ(ctx.current_ssn, "123456789");
  EXPECT_EQ(ctx.rec_reference, "123456789");
  EXPECT_EQ(ctx.re_indx, 1);
  EXPECT_EQ(ctx.trt.count, 1);
  const std::vector<std::pair<int, int64_t>> expected_sums = {
      {1, 5500000}, {2, 800000}, {3, 5000000}, {4, 310000}, {5, 5500000},
      {6, 79750},   {7, 500000}, {8, 100000},  {9, 200000}, {10, 0}};
  for (const auto& [column, sum] : expected_sums) {
    EXPECT_EQ(ctx.trt.sums[column], sum) << "column " << column;
  }
  for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
    EXPECT_EQ(ctx.trt.err_refs[column], "None");
  }
}

struct FieldCase {
  const char* label;
  std::vector<Edit> edits;
  std::vector<Finding> expected;
};

const std::vector<FieldCase> kFieldCases = {
    {"SSN with a letter",
     {{3, "12345678A"}},
     {{"SSN [Position 3 - 11]", "[12345678A]", kSsnNumeric, 1}}},
    {"SSN of spaces",
     {{3, "         "}},
     {{"SSN [Position 3 - 11]", "[         ]", kSsnNumeric, 1}}},
    {"SSN beginning with 9",
     {{3, "912345678"}},
     {{"SSN [Position 3 - 11]", "[912345678]",
       "Must not begin with 9 or 666.This is a mandatory field and must contain only valid "
       "numeric data.",
       1}}},
    {"SSN beginning with 666",
     {{3, "666123456"}},
     {{"SSN [Position 3 - 11]", "[666123456]",
       "Must not begin with 9 or 666.This is a mandatory field and must contain only valid "
       "numeric data.",
       1}}},
    {"first name blank",
     {{12, std::string(15, ' ')}},
     {{"Employee First Name [Position 12 - 26]", Entry("", 15), kNotBlank, 2}}},
    {"first name lower case",
     {{12, "john"}},
     {{"Employee First Name [Position 12 - 26]", Entry("john", 15),
       kNameText + " This is a mandatory field.", 2}}},
    {"middle name lower case",
     {{27, "q"}},
     {{"Employee Middle Name or Initial [Position 27 - 41]", Entry("q", 15), kNameText, 3}}},
    {"last name with a comma",
     {{42, "PUBLIC,"}},
     {{"Employee Last Name [Position 42 - 61]", Entry("PUBLIC,", 20),
       kNameText + " This is a mandatory field.", 4}}},
    {"last name blank",
     {{42, std::string(20, ' ')}},
     {{"Employee Last Name [Position 42 - 61]", Entry("", 20), kNotBlank, 4}}},
    {"suffix with a tab",
     {{63, "\t"}},
     {{"Suffix [Position 62 - 65]", "[J\t  ]", InvalidCharError("63"), 5}}},
    {"location address with a control character",
     {{66, "\x01"}},
     {{"Location Address [Position 66 - 87]", Entry("\x01UITE 100", 22), InvalidCharError("66"),
       6}}},
    {"delivery address with DEL",
     {{109, "\x7f"}},
     {{"Delivery Address [Position 88 - 109]", "[12 MAIN STREET       \x7f]",
       InvalidCharError("109"), 7}}},
    {"city with two tabs",
     {{110, "\t"}, {131, "\t"}},
     {{"City [Position 110 - 131]", "[\tAIRFAX              \t]", InvalidCharError("110 and 131"),
       8}}},
    {"state unknown",
     {{132, "XX"}},
     {{"State Abbreviation [Position 132 - 133]", "[XX]",
       "The Postal Abbreviation is invalid (see Pelkin).", 9}}},
    {"state unknown suppresses the address check",
     {{132, "XX"}, {186, "CA"}},
     {{"State Abbreviation [Position 132 - 133]", "[XX]",
       "The Postal Abbreviation is invalid (see Pelkin).", 9}}},
    {"zip code with a letter",
     {{134, "2203A"}},
     {{"Zip Code [Position 134 - 138]", "[2203A]", kNumericOrBlank, 10}}},
    {"zip code with a letter suppresses the address check",
     {{134, "2203A"}, {186, "CA"}},
     {{"Zip Code [Position 134 - 138]", "[2203A]", kNumericOrBlank, 10}}},
    {"zip extension with a letter",
     {{139, "12A4"}},
     {{"Zip Code Extension [Position 139 - 142]", "[12A4]", kNumericOrBlank, 11}}},
    {"zip extension without zip code",
     {{134, "     "}},
     {{"Zip Code Extension [Position 139 - 142]", "[1234]",
       "A value was entered in the Zip Code Extension field and the Zip Code field is blank. "
       "Either change the Zip Code Extension field to blank or enter a valid Zip Code.",
       11}}},
    {"bad zip extension without zip code draws both",
     {{134, "     "}, {139, "12A4"}},
     {{"Zip Code Extension [Position 139 - 142]", "[12A4]", kNumericOrBlank, 11},
      {"Zip Code Extension [Position 139 - 142]", "[12A4]",
       "A value was entered in the Zip Code Extension field and the Zip Code field is blank. "
       "Either change the Zip Code Extension field to blank or enter a valid Zip Code.",
       11}}},
    {"blank 143-147 with a tab",
     {{145, "\t"}},
     {{"Blank [Position 143 - 147]", "[  \t  ]", InvalidCharError("145"), 12}}},
    {"foreign state with a tab",
     {{148, "\t"}},
     {{"Foreign State/Province [Position 148 - 170]", Entry("\t", 23), InvalidCharError("148"),
       13}}},
    {"foreign postal code with a tab",
     {{185, "\t"}},
     {{"Foreign Postal Code [Position 171 - 185]", "[              \t]", InvalidCharError("185"),
       14}}},
    {"country unknown",
     {{186, "US"}},
     {{"Country Code [Position 186 - 187]", "[US]", "The Country Code is invalid (see Pelkin).",
       15}}},
    {"country with a domestic state",
     {{186, "CA"}},
     {{"Country Code [Position 186 - 187]", "[CA]",
       "Must not have both a domestic State Abbreviation and a foreign Country Code.", 15}}},
    {"country with a domestic zip code",
     {{132, "  "}, {186, "CA"}},
     {{"Country Code [Position 186 - 187]", "[CA]",
       "Must not have both a foreign Country Code and a domestic Zip Code.", 15}}},
    {"a zip extension error does not suppress the address check",
     {{139, "12A4"}, {186, "CA"}},
     {{"Zip Code Extension [Position 139 - 142]", "[12A4]", kNumericOrBlank, 11},
      {"Country Code [Position 186 - 187]", "[CA]",
       "Must not have both a domestic State Abbreviation and a foreign Country Code.", 15}}},
    {"advance earned income credit may hold letters", {{265, "ABCDEFGHIJK"}}, {}},
    {"advance earned income credit with a tab",
     {{270, "\t"}},
     {{"Advance Earned Income Credit [Position 265 - 275]", "[00000\t00000]",
       InvalidCharError("270"), 23}}},
    {"blank 397-407 may hold letters", {{397, "ABCDEFGHIJK"}}, {}},
    {"blank 397-407 with a tab",
     {{407, "\t"}},
     {{"Blank [Position 397 - 407]", "[          \t]", InvalidCharError("407"), 35}}},
    {"health coverage cost may hold letters", {{463, "ABCDEFGHIJK"}}, {}},
    {"health coverage cost with a tab",
     {{463, "\t"}},
     {{"Cost of Employer-Sponsored Health Coverage [Position 463 - 473]", "[\t0000000000]",
       InvalidCharError("463"), 41}}},
    {"military pay in 2011",
     {{342, Amount(100, 11)}},
     {{"Military Employee Basic Quarters, Subsistence and Combat Pay [Position 342 - 352]",
       "[00000000100]", "Must be zero filled for years prior to 1995 and years after 2001.", 30}}},
    {"blank 474-485 with a tab",
     {{474, "\t"}},
     {{"Blank [Position 474 - 485]", Entry("\t", 12), InvalidCharError("474"), 42}}},
    {"statutory employee indicator blank",
     {{486, " "}},
     {{"Statutory Employee Indicator [Position 486]", "[ ]",
       "Enter appropriate code: 1 - Statutory Employee or 0 - Other.", 43}}},
    {"blank 487 with a tab",
     {{487, "\t"}},
     {{"Blank [Position 487]", "[\t]", InvalidCharError("487"), 44}}},
    {"retirement plan indicator 2",
     {{488, "2"}},
     {{"Retirement Plan Indicator [Position 488]", "[2]",
       "Enter appropriate code: 1 - Employee has Retirement Plan or 0 - Other.", 45}}},
    {"third-party sick pay indicator Y",
     {{489, "Y"}},
     {{"Third-Party Sick Pay Indicator [Position 489]", "[Y]",
       "Enter appropriate code: 1 - Employee has Third-Party Sick Pay or 0 - Other.", 46}}},
    {"blank 490-512 with a tab",
     {{512, "\t"}},
     {{"Blank [Position 490 - 512]", "[" + std::string(22, ' ') + "\t]", InvalidCharError("512"),
       47}}},
};

void PrintTo(const FieldCase& c, std::ostream* os) {
  *os << c.label;
}

class RWFieldRules : public testing::TestWithParam<FieldCase> {};

TEST_P(RWFieldRules, ReportsExactlyTheExpectedFindings) {
  const FieldCase& c = GetParam();
  const std::string record = EditedRW(c.edits);
  EXPECT_EQ(RunRW(record, ValidEmployer()).findings, c.expected);
  ExpectViewerHighlights(record, ValidEmployer(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, RWFieldRules, testing::ValuesIn(kFieldCases));

const std::vector<LaidOutField> kMoneyFields = FieldsWhere(kRWLayout, test::HasColumn);

class RWMoneyFields : public testing::TestWithParam<LaidOutField> {};

TEST_P(RWMoneyFields, NonNumericAmountIsReportedAndMarksItsColumn) {
  const LaidOutField& c = GetParam();
  const int column = c.row->column;
  const std::string record = EditedRW({{c.row->first, "ABCDEFGHIJK"}});
  std::vector<Finding> expected = {{ReferenceOf(c), "[ABCDEFGHIJK]", kMoney, c.field_no}};
  if (c.field_no == 30) {  // military pay also breaks its zero-fill rule
    expected.push_back(
        {"Military Employee Basic Quarters, Subsistence and Combat Pay [Position 342 - 352]",
         "[ABCDEFGHIJK]", "Must be zero filled for years prior to 1995 and years after 2001.", 30});
  }

  const TestRun run = RunRW(record, ValidEmployer());
  EXPECT_EQ(run.findings, expected);
  EXPECT_EQ(run.trt.sums[column], 0);
  for (int other = 1; other <= AccumulatorRow::kMaxColumns; ++other) {
    EXPECT_EQ(run.trt.err_refs[other], other == column ? "123456789" : "None")
        << "column " << other;
  }
  ExpectViewerHighlights(record, ValidEmployer(), expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, RWMoneyFields, testing::ValuesIn(kMoneyFields),
                         [](const auto& info) { return test::FieldName(info.param); });

TEST(RulesRW, LoopAmountsGoToTheirColumnsInOrder) {
  std::string record = ValidRW();
  // Field k of the loop's money fields gets k cents, so the column shows where it went.
  int cents = 1;
  for (const LaidOutField& c : kMoneyFields) {
    if (c.field_no > 22) Put(record, c.row->first, Amount(cents++, 11));
  }
  EmployerValues employer = ValidEmployer();
  employer.TaxYear = 1999;  // military pay allowed
  employer.TaxYearText = "1999";
  const TestRun run = RunRW(record, employer);
  EXPECT_TRUE(run.findings.empty());
  for (int column = 8; column <= 23; ++column) EXPECT_EQ(run.trt.sums[column], column - 7);
  EXPECT_EQ(run.trt.sums[24], 0);
}

TEST(RulesRW, FirstNonNumericSsnOfTheBlockIsKept) {
  MemoryRuleContext ctx;
  ctx.employer = ValidEmployer();
  ctx.OpenBlock("987654321");
  std::string first = EditedRW({{3, "111111111"}, {210, "ABCDEFGHIJK"}});
  std::string second = EditedRW({{3, "222222222"}, {210, "ABCDEFGHIJK"}});
  CheckCodeRW(first, ctx);
  CheckCodeRW(second, ctx);
  CheckCodeRW(ValidRW(), ctx);
  EXPECT_EQ(ctx.trt.count, 3);
  EXPECT_EQ(ctx.trt.err_refs[3], "111111111");
  EXPECT_EQ(ctx.trt.sums[3], 5000000);  // only the numeric record counts
  EXPECT_EQ(ctx.rec_reference, "123456789");
}

// The Social Security and Medicare rules by tax year and Employment Code.
constexpr int64_t kLetters = -1;  // amount field holding letters

// Cents at 210 (W), 221 (SST), 232 (MW), 243 (MT), 254 (T).
struct Amounts {
  int64_t wages, tax, medicare_wages, medicare_tax, tips;
};

struct LimitCase {
  const char* label;
  int year;
  const char* code;
  Amounts amounts;
  std::vector<Finding> expected;
};

const char kWagesRef[] = "Social Security Wages [Position 210 - 220]";
const char kTaxRef[] = "Social Security Tax Withheld [Position 221 - 231]";
const char kMedicareRef[] = "Medicare Wages and Tips [Position 232 - 242]";
const char kMedicareTaxRef[] = "Medicare Tax Withheld [Position 243 - 253]";
const char kTipsRef[] = "Social Security Tips [Position 254 - 264]";

std::string AmountEntry(int64_t cents) {
  return "[" + Amount(cents, 11) + "]";
}

const std::vector<LimitCase> kLimitCases = {
    {"2011 sum at the maximum", 2011, "R", {10000000, 662160, 10680000, 154860, 680000}, {}},
    {"2011 sum one cent over the maximum",
     2011,
     "R",
     {10000001, 662160, 10680001, 154860, 680000},
     {{"Current Year Max", "10680001",
       "The sum of the Social Security Wages [Position 210 - 220] and Social Security Tips "
       "[Position 254 - 264] is greater than the Current Year Maximum. The sum of the Social "
       "Security Wages and Social Security Tips for Tax Year 2011 should not exceed $106,800.00.",
       18}}},
    {"2010 sum equal to the prior maximum", 2010, "R", {10680000, 662160, 10680000, 154860, 0}, {}},
    {"2009 sum equal to the prior maximum",
     2009,
     "R",
     {10000000, 620000, 10200000, 147900, 200000},
     {{"Prior Year Max", "10200000",
       "The sum of the Social Security Wages [Position 210 - 220] and Social Security Tips "
       "[Position 254 - 264] equals prior year maximum. Please ensure that the Social Security "
       "Wages and Social Security Tips are all correct.",
       18}}},
    {"1978 over the maximum",
     1978,
     "R",
     {1770001, 100, 0, 0, 0},
     {{"Current Year Max", "1770001",
       "The sum of the Social Security Wages [Position 210 - 220] and Social Security Tips "
       "[Position 254 - 264] is greater than the Current Year Maximum. The sum of the Social "
       "Security Wages and Social Security Tips for Tax Year 1978 should not exceed $17,700.00.",
       18}}},
    {"2012 has no limits", 2012, "R", {20000000, 100, 20000000, 100, 0}, {}},
    {"household below the minimum",
     2011,
     "H",
     {100000, 6200, 100000, 1450, 0},
     {{"Annual Household Min", "100000",
       "The sum of the Social Security Wages [Position 210 - 220] and Social Security Tips "
       "[Position 254 - 264] must be greater than or equal to the Annual Household Minimum for "
       "the tax year being reported. Either enter a value of zero in the Social Security Wages and "
       "Social Security Tips fields or change the Employment Code in the RE Record.",
       18},
      {kMedicareRef, AmountEntry(100000),
       "The amount in Medicare Wages and Tips must be greater than or equal to the Annual "
       "Household Minimum for the tax year being reported. Either enter a value of zero in the "
       "Medicare Wages and Tips field or change the Employment Code in the RE Record.",
       20}}},
    {"household with no wages", 2011, "H", {0, 0, 0, 0, 0}, {}},
    {"railroad employer",
     2011,
     "X",
     {5000000, 310000, 5500000, 79750, 500000},
     {{kWagesRef, AmountEntry(5000000),
       "The Social Security Wages field must be zero because it does not apply to the Employment "
       "Code entered in the RE record. Either enter a value of zero in the Social Security Wages "
       "field or change the Employment Code in the RE record.",
       18},
      {kTaxRef, AmountEntry(310000), EcZero("Social Security Tax Withheld"), 19},
      {kMedicareRef, AmountEntry(5500000), EcZero("Medicare Wages and Tips"), 20},
      {kMedicareTaxRef, AmountEntry(79750), EcZero("Medicare Tax Withheld"), 21},
      {kTipsRef, AmountEntry(500000), EcZero("Social Security Tips"), 22}}},
    {"Medicare qualified government employer",
     2011,
     "Q",
     {5000000, 310000, 5500000, 79750, 500000},
     {{kWagesRef, AmountEntry(5000000), EcZero("Social Security Wages"), 18},
      {kTaxRef, AmountEntry(310000), EcZero("Social Security Tax Withheld"), 19},
      {kTipsRef, AmountEntry(500000), EcZero("Social Security Tips"), 22}}},
    {"railroad employer with letters in the wages: numeric and zero errors",
     2011,
     "X",
     {kLetters, 0, 0, 0, 0},
     {{kWagesRef, "[ABCDEFGHIJK]", kMoney, 18},
      {kWagesRef, "[ABCDEFGHIJK]", EcZero("Social Security Wages"), 18}}},
    {"tax without wages or tips",
     2011,
     "R",
     {0, 100, 0, 0, 0},
     {{kTaxRef, AmountEntry(100),
       "If the amount in Social Security Tax Withheld is greater than zero, then the amount in "
       "Social Security Wages [Position 210 - 220] and/or the amount in Social Security Tips "
       "[Position 254 - 264] must be greater than zero.",
       19}}},
    {"tax without wages under Q: only the zero rule",
     2011,
     "Q",
     {0, 100, 0, 0, 0},
     {{kTaxRef, AmountEntry(100), EcZero("Social Security Tax Withheld"), 19}}},
    {"tips without wages or tax",
     2011,
     "R",
     {0, 0, 500000, 7250, 500000},
     {{kTipsRef, AmountEntry(500000),
       "The amount in Social Security Tax (Position 221 - 231) must be greater then zero, since "
       "the amount in Social Security Tips is greater then zero.",
       22}}},
    {"tips with wages but no tax", 2011, "R", {100000, 0, 600000, 8700, 500000}, {}},
    {"2011 Medicare wages below wages plus tips",
     2011,
     "R",
     {5000000, 310000, 5400000, 79750, 500000},
     {{kMedicareRef, AmountEntry(5400000),
       "The amount in Medicare Wages and Tips must be greater than or equal to the sum of the "
       "amount in Social Security Wages [Position 210 - 220] and the amount in Social Security "
       "Tips [Position 254 - 264].",
       20}}},
    {"1985 Medicare wages below wages plus tips",
     1985,
     "R",
     {3000000, 100, 2000000, 100, 0},
     {{kMedicareRef, AmountEntry(2000000),
       "The amount in Medicare Wages and Tips must equal the sum of the amount in Social Security "
       "Wages [Position 210 - 220] and the amount in Social Security Tips [Position 254 - 264].",
       20}}},
    {"1985 Medicare wages above wages plus tips",
     1985,
     "R",
     {3000000, 100, 3500000, 100, 0},
     {{kMedicareRef, AmountEntry(3500000),
       "The amount in Medicare Wages and Tips must equal the sum of the amount in Social Security "
       "Wages [Position 210 - 220] and the amount in Social Security Tips [Position 254 - 264].",
       20}}},
    {"1985 Medicare wages over the wage base",
     1985,
     "R",
     {3000000, 100, 3960001, 100, 0},
     {{kMedicareRef, AmountEntry(3960001),
       "The amount in Medicare Wages and Tips should not exceed the annual maximum Medicare wage "
       "base for the tax year being reported.",
       20},
      {kMedicareRef, AmountEntry(3960001),
       "The amount in Medicare Wages and Tips must equal the sum of the amount in Social Security "
       "Wages [Position 210 - 220] and the amount in Social Security Tips [Position 254 - 264].",
       20}}},
    {"1980 Medicare amounts",
     1980,
     "R",
     {1000000, 61300, 1000000, 14500, 0},
     {{kMedicareRef, AmountEntry(1000000), "Must be zero filled for years prior to 1983.", 20},
      {kMedicareTaxRef, AmountEntry(14500), "Must be zero filled for years prior to 1983.", 21}}},
    {"1992 Medicare tax over the wage base",
     1992,
     "R",
     {5000000, 310000, 5000000, 13020001, 0},
     {{kMedicareTaxRef, AmountEntry(13020001),
       "The amount in Medicare Tax Withheld should not exceed the annual maximum Medicare wage "
       "base for the tax year being reported.",
       21}}},
    {"Medicare tax without Medicare wages",
     2011,
     "R",
     {0, 0, 0, 100, 0},
     {{kMedicareTaxRef, AmountEntry(100),
       "The amount in Medicare Wages and Tips [Position 232 - 242] must be greater than zero "
       "because there is an amount greater than zero in the Medicare Tax Withheld field.",
       21}}},
    {"1990 letters in the wages, Medicare wages over the base",
     1990,
     "R",
     {kLetters, 100, 5130001, 100, 0},
     {{kWagesRef, "[ABCDEFGHIJK]", kMoney, 18},
      {kMedicareRef, AmountEntry(5130001),
       "The amount in Medicare Wages and Tips should not exceed the annual maximum Medicare wage "
       "base for the tax year being reported.",
       20}}},
    {"1992 letters in the wages, Medicare tax over the base",
     1992,
     "R",
     {kLetters, 100, 5000000, 13020001, 0},
     {{kWagesRef, "[ABCDEFGHIJK]", kMoney, 18},
      {kMedicareTaxRef, AmountEntry(13020001),
       "The amount in Medicare Tax Withheld should not exceed the annual maximum Medicare wage "
       "base for the tax year being reported.",
       21}}},
    {"household with letters in the Medicare wages",
     2011,
     "H",
     {0, 0, kLetters, 0, 0},
     {{kMedicareRef, "[ABCDEFGHIJK]", kMoney, 20}}},
};

void PrintTo(const LimitCase& c, std::ostream* os) {
  *os << c.label;
}

class RWLimitRules : public testing::TestWithParam<LimitCase> {};

TEST_P(RWLimitRules, ReportsExactlyTheExpectedFindings) {
  const LimitCase& c = GetParam();
  std::string record = ValidRW();
  const auto put = [&record](int position, int64_t cents) {
    Put(record, position, cents == kLetters ? std::string("ABCDEFGHIJK") : Amount(cents, 11));
  };
  const Amounts& a = c.amounts;
  put(210, a.wages);
  put(221, a.tax);
  put(232, a.medicare_wages);
  put(243, a.medicare_tax);
  put(254, a.tips);
  EmployerValues employer = ValidEmployer();
  employer.TaxYear = c.year;
  employer.TaxYearText = std::to_string(c.year);
  employer.EmploymentCode = c.code;

  const TestRun run = RunRW(record, employer);
  EXPECT_EQ(run.findings, c.expected);
  // Every numeric amount is summed, whatever the limit rules said.
  if (a.wages != kLetters) {
    EXPECT_EQ(run.trt.sums[3], a.wages);
  }
  if (a.medicare_wages != kLetters) {
    EXPECT_EQ(run.trt.sums[5], a.medicare_wages);
  }
  ExpectViewerHighlights(record, employer, c.expected);
}

INSTANTIATE_TEST_SUITE_P(TaxYears, RWLimitRules, testing::ValuesIn(kLimitCases));

TEST(RulesRW, MilitaryPayRuleByTaxYear) {
  const std::string record = EditedRW({{342, Amount(100, 11)}});
  struct YearCase {
    int year;
    const char* text;
    bool error;
  };
  for (const YearCase& c :
       {YearCase{2011, "2011", true}, YearCase{2001, "2001", false}, YearCase{1995, "1995", false},
        YearCase{1994, "1994", true}, YearCase{0, "20X1", true}}) {
    EmployerValues employer = ValidEmployer();
    employer.TaxYear = c.year;
    employer.TaxYearText = c.text;
    const TestRun run = RunRW(record, employer);
    EXPECT_EQ(run.findings.size(), c.error ? 1u : 0u) << c.text;
    EXPECT_EQ(run.trt.sums[14], 100) << c.text;
  }
}

}  // namespace
}  // namespace ledgerly
