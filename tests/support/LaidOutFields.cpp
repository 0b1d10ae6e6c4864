#include "support/LaidOutFields.h"

namespace ledgerly::test {

std::vector<LaidOutField> FieldsWhere(std::span<const FieldLayoutRow> layout,
                                      bool (*keep)(const FieldLayoutRow&)) {
  std::vector<LaidOutField> fields;
  for (std::size_t i = 1; i < layout.size(); ++i) {
    if (keep(layout[i])) fields.push_back({&layout[i], static_cast<int>(i)});
  }
  return fields;
}

std::string ReferenceOf(const LaidOutField& field) {
  const FieldLayoutRow& row = *field.row;
  return std::string(row.ReferenceName()) + " [Position " + std::to_string(row.first) + " - " +
         std::to_string(row.last) + "]";
}

void PrintTo(const LaidOutField& field, std::ostream* os) {
  *os << ReferenceOf(field);
}

std::string FieldName(const LaidOutField& field) {
  return "Field" + std::to_string(field.field_no);
}

}  // namespace ledgerly::test
