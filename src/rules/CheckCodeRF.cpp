#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRF(std::string_view txtline, RuleContext& ctx) {
  // Every RW record of the run, over all its files, already has its stored row.
  const int64_t rw_records = ctx.CountRWRecords();
  const FieldChecker f(txtline, "RF", ctx);

  // 1 Blank
  f.CharCheckField(1);

  // 2 Number of RW Records
  const std::string_view declared = f.Text(2);
  if (!NumCheck(declared)) {
    f.Error(2, finding::kCountNumeric);
  } else if (ToNumber(declared) != rw_records) {
    f.Error(2, finding::kRFCount);
  }

  // 3 Blank
  f.CharCheckField(3);
}

}  // namespace ledgerly
