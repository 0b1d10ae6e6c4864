#include <optional>
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

// A money field of the record: its amount in cents when all digits.
std::optional<int64_t> AmountOf(const FieldChecker& f, int field_no) {
  return NumericValue(f.Text(field_no));
}

// Whole dollars in the "###,###,###.00" pattern: 106800 -> "106,800.00".
std::string FormatDollars(int64_t dollars) {
  const std::string digits = std::to_string(dollars);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped + ".00";
}

// Everything the Social Security and Medicare rules look at, read once.
struct WageValues {
  int year = 0;           // Y
  std::string_view code;  // EC, the employer values outlive the record
  SocialSecurityLimits limits;
  std::optional<int64_t> wages;           // W, 210-220
  std::optional<int64_t> tax;             // SST, 221-231
  std::optional<int64_t> medicare_wages;  // MW, 232-242
  std::optional<int64_t> medicare_tax;    // MT, 243-253
  std::optional<int64_t> tips;            // T, 254-264

  bool year_text_numeric = false;

  bool CodeIs(std::string_view c) const { return code == c; }
  bool InYears(int from, int to) const { return year >= from && year <= to; }
};

WageValues ReadWageValues(const FieldChecker& f) {
  const EmployerValues& employer = f.ctx().block.employer;
  WageValues v;
  v.year = employer.TaxYear;
  v.code = employer.EmploymentCode;
  v.year_text_numeric = NumCheck(employer.TaxYearText);
  // The limits serve fields 18, 20 and 21, so they are looked up for the record as a
  // whole; unknown years leave them at 0.
  TaxYearLimits(v.year, v.limits);
  v.wages = AmountOf(f, rw::kSocialSecurityWages);
  v.tax = AmountOf(f, rw::kSocialSecurityTax);
  v.medicare_wages = AmountOf(f, rw::kMedicareWages);
  v.medicare_tax = AmountOf(f, rw::kMedicareTax);
  v.tips = AmountOf(f, rw::kSocialSecurityTips);
  return v;
}

// Fields 1-4: SSN and the employee's name.
void CheckSsnAndName(const FieldChecker& f) {
  const std::string_view ssn = f.Text(rw::kSsn);
  if (!NumCheck(ssn)) {
    f.Error(rw::kSsn, kMandatoryNumeric);
  } else if (ssn.substr(0, 1) == "9" || ssn.substr(0, 3) == "666") {
    f.Error(rw::kSsn, kSsnPrefix);
  }

  const std::string_view first = f.Text(rw::kFirstName);
  if (IsBlank(first)) {
    f.Error(rw::kFirstName, kNameNotBlank);
  } else if (!NameCheck(first)) {
    f.Error(rw::kFirstName, kMandatoryNameCharacters);
  }

  const std::string_view middle = f.Text(rw::kMiddleName);
  if (!NameCheck(middle)) {
    f.Error(rw::kMiddleName, kNameCharacters);
  }

  const std::string_view last = f.Text(rw::kLastName);
  if (!NameCheck(last)) {
    f.Error(rw::kLastName, kMandatoryNameCharacters);
  } else if (IsBlank(last)) {
    f.Error(rw::kLastName, kNameNotBlank);
  }
}

// Fields 5-15: the employee's address.
void CheckEmployeeAddress(const FieldChecker& f) {
  for (int field_no = rw::kSuffix; field_no <= rw::kCity; ++field_no) f.CharCheckField(field_no);
  CheckAddress(f, kRWAddress);
}

// Field 18: Social Security Wages, with the yearly maximum and household minimum.
void CheckSocialSecurityWages(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(rw::kSocialSecurityWages);

  int64_t wages_and_tips = 0;  // cents; stays 0 when the wages are not numeric
  if (!v.wages) {
    MoneyNotNumeric(f, rw::kSocialSecurityWages, Totals::TRT);
  } else {
    wages_and_tips = *v.wages + v.tips.value_or(0);
    if (v.InYears(1978, 2011) && wages_and_tips > 0) {
      if (wages_and_tips == v.limits.PriorYearMax * 100 && v.year != 2010 && v.year != 2011) {
        f.ErrorAs("Prior Year Max", std::to_string(wages_and_tips), rw::kSocialSecurityWages,
                  kPriorYearMax);
      } else if (wages_and_tips > v.limits.CurrentYearMax * 100) {
        f.ErrorAs("Current Year Max", std::to_string(wages_and_tips), rw::kSocialSecurityWages,
                  kCurrentYearMax,
                  {std::to_string(v.year), FormatDollars(v.limits.CurrentYearMax)});
      }
    }
    ctx.AddToSum(Totals::TRT, f.Row(rw::kSocialSecurityWages).column, *v.wages);
  }

  if (v.CodeIs("H") && v.InYears(1995, 2011) && wages_and_tips > 0 &&
      wages_and_tips < v.limits.AnnualHouseholdMin * 100) {
    f.ErrorAs("Annual Household Min", std::to_string(wages_and_tips), rw::kSocialSecurityWages,
              kWagesHouseholdMin);
  }

  if ((v.CodeIs("X") || v.CodeIs("Q")) &&
      !IsZeroFilled(value, f.Row(rw::kSocialSecurityWages).Width())) {
    f.Error(rw::kSocialSecurityWages, kEmploymentCodeZero);
  }
}

