#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "rules/RuleContext.h"

// Small pieces the RW, RO, RT and RU rules repeat for many fields.
namespace ledgerly {

// "Name [Position first - last]", or "Name [Position first]" for one position.
std::string PositionReference(std::string_view name, int first, int last);

// True when code is one character found in codes: IsOneOf("P", "VGSNP ").
bool IsOneOf(std::string_view code, std::string_view codes);

// True when the value, with leading and trailing spaces removed, is exactly
// `zeros` zeros. A blank value is not zero-filled.
bool IsZeroFilled(std::string_view value, std::size_t zeros);

}  // namespace ledgerly
