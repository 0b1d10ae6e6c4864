#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "layout/RecordLayouts.h"
#include "rules/Primitives.h"
#include "support/LaidOutFields.h"
#include "support/RecordBuilder.h"
#include "support/RuleHarness.h"
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

// One laid-out field of a record type, for the tests that run once per field of a check kind.
struct LaidOutCase {
  const char* id;
  LaidOutField field;
};

void PrintTo(const LaidOutCase& c, std::ostream* os) {
  *os << c.id << " " << test::ReferenceOf(c.field);
}

std::vector<LaidOutCase> FieldsOf(std::initializer_list<const char*> ids,
                                  bool (*keep)(const FieldLayoutRow&)) {
  std::vector<LaidOutCase> cases;
  for (const char* id : ids) {
    for (const LaidOutField& field : test::FieldsWhere(LayoutFor(id), keep)) {
      cases.push_back({id, field});
    }
  }
  return cases;
}

std::string CaseName(const testing::TestParamInfo<LaidOutCase>& info) {
  return info.param.id + test::FieldName(info.param.field);
}

// A valid record of the type; totals match the state's block rows.
std::string ValidOfType(const std::string& id, const test::RuleState& state) {
  if (id == "RW") return test::ValidRW();
  if (id == "RO") return test::ValidRO();
  return id == "RT" ? test::ValidRT(state.trt) : test::ValidRU(state.tru);
}

std::string Text(const std::string& record, const FieldLayoutRow& row) {
  return record.substr(row.first - 1, row.last - row.first + 1);
}

class CharactersFields : public testing::TestWithParam<LaidOutCase> {};

// A tab at the field's last position draws exactly the invalid-character finding
// on that field.
TEST_P(CharactersFields, TabIsReportedOnItsOwnField) {
  const std::string id = GetParam().id;
  const LaidOutField& field = GetParam().field;
  const test::RuleState state = test::DetailState();
  std::string record = ValidOfType(id, state);
  test::Put(record, field.row->last, "\t");
  const std::vector<Finding> expected = {
      {test::ReferenceOf(field), "[" + Text(record, *field.row) + "]",
       InvalidCharError(std::to_string(field.row->last)), field.field_no}};
  EXPECT_EQ(test::RunBothWays(id, record, state).findings, expected);
}

INSTANTIATE_TEST_SUITE_P(EveryCharactersField, CharactersFields,
                         testing::ValuesIn(FieldsOf({"RW", "RO", "RT", "RU"},
                                                    [](const FieldLayoutRow& r) {
                                                      return r.check == FieldCheck::Characters;
                                                    })),
                         CaseName);

class DetailMoneyFields : public testing::TestWithParam<LaidOutCase> {};

