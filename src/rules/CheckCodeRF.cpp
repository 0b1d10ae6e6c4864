#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRF(std::string_view, RuleContext&) {}

}  // namespace ledgerly
