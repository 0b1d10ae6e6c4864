#include <array>
#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "totals/TotalsRules.h"

namespace ledgerly {
namespace {

struct LoopField {
  std::string_view name;
  std::string_view terr;  // empty for the fields that only take the character test
};

// The nineteen 11-position fields from 265 to 463; field number 23 + index.
constexpr std::array<LoopField, 19> kLoopFields{{
    {"Advance Earned Income Credit", {}},
    {"Dependent Care Benefits", Terr::kBlank},
    {"Deferred Compensation Contributions to Section 401(k)", Terr::kNotP},
    {"Deferred Compensation Contributions to Section 403(b)", Terr::kNotP},
    {"Deferred Compensation Contributions to Section 408(k)(6)", Terr::kNotP},
    {"Deferred Compensation Contributions to Section 457(b)", Terr::kNotP},
    {"Deferred Compensation Contributions to Section 501(c)(18)(D)", Terr::kNotP},
    {"Military Employee B.Q.S.C. Pay", Terr::kBlank},
    {"Non-qualified Plan Section 457 Distributions or Contributions", Terr::kNotP},
    {"Employer Contributions to a Health Savings Account", Terr::kNotPAndN},
    {"Non-qualified Plan Not Section 457 Distributions or Contributions", Terr::kNotP},
    {"Nontaxable Combat Pay", Terr::kNotPAndN},
    {"Blank", {}},
    {"Employer Cost of Premiums for Group Term Life Insurance Over $50,000", Terr::kNotP},
    {"Income from the Exercise of Nonstatutory Stock Options", Terr::kNotP},
    {"Deferrals Under a Section 409A Non-qualified Deferred Compensation Plan", Terr::kNotPAndN},
    {"Designated Roth Contributions to a Section 401(k) Plan", Terr::kNotP},
    {"Designated Roth Contributions Under a Section 403(b) Salary Reduction Agreement",
     Terr::kNotP},
    {"Cost of Employer-Sponsored Health Coverage", {}},
}};

}  // namespace

void CheckCodeRW2(std::string_view txtline, RuleContext& ctx) {
  // The money fields among them take TRT columns 8, 9, ... in turn.
  int column = 8;
  for (std::size_t k = 0; k < kLoopFields.size(); ++k) {
    const LoopField& field = kLoopFields[k];
    const int first = 265 + 11 * static_cast<int>(k);
    const int last = first + 10;
    const int field_no = 23 + static_cast<int>(k);
    if (field.terr.empty()) {  // not summed: the character test only
      CheckPrintableField(txtline, field.name, first, last, field_no, ctx);
      continue;
    }
    const std::string_view value = Field(txtline, first, last);
    if (NumCheck(value)) {
      TerritoryMoney(txtline, "RW", field.name, first, last, 11, field_no, ToNumber(value),
                     field.terr, column, ctx);
    } else {
      ctx.AddRWMoneyError(FieldReference(field.name, first, last), UserEntry(value),
                          kMoneyNotNumeric, field_no, column);
    }
    ++column;
  }

  // Military pay was reported in this field only from 1995 to 2001.
  const int year = ctx.employer.TaxYear;
  const std::string_view military = Field(txtline, 342, 352);
  if ((year > 2001 || year < 1995) && !IsZeroFilled(military, 11)) {
    ctx.AddFieldError(
        "Military Employee Basic Quarters, Subsistence and Combat Pay [Position 342 - 352]",
        UserEntry(military), "Must be zero filled for years prior to 1995 and years after 2001.",
        30);
  }

  const FieldChecker f(txtline, kRWLayout, ctx);
  f.CharCheckField(42);
  CheckZeroOrOne(f, 43, "Enter appropriate code: 1 - Statutory Employee or 0 - Other.");
  f.CharCheckField(44);
  CheckZeroOrOne(f, 45, "Enter appropriate code: 1 - Employee has Retirement Plan or 0 - Other.");
  CheckZeroOrOne(f, 46,
                 "Enter appropriate code: 1 - Employee has Third-Party Sick Pay or 0 - Other.");
  f.CharCheckField(47);
}

}  // namespace ledgerly
