#pragma once

#include <string_view>

#include "rules/RuleContext.h"

// The field rules of the header and detail record types (RT and RU: totals/). Each walks its
// record's fields in position order and reports through the context; none stops early.
namespace ledgerly {

void CheckCodeRA(std::string_view txtline, RuleContext& ctx);
void CheckCodeRE(std::string_view txtline, RuleContext& ctx);
void CheckCodeRW(std::string_view txtline, RuleContext& ctx);  // ends with CheckCodeRW2
void CheckCodeRW2(std::string_view txtline, RuleContext& ctx);
void CheckCodeRO(std::string_view txtline, RuleContext& ctx);
void CheckCodeRF(std::string_view txtline, RuleContext& ctx);

}  // namespace ledgerly
