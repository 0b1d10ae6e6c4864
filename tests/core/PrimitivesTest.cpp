#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/RunHost.h"
#include "rules/Primitives.h"
#include "support/TestPlatform.h"

namespace ledgerly {
namespace {

// The character class checks the field rules are built from. Money fields are
// checked eight characters at a time: neighbours of '0'-'9' inside the first eight,
// and a fault in the rest. The User ID check looks at the first eight characters
// only. The code lists are searched as text, so a value straddling a comma passes;
// NC is the first code of the second piece of the state list.
TEST(Primitives, ClassChecks) {
  const struct {
    bool (*check)(std::string_view);
    std::vector<std::string_view> pass, fail;
  } cases[] = {
      {NumCheck,
       {"", "0123456789", "01234567890123456"},
       {"12 4", "-12", "1.2", "1234567:901", "/2345678901", "12345678 01"}},
      {NameCheck, {"O'BRIEN-SMITH JR."}, {"Smith"}},
      {AlphaNumCheck, {"AB12"}, {"AB 12"}},
      {UserIDCheck, {"ABCD1234#$%"}, {"ABC1234", "ABCd1234"}},
      {StateCheck, {"  ", "NC", " ,"}, {"ZZ"}},
      {CountryCheck, {"  ", "ZI", "A,"}, {"US", "ca"}},
  };
  for (const auto& c : cases) {
    for (std::string_view text : c.pass) EXPECT_TRUE(c.check(text)) << text;
    for (std::string_view text : c.fail) EXPECT_FALSE(c.check(text)) << text;
  }
}

TEST(Primitives, CharCheckListsPositions) {
  const std::pair<std::string_view, std::string> cases[] = {
      {"abc ~!", ""},
      {"A\tB\tCCCCC", "63 and 65"},
      {"A\tB\tCCCCC\xE9", "63, 65 and 71"},
      {"\x7f~", "62"},
  };
  for (const auto& [text, positions] : cases) {
    std::string listed;
    EXPECT_EQ(CharCheck(text, 62, listed), positions.empty()) << text;
    EXPECT_EQ(listed, positions) << text;
  }
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
  test::SetEnvironment("LEDGERLY_TODAY", nullptr);
  const Date clock = TodayOrOverride();
  const std::pair<const char*, Date> cases[] = {{"2026-12-31", {2026, 12, 31}},
                                                {"2027-01-01", {2027, 1, 1}},
                                                {"2026-13-01", clock},
                                                {"2026-00-10", clock},
                                                {"2026-12-32", clock},
                                                {"2026-12-00", clock},
                                                {"2026-12", clock}};
  for (const auto& [text, date] : cases) {
    test::SetEnvironment("LEDGERLY_TODAY", text);
    EXPECT_EQ(TodayOrOverride(), date) << text;
  }
  test::SetEnvironment("LEDGERLY_TODAY", saved ? outer.c_str() : nullptr);
}

}  // namespace
}  // namespace ledgerly
