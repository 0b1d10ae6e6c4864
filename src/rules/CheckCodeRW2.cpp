#include <string>

#include "layout/FieldNumbers.h"
#include "layout/RecordLayouts.h"
#include "rules/DetailFieldChecks.h"
#include "rules/FieldChecker.h"
#include "rules/MoneyFields.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

using namespace finding;

}  // namespace

void CheckCodeRW2(std::string_view txtline, RuleContext& ctx) {
  const FieldChecker f(txtline, "RW", ctx);
  // Advance Earned Income Credit to Cost of Employer-Sponsored Health Coverage.
  CheckLaidOutFields(f, rw::kFirstLaidOut, rw::kLastLaidOut, Totals::TRT);

  // Military pay was reported in this field only from 1995 to 2001. This finding
  // spells the field's name out in full.
  const int year = ctx.block.employer.TaxYear;
  const FieldLayoutRow& military = f.Row(rw::kMilitaryPay);
  if ((year > 2001 || year < 1995) && !IsZeroFilled(f.Text(rw::kMilitaryPay), military.Width())) {
    f.ErrorAs(FieldReference("Military Employee Basic Quarters, Subsistence and Combat Pay",
                             military.first, military.last),
              UserEntry(f.Text(rw::kMilitaryPay)), rw::kMilitaryPay, kMilitaryPayYears);
  }

  f.CharCheckField(rw::kBlank42);
  CheckZeroOrOne(f, rw::kStatutoryEmployee, kStatutoryEmployee);
  f.CharCheckField(rw::kBlank44);
  CheckZeroOrOne(f, rw::kRetirementPlan, kRetirementPlan);
  CheckZeroOrOne(f, rw::kSickPayIndicator, kSickPayIndicator);
  f.CharCheckField(rw::kBlank47);
}

}  // namespace ledgerly
