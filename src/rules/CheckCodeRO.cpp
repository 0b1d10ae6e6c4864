#include <array>
#include <string>
#include <string_view>

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "totals/TotalsRules.h"

namespace ledgerly {
namespace {

enum class RORule {
  Characters,   // CharCheck only (fillers, and two amounts that are not summed)
  Money,        // numeric, Tax Jurisdiction rule, summed
  DirectMoney,  // numeric, summed without the Tax Jurisdiction rule
};

struct ROField {
  int first;
  int last;
  const char* name;  // reference name, and the name TerritoryMoney reports
  RORule rule;
  int tru_column;
  std::string_view terr;
};

// Field number = index + 1.
constexpr std::array<ROField, 23> kROFields{{
    {3, 11, "Blank", RORule::Characters, 0, {}},
    {12, 22, "Allocated Tips", RORule::Money, 1, Terr::kBlank},
    {23, 33, "Uncollected Employee Tax on Tips", RORule::DirectMoney, 2, {}},
    {34, 44, "Medical Savings Account", RORule::Money, 3, Terr::kNotPAndN},
    {45, 55, "Simple Retirement Account", RORule::Money, 4, Terr::kNotP},
    {56, 66, "Qualified Adoption Expenses", RORule::Money, 5, Terr::kNotPAndN},
    {67, 77,
     "Uncollected Social Security or RRTA Tax on Cost of Group Term Life Insurance over $50,000",
     RORule::Money, 6, Terr::kNotP},
    {78, 88, "Uncollected Medicare Tax on Cost of Group Term Life Insurance over $50,000",
     RORule::Money, 7, Terr::kNotP},
    {89, 99, "Income Under Section 409A on a Non-qualified Deferred Compensation Plan",
     RORule::Money, 8, Terr::kNotPAndN},
    {100, 110, "HIRE Exempt Wages and Tips", RORule::Characters, 0, {}},
    {111,
     121,
     "Designated Roth Contributions Under a Governmental Section 457(b) Plan",
     RORule::Characters,
     0,
     {}},
    {122, 274, "Blank", RORule::Characters, 0, {}},
    {275, 285, "Wages Subject to Puerto Rico Tax", RORule::Money, 9, Terr::kPuertoRico},
    {286, 296, "Commissions Subject to Puerto Rico Tax", RORule::Money, 10, Terr::kPuertoRico},
    {297, 307, "Allowances Subject to Puerto Rico Tax", RORule::Money, 11, Terr::kPuertoRico},
    {308, 318, "Tips Subject to Puerto Rico Tax", RORule::Money, 12, Terr::kPuertoRico},
    {319, 329, "Total Wages, Commissions, Tips and Allowances Subject to Puerto Rico Tax",
     RORule::Money, 13, Terr::kPuertoRico},
    {330, 340, "Puerto Rico Tax Withheld", RORule::Money, 14, Terr::kPuertoRico},
    {341, 351, "Retirement Fund Annual Contributions", RORule::Money, 15, Terr::kPuertoRico},
    {352, 362, "Blank", RORule::Characters, 0, {}},
    {363, 373,
     "Total Wages, Tips and Other Compensation Subject to Virgin Islands, Guam, American Samoa or "
     "Northern Mariana Islands Income Tax",
     RORule::Money, 16, Terr::kIslands},
    {374, 384,
     "Virgin Islands, Guam, American Samoa or Northern Mariana Islands Income Tax Withheld",
     RORule::Money, 17, Terr::kIslands},
    {385, 512, "Blank", RORule::Characters, 0, {}},
}};

}  // namespace

void CheckCodeRO(std::string_view txtline, RuleContext& ctx) {
  // Counts the record in its block and links it to the SSN of the RW before it.
  ctx.AddToTRU(0, true, 1);

  for (std::size_t i = 0; i < kROFields.size(); ++i) {
    const ROField& field = kROFields[i];
    const int field_no = static_cast<int>(i) + 1;
    if (field.rule == RORule::Characters) {
      CheckPrintableField(txtline, field.name, field.first, field.last, field_no, ctx);
      continue;
    }
    const std::string_view value = Field(txtline, field.first, field.last);
    if (!NumCheck(value)) {
      ctx.AddROMoneyError(FieldReference(field.name, field.first, field.last), UserEntry(value),
                          kMoneyNotNumeric, field_no, field.tru_column);
    } else if (field.rule == RORule::DirectMoney) {
      ctx.AddToTRU(field.tru_column, false, ToNumber(value));
    } else {
      TerritoryMoney(txtline, "RO", field.name, field.first, field.last,
                     field.last - field.first + 1, field_no, ToNumber(value), field.terr,
                     field.tru_column, ctx);
    }
  }
}

}  // namespace ledgerly
