#include "rules/RuleContext.h"

namespace ledgerly {

void RuleContext::OpenBlock(std::string_view ein) {
  // Both tables gain one row per RE record, so their numbering agrees.
  const int64_t indx = block.trt.Indx + 1;
  block.trt = AccumulatorRow{};
  block.tru = AccumulatorRow{};
  block.trt.Indx = block.tru.Indx = indx;
  block.trt.RE_EIN = block.tru.RE_EIN = std::string(ein);
  LinkRecord(ein, indx);
  stamps.opened_block = true;
}

void RuleContext::CountInBlock(Totals which) {
  AccumulatorRow& row = Row(which);
  row.Count();
  LinkRecord(block.current_ssn, row.Indx);
}

}  // namespace ledgerly
