#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRW(std::string_view, RuleContext&) {}

}  // namespace ledgerly

namespace ledgerly {
void CheckCodeRW2(std::string_view, RuleContext&) {}
}  // namespace ledgerly
