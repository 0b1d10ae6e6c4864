#include "rules/FieldChecker.h"

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"

namespace ledgerly {

std::string_view FieldChecker::Text(int field_no) const {
  const FieldLayoutRow& row = layout_[static_cast<std::size_t>(field_no)];
  return Field(txtline_, row.first, row.last);
}

std::string FieldChecker::Reference(int field_no) const {
  const FieldLayoutRow& row = layout_[static_cast<std::size_t>(field_no)];
  return PositionReference(row.label, row.first, row.last);
}

void FieldChecker::Error(int field_no, std::string_view error) const {
  ctx_.AddFieldError(Reference(field_no), UserEntry(Text(field_no)), error, field_no);
}

bool FieldChecker::CharCheckField(int field_no) const {
  const FieldLayoutRow& row = layout_[static_cast<std::size_t>(field_no)];
  return CheckPrintableField(txtline_, row.label, row.first, row.last, field_no, ctx_);
}

}  // namespace ledgerly
