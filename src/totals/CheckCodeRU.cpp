#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRU(std::string_view, int64_t, RuleContext&) {}

}  // namespace ledgerly
