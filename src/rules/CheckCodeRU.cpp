#include "layout/RecordLayouts.h"
#include "rules/FieldChecker.h"
#include "rules/RecordRules.h"
#include "rules/TotalFieldChecks.h"

namespace ledgerly {

void CheckCodeRU(std::string_view txtline, RuleContext& ctx) {
  const AccumulatorRow& row = LinkedBlockRow(Totals::TRU, ctx);
  const FieldChecker f(txtline, "RU", ctx);
  // In position order: the errors of one RU record come out in this order.
  for (int field_no = 1; field_no < static_cast<int>(kRULayout.size()); ++field_no) {
    switch (f.Row(field_no).check) {
      case FieldCheck::Count:
        CheckDetailCount(f, "RO", row);
        break;
      case FieldCheck::Money:
        ReconcileMoneyTotal(f, field_no, "RO", row);
        break;
      case FieldCheck::Characters:
        f.CharCheckField(field_no);
        break;
      default:
        break;
    }
  }
}

}  // namespace ledgerly
