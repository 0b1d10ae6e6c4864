#include <array>
#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "totals/TotalFieldChecks.h"

namespace ledgerly {
namespace {

enum class RTRule { Count, Money, Characters, SickPay };

// Employment Codes for which a Social Security or Medicare total must be zero.
enum class ZeroFor { None, XOrQ, X };

struct RTField {
  int first;
  int last;
  const char* name;
  int field_no;
  RTRule rule;
  int sum_column;
  ZeroFor zero_for;
};

// In position order: the errors of one RT record come out in this order.
constexpr std::array<RTField, 28> kRTFields{{
    {3, 9, "Number of RW Records", 1, RTRule::Count, 0, ZeroFor::None},
    {10, 24, "Wages, Tips and Other Compensation", 2, RTRule::Money, 1, ZeroFor::None},
    {25, 39, "Federal Income Tax Withheld", 3, RTRule::Money, 2, ZeroFor::None},
    {40, 54, "Social Security Wages", 4, RTRule::Money, 3, ZeroFor::XOrQ},
    {55, 69, "Social Security Tax Withheld", 5, RTRule::Money, 4, ZeroFor::XOrQ},
    {70, 84, "Medicare Wages and Tips", 6, RTRule::Money, 5, ZeroFor::X},
    {85, 99, "Medicare Tax Withheld", 7, RTRule::Money, 6, ZeroFor::X},
    {100, 114, "Social Security Tips", 8, RTRule::Money, 7, ZeroFor::XOrQ},
    {115, 129, "Advance Earned Income Credit", 9, RTRule::Characters, 0, ZeroFor::None},
    {130, 144, "Dependent Care Benefits", 10, RTRule::Money, 8, ZeroFor::None},
    {145, 159, "Deferred Compensation Contributions to Section 401(k)", 11, RTRule::Money, 9,
     ZeroFor::None},
    {160, 174, "Deferred Compensation Contributions to Section 403(b)", 12, RTRule::Money, 10,
     ZeroFor::None},
    {175, 189, "Deferred Compensation Contributions to Section 408(k)(6)", 13, RTRule::Money, 11,
     ZeroFor::None},
    {190, 204, "Deferred Compensation Contributions to Section 457(b)", 14, RTRule::Money, 12,
     ZeroFor::None},
    {205, 219, "Deferred Compensation Contributions to Section 501(c)(18)(D)", 15, RTRule::Money,
     13, ZeroFor::None},
    {220, 234, "Military Employee Basic Quarters, Subsistence and Combat Pay", 16, RTRule::Money,
     14, ZeroFor::None},
    {235, 249, "Non-qualified Plan Section 457 Distributions or Contributions", 17, RTRule::Money,
     15, ZeroFor::None},
    {250, 264, "Employer Contributions to a Health Savings Account", 18, RTRule::Money, 16,
     ZeroFor::None},
    {265, 279, "Non-qualified Plan Not Section 457 Distributions or Contributions", 19,
     RTRule::Money, 17, ZeroFor::None},
    {280, 294, "Nontaxable Combat Pay", 20, RTRule::Money, 18, ZeroFor::None},
    {295, 309, "Cost of Employer-Sponsored Health Coverage", 21, RTRule::Characters, 0,
     ZeroFor::None},
    {310, 324, "Employer Cost of Premiums for Group Term Life Insurance Over $50,000", 22,
     RTRule::Money, 19, ZeroFor::None},
    {325, 339, "Income Tax Withheld by Payer of Third-Party Sick Pay", 23, RTRule::SickPay, 0,
     ZeroFor::None},
    {340, 354, "Income from the Exercise of Nonstatutory Stock Options", 24, RTRule::Money, 20,
     ZeroFor::None},
    {355, 369, "Deferrals Under a Section 409A Non-qualified Deferred Compensation Plan", 25,
     RTRule::Money, 21, ZeroFor::None},
    {370, 384, "Designated Roth Contributions to a Section 401(k) Plan", 26, RTRule::Money, 22,
     ZeroFor::None},
    {385, 399, "Designated Roth Contributions Under a Section 403(b) Salary Reduction Agreement",
     27, RTRule::Money, 23, ZeroFor::None},
    {400, 512, "Blank", 28, RTRule::Characters, 0, ZeroFor::None},
}};

constexpr std::size_t kTotalZeros = 15;

bool MustBeZero(ZeroFor zero_for, const std::string& employment_code) {
  switch (zero_for) {
    case ZeroFor::XOrQ:
      return employment_code == "X" || employment_code == "Q";
    case ZeroFor::X:
      return employment_code == "X";
    case ZeroFor::None:
      break;
  }
  return false;
}

void CheckEmploymentCodeZero(std::string_view txtline, const RTField& field, RuleContext& ctx) {
  const std::string_view value = Field(txtline, field.first, field.last);
  if (!MustBeZero(field.zero_for, ctx.employer.EmploymentCode) ||
      IsZeroFilled(value, kTotalZeros)) {
    return;
  }
  ctx.AddFieldError(FieldReference(field.name, field.first, field.last), UserEntry(value),
                    EmploymentCodeZeroError(field.name), field.field_no);
}

// Third-party sick pay tax has no RW counterpart; it only has to be zero for Puerto Rico.
void CheckSickPayTax(std::string_view txtline, const RTField& field, RuleContext& ctx) {
  const std::string_view value = Field(txtline, field.first, field.last);
  const auto reference = [&] { return FieldReference(field.name, field.first, field.last); };
  if (!NumCheck(value)) {
    ctx.AddFieldError(reference(), UserEntry(value), kMoneyNotNumeric, field.field_no);
  } else if (ctx.employer.TaxJurisdictionRaw == "P" && !IsZeroFilled(value, kTotalZeros)) {
    ctx.AddFieldError(reference(), UserEntry(value),
                      "The Income Tax Withheld by Payer of Third-Party Sick Pay field must be zero "
                      "because it does not apply to the Tax Jurisdiction Code entered in the RE "
                      "record. Either enter a value of zero in the Income Tax Withheld by Payer of "
                      "Third-Party Sick Pay field or change the Tax Jurisdiction Code in the RE "
                      "record to V, G, S, N or blank.",
                      field.field_no);
  }
}

}  // namespace

// The block is the one the record belongs to, so rec_ctr is not needed to find it.
void CheckCodeRT(std::string_view txtline, int64_t /*rec_ctr*/, RuleContext& ctx) {
  const AccumulatorRow& row = LinkedBlockRow(Totals::TRT, ctx);
  for (const RTField& field : kRTFields) {
    switch (field.rule) {
      case RTRule::Count:
        CheckDetailCount(txtline, "RW", "RT", row, ctx);
        break;
      case RTRule::Money:
        CheckEmploymentCodeZero(txtline, field, ctx);
        ReconcileMoneyTotal(txtline, "RW", field.name, field.first, field.last, field.field_no, row,
                            field.sum_column, ctx);
        break;
      case RTRule::Characters:
        CheckPrintableField(txtline, field.name, field.first, field.last, field.field_no, ctx);
        break;
      case RTRule::SickPay:
        CheckSickPayTax(txtline, field, ctx);
        break;
    }
  }
}

}  // namespace ledgerly
