#include <string>

#include "layout/RecordLayouts.h"
#include "rules/DetailFieldChecks.h"
#include "rules/FieldChecker.h"
#include "rules/MoneyFields.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

constexpr int kMilitaryPay = 30;

}  // namespace

void CheckCodeRW2(std::string_view txtline, RuleContext& ctx) {
  const FieldChecker f(txtline, kRWLayout, ctx);
  // Advance Earned Income Credit to Cost of Employer-Sponsored Health Coverage.
  CheckLaidOutFields(f, 23, 41, Totals::TRT);

  // Military pay was reported in this field only from 1995 to 2001. This finding
  // spells the field's name out in full.
  const int year = ctx.block.employer.TaxYear;
  const FieldLayoutRow& military = f.Row(kMilitaryPay);
  if ((year > 2001 || year < 1995) && !IsZeroFilled(f.Text(kMilitaryPay), military.Width())) {
    ctx.AddFieldError(FieldReference("Military Employee Basic Quarters, Subsistence and Combat Pay",
                                     military.first, military.last),
                      UserEntry(f.Text(kMilitaryPay)),
                      "Must be zero filled for years prior to 1995 and years after 2001.",
                      kMilitaryPay);
  }

  f.CharCheckField(42);
  CheckZeroOrOne(f, 43, "Enter appropriate code: 1 - Statutory Employee or 0 - Other.");
  f.CharCheckField(44);
  CheckZeroOrOne(f, 45, "Enter appropriate code: 1 - Employee has Retirement Plan or 0 - Other.");
  CheckZeroOrOne(f, 46,
                 "Enter appropriate code: 1 - Employee has Third-Party Sick Pay or 0 - Other.");
  f.CharCheckField(47);
}

}  // namespace ledgerly
