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

int64_t RuleContext::StartBlockRows(std::string_view ein) {
  // Both tables gain one row per RE record, so their numbering agrees.
  const int64_t indx = trt.Indx + 1;
  trt = AccumulatorRow{};
  tru = AccumulatorRow{};
  trt.Indx = tru.Indx = indx;
  trt.RE_EIN = tru.RE_EIN = std::string(ein);
  return indx;
}

void RuleContext::AddTo(Totals which, int column, bool link, int64_t amount) {
  if (ViewerMode()) return;
  AccumulatorRow& row = Row(which);
  if (column == 0) {
    AddSaturating(row.count, amount);
  } else if (column > 0 && column <= AccumulatorRow::kMaxColumns) {
    AddSaturating(row.sums[column], amount);
  }
  if (link) LinkRecord(current_ssn, row.Indx);
}

void RuleContext::MarkErrRef(Totals which, int column) {
  if (ViewerMode() || column <= 0 || column > AccumulatorRow::kMaxColumns) return;
  std::string& ref = Row(which).err_refs[column];
  if (ref == AccumulatorRow::kNoErrRef) ref = current_ssn;
}

void RuleContext::AddRWMoneyError(std::string_view reference, std::string_view user_entry,
                                  std::string_view error, int field_no, int err_ref_column) {
  MarkTRTErrRef(err_ref_column);
  AddFieldError(reference, user_entry, error, field_no);
}

void RuleContext::AddROMoneyError(std::string_view reference, std::string_view user_entry,
                                  std::string_view error, int field_no, int err_ref_column) {
  MarkTRUErrRef(err_ref_column);
  AddFieldError(reference, user_entry, error, field_no);
}

void MemoryRuleContext::AddFieldError(std::string_view reference, std::string_view user_entry,
                                      std::string_view error, int field_no) {
  if (viewer_mode_) {
    highlighted.insert(field_no);
    return;
  }
  findings.push_back(
      {std::string(reference), std::string(user_entry), std::string(error), field_no});
}

void MemoryRuleContext::SetRecordReference(std::string_view reference) {
  if (!viewer_mode_) rec_reference = reference;
}

void MemoryRuleContext::LinkRecord(std::string_view reference, int64_t indx) {
  if (viewer_mode_) return;
  rec_reference = reference;
  re_indx = indx;
}

void MemoryRuleContext::ReplaceStoredRecord(std::string_view record_text) {
  if (!viewer_mode_) stored_record = record_text;
}

void MemoryRuleContext::SetPinOK(bool value) {
  if (!viewer_mode_) pin_ok = value;
}

void MemoryRuleContext::OpenBlock(std::string_view ein) {
  if (viewer_mode_) return;
  LinkRecord(ein, StartBlockRows(ein));
}

}  // namespace ledgerly
