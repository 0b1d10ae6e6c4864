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

constexpr std::string_view kNameCharacters =
    "May only contain letters (A - Z), numbers (0 - 9), spaces, hyphens, periods and apostrophes.";
constexpr std::string_view kMandatory = " This is a mandatory field.";
constexpr std::string_view kNotBlank = "Must not be blank. This is a mandatory field.";
constexpr std::string_view kZeroBefore1983 = "Must be zero filled for years prior to 1983.";

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
    f.Error(1, std::string("Must not begin with 9 or 666.") + kMandatoryNumeric);
  }

  static const std::string mandatory_name_characters =
      std::string(kNameCharacters) + std::string(kMandatory);
  const std::string_view first = f.Text(2);
  if (IsBlank(first)) {
    f.Error(2, kNotBlank);
  } else if (!NameCheck(first)) {
    f.Error(2, mandatory_name_characters);
  }

  const std::string_view middle = f.Text(3);
  if (!NameCheck(middle)) {
    f.Error(3, kNameCharacters);
  }

  const std::string_view last = f.Text(4);
  if (!NameCheck(last)) {
    f.Error(4, mandatory_name_characters);
  } else if (IsBlank(last)) {
    f.Error(4, kNotBlank);
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
  const auto sum_of = [&] {
    return "The sum of the " + f.Reference(18) + " and " + f.Reference(22) + " ";
  };
  const std::string_view value = f.Text(18);

  int64_t wages_and_tips = 0;  // cents; stays 0 when the wages are not numeric
  if (!v.wages) {
    MoneyNotNumeric(f, 18, Totals::TRT);
  } else {
    wages_and_tips = *v.wages + v.tips.value_or(0);
    if (v.InYears(1978, 2011) && wages_and_tips > 0) {
      if (wages_and_tips == v.limits.PriorYearMax * 100 && v.year != 2010 && v.year != 2011) {
        ctx.AddFieldError("Prior Year Max", std::to_string(wages_and_tips),
                          sum_of() +
                              "equals prior year maximum. Please ensure that the Social Security "
                              "Wages and Social Security Tips are all correct.",
                          18);
      } else if (wages_and_tips > v.limits.CurrentYearMax * 100) {
        ctx.AddFieldError(
            "Current Year Max", std::to_string(wages_and_tips),
            sum_of() +
                "is greater than the Current Year Maximum. The sum of the Social Security Wages "
                "and Social Security Tips for Tax Year " +
                std::to_string(v.year) + " should not exceed $" +
                FormatDollars(v.limits.CurrentYearMax) + ".",
            18);
      }
    }
    ctx.AddToSum(Totals::TRT, f.Row(18).column, *v.wages);
  }

  if (v.CodeIs("H") && v.InYears(1995, 2011) && wages_and_tips > 0 &&
      wages_and_tips < v.limits.AnnualHouseholdMin * 100) {
    ctx.AddFieldError("Annual Household Min", std::to_string(wages_and_tips),
                      sum_of() +
                          "must be greater than or equal to the Annual Household Minimum for the "
                          "tax year being reported. "
                          "Either enter a value of zero in the Social Security Wages and Social "
                          "Security Tips fields or change the Employment Code in the RE Record.",
                      18);
  }

  if ((v.CodeIs("X") || v.CodeIs("Q")) && !IsZeroFilled(value, f.Row(18).Width())) {
    f.Error(18, EmploymentCodeZeroError("Social Security Wages"));
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
      f.Error(19,
              "If the amount in Social Security Tax Withheld is greater than zero, then "
              "the amount in " +
                  f.Reference(18) + " and/or the amount in " + f.Reference(22) +
                  " must be greater than zero.");
    }
  }
  if ((v.CodeIs("X") || v.CodeIs("Q")) && !IsZeroFilled(value, f.Row(19).Width())) {
    f.Error(19, EmploymentCodeZeroError("Social Security Tax Withheld"));
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
      f.Error(20,
              "The amount in Medicare Wages and Tips should not exceed the annual "
              "maximum Medicare wage base for the tax year being reported.");
    } else if (social_security_numeric && v.year >= 1991 && !v.CodeIs("X") &&
               social_security_sum > mw) {
      f.Error(20,
              "The amount in Medicare Wages and Tips must be greater than or equal to "
              "the sum of the amount in " +
                  f.Reference(18) + " and the amount in " + f.Reference(22) + ".");
    }

    // The two rules below need the Medicare amount, so they only run when it is numeric.
    if (social_security_numeric && v.InYears(1983, 1990) && !v.CodeIs("X") &&
        social_security_sum != mw) {
      f.Error(20, "The amount in Medicare Wages and Tips must equal the sum of the amount in " +
                      f.Reference(18) + " and the amount in " + f.Reference(22) + ".");
    }
    if (v.CodeIs("H") && v.InYears(1995, 2011) && mw > 0 &&
        mw < v.limits.AnnualHouseholdMin * 100) {
      f.Error(20,
              "The amount in Medicare Wages and Tips must be greater than or equal to "
              "the Annual Household Minimum for the tax year being reported. "
              "Either enter a value of zero in the Medicare Wages and Tips field or "
              "change the Employment Code in the RE Record.");
    }
  }
  if (v.CodeIs("X") && v.year >= 1983 && !IsZeroFilled(value, f.Row(20).Width())) {
    f.Error(20, EmploymentCodeZeroError("Medicare Wages and Tips"));
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
      f.Error(21,
              "The amount in Medicare Tax Withheld should not exceed the annual maximum "
              "Medicare wage base for the tax year being reported.");
    } else if (v.medicare_wages && *v.medicare_wages == 0 && mt > 0 && v.year >= 1983 &&
               !v.CodeIs("X")) {
      f.Error(21, "The amount in " + f.Reference(20) +
                      " must be greater than zero because there is an amount greater than "
                      "zero in the Medicare Tax Withheld field.");
    }
  }
  if (v.CodeIs("X") && v.year >= 1983 && !IsZeroFilled(value, f.Row(21).Width())) {
    f.Error(21, EmploymentCodeZeroError("Medicare Tax Withheld"));
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
      f.Error(22,
              "The amount in Social Security Tax (Position 221 - 231) must be greater "
              "then zero, since the amount in Social Security Tips is greater then zero.");
    }
  }
  if ((v.CodeIs("X") || v.CodeIs("Q")) && !IsZeroFilled(value, f.Row(22).Width())) {
    f.Error(22, EmploymentCodeZeroError("Social Security Tips"));
  }
}

}  // namespace

void CheckCodeRW(std::string_view txtline, RuleContext& ctx) {
  const FieldChecker f(txtline, kRWLayout, ctx);
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
