#include "rules/RuleContext.h"

namespace ledgerly {

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
  row.Count();
  LinkRecord(block.current_ssn, row.Indx);
}

void RunRuleContext::AddToSum(Totals which, int column, int64_t amount) {
  Row(which).Add(column, amount);
}

void RunRuleContext::MarkIncomplete(Totals which, int column) {
  Row(which).MarkIncomplete(column, block.current_ssn);
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
