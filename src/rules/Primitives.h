#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/RuleContext.h"

// The shared checks every record rule is built from. Values are the exact field
// text (never trimmed); one byte of the file is one character.
namespace ledgerly {

bool NumCheck(std::string_view value);
bool NameCheck(std::string_view value);
bool AlphaNumCheck(std::string_view value);
bool UserIDCheck(std::string_view value);
bool StateCheck(std::string_view value);
bool CountryCheck(std::string_view value);

// True when every character is printable ASCII (32-126). Otherwise fills
// position_list with the offending record positions ("12, 14 and 20").
bool CharCheck(std::string_view value, int start, std::string& position_list);
// Only characters 32-126.
bool AllPrintable(std::string_view value);

// True when an EIN starts with a prefix that is never issued (07, 08, ... 89).
bool HasRefusedPrefix(std::string_view ein);

// A field of the record by its 1-based positions; empty when the record is shorter.
std::string_view Field(std::string_view txtline, int first, int last);

// "[" + value + "]"
std::string UserEntry(std::string_view value);

// name + " [Position " + first + " - " + last + "]"
std::string FieldReference(std::string_view name, int first, int last);

// True when the value is empty once leading and trailing spaces are removed.
bool IsBlank(std::string_view value);

// Digits read as a whole number (cents for money fields); the caller checked NumCheck.
int64_t ToNumber(std::string_view digits);

// NumCheck and ToNumber in one pass: the number, or nothing when a character is
// not a digit.
std::optional<int64_t> NumericValue(std::string_view value);

struct SocialSecurityLimits {
  int64_t PriorYearMax = 0;
  int64_t CurrentYearMax = 0;
  int64_t MedicareWageBase = 0;
  int64_t AnnualHouseholdMin = 0;
};

// Fills the dollar limits known for the tax year; unknown entries keep their value.
void TaxYearLimits(int tax_year, SocialSecurityLimits& limits);

}  // namespace ledgerly