// Field 19: Social Security Tax Withheld.
void CheckSocialSecurityTax(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(rw::kSocialSecurityTax);
  if (!v.tax) {
    MoneyNotNumeric(f, rw::kSocialSecurityTax, Totals::TRT);
  } else {
    ctx.AddToSum(Totals::TRT, f.Row(rw::kSocialSecurityTax).column, *v.tax);
    if (v.wages && v.tips && *v.tax > 0 && *v.wages == 0 && *v.tips == 0 && !v.CodeIs("Q") &&
        !v.CodeIs("X")) {
      f.Error(rw::kSocialSecurityTax, kTaxWithoutWages);
    }
  }
  if ((v.CodeIs("X") || v.CodeIs("Q")) &&
      !IsZeroFilled(value, f.Row(rw::kSocialSecurityTax).Width())) {
    f.Error(rw::kSocialSecurityTax, kEmploymentCodeZero);
  }
}

// Field 20: Medicare Wages and Tips.
void CheckMedicareWages(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(rw::kMedicareWages);
  if (!v.medicare_wages) {
    MoneyNotNumeric(f, rw::kMedicareWages, Totals::TRT);
  } else {
    const int64_t mw = *v.medicare_wages;
    ctx.AddToSum(Totals::TRT, f.Row(rw::kMedicareWages).column, mw);
    const bool social_security_numeric = v.wages && v.tips;
    const int64_t social_security_sum = v.wages.value_or(0) + v.tips.value_or(0);
    if (v.year_text_numeric && v.year < 1983 && mw != 0) {
      f.Error(rw::kMedicareWages, kZeroBefore1983);
    } else if (!v.CodeIs("X") && v.InYears(1983, 1993) && mw > v.limits.MedicareWageBase * 100) {
      f.Error(rw::kMedicareWages, kMedicareOverWageBase);
    } else if (social_security_numeric && v.year >= 1991 && !v.CodeIs("X") &&
               social_security_sum > mw) {
      f.Error(rw::kMedicareWages, kMedicareBelowSocialSecurity);
    }

    // The two rules below need the Medicare amount, so they only run when it is numeric.
    if (social_security_numeric && v.InYears(1983, 1990) && !v.CodeIs("X") &&
        social_security_sum != mw) {
      f.Error(rw::kMedicareWages, kMedicareNotSocialSecurity);
    }
    if (v.CodeIs("H") && v.InYears(1995, 2011) && mw > 0 &&
        mw < v.limits.AnnualHouseholdMin * 100) {
      f.Error(rw::kMedicareWages, kMedicareHouseholdMin);
    }
  }
  if (v.CodeIs("X") && v.year >= 1983 && !IsZeroFilled(value, f.Row(rw::kMedicareWages).Width())) {
    f.Error(rw::kMedicareWages, kEmploymentCodeZero);
  }
}

// Field 21: Medicare Tax Withheld.
void CheckMedicareTax(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(rw::kMedicareTax);
  if (!v.medicare_tax) {
    MoneyNotNumeric(f, rw::kMedicareTax, Totals::TRT);
  } else {
    const int64_t mt = *v.medicare_tax;
    ctx.AddToSum(Totals::TRT, f.Row(rw::kMedicareTax).column, mt);
    if (v.year_text_numeric && v.year < 1983 && mt != 0) {
      f.Error(rw::kMedicareTax, kZeroBefore1983);
    } else if (!v.CodeIs("X") && v.InYears(1991, 1993) && mt > v.limits.MedicareWageBase * 100) {
      f.Error(rw::kMedicareTax, kMedicareTaxOverWageBase);
    } else if (v.medicare_wages && *v.medicare_wages == 0 && mt > 0 && v.year >= 1983 &&
               !v.CodeIs("X")) {
      f.Error(rw::kMedicareTax, kMedicareTaxWithoutWages);
    }
  }
  if (v.CodeIs("X") && v.year >= 1983 && !IsZeroFilled(value, f.Row(rw::kMedicareTax).Width())) {
    f.Error(rw::kMedicareTax, kEmploymentCodeZero);
  }
}

// Field 22: Social Security Tips.
void CheckSocialSecurityTips(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(rw::kSocialSecurityTips);
  if (!v.tips) {
    MoneyNotNumeric(f, rw::kSocialSecurityTips, Totals::TRT);
  } else {
    ctx.AddToSum(Totals::TRT, f.Row(rw::kSocialSecurityTips).column, *v.tips);
    if (v.wages && v.tax && *v.tips > 0 && *v.wages == 0 && *v.tax == 0) {
      f.Error(rw::kSocialSecurityTips, kTipsWithoutTax);
    }
  }
  if ((v.CodeIs("X") || v.CodeIs("Q")) &&
      !IsZeroFilled(value, f.Row(rw::kSocialSecurityTips).Width())) {
    f.Error(rw::kSocialSecurityTips, kEmploymentCodeZero);
  }
}

}  // namespace

void CheckCodeRW(std::string_view txtline, RuleContext& ctx) {
  const FieldChecker f(txtline, "RW", ctx);
  ctx.block.current_ssn.assign(f.Text(rw::kSsn));
  // Counts the record in its block and links it to the block under its SSN.
  ctx.CountInBlock(Totals::TRT);

  CheckSsnAndName(f);
  CheckEmployeeAddress(f);
  // Wages, Tips and Other Compensation; Federal Income Tax Withheld.
  CheckLaidOutFields(f, rw::kWages, rw::kFederalTax, Totals::TRT);

  const WageValues values = ReadWageValues(f);
  CheckSocialSecurityWages(f, values);
  CheckSocialSecurityTax(f, values);
  CheckMedicareWages(f, values);
  CheckMedicareTax(f, values);
  CheckSocialSecurityTips(f, values);

  CheckCodeRW2(txtline, ctx);
}

}  // namespace ledgerly
