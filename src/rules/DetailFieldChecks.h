#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "rules/RuleContext.h"

// Small pieces the RW, RO, RT and RU rules repeat for many fields.
namespace ledgerly {

// The text of every money field that is not all digits.
inline constexpr std::string_view kMoneyNotNumeric =
    "Must be numeric. No negative amounts; right justify and zero fill.";

// "Name [Position first - last]", or "Name [Position first]" for one position.
std::string PositionReference(std::string_view name, int first, int last);

// CharCheck over positions first..last; on failure the invalid-character error,
// with the reference built only then. True when the field passed.
bool CheckPrintableField(std::string_view txtline, std::string_view name, int first, int last,
                         int field_no, RuleContext& ctx);

// True when code is one character found in codes: IsOneOf("P", "VGSNP ").
bool IsOneOf(std::string_view code, std::string_view codes);

// True when the value, with leading and trailing spaces removed, is exactly
// `zeros` zeros. A blank value is not zero-filled.
bool IsZeroFilled(std::string_view value, std::size_t zeros);

// "The <field> field must be zero because it does not apply to the Employment
// Code ..." shared by the Social Security and Medicare fields of RW and RT.
std::string EmploymentCodeZeroError(std::string_view field_name);

}  // namespace ledgerly
