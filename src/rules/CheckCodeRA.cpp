#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRA(std::string_view, RuleContext&) {}

}  // namespace ledgerly
