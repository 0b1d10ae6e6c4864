// The field layouts, and the money rules that run once per field: every money field
// is tested here straight from the layout table.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "layout/RecordLayouts.h"
#include "layout/RecordTypes.h"
#include "rules/Primitives.h"
#include "support/RecordBuilder.h"
#include "support/RuleHarness.h"
#include "support/ValidDetailRecords.h"

namespace ledgerly {
namespace {

// Every record type with fields covers all 512 positions; the identifier is field 0.
TEST(RecordLayouts, CoverTheRecordWithoutGapOrOverlap) {
  for (const RecordType& type : kRecordTypes) {
    if (type.layout.empty()) continue;
    EXPECT_EQ(FindRecordType(type.id), &type);
    int next = 1;
    for (const FieldLayoutRow& row : type.layout) {
      EXPECT_EQ(row.first, next) << type.id << " " << row.label;
      EXPECT_LE(row.first, row.last) << type.id << " " << row.label;
      next = row.last + 1;
    }
    EXPECT_EQ(next, static_cast<int>(kRecordLength) + 1) << type.id;
    EXPECT_EQ(std::string(type.layout[0].label), "Record Identifier") << type.id;
  }
  EXPECT_EQ(FindRecordType("rw"), nullptr);  // identifiers are looked up as read, upper case
}

std::set<int> Columns(std::span<const FieldLayoutRow> layout) {
  std::set<int> columns;
  for (const FieldLayoutRow& row : layout) {
    EXPECT_TRUE(row.column == 0 || columns.insert(row.column).second) << row.label;
  }
  return columns;
}

// A detail amount summed into a column no total reads would never be reconciled.
TEST(RecordLayouts, DetailSumsAreTheColumnsTheTotalsRead) {
  EXPECT_EQ(Columns(kRWLayout), Columns(kRTLayout));
  EXPECT_EQ(Columns(kROLayout), Columns(kRULayout));
  EXPECT_LE(*Columns(kRTLayout).rbegin(), AccumulatorRow::kMaxColumns);
}

// One laid-out field of a record type.
struct LaidOutField {
  std::string id;
  int field_no;
  const FieldLayoutRow& row() const { return LayoutFor(id)[field_no]; }
  std::string Reference() const {
    return FieldReference(row().ReferenceName(), row().first, row().last);
  }
};

void PrintTo(const LaidOutField& field, std::ostream* os) {
  *os << field.id << " " << field.Reference();
}

std::vector<LaidOutField> FieldsOf(std::initializer_list<const char*> ids,
                                   bool (*keep)(const FieldLayoutRow&)) {
  std::vector<LaidOutField> fields;
  for (const char* id : ids) {
    const auto layout = LayoutFor(id);
    for (std::size_t i = 1; i < layout.size(); ++i) {
      if (keep(layout[i])) fields.push_back({id, static_cast<int>(i)});
    }
  }
  return fields;
}

std::string FieldName(const testing::TestParamInfo<LaidOutField>& info) {
  return info.param.id + "Field" + std::to_string(info.param.field_no);
}

bool HasColumn(const FieldLayoutRow& row) {
  return row.column != 0;
}

class DetailMoneyFields : public testing::TestWithParam<LaidOutField> {};

// Digits are summed into the field's own column, whatever the rules say of them;
// letters are reported, add nothing and mark the column's sum incomplete under the
// record's SSN.
TEST_P(DetailMoneyFields, DigitsAreSummedAndLettersMarkTheirColumn) {
  const LaidOutField& field = GetParam();
  const int column = field.row().column;
  const auto run = [&](const std::string& amount) {
    const std::string record = test::Edited(test::ValidRecordIn(field.id, test::DetailState()),
                                            {{field.row().first, amount}});
    MemoryRuleContext ctx = test::RunBothWays(field.id, record, test::DetailState());
    return std::pair{ctx.findings, field.id == "RW" ? ctx.block.trt : ctx.block.tru};
  };
  EXPECT_EQ(run(test::Amount(1000 + column, field.row().Width())).second.sums[column],
            1000 + column);

  const std::string letters = std::string(field.row().Width() - 1, '1') + "A";
  std::vector<FoundError> expected = {
      {field.Reference(), "[" + letters + "]",
       "Must be numeric. No negative amounts; right justify and zero fill.", field.field_no}};
  if (field.id == "RW" && field.field_no == 30) {  // military pay also breaks its zero-fill rule
    expected.push_back(
        {"Military Employee Basic Quarters, Subsistence and Combat Pay [Position 342 - 352]",
         "[" + letters + "]", "Must be zero filled for years prior to 1995 and years after 2001.",
         30});
  }
  const auto [findings, block] = run(letters);
  EXPECT_EQ(findings, expected);
  EXPECT_EQ(block.count, 1);
  EXPECT_EQ(block.sums[column], 0);
  for (int other = 1; other <= AccumulatorRow::kMaxColumns; ++other) {
    EXPECT_EQ(block.err_refs[other], other == column ? "123456789" : "None") << other;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryDetailMoneyField, DetailMoneyFields,
                         testing::ValuesIn(FieldsOf({"RW", "RO"}, HasColumn)), FieldName);

class TotalMoneyFields : public testing::TestWithParam<LaidOutField> {};

// A total must equal its block's sum, be numeric, and is not compared with a sum
// that letters made incomplete: that names the first SSN they were found under.
TEST_P(TotalMoneyFields, MismatchNonNumericAndIncompleteSum) {
  const LaidOutField& field = GetParam();
  const std::string& id = field.id;
  const std::string detail = id == "RT" ? "RW" : "RO";
  const std::string name(field.row().ReferenceName());
  BlockState state = test::TotalState();
  const int64_t sum = state.trt.sums[field.row().column];
  const auto findings = [&](const std::string& amount) {
    std::string record = test::ValidRecordIn(id, state);
    if (!amount.empty()) test::Put(record, field.row().first, amount);
    return test::RunBothWays(id, record, state).findings;
  };
  const auto finding = [&](const std::string& amount, const std::string& error) {
    return std::vector<FoundError>{{field.Reference(), "[" + amount + "]", error, field.field_no}};
  };
  const std::string more = test::Amount(sum + 1, 15);
  const std::string of_total = " amounts for the " + name + " of the " + id + " record is ";
  EXPECT_EQ(
      findings(more),
      finding(more, "The sum of the " + detail + " " + name +
                        " amounts does not equal the amount in the " + name + " of the " + id +
                        " record." + (id == "RU" ? "  " : " ") + "The calculated sum of the " +
                        detail + of_total + std::to_string(sum) + ". The reported sum of the " +
                        detail + of_total + std::to_string(sum + 1) + "."));
  const std::string kMoney = "Must be numeric. No negative amounts; right justify and zero fill.";
  EXPECT_EQ(findings(" 0000000000010A"), finding(" 0000000000010A", kMoney));

  state.trt.err_refs[field.row().column] = state.tru.err_refs[field.row().column] = "111111111";
  EXPECT_EQ(findings(""), finding(test::Amount(sum, 15),
                                  "The calculated sum is incorrect because of a non-numeric value "
                                  "entered in the " +
                                      detail + " record with SSN#: 111111111."));
  EXPECT_EQ(findings(" 0000000000010A"), finding(" 0000000000010A", kMoney));
}

INSTANTIATE_TEST_SUITE_P(EveryTotalMoneyField, TotalMoneyFields,
                         testing::ValuesIn(FieldsOf({"RT", "RU"},
                                                    [](const FieldLayoutRow& r) {
                                                      return r.check == FieldCheck::Money;
                                                    })),
                         FieldName);

}  // namespace
}  // namespace ledgerly
