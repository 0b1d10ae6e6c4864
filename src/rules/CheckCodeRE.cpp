#include <string>

#include "layout/FieldNumbers.h"
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
  const std::string_view year = f.Text(re::kTaxYear);
  employer.TaxYearText = year;
  if (!NumCheck(year)) {
    f.Error(re::kTaxYear, kMandatoryNumeric);
    return;
  }
  // Stored even when out of range: the RW rules of the block look it up.
  employer.TaxYear = static_cast<int>(ToNumber(year));
  if (employer.TaxYear < 1978 || employer.TaxYear > 2011) {
    f.Error(re::kTaxYear, kTaxYearRange);
  } else if (employer.TaxYear <= 2010) {
    f.Error(re::kTaxYear, kPriorTaxYear);
  }
}

void CheckAgentForEIN(const FieldChecker& f) {
  const std::string_view agent_for = f.Text(re::kAgentForEin);
  const bool blank = IsBlank(agent_for);
  const bool agent_2678 = f.Text(re::kAgentIndicator) == "1";
  if (blank && agent_2678) {
    f.Error(re::kAgentForEin, kAgentForEinBlank);
  }
  if (!blank && !agent_2678) {
    f.Error(re::kAgentForEin, kAgentForEinNotBlank);
  }
  if (HasRefusedEmployerPrefix(agent_for)) f.Error(re::kAgentForEin, kEinPrefix);
  if (!blank && !NumCheck(agent_for)) f.Error(re::kAgentForEin, kNumericOrBlank);
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
  if (!IsOneOf(f.Text(re::kAgentIndicator), "123 ")) {
    f.Error(re::kAgentIndicator, kAgentIndicator);
  }

  // 3 Employer/Agent EIN. The block opens whatever the EIN holds, keyed by its text.
  const std::string_view ein = f.Text(re::kEin);
  ctx.OpenBlock(ein);
  if (!NumCheck(ein)) {
    f.Error(re::kEin, kMandatoryNumeric);
  } else if (HasRefusedEmployerPrefix(ein)) {
    f.Error(re::kEin, kEmployerEinPrefix);
  }

  // 4 Agent for EIN: four independent tests.
  CheckAgentForEIN(f);

  // 5 Terminating Business Indicator
  CheckZeroOrOne(f, re::kTerminatingBusiness, kTerminatingBusiness);

  // 6 Establishment Number
  f.CharCheckField(re::kEstablishmentNumber);

  // 7 Other EIN
  const std::string_view other_ein = f.Text(re::kOtherEin);
  if (!IsBlank(other_ein)) {
    if (NumCheck(other_ein) && HasRefusedEmployerPrefix(other_ein))
      f.Error(re::kOtherEin, kEinPrefix);
    if (!NumCheck(other_ein)) f.Error(re::kOtherEin, kNumericOrBlank);
  }

  // 8-11 Employer Name, Location Address, Delivery Address, City
  for (int field_no = re::kEmployerName; field_no <= re::kCity; ++field_no)
    f.CharCheckField(field_no);

  // 12-19 the employer address, with 15 Kind of Employer among its fields.
  CheckAddress(f, kREAddress, [](const FieldChecker& fc, int field_no) {
    if (field_no == re::kZipExtension && !IsOneOf(fc.Text(re::kKindOfEmployer), "FSTYN")) {
      fc.Error(re::kKindOfEmployer, kKindOfEmployer);
    }
  });

  // 20 Employment Code: kept as read, valid or not.
  employer.EmploymentCode = f.Text(re::kEmploymentCode);
  if (!IsOneOf(f.Text(re::kEmploymentCode), "AHMQXFR")) {
    f.Error(re::kEmploymentCode, kEmploymentCode);
  }

  // 21 Tax Jurisdiction Code
  const std::string_view jurisdiction = f.Text(re::kTaxJurisdiction);
  employer.TaxJurisdictionRaw = jurisdiction;
  employer.TaxJurisdictionOK = IsOneOf(jurisdiction, "VGSNP ");
  if (employer.TaxJurisdictionOK) {
    employer.TaxJurisdiction = jurisdiction;
  } else {
    f.Error(re::kTaxJurisdiction, kTaxJurisdictionCode);
  }

  // 22 Third-Party Sick Pay Indicator
  CheckZeroOrOne(f, re::kSickPayIndicator, kSickPayIndicator);

  // 23 Blank
  f.CharCheckField(re::kBlank23);
}

}  // namespace ledgerly
