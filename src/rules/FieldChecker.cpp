#include "rules/FieldChecker.h"

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"

namespace ledgerly {

FieldChecker::FieldChecker(std::string_view txtline, std::span<const FieldLayoutRow> layout,
                           RuleContext& ctx)
    : txtline_(txtline), layout_(layout), ctx_(ctx), printable_(AllPrintable(txtline)) {}

std::string_view FieldChecker::Text(int field_no) const {
  const FieldLayoutRow& row = Row(field_no);
  return Field(txtline_, row.first, row.last);
}

std::string FieldChecker::Reference(int field_no) const {
  const FieldLayoutRow& row = Row(field_no);
  return PositionReference(row.ReferenceName(), row.first, row.last);
}

void FieldChecker::Error(int field_no, std::string_view error) const {
  ctx_.AddFieldError(Reference(field_no), UserEntry(Text(field_no)), error, field_no);
}

bool FieldChecker::CharCheckField(int field_no) const {
  // Nearly every record holds printable characters only.
  if (printable_) return true;
  const FieldLayoutRow& row = Row(field_no);
  // Nearly every field passes: its name (measured each time) is looked up only
  // for a finding.
  std::string positions;
  if (CharCheck(Text(field_no), row.first, positions)) return true;
  return CheckPrintableField(txtline_, row.ReferenceName(), row.first, row.last, field_no, ctx_);
}

void CheckZipExtension(const FieldChecker& f, int field_no, int zip_field_no) {
  const std::string_view extension = f.Text(field_no);
  if (!IsBlank(extension) && !NumCheck(extension)) f.Error(field_no, kNumericOrBlank);
  if (IsBlank(f.Text(zip_field_no)) && !IsBlank(extension)) {
    f.Error(field_no,
            "A value was entered in the Zip Code Extension field and the Zip Code field is blank. "
            "Either change the Zip Code Extension field to blank or enter a valid Zip Code.");
  }
}

void CheckForeignAddress(const FieldChecker& f, const AddressFields& address) {
  const std::string_view state = f.Text(address.state);
  const std::string_view zip = f.Text(address.zip);
  const std::string_view country = f.Text(address.country);
  if (address.zip_excludes_country && state == "  " && !IsBlank(zip) && country != "  ") {
    f.Error(address.country, "Must not have both a foreign Country Code and a domestic Zip Code.");
  } else if (country != "  " && state != "  ") {
    f.Error(address.country,
            "Must not have both a domestic State Abbreviation and a foreign Country Code.");
  }
}

void CheckZeroOrOne(const FieldChecker& f, int field_no, std::string_view error) {
  const std::string_view value = f.Text(field_no);
  if (value != "0" && value != "1") f.Error(field_no, error);
}

}  // namespace ledgerly
