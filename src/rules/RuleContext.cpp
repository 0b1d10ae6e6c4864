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

}  // namespace ledgerly
