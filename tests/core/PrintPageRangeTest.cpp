#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "reports/PrintPageRange.h"

namespace ledgerly {
namespace {

struct Values {
  int min, from, to, max;
  bool operator==(const Values&) const = default;
};

void PrintTo(const Values& v, std::ostream* os) {
  *os << "{" << v.min << ", " << v.from << ", " << v.to << ", " << v.max << "}";
}

Values Of(const PrintPageRange& range) {
  return {range.Min(), range.FromPage(), range.ToPage(), range.Max()};
}

// The range the print command proposes: pages 1 to 5 of a five-page estimate.
PrintPageRange Proposed() {
  PrintPageRange range;
  range.SetMin(1);
  range.SetMax(5);
  range.SetFromPage(range.Min());
  range.SetToPage(range.Max());
  return range;
}

struct SetterCase {
  std::string name;
  std::function<void(PrintPageRange&)> set;
  Values expected;
};

class PrintPageRangeTest : public ::testing::TestWithParam<SetterCase> {};

TEST_P(PrintPageRangeTest, KeepsTheOrderAfterEachSetter) {
  PrintPageRange range = Proposed();
  GetParam().set(range);
  EXPECT_EQ(Of(range), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, PrintPageRangeTest,
    ::testing::Values(
        SetterCase{"MinAboveEverythingRaisesAll", [](auto& r) { r.SetMin(7); }, {7, 7, 7, 7}},
        SetterCase{"MinInsideRaisesFromOnly", [](auto& r) { r.SetMin(3); }, {3, 3, 5, 5}},
        SetterCase{"FromAboveMaxRaisesToAndMax", [](auto& r) { r.SetFromPage(8); }, {1, 8, 8, 8}},
        SetterCase{"FromBelowMinLowersMin", [](auto& r) { r.SetFromPage(0); }, {0, 0, 5, 5}},
        SetterCase{"ToBelowFromLowersFromAndMin", [](auto& r) { r.SetToPage(0); }, {0, 0, 0, 5}},
        SetterCase{"ToAboveMaxRaisesMax", [](auto& r) { r.SetToPage(9); }, {1, 1, 9, 9}},
        SetterCase{"MaxBelowFromPullsEverythingDown",
                   [](auto& r) {
                     r.SetFromPage(4);
                     r.SetMax(2);
                   },
                   {1, 2, 2, 2}},
        SetterCase{"MaxBelowMinPullsMinDown", [](auto& r) { r.SetMax(0); }, {0, 0, 0, 0}},
        SetterCase{"NegativeMaxBecomesZero", [](auto& r) { r.SetMax(-3); }, {0, 0, 0, 0}},
        SetterCase{"NegativeFromBecomesZero", [](auto& r) { r.SetFromPage(-1); }, {0, 0, 5, 5}},
        SetterCase{"ZeroMinLeavesTheRest", [](auto& r) { r.SetMin(0); }, {0, 1, 5, 5}},
        SetterCase{"RangeInsideIsKept",
                   [](auto& r) {
                     r.SetFromPage(2);
                     r.SetToPage(3);
                   },
                   {1, 2, 3, 5}}),
    [](const auto& info) { return info.param.name; });

TEST(PrintPageRange, StartsAtZero) {
  EXPECT_EQ(Of(PrintPageRange{}), (Values{0, 0, 0, 0}));
}

}  // namespace
}  // namespace ledgerly
