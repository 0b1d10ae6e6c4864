#include <gtest/gtest.h>

#include "layout/RecordLayouts.h"
#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "support/RecordBuilder.h"
#include "support/RuleCase.h"

namespace ledgerly {
namespace {

TEST(Primitives, NumCheck) {
  EXPECT_TRUE(NumCheck(""));
  EXPECT_TRUE(NumCheck("0123456789"));
  EXPECT_FALSE(NumCheck("12 4"));
  EXPECT_FALSE(NumCheck("-12"));
  EXPECT_FALSE(NumCheck("1.2"));
  // Money fields are checked eight characters at a time: neighbours of '0'-'9'
  // inside the first eight, and a fault in the rest.
  EXPECT_TRUE(NumCheck("01234567890123456"));
  EXPECT_FALSE(NumCheck("1234567:901"));
  EXPECT_FALSE(NumCheck("/2345678901"));
  EXPECT_FALSE(NumCheck("12345678 01"));
}

TEST(Primitives, NameAndAlphaNumChecks) {
  EXPECT_TRUE(NameCheck("O'BRIEN-SMITH JR."));
  EXPECT_FALSE(NameCheck("Smith"));
  EXPECT_TRUE(AlphaNumCheck("AB12"));
  EXPECT_FALSE(AlphaNumCheck("AB 12"));
}

TEST(Primitives, UserIDCheckLooksAtTheFirstEightOnly) {
  EXPECT_FALSE(UserIDCheck("ABC1234"));
  EXPECT_TRUE(UserIDCheck("ABCD1234"));
  EXPECT_TRUE(UserIDCheck("ABCD1234#$%"));
  EXPECT_FALSE(UserIDCheck("ABCd1234"));
}

TEST(Primitives, CodeListsAreSearchedAsText) {
  EXPECT_TRUE(StateCheck("  "));
  EXPECT_TRUE(StateCheck("MD"));
  EXPECT_FALSE(StateCheck("md"));
  EXPECT_TRUE(StateCheck("D,"));
  EXPECT_TRUE(StateCheck("NC"));  // first code of the second list piece
  EXPECT_TRUE(CountryCheck("  "));
  EXPECT_FALSE(CountryCheck("US"));
  EXPECT_TRUE(CountryCheck("CA"));
  EXPECT_TRUE(CountryCheck("ZI"));
  EXPECT_TRUE(CountryCheck("A,"));  // straddles a comma
  EXPECT_FALSE(CountryCheck("ca"));
  EXPECT_TRUE(StateCheck(" ,"));
  EXPECT_FALSE(StateCheck("ZZ"));
}

TEST(Primitives, CharCheckListsPositions) {
  std::string positions;
  EXPECT_TRUE(CharCheck("abc ~!", 10, positions));
  EXPECT_EQ(positions, "");
  EXPECT_FALSE(CharCheck("A\tB\tCCCCC", 62, positions));
  EXPECT_EQ(positions, "63 and 65");
  EXPECT_FALSE(CharCheck("A\tB\tCCCCC\xE9", 62, positions));
  EXPECT_EQ(positions, "63, 65 and 71");
  EXPECT_FALSE(CharCheck("\x7f", 5, positions));
  EXPECT_EQ(positions, "5");
}

TEST(Primitives, InvalidCharErrorText) {
  EXPECT_EQ(InvalidCharError("63 and 65"),
            "Invalid character found in position(s) 63 and 65 of this record. This field may only "
            "contain letters (A-Z), numbers (0-9), spaces, non-alpha non-numeric characters (~ ! @ "
            "# $ % ^ & * ( ) _ + { } | : \" < > ? ` - = [ ] \\ ; ' , . /).");
}

TEST(Primitives, TaxYearLimits) {
  SocialSecurityLimits limits;
  TaxYearLimits(2011, limits);
  EXPECT_EQ(limits.PriorYearMax, 106800);
  EXPECT_EQ(limits.CurrentYearMax, 106800);
  EXPECT_EQ(limits.MedicareWageBase, 0);
  EXPECT_EQ(limits.AnnualHouseholdMin, 1700);
  SocialSecurityLimits early;
  TaxYearLimits(1978, early);
  EXPECT_EQ(early.PriorYearMax, 0);
  EXPECT_EQ(early.CurrentYearMax, 17700);
  SocialSecurityLimits none{1, 2, 3, 4};
  TaxYearLimits(2012, none);
  EXPECT_EQ(none.CurrentYearMax, 2);
  SocialSecurityLimits medicare;
  TaxYearLimits(1992, medicare);
  EXPECT_EQ(medicare.MedicareWageBase, 130200);
}

// One address of a record: identifier, which RA address, State, Zip Code, Country Code.
struct AddressCase {
  const char* name;
  const char* id;
  bool company_address;
  const char* state;
  const char* zip;
  const char* country;
  std::vector<Finding> expected;
};

class ForeignAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(ForeignAddress, LogsAtMostTheExpectedError) {
  const AddressCase& c = GetParam();
  const std::string id = c.id;
  const AddressFields& address = id == "RA"
                                     ? (c.company_address ? kRACompanyAddress : kRASubmitterAddress)
                                 : id == "RE" ? kREAddress
                                              : kRWAddress;
  const auto layout = LayoutFor(id);
  std::string record = test::BlankRecord(id);
  test::Put(record, layout[address.state].first, c.state);
  test::Put(record, layout[address.zip].first, c.zip);
  test::Put(record, layout[address.country].first, c.country);
  MemoryRuleContext ctx;
  CheckForeignAddress(FieldChecker(record, layout, ctx), address);
  EXPECT_EQ(ctx.findings, c.expected);
}

const char* const kZipText = "Must not have both a foreign Country Code and a domestic Zip Code.";
const char* const kStateText =
    "Must not have both a domestic State Abbreviation and a foreign Country Code.";

INSTANTIATE_TEST_SUITE_P(
    Addresses, ForeignAddress,
    testing::Values(
        AddressCase{"RW foreign country with domestic zip",
                    "RW",
                    false,
                    "  ",
                    "12345",
                    "CA",
                    {{"Country Code [Position 186 - 187]", "[CA]", kZipText, 15}}},
        AddressCase{"RW state with foreign country",
                    "RW",
                    false,
                    "VA",
                    "54321",
                    "CA",
                    {{"Country Code [Position 186 - 187]", "[CA]", kStateText, 15}}},
        AddressCase{"RW foreign country alone", "RW", false, "  ", "     ", "CA", {}},
        AddressCase{"RW domestic address", "RW", false, "VA", "54321", "  ", {}},
        AddressCase{"RW invalid country still compared",
                    "RW",
                    false,
                    "VA",
                    "54321",
                    "US",
                    {{"Country Code [Position 186 - 187]", "[US]", kStateText, 15}}},
        AddressCase{"RE foreign country with domestic zip",
                    "RE",
                    false,
                    "  ",
                    "12345",
                    "CA",
                    {{"Country Code [Position 217 - 218]", "[CA]", kZipText, 19}}},
        AddressCase{"RE state with foreign country",
                    "RE",
                    false,
                    "MD",
                    "     ",
                    "GM",
                    {{"Country Code [Position 217 - 218]", "[GM]", kStateText, 19}}},
        AddressCase{"RA company foreign country with domestic zip",
                    "RA",
                    true,
                    "  ",
                    "12345",
                    "CA",
                    {{"Country Code [Position 215 - 216]", "[CA]", kZipText, 18}}},
        AddressCase{"RA company state with foreign country",
                    "RA",
                    true,
                    "MD",
                    "12345",
                    "CA",
                    {{"Country Code [Position 215 - 216]", "[CA]", kStateText, 18}}},
        AddressCase{
            "RA submitter foreign country with domestic zip", "RA", false, "  ", "12345", "CA", {}},
        AddressCase{"RA submitter state with foreign country",
                    "RA",
                    false,
                    "MD",
                    "12345",
                    "CA",
                    {{"Country Code [Position 394 - 395]", "[CA]", kStateText, 29}}},
        AddressCase{"RA submitter domestic address", "RA", false, "MD", "12345", "  ", {}}),
    [](const auto& info) { return test::CaseName(info.param.name); });

TEST(Primitives, ForeignAddressCheckInViewerModeOnlyHighlights) {
  std::string record = test::BlankRecord("RE");
  test::Put(record, 163, "MD");
  test::Put(record, 217, "CA");
  ViewerRuleContext viewer;
  CheckForeignAddress(FieldChecker(record, kRELayout, viewer), kREAddress);
  EXPECT_EQ(viewer.highlighted, (std::set<int>{19}));
}

TEST(Primitives, FieldReferenceAndUserEntryAreUntrimmed) {
  EXPECT_EQ(FieldReference("Social Security Wages", 210, 220),
            "Social Security Wages [Position 210 - 220]");
  EXPECT_EQ(UserEntry("   "), "[   ]");
  EXPECT_EQ(UserEntry(" A "), "[ A ]");
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("   "));
  EXPECT_FALSE(IsBlank(" \t "));
}

// ToNumber reads eight digits at a time where it can; every other character is
// skipped. NumericValue is ToNumber of what NumCheck accepts.
TEST(ToNumberTest, ReadsTheDigitsAndSkipsTheRest) {
  const std::pair<std::string_view, int64_t> cases[] = {
      {"", 0},
      {"7", 7},
      {"00000000000", 0},
      {"12345678901", 12345678901},
      {"99999999999", 99999999999},
      {"999999999999999", 999999999999999},
      {"87654321", 87654321},
      {"1234567 8901", 12345678901},
      {"12A45678901", 1245678901},
      {"123456789 1", 1234567891},
      {"  123", 123},
      {"/:0123456789", 123456789},         // the neighbours of the digits
      {"1234567:8901;<=>?", 12345678901},  // same upper half as the digits
      {"\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8"
       "5",
       5},
  };
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(ToNumber(text), number) << text;
    EXPECT_EQ(NumericValue(text), NumCheck(text) ? std::optional(number) : std::nullopt) << text;
  }
}

}  // namespace
}  // namespace ledgerly