// Letters in an amount are reported, add nothing and mark the column's sum incomplete
// under the record's SSN.
TEST_P(DetailMoneyFields, LettersAreReportedAndMarkTheirColumn) {
  const std::string id = GetParam().id;
  const LaidOutField& field = GetParam().field;
  const int column = field.row->column;
  const test::RuleState state = test::DetailState();
  std::string record = ValidOfType(id, state);
  test::Put(record, field.row->first, std::string(field.row->last - field.row->first, '1') + "A");
  const std::string entry = "[" + Text(record, *field.row) + "]";
  std::vector<Finding> expected = {
      {test::ReferenceOf(field), entry,
       "Must be numeric. No negative amounts; right justify and zero fill.", field.field_no}};
  if (id == "RW" && field.field_no == 30) {  // military pay also breaks its zero-fill rule
    expected.push_back(
        {"Military Employee Basic Quarters, Subsistence and Combat Pay [Position "
         "342 - 352]",
         entry, "Must be zero filled for years prior to 1995 and years after 2001.", 30});
  }
  const test::RuleRun run = test::RunBothWays(id, record, state);
  EXPECT_EQ(run.findings, expected);
  const AccumulatorRow& block = id == "RW" ? run.trt : run.tru;
  EXPECT_EQ(block.count, 1);
  EXPECT_EQ(block.sums[column], 0);
  for (int other = 1; other <= AccumulatorRow::kMaxColumns; ++other) {
    EXPECT_EQ(block.err_refs[other], other == column ? "123456789" : "None") << other;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryDetailMoneyField, DetailMoneyFields,
                         testing::ValuesIn(FieldsOf({"RW", "RO"}, test::HasColumn)), CaseName);

// Each amount lands in its own column, whatever the rules say of it.
TEST(DetailMoneyColumns, EachAmountGoesToItsOwnColumn) {
  for (const char* id : {"RW", "RO"}) {
    SCOPED_TRACE(id);
    const test::RuleState state = test::DetailState();
    std::string record = ValidOfType(id, state);
    std::set<int> columns;
    for (const LaidOutField& field : test::FieldsWhere(LayoutFor(id), test::HasColumn)) {
      const FieldLayoutRow& row = *field.row;
      test::Put(record, row.first, test::Amount(row.column, row.last - row.first + 1));
      columns.insert(row.column);
    }
    const test::RuleRun run = test::RunBothWays(id, record, state);
    const AccumulatorRow& block = std::string(id) == "RW" ? run.trt : run.tru;
    for (int column = 1; column <= AccumulatorRow::kMaxColumns; ++column) {
      EXPECT_EQ(block.sums[column], columns.count(column) ? column : 0) << column;
    }
    EXPECT_EQ(run.rec_reference, "123456789");
  }
}

class TotalMoneyFields : public testing::TestWithParam<LaidOutCase> {};

// A total must equal its block's sum, be numeric, and is not compared with a sum
// that letters made incomplete: that names the first SSN they were found under.
TEST_P(TotalMoneyFields, MismatchNonNumericAndIncompleteSum) {
  const std::string id = GetParam().id;
  const LaidOutField& field = GetParam().field;
  const std::string detail = id == "RT" ? "RW" : "RO";
  const std::string name(field.row->ReferenceName());
  const std::string reference = test::ReferenceOf(field);
  const int column = field.row->column;
  test::RuleState state = test::TotalState();
  const int64_t sum = state.trt.sums[column];
  const auto run = [&](const std::string& amount) {
    std::string record = ValidOfType(id, state);
    if (!amount.empty()) test::Put(record, field.row->first, amount);
    return test::RunBothWays(id, record, state).findings;
  };
  const auto finding = [&](const std::string& amount, const std::string& error) {
    return std::vector<Finding>{{reference, "[" + amount + "]", error, field.field_no}};
  };
  const std::string more = test::Amount(sum + 1, 15);
  EXPECT_EQ(run(more),
            finding(more, "The sum of the " + detail + " " + name +
                              " amounts does not equal the amount in the " + name + " of the " +
                              id + " record." + (id == "RU" ? "  " : " ") +
                              "The calculated sum of the " + detail + " amounts for the " + name +
                              " of the " + id + " record is " + std::to_string(sum) +
                              ". The reported sum of the " + detail + " amounts for the " + name +
                              " of the " + id + " record is " + std::to_string(sum + 1) + "."));
  const std::string kMoney = "Must be numeric. No negative amounts; right justify and zero fill.";
  EXPECT_EQ(run(" 0000000000010A"), finding(" 0000000000010A", kMoney));

  state.trt.err_refs[column] = state.tru.err_refs[column] = "111111111";
  EXPECT_EQ(run(""), finding(test::Amount(sum, 15),
                             "The calculated sum is incorrect because of a non-numeric value "
                             "entered in the " +
                                 detail + " record with SSN#: 111111111."));
  EXPECT_EQ(run(" 0000000000010A"), finding(" 0000000000010A", kMoney));
}

INSTANTIATE_TEST_SUITE_P(EveryTotalMoneyField, TotalMoneyFields,
                         testing::ValuesIn(FieldsOf({"RT", "RU"},
                                                    [](const FieldLayoutRow& r) {
                                                      return r.check == FieldCheck::Money;
                                                    })),
                         CaseName);

}  // namespace
}  // namespace ledgerly
