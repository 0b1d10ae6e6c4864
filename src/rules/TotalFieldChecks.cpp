#include "rules/TotalFieldChecks.h"

#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"

namespace ledgerly {
namespace {

constexpr int kCountField = 1;

// A total that differs from the sum of its detail records.
void MoneyTotal(const FieldChecker& f, int field_no, std::string_view detail_id, int64_t total) {
  const std::string calculated = std::to_string(total);
  const std::string reported = std::to_string(ToNumber(f.Text(field_no)));
  const std::string name(f.Row(field_no).ReferenceName());
  std::string text;
  if (detail_id == "RW") {
    text = "The sum of the RW " + name + " amounts does not equal the amount in the " + name +
           " of the RT record. The calculated sum of the RW amounts for the " + name +
           " of the RT record is " + calculated + ". The reported sum of the RW amounts for the " +
           name + " of the RT record is " + reported + ".";
  } else {
    text = "The sum of the RO " + name + " amounts does not equal the amount in the " + name +
           " of the RU record.  The calculated sum of the RO amounts for the " + name +
           " of the RU record is " + calculated + ". The reported sum of the RO amounts for the " +
           name + " of the RU record is " + reported + ".";
  }
  f.Error(field_no, text);
}

// A total that cannot be reconciled because a detail record of the block (the
// one with SSN err_ref) had a non-numeric amount.
void IncompleteTotal(const FieldChecker& f, int field_no, std::string_view detail_id,
                     std::string_view err_ref) {
  std::string text =
      "The calculated sum is incorrect because of a non-numeric value entered in the ";
  text += detail_id;
  text += " record with SSN#: ";
  text += err_ref;
  text += ".";
  f.Error(field_no, text);
}

}  // namespace

const AccumulatorRow& LinkedBlockRow(Totals which, RuleContext& ctx) {
  static const AccumulatorRow kNoBlock;
  const AccumulatorRow& row = ctx.Row(which);
  if (row.Indx == 0) return kNoBlock;
  ctx.LinkRecord(row.RE_EIN, row.Indx);
  return row;
}

void CheckDetailCount(const FieldChecker& f, std::string_view detail_id, std::string_view total_id,
                      const AccumulatorRow& row) {
  const std::string_view value = f.Text(kCountField);
  if (!NumCheck(value)) {
    f.Error(kCountField, "Must be numeric. Right justify and zero fill.");
  } else if (ToNumber(value) != row.count) {
    f.Error(kCountField, "The number of " + std::string(detail_id) + " records (" +
                             std::to_string(row.count) +
                             ") since the last RE record does not equal the value in the " +
                             std::string(total_id) + " record.");
  }
}

void ReconcileMoneyTotal(const FieldChecker& f, int field_no, std::string_view detail_id,
                         const AccumulatorRow& row) {
  const std::string_view value = f.Text(field_no);
  if (!NumCheck(value)) {
    f.Error(field_no, kMoneyNotNumeric);
    return;
  }
  const int column = f.Row(field_no).column;
  const std::string& err_ref = row.err_refs[static_cast<std::size_t>(column)];
  const int64_t sum = row.sums[static_cast<std::size_t>(column)];
  if (err_ref != AccumulatorRow::kNoErrRef) {
    IncompleteTotal(f, field_no, detail_id, err_ref);
  } else if (ToNumber(value) != sum) {
    MoneyTotal(f, field_no, detail_id, sum);
  }
}

}  // namespace ledgerly
