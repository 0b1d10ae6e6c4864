#include "rules/FieldChecker.h"

#include "rules/Primitives.h"

namespace ledgerly {

std::string_view FieldChecker::Text(int field_no) const {
  const FieldLayoutRow& row = layout_[static_cast<std::size_t>(field_no)];
  return Field(txtline_, row.first, row.last);
}

std::string FieldChecker::Reference(int field_no) const {
  const FieldLayoutRow& row = layout_[static_cast<std::size_t>(field_no)];
  if (row.first == row.last) {
    return std::string(row.label) + " [Position " + std::to_string(row.first) + "]";
  }
  return FieldReference(row.label, row.first, row.last);
}

void FieldChecker::Error(int field_no, std::string_view error) const {
  ctx_.AddFieldError(Reference(field_no), UserEntry(Text(field_no)), error, field_no);
}

bool FieldChecker::CharCheckField(int field_no) const {
  std::string position_list;
  if (CharCheck(Text(field_no), layout_[static_cast<std::size_t>(field_no)].first, position_list)) {
    return true;
  }
  Error(field_no, InvalidCharError(position_list));
  return false;
}

}  // namespace ledgerly
