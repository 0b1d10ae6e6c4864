#include <optional>
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
  v.wages = AmountOf(f, 18);
  v.tax = AmountOf(f, 19);
  v.medicare_wages = AmountOf(f, 20);
  v.medicare_tax = AmountOf(f, 21);
  v.tips = AmountOf(f, 22);
  return v;
}

// Fields 1-4: SSN and the employee's name.
void CheckSsnAndName(const FieldChecker& f) {
  const std::string_view ssn = f.Text(1);
  if (!NumCheck(ssn)) {
    f.Error(1, kMandatoryNumeric);
  } else if (ssn.substr(0, 1) == "9" || ssn.substr(0, 3) == "666") {
    f.Error(1, kSsnPrefix);
  }

  const std::string_view first = f.Text(2);
  if (IsBlank(first)) {
    f.Error(2, kNameNotBlank);
  } else if (!NameCheck(first)) {
    f.Error(2, kMandatoryNameCharacters);
  }

  const std::string_view middle = f.Text(3);
  if (!NameCheck(middle)) {
    f.Error(3, kNameCharacters);
  }

  const std::string_view last = f.Text(4);
  if (!NameCheck(last)) {
    f.Error(4, kMandatoryNameCharacters);
  } else if (IsBlank(last)) {
    f.Error(4, kNameNotBlank);
  }
}

// Fields 5-15: the employee's address.
void CheckAddress(const FieldChecker& f) {
  for (int field_no = 5; field_no <= 8; ++field_no) f.CharCheckField(field_no);

  // A faulty state, zip or country makes the foreign/domestic comparison meaningless.
  bool address_faulty = false;
  const std::string_view state = f.Text(9);
  if (!StateCheck(state)) {
    f.Error(9, kInvalidState);
    address_faulty = true;
  }

  const std::string_view zip = f.Text(10);
  if (!IsBlank(zip) && !NumCheck(zip)) {
    f.Error(10, kNumericOrBlank);
    address_faulty = true;
  }

  CheckZipExtension(f, 11, 10);

  for (int field_no = 12; field_no <= 14; ++field_no) f.CharCheckField(field_no);

  const std::string_view country = f.Text(15);
  if (!CountryCheck(country)) {
    f.Error(15, kInvalidCountry);
    address_faulty = true;
  }
  if (!address_faulty) CheckForeignAddress(f, kRWAddress);
}

// Field 18: Social Security Wages, with the yearly maximum and household minimum.
void CheckSocialSecurityWages(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(18);

  int64_t wages_and_tips = 0;  // cents; stays 0 when the wages are not numeric
  if (!v.wages) {
    MoneyNotNumeric(f, 18, Totals::TRT);
  } else {
    wages_and_tips = *v.wages + v.tips.value_or(0);
    if (v.InYears(1978, 2011) && wages_and_tips > 0) {
      if (wages_and_tips == v.limits.PriorYearMax * 100 && v.year != 2010 && v.year != 2011) {
        f.ErrorAs("Prior Year Max", std::to_string(wages_and_tips), 18, kPriorYearMax);
      } else if (wages_and_tips > v.limits.CurrentYearMax * 100) {
        f.ErrorAs("Current Year Max", std::to_string(wages_and_tips), 18, kCurrentYearMax,
                  {std::to_string(v.year), FormatDollars(v.limits.CurrentYearMax)});
      }
    }
    ctx.AddToSum(Totals::TRT, f.Row(18).column, *v.wages);
  }

  if (v.CodeIs("H") && v.InYears(1995, 2011) && wages_and_tips > 0 &&
      wages_and_tips < v.limits.AnnualHouseholdMin * 100) {
    f.ErrorAs("Annual Household Min", std::to_string(wages_and_tips), 18, kWagesHouseholdMin);
  }

  if ((v.CodeIs("X") || v.CodeIs("Q")) && !IsZeroFilled(value, f.Row(18).Width())) {
    f.Error(18, kEmploymentCodeZero);
  }
}

// Field 19: Social Security Tax Withheld.
void CheckSocialSecurityTax(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(19);
  if (!v.tax) {
    MoneyNotNumeric(f, 19, Totals::TRT);
  } else {
    ctx.AddToSum(Totals::TRT, f.Row(19).column, *v.tax);
    if (v.wages && v.tips && *v.tax > 0 && *v.wages == 0 && *v.tips == 0 && !v.CodeIs("Q") &&
        !v.CodeIs("X")) {
      f.Error(19, kTaxWithoutWages);
    }
  }
  if ((v.CodeIs("X") || v.CodeIs("Q")) && !IsZeroFilled(value, f.Row(19).Width())) {
    f.Error(19, kEmploymentCodeZero);
  }
}

