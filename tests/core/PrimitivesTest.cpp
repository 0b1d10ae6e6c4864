#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/RunHost.h"
#include "rules/Primitives.h"

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

// LEDGERLY_TODAY replaces the clock only with a date of the calendar's months and days.
TEST(TodayOrOverride, TakesOnlyAValidDate) {
  const char* const saved = std::getenv("LEDGERLY_TODAY");
  const std::string outer = saved ? saved : "";
  ::unsetenv("LEDGERLY_TODAY");
  const Date clock = TodayOrOverride();
  const std::pair<const char*, Date> cases[] = {{"2026-12-31", {2026, 12, 31}},
                                                {"2027-01-01", {2027, 1, 1}},
                                                {"2026-13-01", clock},
                                                {"2026-00-10", clock},
                                                {"2026-12-32", clock},
                                                {"2026-12-00", clock},
                                                {"2026-12", clock}};
  for (const auto& [text, date] : cases) {
    ::setenv("LEDGERLY_TODAY", text, 1);
    EXPECT_EQ(TodayOrOverride(), date) << text;
  }
  if (saved) {
    ::setenv("LEDGERLY_TODAY", outer.c_str(), 1);
  } else {
    ::unsetenv("LEDGERLY_TODAY");
  }
}

}  // namespace
}  // namespace ledgerly
