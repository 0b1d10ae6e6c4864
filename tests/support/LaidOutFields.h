#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "layout/RecordLayouts.h"

// Parameters for the tests that run once per field of a record layout, so the
// tests read positions, names and columns from the same table as the rules.
namespace ledgerly::test {

struct LaidOutField {
  const FieldLayoutRow* row;
  int field_no;
};

// The fields of the layout whose row passes `keep`, in field order.
std::vector<LaidOutField> FieldsWhere(std::span<const FieldLayoutRow> layout,
                                      bool (*keep)(const FieldLayoutRow&));

// Money fields: those with a sum column.
inline bool HasColumn(const FieldLayoutRow& row) {
  return row.column != 0;
}

// "Name [Position first - last]" as the rules print it.
std::string ReferenceOf(const LaidOutField& field);

void PrintTo(const LaidOutField& field, std::ostream* os);

// A gtest-safe parameter name: "Field7".
std::string FieldName(const LaidOutField& field);

}  // namespace ledgerly::test
