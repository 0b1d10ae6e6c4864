#pragma once

#include <cstdint>

#include "rules/FieldChecker.h"

// The money paths from the detail records (RW, RO) into their block's sums.
namespace ledgerly {

// A money field that is not all digits: reported, and its sum column marked
// incomplete so the total record does not compare it.
void MoneyNotNumeric(const FieldChecker& f, int field_no, Totals sums);

// Applies the Tax Jurisdiction rule of the field's row to a non-zero amount, then
// adds the amount to the row's column of the block's sums. A disallowed amount is
// still added: the totals must match what was filed.
void TerritoryMoney(const FieldChecker& f, int field_no, int64_t amount, Totals sums);

// Walks fields first_field..last_field in order, each as its row's check says:
// the character test or a money amount summed into `sums`. ByRule rows are left
// to the caller.
void CheckLaidOutFields(const FieldChecker& f, int first_field, int last_field, Totals sums);

}  // namespace ledgerly
