#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRT(std::string_view, int64_t, RuleContext&) {}

}  // namespace ledgerly
