#include <array>

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "totals/TotalFieldChecks.h"

namespace ledgerly {
namespace {

enum class RURule { Count, Money, Characters };

struct RUField {
  int first;
  int last;
  const char* name;
  int field_no;
  RURule rule;
  int sum_column;
};

// In position order: the errors of one RU record come out in this order.
constexpr std::array<RUField, 22> kRUFields{{
    {3, 9, "Number of RO Records", 1, RURule::Count, 0},
    {10, 24, "Allocated Tips", 2, RURule::Money, 1},
    {25, 39, "Uncollected Employee Tax on Tips", 3, RURule::Money, 2},
    {40, 54, "Medical Savings Account", 4, RURule::Money, 3},
    {55, 69, "Simple Retirement Account", 5, RURule::Money, 4},
    {70, 84, "Qualified Adoption Expenses", 6, RURule::Money, 5},
    {85, 99,
     "Uncollected Social Security or RRTA Tax on Cost of Group Term Life Insurance over $50,000", 7,
     RURule::Money, 6},
    {100, 114, "Uncollected Medicare Tax on Cost of Group Term Life Insurance over $50,000", 8,
     RURule::Money, 7},
    {115, 129, "Income Under Section 409A on a Non-qualified Deferred Compensation Plan", 9,
     RURule::Money, 8},
    {130, 144, "HIRE Exempt Wages and Tips", 10, RURule::Characters, 0},
    {145, 159, "Designated Roth Contributions Under a Governmental Section 457(b) Plan", 11,
     RURule::Characters, 0},
    {160, 354, "Blank", 12, RURule::Characters, 0},
    {355, 369, "Wages Subject to Puerto Rico Tax", 13, RURule::Money, 9},
    {370, 384, "Commissions Subject to Puerto Rico Tax", 14, RURule::Money, 10},
    {385, 399, "Allowances Subject to Puerto Rico Tax", 15, RURule::Money, 11},
    {400, 414, "Tips Subject to Puerto Rico Tax", 16, RURule::Money, 12},
    {415, 429, "Total Wages, Commissions, Tips and Allowances Subject to Puerto Rico Tax", 17,
     RURule::Money, 13},
    {430, 444, "Puerto Rico Tax Withheld", 18, RURule::Money, 14},
    {445, 459, "Retirement Fund Annual Contributions", 19, RURule::Money, 15},
    {460, 474,
     "Total Wages, Tips and Other Compensation Subject to Virgin Islands, Guam, American Samoa or "
     "Northern Mariana Islands Income Tax",
     20, RURule::Money, 16},
    {475, 489,
     "Virgin Islands, Guam, American Samoa or Northern Mariana Islands Income Tax Withheld", 21,
     RURule::Money, 17},
    {490, 512, "Blank", 22, RURule::Characters, 0},
}};

}  // namespace

// The block is the one the record belongs to, so rec_ctr is not needed to find it.
void CheckCodeRU(std::string_view txtline, int64_t /*rec_ctr*/, RuleContext& ctx) {
  const AccumulatorRow& row = LinkedBlockRow(Totals::TRU, ctx);
  for (const RUField& field : kRUFields) {
    switch (field.rule) {
      case RURule::Count:
        CheckDetailCount(txtline, "RO", "RU", row, ctx);
        break;
      case RURule::Money:
        ReconcileMoneyTotal(txtline, "RO", field.name, field.first, field.last, field.field_no, row,
                            field.sum_column, ctx);
        break;
      case RURule::Characters:
        CheckPrintableField(txtline, field.name, field.first, field.last, field.field_no, ctx);
        break;
    }
  }
}

}  // namespace ledgerly
