#pragma once

#include <string_view>

#include "rules/RuleContext.h"

// The checks the RT and RU records share: the block row, the record count and
// the reconciliation of one money total.
namespace ledgerly {

// The block row a total record is compared with. In a Test run the record is
// first linked to its block. With no block open (no RE record before it) there is
// nothing to link to, and the record is compared with an empty row: count 0,
// every sum 0, no non-numeric marks.
const AccumulatorRow& LinkedBlockRow(Totals which, RuleContext& ctx);

// Number of RW/RO Records, positions 3-9, Field number 1.
// detail_id is "RW" or "RO", total_id "RT" or "RU".
void CheckDetailCount(std::string_view txtline, std::string_view detail_id,
                      std::string_view total_id, const AccumulatorRow& row, RuleContext& ctx);

// A 15-position money total: numeric, then compared with sum column `column`
// unless a detail record of the block left that column incomplete.
void ReconcileMoneyTotal(std::string_view txtline, std::string_view detail_id,
                         std::string_view name, int first, int last, int field_no,
                         const AccumulatorRow& row, int column, RuleContext& ctx);

}  // namespace ledgerly
