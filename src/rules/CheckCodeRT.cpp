#include <string>

#include "layout/RecordLayouts.h"
#include "rules/DetailFieldChecks.h"
#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "rules/TotalFieldChecks.h"

namespace ledgerly {
namespace {

using namespace finding;

bool MustBeZero(ZeroUnder zero_under, const std::string& employment_code) {
  switch (zero_under) {
    case ZeroUnder::XOrQ:
      return employment_code == "X" || employment_code == "Q";
    case ZeroUnder::X:
      return employment_code == "X";
    case ZeroUnder::None:
      break;
  }
  return false;
}

void CheckEmploymentCodeZero(const FieldChecker& f, int field_no) {
  const FieldLayoutRow& row = f.Row(field_no);
  if (!MustBeZero(row.zero_under, f.ctx().block.employer.EmploymentCode) ||
      IsZeroFilled(f.Text(field_no), row.Width())) {
    return;
  }
  f.Error(field_no, kEmploymentCodeZero);
}

// Third-party sick pay tax has no RW counterpart; it only has to be zero for Puerto Rico.
void CheckSickPayTax(const FieldChecker& f, int field_no) {
  const std::string_view value = f.Text(field_no);
  if (!NumCheck(value)) {
    f.Error(field_no, kMoneyNumeric);
  } else if (f.ctx().block.employer.TaxJurisdictionRaw == "P" &&
             !IsZeroFilled(value, f.Row(field_no).Width())) {
    f.Error(field_no, kSickPayTaxZero);
  }
}

}  // namespace

void CheckCodeRT(std::string_view txtline, RuleContext& ctx) {
  const AccumulatorRow& row = LinkedBlockRow(Totals::TRT, ctx);
  const FieldChecker f(txtline, "RT", ctx);
  // In position order: the errors of one RT record come out in this order.
  for (int field_no = 1; field_no < static_cast<int>(kRTLayout.size()); ++field_no) {
    switch (f.Row(field_no).check) {
      case FieldCheck::Count:
        CheckDetailCount(f, "RW", row);
        break;
      case FieldCheck::Money:
        CheckEmploymentCodeZero(f, field_no);
        ReconcileMoneyTotal(f, field_no, "RW", row);
        break;
      case FieldCheck::Characters:
        f.CharCheckField(field_no);
        break;
      case FieldCheck::SickPay:
        CheckSickPayTax(f, field_no);
        break;
      default:
        break;
    }
  }
}

}  // namespace ledgerly
