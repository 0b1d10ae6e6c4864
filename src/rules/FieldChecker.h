#pragma once

#include <span>
#include <string>
#include <string_view>

#include "layout/FieldNumbers.h"
#include "layout/RecordLayouts.h"
#include "rules/Catalogue.h"
#include "rules/RuleContext.h"

namespace ledgerly {

// Reads the fields of one record by their number in the record's layout and
// reports findings with the field's own reference, user entry and number.
class FieldChecker {
 public:
  // A record of one of the record types with a layout, laid out as that type says.
  FieldChecker(std::string_view txtline, std::string_view record_type, RuleContext& ctx);
  FieldChecker(std::string_view txtline, std::string_view record_type,
               std::span<const FieldLayoutRow> layout, RuleContext& ctx);

  // The field's exact text, untrimmed.
  std::string_view Text(int field_no) const;

  // The field's row of the record's layout.
  const FieldLayoutRow& Row(int field_no) const {
    return layout_[static_cast<std::size_t>(field_no)];
  }

  // "Name [Position first - last]", or "Name [Position first]" for one position.
  std::string Reference(int field_no) const;

  // One finding on the field: its code, its reference, "[" + its text + "]", its
  // number; values fill the finding's "{}" in turn.
  void Error(int field_no, const Finding& finding,
             std::initializer_list<std::string_view> values = {}) const;
  // The same, under a reference and user entry of the rule's own.
  void ErrorAs(std::string_view reference, std::string_view user_entry, int field_no,
               const Finding& finding, std::initializer_list<std::string_view> values = {}) const;

  // The printable-character test with its standard error; true when the field passed.
  bool CharCheckField(int field_no) const;

  std::string_view txtline() const { return txtline_; }
  RuleContext& ctx() const { return ctx_; }

 private:
  std::string_view txtline_;
  std::string_view record_type_;
  std::span<const FieldLayoutRow> layout_;
  RuleContext& ctx_;
  bool printable_;  // the whole record: then so is every field
};

// A record's own rule of an address field, run right after the address's rule of it.
using AddressFieldRule = void (*)(const FieldChecker& f, int field_no);

// An address in field order: State, Zip Code (numeric or blank), Zip Code
// Extension (numeric or blank, and only with a Zip Code), the foreign address
// fields' characters, Country Code; then the foreign/domestic rule (its finding on
// the Country Code) unless the State, Zip Code or Country Code is invalid.
void CheckAddress(const FieldChecker& f, const AddressFields& address,
                  AddressFieldRule after = nullptr);

// A one-position indicator that must be "0" or "1".
void CheckZeroOrOne(const FieldChecker& f, int field_no, const Finding& finding);

}  // namespace ledgerly
