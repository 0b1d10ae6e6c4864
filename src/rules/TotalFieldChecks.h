#pragma once

#include <string_view>

#include "rules/FieldChecker.h"

// The checks the RT and RU records share: the block row, the record count and
// the reconciliation of one money total.
namespace ledgerly {

// The block row a total record is compared with, the record linked to its block. With no block open
// (no RE record before it) there is nothing to link to, and the record is compared with an empty
// row: count 0, every sum 0, no non-numeric marks.
const AccumulatorRow& LinkedBlockRow(Totals which, RuleContext& ctx);

// Number of RW/RO Records, field number 1.
// detail_id is "RW" (for RT) or "RO" (for RU).
void CheckDetailCount(const FieldChecker& f, std::string_view detail_id, const AccumulatorRow& row);

// A money total: numeric, then compared with the sum in its row's column unless a
// detail record of the block left that column incomplete.
void ReconcileMoneyTotal(const FieldChecker& f, int field_no, std::string_view detail_id,
                         const AccumulatorRow& row);

}  // namespace ledgerly
