#include "rules/FieldChecker.h"

#include "layout/RecordTypes.h"
#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"

namespace ledgerly {

FieldChecker::FieldChecker(std::string_view txtline, std::string_view record_type, RuleContext& ctx)
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

namespace {

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

}  // namespace

void CheckAddress(const FieldChecker& f, const AddressFields& address, AddressFieldRule after) {
  const auto then = [&](int field_no) {
    if (after != nullptr) after(f, field_no);
  };
  bool address_ok = true;
  if (!StateCheck(f.Text(address.state))) {
    f.Error(address.state, finding::kInvalidState);
    address_ok = false;
  }
  then(address.state);
  const std::string_view zip = f.Text(address.zip);
  if (!IsBlank(zip) && !NumCheck(zip)) {
    f.Error(address.zip, finding::kNumericOrBlank);
    address_ok = false;
  }
  then(address.zip);
  const std::string_view extension = f.Text(address.extension);
  if (!IsBlank(extension) && !NumCheck(extension)) {
    f.Error(address.extension, finding::kZipExtensionNumeric);
  }
  if (IsBlank(zip) && !IsBlank(extension)) {
    f.Error(address.extension, finding::kZipExtensionWithoutZip);
  }
  then(address.extension);
  for (int field_no = address.first_foreign; field_no <= address.last_foreign; ++field_no) {
    f.CharCheckField(field_no);
  }
  if (!CountryCheck(f.Text(address.country))) {
    f.Error(address.country, finding::kInvalidCountry);
    address_ok = false;
  }
  if (address_ok) CheckForeignAddress(f, address);
}

void CheckZeroOrOne(const FieldChecker& f, int field_no, const Finding& finding) {
  const std::string_view value = f.Text(field_no);
  if (value != "0" && value != "1") f.Error(field_no, finding);
}

}  // namespace ledgerly
