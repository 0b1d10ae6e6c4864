#pragma once

#include <string_view>

#include "rules/RuleContext.h"

// The field rules of every record type, and the one entry point that runs the
// rules of any record. Each walks its record's fields in position order and
// reports through the context; none stops early.
namespace ledgerly {

void CheckCodeRA(std::string_view txtline, RuleContext& ctx);
void CheckCodeRE(std::string_view txtline, RuleContext& ctx);
void CheckCodeRW(std::string_view txtline, RuleContext& ctx);  // ends with CheckCodeRW2
void CheckCodeRW2(std::string_view txtline, RuleContext& ctx);
void CheckCodeRO(std::string_view txtline, RuleContext& ctx);
void CheckCodeRF(std::string_view txtline, RuleContext& ctx);
void CheckCodeRT(std::string_view txtline, RuleContext& ctx);
void CheckCodeRU(std::string_view txtline, RuleContext& ctx);

// Runs the field rules of the record's type; RS and RV have none.
void CheckRecordFields(std::string_view id, std::string_view txtline, RuleContext& ctx);

}  // namespace ledgerly
