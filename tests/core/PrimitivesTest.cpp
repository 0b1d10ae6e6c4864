#include <gtest/gtest.h>

#include "rules/Primitives.h"

namespace ledgerly {
namespace {

TEST(Primitives, NumCheck) {
  EXPECT_TRUE(NumCheck(""));
  EXPECT_TRUE(NumCheck("0123456789"));
  EXPECT_FALSE(NumCheck("12 4"));
  EXPECT_FALSE(NumCheck("-12"));
  EXPECT_FALSE(NumCheck("1.2"));
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

}  // namespace
}  // namespace ledgerly
