#include <string>

#include "layout/RecordLayouts.h"
#include "rules/DetailFieldChecks.h"
#include "rules/FieldChecker.h"
#include "rules/MoneyFields.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

using namespace finding;

constexpr int kMilitaryPay = 30;

}  // namespace

void CheckCodeRW2(std::string_view txtline, RuleContext& ctx) {
  const FieldChecker f(txtline, "RW", ctx);
  // Advance Earned Income Credit to Cost of Employer-Sponsored Health Coverage.
  CheckLaidOutFields(f, 23, 41, Totals::TRT);

  // Military pay was reported in this field only from 1995 to 2001. This finding
  // spells the field's name out in full.
  const int year = ctx.block.employer.TaxYear;
  const FieldLayoutRow& military = f.Row(kMilitaryPay);
  if ((year > 2001 || year < 1995) && !IsZeroFilled(f.Text(kMilitaryPay), military.Width())) {
    f.ErrorAs(FieldReference("Military Employee Basic Quarters, Subsistence and Combat Pay",
                             military.first, military.last),
              UserEntry(f.Text(kMilitaryPay)), kMilitaryPay, kMilitaryPayYears);
  }

  f.CharCheckField(42);
  CheckZeroOrOne(f, 43, kStatutoryEmployee);
  f.CharCheckField(44);
  CheckZeroOrOne(f, 45, kRetirementPlan);
  CheckZeroOrOne(f, 46, kSickPayIndicator);
  f.CharCheckField(47);
}

}  // namespace ledgerly
