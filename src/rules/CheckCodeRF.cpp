#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRF(std::string_view txtline, RuleContext& ctx) {
  // Every RW record of the run, over all its files, already has its stored row.
  const int64_t rw_records = ctx.CountRWRecords();
  const FieldChecker f(txtline, kRFLayout, ctx);

  // 1 Blank
  f.CharCheckField(1);

  // 2 Number of RW Records
  const std::string_view declared = f.Text(2);
  if (!NumCheck(declared)) {
    f.Error(2, "Must be numeric. Right justify and zero fill.");
  } else if (ToNumber(declared) != rw_records) {
    f.Error(
        2, "The number of RW records in the submission does not equal the value in the RF record.");
  }

  // 3 Blank
  f.CharCheckField(3);
}

}  // namespace ledgerly
