#include "totals/BlockRows.h"

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

bool InRow(int column) {
  return column > 0 && column <= AccumulatorRow::kMaxColumns;
}

}  // namespace

void AccumulatorRow::Count() {
  AddSaturating(count, 1);
}

void AccumulatorRow::Add(int column, int64_t amount) {
  if (InRow(column)) AddSaturating(sums[static_cast<std::size_t>(column)], amount);
}

void AccumulatorRow::MarkIncomplete(int column, std::string_view ssn) {
  if (!InRow(column)) return;
  std::string& ref = err_refs[static_cast<std::size_t>(column)];
  if (ref == kNoErrRef) ref = std::string(ssn);
}

}  // namespace ledgerly
