#pragma once

#include <string_view>

#include "rules/RuleContext.h"

// The field rules of the total records, and the one entry point that runs the
// rules of any record type.
namespace ledgerly {

void CheckCodeRT(std::string_view txtline, RuleContext& ctx);
void CheckCodeRU(std::string_view txtline, RuleContext& ctx);

// Runs the field rules of the record's type; RS and RV have none.
void CheckRecordFields(std::string_view id, std::string_view txtline, RuleContext& ctx);

}  // namespace ledgerly
