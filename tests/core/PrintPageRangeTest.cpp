#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "reports/PrintPageRange.h"

namespace ledgerly {
namespace {

using Values = std::array<int, 4>;  // min, from, to, max

Values Of(const PrintPageRange& range) {
  return {range.Min(), range.FromPage(), range.ToPage(), range.Max()};
}

// Starting from the range the print command proposes (pages 1 to 5 of a five-page
// estimate), each setter keeps min <= from <= to <= max and nothing negative.
TEST(PrintPageRange, KeepsTheOrderAfterEachSetter) {
  EXPECT_EQ(Of(PrintPageRange{}), (Values{0, 0, 0, 0}));
  const std::vector<std::tuple<std::string, std::function<void(PrintPageRange&)>, Values>> cases = {
      {"min above everything raises all", [](auto& r) { r.SetMin(7); }, {7, 7, 7, 7}},
      {"min inside raises from only", [](auto& r) { r.SetMin(3); }, {3, 3, 5, 5}},
      {"from above max raises to and max", [](auto& r) { r.SetFromPage(8); }, {1, 8, 8, 8}},
      {"from below min lowers min", [](auto& r) { r.SetFromPage(0); }, {0, 0, 5, 5}},
      {"to below from lowers from and min", [](auto& r) { r.SetToPage(0); }, {0, 0, 0, 5}},
      {"to above max raises max", [](auto& r) { r.SetToPage(9); }, {1, 1, 9, 9}},
      {"max below from pulls everything down",
       [](auto& r) { r.SetFromPage(4), r.SetMax(2); },
       {1, 2, 2, 2}},
      {"max below min pulls min down", [](auto& r) { r.SetMax(0); }, {0, 0, 0, 0}},
      {"negative max becomes zero", [](auto& r) { r.SetMax(-3); }, {0, 0, 0, 0}},
      {"negative from becomes zero", [](auto& r) { r.SetFromPage(-1); }, {0, 0, 5, 5}},
      {"zero min leaves the rest", [](auto& r) { r.SetMin(0); }, {0, 1, 5, 5}},
      {"range inside is kept", [](auto& r) { r.SetFromPage(2), r.SetToPage(3); }, {1, 2, 3, 5}},
  };
  for (const auto& [name, set, expected] : cases) {
    PrintPageRange range;
    range.SetMin(1);
    range.SetMax(5);
    range.SetFromPage(range.Min());
    range.SetToPage(range.Max());
    set(range);
    EXPECT_EQ(Of(range), expected) << name;
  }
}

}  // namespace
}  // namespace ledgerly
