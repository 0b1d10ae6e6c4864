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

// CharCheck over positions first..last; on failure the invalid-character error.
void CheckPrintable(std::string_view txtline, int first, int last, std::string_view reference,
                    int field_no, RuleContext& ctx);

// The same, with the reference built from the field's name only when it fails.
void CheckPrintableField(std::string_view txtline, std::string_view name, int first, int last,
                         int field_no, RuleContext& ctx);

// True when the value, with leading and trailing spaces removed, is exactly
// `zeros` zeros. A blank value is not zero-filled.
bool IsZeroFilled(std::string_view value, std::size_t zeros);

// "The <field> field must be zero because it does not apply to the Employment
// Code ..." shared by the Social Security and Medicare fields of RW and RT.
std::string EmploymentCodeZeroError(std::string_view field_name);

}  // namespace ledgerly
