#include "rules/FieldChecker.h"

#include "layout/RecordTypes.h"
#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"

namespace ledgerly {

FieldChecker::FieldChecker(std::string_view txtline, std::string_view record_type,
                           RuleContext& ctx)
    : FieldChecker(txtline, record_type, LayoutFor(record_type), ctx) {}

FieldChecker::FieldChecker(std::string_view txtline, std::string_view record_type,
                           std::span<const FieldLayoutRow> layout, RuleContext& ctx)
    : txtline_(txtline),
      record_type_(record_type),
      layout_(layout),
      ctx_(ctx),
      printable_(AllPrintable(txtline)) {}

std::string_view FieldChecker::Text(int field_no) const {
  const FieldLayoutRow& row = Row(field_no);
  return Field(txtline_, row.first, row.last);
}

std::string FieldChecker::Reference(int field_no) const {
  const FieldLayoutRow& row = Row(field_no);
  return PositionReference(row.ReferenceName(), row.first, row.last);
}

void FieldChecker::Error(int field_no, const Finding& finding,
                         std::initializer_list<std::string_view> values) const {
  ErrorAs(Reference(field_no), UserEntry(Text(field_no)), field_no, finding, values);
}

void FieldChecker::ErrorAs(std::string_view reference, std::string_view user_entry, int field_no,
                           const Finding& finding,
                           std::initializer_list<std::string_view> values) const {
  ctx_.AddFieldError(CheckCode(record_type_, field_no, finding.kind), reference, user_entry,
                     FindingText(finding, layout_, field_no, values), field_no);
}

bool FieldChecker::CharCheckField(int field_no) const {
  // Nearly every record holds printable characters only.
  if (printable_) return true;
  const FieldLayoutRow& row = Row(field_no);
  // Nearly every field passes: its name (measured each time) is looked up only
  // for a finding.
  std::string positions;
  if (CharCheck(Text(field_no), row.first, positions)) return true;
  Error(field_no, finding::kInvalidCharacters, {positions});
  return false;
}

void CheckZipExtension(const FieldChecker& f, int field_no, int zip_field_no) {
  const std::string_view extension = f.Text(field_no);
  if (!IsBlank(extension) && !NumCheck(extension)) f.Error(field_no, finding::kZipExtensionNumeric);
  if (IsBlank(f.Text(zip_field_no)) && !IsBlank(extension)) {
    f.Error(field_no, finding::kZipExtensionWithoutZip);
  }
}

void CheckForeignAddress(const FieldChecker& f, const AddressFields& address) {
  const std::string_view state = f.Text(address.state);
  const std::string_view zip = f.Text(address.zip);
  const std::string_view country = f.Text(address.country);
  if (address.zip_excludes_country && state == "  " && !IsBlank(zip) && country != "  ") {
    f.Error(address.country, finding::kForeignCountryAndZip);
  } else if (country != "  " && state != "  ") {
    f.Error(address.country, finding::kForeignCountryAndState);
  }
}

void CheckZeroOrOne(const FieldChecker& f, int field_no, const Finding& finding) {
  const std::string_view value = f.Text(field_no);
  if (value != "0" && value != "1") f.Error(field_no, finding);
}

}  // namespace ledgerly
