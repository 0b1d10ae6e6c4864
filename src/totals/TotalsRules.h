#pragma once

#include <cstdint>
#include <string_view>

#include "rules/RuleContext.h"

// The money paths between the detail records (RW, RO) and the total records (RT, RU).
namespace ledgerly {

// Territory classes: which Tax Jurisdiction Codes allow a non-zero amount.
namespace Terr {
inline constexpr std::string_view kBlank = " ";  // only a blank code
inline constexpr std::string_view kPuertoRico = "P";
inline constexpr std::string_view kNotP = "Not P";
inline constexpr std::string_view kNotPAndN = "Not P and N";
inline constexpr std::string_view kIslands = "Islands";
}  // namespace Terr

// Applies the Tax Jurisdiction rule to a non-zero amount of an RW ("RW") or RO
// (any other id) field, then adds the amount to TRT or TRU column tru_index.
// A disallowed amount is still added: the totals must match what was filed.
void TerritoryMoney(std::string_view txtline, std::string_view id, std::string_view field_name,
                    int field_beg_pos, int field_end_pos, int field_length, int txt_array_num,
                    int64_t amnt, std::string_view terr, int tru_index, RuleContext& ctx);

// Reports a total field of an RT (id "RW") or RU (any other id) record that
// differs from the sum of its detail records.
void MoneyTotal(std::string_view txtline, std::string_view id, std::string_view field_name,
                int field_beg_pos, int field_end_pos, int field_length, int txt_array_num,
                int64_t total, std::string_view str_his_total, RuleContext& ctx);

// Reports a total that cannot be reconciled because a detail record of the
// block (the one with SSN total_err_ref) had a non-numeric amount.
void MoneyTotal2(std::string_view txtline, std::string_view id, std::string_view field_name,
                 int field_beg_pos, int field_end_pos, int field_length, int txt_array_num,
                 std::string_view total_err_ref, RuleContext& ctx);

}  // namespace ledgerly
