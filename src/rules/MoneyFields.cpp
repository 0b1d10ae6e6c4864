#include "rules/MoneyFields.h"

#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"

namespace ledgerly {
namespace {

// True when the Tax Jurisdiction Code of the block forbids a non-zero amount. An
// invalid code leaves TaxJurisdiction empty and valid false, so no rule fires.
bool NotAllowed(Territory territory, const EmployerValues& employer) {
  const std::string& tjc = employer.TaxJurisdiction;
  const bool valid = employer.TaxJurisdictionOK;
  switch (territory) {
    case Territory::Islands:
      return valid && !IsOneOf(tjc, "GVSN");
    case Territory::NotP:
      return tjc == "P";
    case Territory::NotPAndN:
      return tjc == "P" || tjc == "N";
    case Territory::Blank:
      return valid && tjc != " ";
    case Territory::PuertoRico:
      return valid && tjc != "P";
    case Territory::Any:
      break;
  }
  return false;
}

}  // namespace

void MoneyNotNumeric(const FieldChecker& f, int field_no, Totals sums) {
  f.ctx().MarkIncomplete(sums, f.Row(field_no).column);
  f.Error(field_no, finding::kMoneyNumeric);
}

void TerritoryMoney(const FieldChecker& f, int field_no, int64_t amount, Totals sums) {
  if (amount == 0) return;
  const FieldLayoutRow& row = f.Row(field_no);
  if (NotAllowed(row.territory, f.ctx().block.employer)) {
    f.Error(field_no, finding::kTaxJurisdictionZero);
  }
  f.ctx().AddToSum(sums, row.column, amount);
}

void CheckLaidOutFields(const FieldChecker& f, int first_field, int last_field, Totals sums) {
  for (int field_no = first_field; field_no <= last_field; ++field_no) {
    const FieldLayoutRow& row = f.Row(field_no);
    switch (row.check) {
      case FieldCheck::Characters:
        f.CharCheckField(field_no);
        break;
      case FieldCheck::Money:
      case FieldCheck::UnrestrictedMoney: {
        const std::optional<int64_t> amount = NumericValue(f.Text(field_no));
        if (!amount) {
          MoneyNotNumeric(f, field_no, sums);
        } else if (row.check == FieldCheck::Money) {
          TerritoryMoney(f, field_no, *amount, sums);
        } else {
          f.ctx().AddToSum(sums, row.column, *amount);
        }
        break;
      }
      case FieldCheck::ByRule:
      case FieldCheck::Count:
      case FieldCheck::SickPay:
        break;
    }
  }
}

}  // namespace ledgerly
