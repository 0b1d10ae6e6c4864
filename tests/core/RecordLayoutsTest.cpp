#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "layout/RecordLayouts.h"
#include "rules/Primitives.h"
#include "support/LaidOutFields.h"
#include "support/RecordBuilder.h"
#include "support/ValidDetailRecords.h"
#include "totals/TotalRecords.h"

namespace ledgerly {
namespace {

using test::LaidOutField;

struct LayoutCase {
  const char* id;
  std::size_t rows;
};

class RecordLayouts : public testing::TestWithParam<LayoutCase> {};

TEST_P(RecordLayouts, CoverTheRecordWithoutGapOrOverlap) {
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
  EXPECT_EQ(next, static_cast<int>(kRecordLength) + 1);
}

INSTANTIATE_TEST_SUITE_P(EveryLaidOutType, RecordLayouts,
                         testing::Values(LayoutCase{"RA", 40}, LayoutCase{"RE", 24},
                                         LayoutCase{"RW", 48}, LayoutCase{"RO", 24},
                                         LayoutCase{"RT", 29}, LayoutCase{"RU", 23},
                                         LayoutCase{"RF", 4}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(RecordLayoutsLookup, OtherIdentifiersHaveNoLayout) {
  EXPECT_TRUE(LayoutFor("RS").empty());
  EXPECT_TRUE(LayoutFor("RV").empty());
  EXPECT_TRUE(LayoutFor("RX").empty());
  EXPECT_TRUE(LayoutFor("ra").empty());
}

std::set<int> Columns(std::span<const FieldLayoutRow> layout) {
  std::set<int> columns;
  for (const LaidOutField& field : test::FieldsWhere(layout, test::HasColumn)) {
    EXPECT_TRUE(columns.insert(field.row->column).second)
        << "column used twice: " << field.row->column;
  }
  return columns;
}

// A detail amount summed into a column no total reads would never be reconciled.
TEST(RecordLayoutsLookup, DetailSumsAreTheColumnsTheTotalsRead) {
  EXPECT_EQ(Columns(kRWLayout), Columns(kRTLayout));
  EXPECT_EQ(Columns(kROLayout), Columns(kRULayout));
  EXPECT_LE(*Columns(kRTLayout).rbegin(), AccumulatorRow::kMaxColumns);
}

struct CharactersCase {
  const char* id;
  LaidOutField field;
};

std::vector<CharactersCase> CharactersFields() {
  std::vector<CharactersCase> cases;
  for (const char* id : {"RW", "RO", "RT", "RU"}) {
    for (const LaidOutField& field : test::FieldsWhere(LayoutFor(id), [](const FieldLayoutRow& r) {
           return r.check == FieldCheck::Characters;
         })) {
      cases.push_back({id, field});
    }
  }
  return cases;
}

class CharactersFieldsTest : public testing::TestWithParam<CharactersCase> {};

// A tab at the field's last position draws exactly the invalid-character finding
// on that field.
TEST_P(CharactersFieldsTest, TabIsReportedOnItsOwnField) {
  const std::string id = GetParam().id;
  const LaidOutField& field = GetParam().field;
  MemoryRuleContext ctx;
  ctx.employer = test::ValidEmployer();
  ctx.OpenBlock("123456789");
  ctx.current_ssn = "123456789";
  std::string record = id == "RW"   ? test::ValidRW()
                       : id == "RO" ? test::ValidRO()
                       : id == "RT" ? test::ValidRT(ctx.trt)
                                    : test::ValidRU(ctx.tru);
  test::Put(record, field.row->last, "\t");
  CheckRecordFields(id, record, ctx);
  const std::vector<Finding> expected = {
      {test::ReferenceOf(field), UserEntry(Field(record, field.row->first, field.row->last)),
       InvalidCharError(std::to_string(field.row->last)), field.field_no}};
  EXPECT_EQ(ctx.findings, expected);
}

INSTANTIATE_TEST_SUITE_P(EveryCharactersField, CharactersFieldsTest,
                         testing::ValuesIn(CharactersFields()), [](const auto& info) {
                           return info.param.id + test::FieldName(info.param.field);
                         });

}  // namespace
}  // namespace ledgerly
