#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

constexpr const char* kRefusedPrefix =
    "Must not start with 00, 07, 08, 09, 17, 18, 19, 28, 29, 49, 69, 70, 78, 79 or 89.";

// Unlike a submitter EIN, an employer EIN must not start with 00 either.
bool HasRefusedEmployerPrefix(std::string_view ein) {
  return ein.substr(0, 2) == "00" || HasRefusedPrefix(ein);
}

void CheckTaxYear(const FieldChecker& f, EmployerValues& employer) {
  const std::string_view year = f.Text(1);
  employer.TaxYearText = year;
  if (!NumCheck(year)) {
    f.Error(1, kMandatoryNumeric);
    return;
  }
  // Stored even when out of range: the RW rules of the block look it up.
  employer.TaxYear = static_cast<int>(ToNumber(year));
  if (employer.TaxYear < 1978 || employer.TaxYear > 2011) {
    f.Error(1, "Must not be less than 1978 or greater than 2011. This is a mandatory field.");
  } else if (employer.TaxYear <= 2010) {
    f.Error(1,
            "The date entered is for a previous tax year. Please check that the earnings are for "
            "the year being reported.");
  }
}

void CheckAgentForEIN(const FieldChecker& f) {
  const std::string_view agent_for = f.Text(4);
  const bool blank = IsBlank(agent_for);
  const bool agent_2678 = f.Text(2) == "1";
  if (blank && agent_2678) {
    f.Error(4, "If " + f.Reference(2) + " = 1, then Agent for EIN cannot be blank.");
  }
  if (!blank && !agent_2678) {
    f.Error(4, "The Agent for EIN must be blank unless " + f.Reference(2) +
                   " = 1. Either enter a 1 in Agent Indicator Code or make Agent for EIN blank.");
  }
  if (HasRefusedEmployerPrefix(agent_for)) f.Error(4, kRefusedPrefix);
  if (!blank && !NumCheck(agent_for)) f.Error(4, kNumericOrBlank);
}

}  // namespace

void CheckCodeRE(std::string_view txtline, RuleContext& ctx) {
  EmployerValues& employer = ctx.block.employer;
  employer.TaxJurisdiction.clear();
  employer.TaxYear = 0;

  const FieldChecker f(txtline, kRELayout, ctx);

  // 1 Tax Year
  CheckTaxYear(f, employer);

  // 2 Agent Indicator Code
  if (!IsOneOf(f.Text(2), "123 ")) {
    f.Error(2,
            "Enter appropriate code: 1 - 2678 Agent, 2 - Common Paymaster, 3 - 3504 Agent or "
            "Blank - Not an agent.");
  }

  // 3 Employer/Agent EIN. The block opens whatever the EIN holds, keyed by its text.
  const std::string_view ein = f.Text(3);
  ctx.OpenBlock(ein);
  if (!NumCheck(ein)) {
    f.Error(3, kMandatoryNumeric);
  } else if (HasRefusedEmployerPrefix(ein)) {
    f.Error(3, std::string(kRefusedPrefix) + " " + kMandatoryNumeric);
  }

  // 4 Agent for EIN: four independent tests.
  CheckAgentForEIN(f);

  // 5 Terminating Business Indicator
  CheckZeroOrOne(
      f, 5, "Enter appropriate code: 1 - Business terminated during this tax year or 0 - Other.");

  // 6 Establishment Number
  f.CharCheckField(6);

  // 7 Other EIN
  const std::string_view other_ein = f.Text(7);
  if (!IsBlank(other_ein)) {
    if (NumCheck(other_ein) && HasRefusedEmployerPrefix(other_ein)) f.Error(7, kRefusedPrefix);
    if (!NumCheck(other_ein)) f.Error(7, kNumericOrBlank);
  }

  // 8-11 Employer Name, Location Address, Delivery Address, City
  for (int field_no = 8; field_no <= 11; ++field_no) f.CharCheckField(field_no);

  // 12-19 the employer address; an invalid State, Zip Code or Country Code
  // suppresses the foreign/domestic address check.
  bool address_ok = true;
  if (!StateCheck(f.Text(12))) {
    f.Error(12, kInvalidState);
    address_ok = false;
  }
  if (!IsBlank(f.Text(13)) && !NumCheck(f.Text(13))) {
    f.Error(13, kNumericOrBlank);
    address_ok = false;
  }
  CheckZipExtension(f, 14, 13);

  // 15 Kind of Employer
  if (!IsOneOf(f.Text(15), "FSTYN")) {
    f.Error(15,
            "Enter appropriate code: F - Federal Government, S - State and Local Governmental "
            "Employer, T - Tax Exempt Employer, Y - State and Local Tax Exempt Employer or N - "
            "None Apply.");
  }

  // 16-18 Blank, Foreign State/Province, Foreign Postal Code
  for (int field_no = 16; field_no <= 18; ++field_no) f.CharCheckField(field_no);

  // 19 Country Code
  if (!CountryCheck(f.Text(19))) {
    f.Error(19, kInvalidCountry);
    address_ok = false;
  }
  if (address_ok) CheckForeignAddress(f, kREAddress);

  // 20 Employment Code: kept as read, valid or not.
  employer.EmploymentCode = f.Text(20);
  if (!IsOneOf(f.Text(20), "AHMQXFR")) {
    f.Error(20,
            "Enter appropriate code: A - Agriculture, H - Household, M - Military, Q - Medicare "
            "Qualified Government Employment, X - Railroad, F - 944 Filer or R - Regular (all "
            "others).");
  }

  // 21 Tax Jurisdiction Code
  const std::string_view jurisdiction = f.Text(21);
  employer.TaxJurisdictionRaw = jurisdiction;
  employer.TaxJurisdictionOK = IsOneOf(jurisdiction, "VGSNP ");
  if (employer.TaxJurisdictionOK) {
    employer.TaxJurisdiction = jurisdiction;
  } else {
    f.Error(21,
            "Enter appropriate code: V - Virgin Islands, G - Guam, S - American Samoa, N - "
            "Northern Mariana Islands or P - Puerto Rico. Otherwise, enter blank.");
  }

  // 22 Third-Party Sick Pay Indicator
  CheckZeroOrOne(f, 22,
                 "Enter appropriate code: 1 - Employee has Third-Party Sick Pay or 0 - Other.");

  // 23 Blank
  f.CharCheckField(23);
}

}  // namespace ledgerly