// Field 20: Medicare Wages and Tips.
void CheckMedicareWages(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(20);
  if (!v.medicare_wages) {
    MoneyNotNumeric(f, 20, Totals::TRT);
  } else {
    const int64_t mw = *v.medicare_wages;
    ctx.AddToSum(Totals::TRT, f.Row(20).column, mw);
    const bool social_security_numeric = v.wages && v.tips;
    const int64_t social_security_sum = v.wages.value_or(0) + v.tips.value_or(0);
    if (v.year_text_numeric && v.year < 1983 && mw != 0) {
      f.Error(20, kZeroBefore1983);
    } else if (!v.CodeIs("X") && v.InYears(1983, 1993) && mw > v.limits.MedicareWageBase * 100) {
      f.Error(20, kMedicareOverWageBase);
    } else if (social_security_numeric && v.year >= 1991 && !v.CodeIs("X") &&
               social_security_sum > mw) {
      f.Error(20, kMedicareBelowSocialSecurity);
    }

    // The two rules below need the Medicare amount, so they only run when it is numeric.
    if (social_security_numeric && v.InYears(1983, 1990) && !v.CodeIs("X") &&
        social_security_sum != mw) {
      f.Error(20, kMedicareNotSocialSecurity);
    }
    if (v.CodeIs("H") && v.InYears(1995, 2011) && mw > 0 &&
        mw < v.limits.AnnualHouseholdMin * 100) {
      f.Error(20, kMedicareHouseholdMin);
    }
  }
  if (v.CodeIs("X") && v.year >= 1983 && !IsZeroFilled(value, f.Row(20).Width())) {
    f.Error(20, kEmploymentCodeZero);
  }
}

// Field 21: Medicare Tax Withheld.
void CheckMedicareTax(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(21);
  if (!v.medicare_tax) {
    MoneyNotNumeric(f, 21, Totals::TRT);
  } else {
    const int64_t mt = *v.medicare_tax;
    ctx.AddToSum(Totals::TRT, f.Row(21).column, mt);
    if (v.year_text_numeric && v.year < 1983 && mt != 0) {
      f.Error(21, kZeroBefore1983);
    } else if (!v.CodeIs("X") && v.InYears(1991, 1993) && mt > v.limits.MedicareWageBase * 100) {
      f.Error(21, kMedicareTaxOverWageBase);
    } else if (v.medicare_wages && *v.medicare_wages == 0 && mt > 0 && v.year >= 1983 &&
               !v.CodeIs("X")) {
      f.Error(21, kMedicareTaxWithoutWages);
    }
  }
  if (v.CodeIs("X") && v.year >= 1983 && !IsZeroFilled(value, f.Row(21).Width())) {
    f.Error(21, kEmploymentCodeZero);
  }
}

// Field 22: Social Security Tips.
void CheckSocialSecurityTips(const FieldChecker& f, const WageValues& v) {
  RuleContext& ctx = f.ctx();
  const std::string_view value = f.Text(22);
  if (!v.tips) {
    MoneyNotNumeric(f, 22, Totals::TRT);
  } else {
    ctx.AddToSum(Totals::TRT, f.Row(22).column, *v.tips);
    if (v.wages && v.tax && *v.tips > 0 && *v.wages == 0 && *v.tax == 0) {
      f.Error(22, kTipsWithoutTax);
    }
  }
  if ((v.CodeIs("X") || v.CodeIs("Q")) && !IsZeroFilled(value, f.Row(22).Width())) {
    f.Error(22, kEmploymentCodeZero);
  }
}

}  // namespace

void CheckCodeRW(std::string_view txtline, RuleContext& ctx) {
  const FieldChecker f(txtline, "RW", ctx);
  ctx.block.current_ssn.assign(f.Text(1));
  // Counts the record in its block and links it to the block under its SSN.
  ctx.CountInBlock(Totals::TRT);

  CheckSsnAndName(f);
  CheckAddress(f);
  // Wages, Tips and Other Compensation; Federal Income Tax Withheld.
  CheckLaidOutFields(f, 16, 17, Totals::TRT);

  const WageValues values = ReadWageValues(f);
  CheckSocialSecurityWages(f, values);
  CheckSocialSecurityTax(f, values);
  CheckMedicareWages(f, values);
  CheckMedicareTax(f, values);
  CheckSocialSecurityTips(f, values);

  CheckCodeRW2(txtline, ctx);
}

}  // namespace ledgerly
