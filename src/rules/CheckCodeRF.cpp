#include "layout/FieldNumbers.h"
#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {

void CheckCodeRF(std::string_view txtline, RuleContext& ctx) {
  // Every RW record of the run, over all its files, already has its stored row.
  const int64_t rw_records = ctx.CountRWRecords();
  const FieldChecker f(txtline, "RF", ctx);

  // 1 Blank
  f.CharCheckField(rf::kBlank1);

  // 2 Number of RW Records
  const std::string_view declared = f.Text(rf::kRWCount);
  if (!NumCheck(declared)) {
    f.Error(rf::kRWCount, finding::kCountNumeric);
  } else if (ToNumber(declared) != rw_records) {
    f.Error(rf::kRWCount, finding::kRFCount);
  }

  // 3 Blank
  f.CharCheckField(rf::kBlank3);
}

}  // namespace ledgerly
