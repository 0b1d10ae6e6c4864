#include "rules/RuleContext.h"

#include <limits>

namespace ledgerly {
namespace {

// A block would need some hundred million maximal amounts to pass the 64-bit
// range; the sum then stays at the largest value (no total field can hold it,
// so the reconciliation still reports the difference) instead of wrapping.
void AddSaturating(int64_t& sum, int64_t amount) {
  if (__builtin_add_overflow(sum, amount, &sum)) {
    sum = amount > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
  }
}

}  // namespace

int64_t RunRuleContext::StartBlockRows(std::string_view ein) {
  // Both tables gain one row per RE record, so their numbering agrees.
  const int64_t indx = block.trt.Indx + 1;
  block.trt = AccumulatorRow{};
  block.tru = AccumulatorRow{};
  block.trt.Indx = block.tru.Indx = indx;
  block.trt.RE_EIN = block.tru.RE_EIN = std::string(ein);
  return indx;
}

void RunRuleContext::CountInBlock(Totals which) {
  AccumulatorRow& row = Row(which);
  AddSaturating(row.count, 1);
  LinkRecord(block.current_ssn, row.Indx);
}

void RunRuleContext::AddToSum(Totals which, int column, int64_t amount) {
  if (column <= 0 || column > AccumulatorRow::kMaxColumns) return;
  AddSaturating(Row(which).sums[static_cast<std::size_t>(column)], amount);
}

void RunRuleContext::MarkIncomplete(Totals which, int column) {
  if (column <= 0 || column > AccumulatorRow::kMaxColumns) return;
  std::string& ref = Row(which).err_refs[static_cast<std::size_t>(column)];
  if (ref == AccumulatorRow::kNoErrRef) ref = block.current_ssn;
}

void MemoryRuleContext::AddFieldError(std::string_view reference, std::string_view user_entry,
                                      std::string_view error, int field_no) {
  findings.push_back(
      {std::string(reference), std::string(user_entry), std::string(error), field_no});
}

void MemoryRuleContext::LinkRecord(std::string_view reference, int64_t indx) {
  rec_reference = reference;
  re_indx = indx;
}

void MemoryRuleContext::OpenBlock(std::string_view ein) {
  LinkRecord(ein, StartBlockRows(ein));
}

}  // namespace ledgerly
