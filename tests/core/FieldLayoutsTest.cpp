#include <gtest/gtest.h>

#include <string>

#include "viewer/FieldLayouts.h"

namespace ledgerly {
namespace {

struct LayoutCase {
  const char* id;
  std::size_t rows;
};

class FieldLayouts : public testing::TestWithParam<LayoutCase> {};

TEST_P(FieldLayouts, CoverTheRecordWithoutGapOrOverlap) {
  const auto layout = LayoutFor(GetParam().id);
  ASSERT_EQ(layout.size(), GetParam().rows);
  EXPECT_STREQ(layout[0].label, "Record Identifier");
  int next = 1;
  for (std::size_t row = 0; row < layout.size(); ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(layout[row].first, next);
    EXPECT_LE(layout[row].first, layout[row].last);
    next = layout[row].last + 1;
  }
  EXPECT_EQ(next, 513);
}

INSTANTIATE_TEST_SUITE_P(EveryLaidOutType, FieldLayouts,
                         testing::Values(LayoutCase{"RA", 40}, LayoutCase{"RE", 24},
                                         LayoutCase{"RW", 48}, LayoutCase{"RO", 24},
                                         LayoutCase{"RT", 29}, LayoutCase{"RU", 23},
                                         LayoutCase{"RF", 4}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(FieldLayoutsLookup, OtherIdentifiersHaveNoLayout) {
  EXPECT_TRUE(LayoutFor("RS").empty());
  EXPECT_TRUE(LayoutFor("RV").empty());
  EXPECT_TRUE(LayoutFor("RX").empty());
  EXPECT_TRUE(LayoutFor("ra").empty());
}

TEST(FieldLayoutsLookup, SpotChecksOfLabelsAndPositions) {
  const auto rw = LayoutFor("RW");
  EXPECT_STREQ(rw[18].label, "Social Security Wages");
  EXPECT_EQ(rw[18].first, 210);
  EXPECT_EQ(rw[18].last, 220);
  const auto rf = LayoutFor("RF");
  EXPECT_STREQ(rf[3].label, "Blank");
  EXPECT_EQ(rf[3].first, 17);
  EXPECT_STREQ(LayoutFor("RA")[37].label, "Preferred Method of Problem Notification Code");
  EXPECT_STREQ(LayoutFor("RT")[23].label, "Inc. Tax Withheld by Payer of Third-Party Sick Pay");
}

}  // namespace
}  // namespace ledgerly
