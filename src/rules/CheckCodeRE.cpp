#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

using namespace finding;

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
    f.Error(1, kTaxYearRange);
  } else if (employer.TaxYear <= 2010) {
    f.Error(1, kPriorTaxYear);
  }
}

void CheckAgentForEIN(const FieldChecker& f) {
  const std::string_view agent_for = f.Text(4);
  const bool blank = IsBlank(agent_for);
  const bool agent_2678 = f.Text(2) == "1";
  if (blank && agent_2678) {
    f.Error(4, kAgentForEinBlank);
  }
  if (!blank && !agent_2678) {
    f.Error(4, kAgentForEinNotBlank);
  }
  if (HasRefusedEmployerPrefix(agent_for)) f.Error(4, kEinPrefix);
  if (!blank && !NumCheck(agent_for)) f.Error(4, kNumericOrBlank);
}

}  // namespace

void CheckCodeRE(std::string_view txtline, RuleContext& ctx) {
  EmployerValues& employer = ctx.block.employer;
  employer.TaxJurisdiction.clear();
  employer.TaxYear = 0;

  const FieldChecker f(txtline, "RE", ctx);

  // 1 Tax Year
  CheckTaxYear(f, employer);

  // 2 Agent Indicator Code
  if (!IsOneOf(f.Text(2), "123 ")) {
    f.Error(2, kAgentIndicator);
  }

  // 3 Employer/Agent EIN. The block opens whatever the EIN holds, keyed by its text.
  const std::string_view ein = f.Text(3);
  ctx.OpenBlock(ein);
  if (!NumCheck(ein)) {
    f.Error(3, kMandatoryNumeric);
  } else if (HasRefusedEmployerPrefix(ein)) {
    f.Error(3, kEmployerEinPrefix);
  }

  // 4 Agent for EIN: four independent tests.
  CheckAgentForEIN(f);

  // 5 Terminating Business Indicator
  CheckZeroOrOne(f, 5, kTerminatingBusiness);

  // 6 Establishment Number
  f.CharCheckField(6);

  // 7 Other EIN
  const std::string_view other_ein = f.Text(7);
  if (!IsBlank(other_ein)) {
    if (NumCheck(other_ein) && HasRefusedEmployerPrefix(other_ein)) f.Error(7, kEinPrefix);
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
    f.Error(15, kKindOfEmployer);
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
    f.Error(20, kEmploymentCode);
  }

  // 21 Tax Jurisdiction Code
  const std::string_view jurisdiction = f.Text(21);
  employer.TaxJurisdictionRaw = jurisdiction;
  employer.TaxJurisdictionOK = IsOneOf(jurisdiction, "VGSNP ");
  if (employer.TaxJurisdictionOK) {
    employer.TaxJurisdiction = jurisdiction;
  } else {
    f.Error(21, kTaxJurisdictionCode);
  }

  // 22 Third-Party Sick Pay Indicator
  CheckZeroOrOne(f, 22, kSickPayIndicator);

  // 23 Blank
  f.CharCheckField(23);
}

}  // namespace ledgerly
