#include "layout/RecordLayouts.h"
#include "rules/FieldChecker.h"
#include "rules/MoneyFields.h"
#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRO(std::string_view txtline, RuleContext& ctx) {
  // Counts the record in its block and links it to the SSN of the RW before it.
  ctx.CountInBlock(Totals::TRU);

  const FieldChecker f(txtline, "RO", ctx);
  CheckLaidOutFields(f, 1, static_cast<int>(kROLayout.size()) - 1, Totals::TRU);
}

}  // namespace ledgerly
