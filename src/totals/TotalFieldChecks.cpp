#include "totals/TotalFieldChecks.h"

#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"
#include "totals/TotalsRules.h"

namespace ledgerly {

const AccumulatorRow& LinkedBlockRow(Totals which, RuleContext& ctx) {
  static const AccumulatorRow kNoBlock;
  const AccumulatorRow& row = ctx.Row(which);
  if (row.Indx == 0) return kNoBlock;
  if (!ctx.ViewerMode()) ctx.LinkRecord(row.RE_EIN, row.Indx);
  return row;
}

void CheckDetailCount(std::string_view txtline, std::string_view detail_id,
                      std::string_view total_id, const AccumulatorRow& row, RuleContext& ctx) {
  const std::string_view value = Field(txtline, 3, 9);
  const auto reference = [&] {
    return FieldReference("Number of " + std::string(detail_id) + " Records", 3, 9);
  };
  if (!NumCheck(value)) {
    ctx.AddFieldError(reference(), UserEntry(value),
                      "Must be numeric. Right justify and zero fill.", 1);
  } else if (ToNumber(value) != row.count) {
    ctx.AddFieldError(reference(), UserEntry(value),
                      "The number of " + std::string(detail_id) + " records (" +
                          std::to_string(row.count) +
                          ") since the last RE record does not equal the value in the " +
                          std::string(total_id) + " record.",
                      1);
  }
}

void ReconcileMoneyTotal(std::string_view txtline, std::string_view detail_id,
                         std::string_view name, int first, int last, int field_no,
                         const AccumulatorRow& row, int column, RuleContext& ctx) {
  const int length = last - first + 1;
  const std::string_view value = Field(txtline, first, last);
  if (!NumCheck(value)) {
    ctx.AddFieldError(FieldReference(name, first, last), UserEntry(value), kMoneyNotNumeric,
                      field_no);
    return;
  }
  const std::string& err_ref = row.err_refs[column];
  const int64_t sum = row.sums[column];
  if (err_ref == AccumulatorRow::kNoErrRef) {
    if (ToNumber(value) != sum) {
      MoneyTotal(txtline, detail_id, name, first, last, length, field_no, sum, value, ctx);
    }
  } else {
    MoneyTotal2(txtline, detail_id, name, first, last, length, field_no, err_ref, ctx);
  }
}

}  // namespace ledgerly
