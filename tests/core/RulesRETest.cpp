#include <gtest/gtest.h>

#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "support/RecordBuilder.h"
#include "support/RuleCase.h"
#include "support/ValidRecords.h"

namespace ledgerly {
namespace {

using test::CharField;
using test::RuleCase;
using test::ValidRE;

// The texts as the rules must write them.
const std::string kMandatoryNumeric =
    "This is a mandatory field and must contain only valid numeric data.";
const std::string kYearRange =
    "Must not be less than 1978 or greater than 2011. This is a mandatory field.";
const std::string kPreviousYear =
    "The date entered is for a previous tax year. Please check that the earnings are for the year "
    "being reported.";
const std::string kAgentIndicator =
    "Enter appropriate code: 1 - 2678 Agent, 2 - Common Paymaster, 3 - 3504 Agent or Blank - Not "
    "an agent.";
const std::string kPrefix =
    "Must not start with 00, 07, 08, 09, 17, 18, 19, 28, 29, 49, 69, 70, 78, 79 or 89.";
const std::string kPrefixMandatory =
    "Must not start with 00, 07, 08, 09, 17, 18, 19, 28, 29, 49, 69, 70, 78, 79 or 89. This is a "
    "mandatory field and must contain only valid numeric data.";
const std::string kAgentForRequired =
    "If Agent Indicator Code [Position 7] = 1, then Agent for EIN cannot be blank.";
const std::string kAgentForMustBeBlank =
    "The Agent for EIN must be blank unless Agent Indicator Code [Position 7] = 1. Either enter a "
    "1 in Agent Indicator Code or make Agent for EIN blank.";
const std::string kNumericOrBlank = "Must be numeric or blank.";
const std::string kTerminating =
    "Enter appropriate code: 1 - Business terminated during this tax year or 0 - Other.";
const std::string kInvalidState = "The Postal Abbreviation is invalid (see Pelkin).";
const std::string kExtensionWithoutZip =
    "A value was entered in the Zip Code Extension field and the Zip Code field is blank. Either "
    "change the Zip Code Extension field to blank or enter a valid Zip Code.";
const std::string kKindOfEmployer =
    "Enter appropriate code: F - Federal Government, S - State and Local Governmental Employer, T "
    "- Tax Exempt Employer, Y - State and Local Tax Exempt Employer or N - None Apply.";
const std::string kInvalidCountry = "The Country Code is invalid (see Pelkin).";
const std::string kForeignCountryDomesticZip =
    "Must not have both a foreign Country Code and a domestic Zip Code.";
const std::string kStateAndCountry =
    "Must not have both a domestic State Abbreviation and a foreign Country Code.";
const std::string kEmploymentCode =
    "Enter appropriate code: A - Agriculture, H - Household, M - Military, Q - Medicare Qualified "
    "Government Employment, X - Railroad, F - 944 Filer or R - Regular (all others).";
const std::string kJurisdiction =
    "Enter appropriate code: V - Virgin Islands, G - Guam, S - American Samoa, N - Northern "
    "Mariana Islands or P - Puerto Rico. Otherwise, enter blank.";
const std::string kSickPay =
    "Enter appropriate code: 1 - Employee has Third-Party Sick Pay or 0 - Other.";

const std::string kYearRef = "Tax Year [Position 3 - 6]";
const std::string kAgentRef = "Agent Indicator Code [Position 7]";
const std::string kEINRef = "Employer/Agent EIN [Position 8 - 16]";
const std::string kAgentForRef = "Agent for EIN [Position 17 - 25]";
const std::string kOtherEINRef = "Other EIN [Position 31 - 39]";
const std::string kStateRef = "State Abbreviation [Position 163 - 164]";
const std::string kZipRef = "Zip Code [Position 165 - 169]";
const std::string kExtRef = "Zip Code Extension [Position 170 - 173]";
const std::string kCountryRef = "Country Code [Position 217 - 218]";

std::vector<RuleCase> RECases() {
  return {
      {"valid record", {}, {}},
      {"tax year 2010", {{3, "2010"}}, {{kYearRef, "[2010]", kPreviousYear, 1}}},
      {"tax year 1978", {{3, "1978"}}, {{kYearRef, "[1978]", kPreviousYear, 1}}},
      {"tax year 1977", {{3, "1977"}}, {{kYearRef, "[1977]", kYearRange, 1}}},
      {"tax year 2012", {{3, "2012"}}, {{kYearRef, "[2012]", kYearRange, 1}}},
      {"tax year with a letter", {{3, "20A1"}}, {{kYearRef, "[20A1]", kMandatoryNumeric, 1}}},
      {"tax year blank", {{3, "    "}}, {{kYearRef, "[    ]", kMandatoryNumeric, 1}}},
      {"agent indicator 2", {{7, "2"}}, {}},
      {"agent indicator 3", {{7, "3"}}, {}},
      {"agent indicator invalid", {{7, "4"}}, {{kAgentRef, "[4]", kAgentIndicator, 2}}},
      {"EIN with a letter", {{8, "12345678A"}}, {{kEINRef, "[12345678A]", kMandatoryNumeric, 3}}},
      {"EIN starting with 00", {{8, "001234567"}}, {{kEINRef, "[001234567]", kPrefixMandatory, 3}}},
      {"EIN starting with 89", {{8, "891234567"}}, {{kEINRef, "[891234567]", kPrefixMandatory, 3}}},
      {"agent for EIN missing for a 2678 agent",
       {{7, "1"}},
       {{kAgentForRef, "[         ]", kAgentForRequired, 4}}},
      {"agent for EIN given for a 2678 agent", {{7, "1"}, {17, "123456789"}}, {}},
      {"agent for EIN given for a common paymaster",
       {{7, "2"}, {17, "123456789"}},
       {{kAgentForRef, "[123456789]", kAgentForMustBeBlank, 4}}},
      {"agent for EIN with refused prefix",
       {{7, "1"}, {17, "071234567"}},
       {{kAgentForRef, "[071234567]", kPrefix, 4}}},
      {"agent for EIN with refused prefix and letters",
       {{7, "1"}, {17, "07ABCDEFG"}},
       {{kAgentForRef, "[07ABCDEFG]", kPrefix, 4},
        {kAgentForRef, "[07ABCDEFG]", kNumericOrBlank, 4}}},
      {"agent for EIN failing three tests",
       {{17, "07ABCDEFG"}},
       {{kAgentForRef, "[07ABCDEFG]", kAgentForMustBeBlank, 4},
        {kAgentForRef, "[07ABCDEFG]", kPrefix, 4},
        {kAgentForRef, "[07ABCDEFG]", kNumericOrBlank, 4}}},
      {"terminating indicator 1", {{26, "1"}}, {}},
      {"terminating indicator invalid",
       {{26, "2"}},
       {{"Terminating Business Indicator [Position 26]", "[2]", kTerminating, 5}}},
      {"other EIN valid", {{31, "123456789"}}, {}},
      {"other EIN with refused prefix",
       {{31, "001234567"}},
       {{kOtherEINRef, "[001234567]", kPrefix, 7}}},
      {"other EIN with a letter",
       {{31, "12345678A"}},
       {{kOtherEINRef, "[12345678A]", kNumericOrBlank, 7}}},
      {"other EIN with refused prefix and a letter",
       {{31, "0734567A9"}},
       {{kOtherEINRef, "[0734567A9]", kNumericOrBlank, 7}}},
      {"two bad characters in the employer name",
       {{41, "\x0D"}, {44, "\x0A"}},
       {{"Employer Name [Position 40 - 96]", "[A\rME\nWIDGETS INC" + std::string(41, ' ') + "]",
         InvalidCharError("41 and 44"), 8}}},
      {"state invalid", {{163, "XX"}}, {{kStateRef, "[XX]", kInvalidState, 12}}},
      {"zip with a letter", {{165, "2140A"}}, {{kZipRef, "[2140A]", kNumericOrBlank, 13}}},
      {"extension with a letter", {{170, "12A4"}}, {{kExtRef, "[12A4]", kNumericOrBlank, 14}}},
      {"extension without zip",
       {{165, "     "}, {170, "1234"}},
       {{kExtRef, "[1234]", kExtensionWithoutZip, 14}}},
      {"kind of employer lower case",
       {{174, "f"}},
       {{"Kind of Employer [Position 174]", "[f]", kKindOfEmployer, 15}}},
      {"kind of employer blank",
       {{174, " "}},
       {{"Kind of Employer [Position 174]", "[ ]", kKindOfEmployer, 15}}},
      {"kind of employer Y", {{174, "Y"}}, {}},
      {"country invalid", {{217, "US"}}, {{kCountryRef, "[US]", kInvalidCountry, 19}}},
      {"foreign country with domestic zip",
       {{163, "  "}, {165, "12345"}, {217, "CA"}},
       {{kCountryRef, "[CA]", kForeignCountryDomesticZip, 19}}},
      {"state with foreign country", {{217, "CA"}}, {{kCountryRef, "[CA]", kStateAndCountry, 19}}},
      {"zip with letters suppresses the address check",
       {{163, "  "}, {165, "AB123"}, {217, "CA"}},
       {{kZipRef, "[AB123]", kNumericOrBlank, 13}}},
      {"invalid state suppresses the address check",
       {{163, "XX"}, {217, "CA"}},
       {{kStateRef, "[XX]", kInvalidState, 12}}},
      {"extension error does not suppress the address check",
       {{170, "12A4"}, {217, "CA"}},
       {{kExtRef, "[12A4]", kNumericOrBlank, 14}, {kCountryRef, "[CA]", kStateAndCountry, 19}}},
      {"employment code invalid",
       {{219, "Z"}},
       {{"Employment Code [Position 219]", "[Z]", kEmploymentCode, 20}}},
      {"employment code household", {{219, "H"}}, {}},
      {"tax jurisdiction invalid",
       {{220, "X"}},
       {{"Tax Jurisdiction Code [Position 220]", "[X]", kJurisdiction, 21}}},
      {"tax jurisdiction Puerto Rico", {{220, "P"}}, {}},
      {"sick pay indicator invalid",
       {{221, "Y"}},
       {{"Third-Party Sick Pay Indicator [Position 221]", "[Y]", kSickPay, 22}}},
  };
}

class RulesRE : public testing::TestWithParam<RuleCase> {};

TEST_P(RulesRE, DrawsExactlyTheExpectedFindings) {
  MemoryRuleContext ctx;
  CheckCodeRE(test::Edited(ValidRE(), GetParam().edits), ctx);
  EXPECT_EQ(ctx.findings, GetParam().expected);
}

TEST_P(RulesRE, ViewerHighlightsTheSameFields) {
  ViewerRuleContext viewer;
  CheckCodeRE(test::Edited(ValidRE(), GetParam().edits), viewer);
  EXPECT_EQ(viewer.highlighted, test::FieldNumbers(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(OneChangePerCase, RulesRE, testing::ValuesIn(RECases()),
                         [](const auto& info) { return test::CaseName(info.param.name); });

class RulesRECharCheck : public testing::TestWithParam<CharField> {};

TEST_P(RulesRECharCheck, ReportsTheTabPosition) {
  std::string record = ValidRE();
  test::Put(record, GetParam().first, "\t");
  MemoryRuleContext ctx;
  CheckCodeRE(record, ctx);
  EXPECT_EQ(ctx.findings, test::TabFinding(record, GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    EveryCharCheckField, RulesRECharCheck,
    testing::Values(CharField{6, 27, 30, "Establishment Number [Position 27 - 30]"},
                    CharField{8, 40, 96, "Employer Name [Position 40 - 96]"},
                    CharField{9, 97, 118, "Location Address [Position 97 - 118]"},
                    CharField{10, 119, 140, "Delivery Address [Position 119 - 140]"},
                    CharField{11, 141, 162, "City [Position 141 - 162]"},
                    CharField{16, 175, 178, "Blank [Position 175 - 178]"},
                    CharField{17, 179, 201, "Foreign State/Province [Position 179 - 201]"},
                    CharField{18, 202, 216, "Foreign Postal Code [Position 202 - 216]"},
                    CharField{23, 222, 512, "Blank [Position 222 - 512]"}),
    [](const auto& info) { return "Field" + std::to_string(info.param.field_no); });

// The employer values the RE leaves for the rest of its block.
struct EmployerCase {
  const char* name;
  std::vector<test::Edit> edits;
  EmployerValues expected;
};

class RulesREEmployer : public testing::TestWithParam<EmployerCase> {};

void ExpectEmployer(const EmployerValues& actual, const EmployerValues& expected) {
  EXPECT_EQ(actual.TaxYear, expected.TaxYear);
  EXPECT_EQ(actual.TaxYearText, expected.TaxYearText);
  EXPECT_EQ(actual.EmploymentCode, expected.EmploymentCode);
  EXPECT_EQ(actual.TaxJurisdiction, expected.TaxJurisdiction);
  EXPECT_EQ(actual.TaxJurisdictionOK, expected.TaxJurisdictionOK);
  EXPECT_EQ(actual.TaxJurisdictionRaw, expected.TaxJurisdictionRaw);
}

// Values left over from a previous block, so that every value must be set anew.
EmployerValues PreviousBlock() {
  return {1999, "1999", "M", "G", true, "G"};
}

TEST_P(RulesREEmployer, SetsTheBlockValues) {
  const std::string record = test::Edited(ValidRE(), GetParam().edits);
  MemoryRuleContext run;
  ViewerRuleContext viewer;
  for (RuleContext* ctx : std::initializer_list<RuleContext*>{&run, &viewer}) {
    SCOPED_TRACE(ctx == &viewer ? "viewer" : "test run");
    ctx->employer = PreviousBlock();
    CheckCodeRE(record, *ctx);
    ExpectEmployer(ctx->employer, GetParam().expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RulesREEmployer,
    testing::Values(
        EmployerCase{"valid", {}, {2011, "2011", "R", " ", true, " "}},
        EmployerCase{
            "year out of range is kept", {{3, "2012"}}, {2012, "2012", "R", " ", true, " "}},
        EmployerCase{"year with a letter", {{3, "20A1"}}, {0, "20A1", "R", " ", true, " "}},
        EmployerCase{
            "invalid employment code kept", {{219, "Z"}}, {2011, "2011", "Z", " ", true, " "}},
        EmployerCase{"Guam", {{220, "G"}}, {2011, "2011", "R", "G", true, "G"}},
        EmployerCase{"invalid jurisdiction", {{220, "X"}}, {2011, "2011", "R", "", false, "X"}}),
    [](const auto& info) { return test::CaseName(info.param.name); });

TEST(RulesREBlock, OpensABlockKeyedByTheEINAsRead) {
  MemoryRuleContext ctx;
  CheckCodeRE(ValidRE(), ctx);
  EXPECT_EQ(ctx.trt.Indx, 1);
  EXPECT_EQ(ctx.trt.RE_EIN, "123456789");
  EXPECT_EQ(ctx.tru.RE_EIN, "123456789");
  EXPECT_EQ(ctx.rec_reference, "123456789");
  EXPECT_EQ(ctx.re_indx, 1);

  CheckCodeRE(test::Edited(ValidRE(), {{8, "12345678A"}}), ctx);
  EXPECT_EQ(ctx.trt.Indx, 2);
  EXPECT_EQ(ctx.trt.RE_EIN, "12345678A");
  EXPECT_EQ(ctx.tru.RE_EIN, "12345678A");
  EXPECT_EQ(ctx.rec_reference, "12345678A");
  EXPECT_EQ(ctx.re_indx, 2);
}

TEST(RulesREBlock, ViewerOpensNoBlock) {
  ViewerRuleContext viewer;
  CheckCodeRE(ValidRE(), viewer);
  EXPECT_EQ(viewer.trt.Indx, 0);
}

}  // namespace
}  // namespace ledgerly
