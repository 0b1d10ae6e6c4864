#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRE(std::string_view, RuleContext&) {}

}  // namespace ledgerly
