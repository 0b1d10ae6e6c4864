#include "rules/TotalFieldChecks.h"

#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"

namespace ledgerly {
namespace {

constexpr int kCountField = 1;

// The findings of RT (the sums of RW records) or RU (of RO records).
struct TotalFindings {
  const Finding& count;
  const Finding& total;
  const Finding& incomplete;
};

const TotalFindings& FindingsOf(std::string_view detail_id) {
  static const TotalFindings kRT{finding::kRWCount, finding::kRWTotal, finding::kRWTotalIncomplete};
  static const TotalFindings kRU{finding::kROCount, finding::kROTotal, finding::kROTotalIncomplete};
  return detail_id == "RW" ? kRT : kRU;
}

}  // namespace

const AccumulatorRow& LinkedBlockRow(Totals which, RuleContext& ctx) {
  static const AccumulatorRow kNoBlock;
  const AccumulatorRow& row = ctx.Row(which);
  if (row.Indx == 0) return kNoBlock;
  ctx.LinkRecord(row.RE_EIN, row.Indx);
  return row;
}

void CheckDetailCount(const FieldChecker& f, std::string_view detail_id,
                      const AccumulatorRow& row) {
  const std::string_view value = f.Text(kCountField);
  if (!NumCheck(value)) {
    f.Error(kCountField, finding::kCountNumeric);
  } else if (ToNumber(value) != row.count) {
    f.Error(kCountField, FindingsOf(detail_id).count, {std::to_string(row.count)});
  }
}

void ReconcileMoneyTotal(const FieldChecker& f, int field_no, std::string_view detail_id,
                         const AccumulatorRow& row) {
  const std::string_view value = f.Text(field_no);
  if (!NumCheck(value)) {
    f.Error(field_no, finding::kMoneyNumeric);
    return;
  }
  const int column = f.Row(field_no).column;
  const std::string& err_ref = row.err_refs[static_cast<std::size_t>(column)];
  const int64_t sum = row.sums[static_cast<std::size_t>(column)];
  if (err_ref != AccumulatorRow::kNoErrRef) {
    f.Error(field_no, FindingsOf(detail_id).incomplete, {err_ref});
  } else if (ToNumber(value) != sum) {
    f.Error(field_no, FindingsOf(detail_id).total,
            {std::to_string(sum), std::to_string(ToNumber(value))});
  }
}

}  // namespace ledgerly
