#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRO(std::string_view, RuleContext&) {}

}  // namespace ledgerly
