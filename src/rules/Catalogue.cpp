#include "rules/Catalogue.h"

#include <algorithm>
#include <unordered_map>

#include "layout/FieldNumbers.h"
#include "layout/RecordTypes.h"
#include "rules/DetailFieldChecks.h"

namespace ledgerly {
namespace {

using namespace finding;

// A finding a record type's hand-written rules report on one of its fields.
struct RuleEntry {
  std::string_view record_type;
  int field;
  const Finding* finding;
};

// The findings of the hand-written rules, except those of the addresses and of the
// fields the layouts mark for the shared walkers, which follow from the layouts.
constexpr RuleEntry kRuleEntries[] = {
    {"RA", ra::kSubmitterEin, &kMandatoryNumeric},
    {"RA", ra::kSubmitterEin, &kSubmitterEinPrefix},
    {"RA", ra::kUserId, &kUserId},
    {"RA", ra::kSoftwareVendorCode, &kNumericOrBlank},
    {"RA", ra::kResubIndicator, &kResubIndicator},
    {"RA", ra::kResubWfid, &kWfidNotBlank},
    {"RA", ra::kResubWfid, &kWfidBlank},
    {"RA", ra::kResubWfid, &kWfidAlphanumeric},
    {"RA", ra::kSoftwareCode, &kSoftwareCode},
    {"RA", ra::kSubmitterDelivery, &kByMailDelivery},
    {"RA", ra::kSubmitterCity, &kByMailCity},
    {"RA", ra::kSubmitterState, &kByMailState},
    {"RA", ra::kSubmitterState, &kByMailStateOrForeign},
    {"RA", ra::kSubmitterZip, &kByMailZip},
    {"RA", ra::kSubmitterZip, &kByMailZipOrForeign},
    {"RA", ra::kContactName, &kNameCharacters},
    {"RA", ra::kContactPhone, &kContactPhone},
    {"RA", ra::kContactPhone, &kPhoneOrEmail},
    {"RA", ra::kContactEmail, &kByEmail},
    {"RA", ra::kNotificationCode, &kNotificationCode},
    {"RA", ra::kPreparerCode, &kPreparerCode},
    {"RE", re::kTaxYear, &kMandatoryNumeric},
    {"RE", re::kTaxYear, &kTaxYearRange},
    {"RE", re::kTaxYear, &kPriorTaxYear},
    {"RE", re::kAgentIndicator, &kAgentIndicator},
    {"RE", re::kEin, &kMandatoryNumeric},
    {"RE", re::kEin, &kEmployerEinPrefix},
    {"RE", re::kAgentForEin, &kAgentForEinBlank},
    {"RE", re::kAgentForEin, &kAgentForEinNotBlank},
    {"RE", re::kAgentForEin, &kEinPrefix},
    {"RE", re::kAgentForEin, &kNumericOrBlank},
    {"RE", re::kTerminatingBusiness, &kTerminatingBusiness},
    {"RE", re::kOtherEin, &kEinPrefix},
    {"RE", re::kOtherEin, &kNumericOrBlank},
    {"RE", re::kKindOfEmployer, &kKindOfEmployer},
    {"RE", re::kEmploymentCode, &kEmploymentCode},
    {"RE", re::kTaxJurisdiction, &kTaxJurisdictionCode},
    {"RE", re::kSickPayIndicator, &kSickPayIndicator},
    {"RW", rw::kSsn, &kMandatoryNumeric},
    {"RW", rw::kSsn, &kSsnPrefix},
    {"RW", rw::kFirstName, &kNameNotBlank},
    {"RW", rw::kFirstName, &kMandatoryNameCharacters},
    {"RW", rw::kMiddleName, &kNameCharacters},
    {"RW", rw::kLastName, &kMandatoryNameCharacters},
    {"RW", rw::kLastName, &kNameNotBlank},
    {"RW", rw::kSocialSecurityWages, &kPriorYearMax},
    {"RW", rw::kSocialSecurityWages, &kCurrentYearMax},
    {"RW", rw::kSocialSecurityWages, &kWagesHouseholdMin},
    {"RW", rw::kSocialSecurityWages, &kEmploymentCodeZero},
    {"RW", rw::kSocialSecurityTax, &kTaxWithoutWages},
    {"RW", rw::kSocialSecurityTax, &kEmploymentCodeZero},
    {"RW", rw::kMedicareWages, &kZeroBefore1983},
    {"RW", rw::kMedicareWages, &kMedicareOverWageBase},
    {"RW", rw::kMedicareWages, &kMedicareBelowSocialSecurity},
    {"RW", rw::kMedicareWages, &kMedicareNotSocialSecurity},
    {"RW", rw::kMedicareWages, &kMedicareHouseholdMin},
    {"RW", rw::kMedicareWages, &kEmploymentCodeZero},
    {"RW", rw::kMedicareTax, &kZeroBefore1983},
    {"RW", rw::kMedicareTax, &kMedicareTaxOverWageBase},
    {"RW", rw::kMedicareTax, &kMedicareTaxWithoutWages},
    {"RW", rw::kMedicareTax, &kEmploymentCodeZero},
    {"RW", rw::kSocialSecurityTips, &kTipsWithoutTax},
    {"RW", rw::kSocialSecurityTips, &kEmploymentCodeZero},
    {"RW", rw::kMilitaryPay, &kMilitaryPayYears},
    {"RW", rw::kStatutoryEmployee, &kStatutoryEmployee},
    {"RW", rw::kRetirementPlan, &kRetirementPlan},
    {"RW", rw::kSickPayIndicator, &kSickPayIndicator},
    {"RF", rf::kRWCount, &kCountNumeric},
    {"RF", rf::kRWCount, &kRFCount},
};

struct AddressEntry {
  std::string_view record_type;
  AddressFields address;
};

constexpr AddressEntry kAddresses[] = {
    {"RA", kRACompanyAddress},
    {"RA", kRASubmitterAddress},
    {"RE", kREAddress},
    {"RW", kRWAddress},
};

// The findings on the file, in the order a run meets them.
constexpr const Finding* kFileFindings[] = {
    &kOtherFormat,  &kFirstNotRA,        &kSecondNotRE, &kWrongLength,
    &kAfterFinal,   &kInvalidIdentifier, &kAfterRE,     &kAfterRW,
    &kAfterRO,      &kAfterRS,           &kAfterRV,     &kAfterRTWithRO,
    &kAfterRT,      &kAfterRU,           &kErrorLimit,  &kSubmissionFileError,
    &kMissingFinal, &kTestAborted,
};

class CatalogueBuilder {
 public:
  void Add(const RecordType& type, int field, const Finding& finding) {
    checks_.push_back({CheckCode(type.id, field, finding.kind), std::string(type.id), field,
                       finding.severity, FindingText(finding, type.layout, field)});
  }

  void AddLaidOut(const RecordType& type) {
    const bool total = type.id == "RT" || type.id == "RU";
    for (int field = 1; field < static_cast<int>(type.layout.size()); ++field) {
      const FieldLayoutRow& row = type.layout[static_cast<std::size_t>(field)];
      if (row.check == FieldCheck::Characters) Add(type, field, kInvalidCharacters);
      if (row.check == FieldCheck::Count) {
        Add(type, field, kCountNumeric);
        Add(type, field, type.id == "RT" ? kRWCount : kROCount);
      }
      if (row.check == FieldCheck::SickPay) {
        Add(type, field, kMoneyNumeric);
        Add(type, field, kSickPayTaxZero);
      }
      if (row.column == 0 || row.check == FieldCheck::Characters) continue;
      if (total && row.zero_under != ZeroUnder::None) Add(type, field, kEmploymentCodeZero);
      Add(type, field, kMoneyNumeric);
      if (total) {
        Add(type, field, type.id == "RT" ? kRWTotalIncomplete : kROTotalIncomplete);
        Add(type, field, type.id == "RT" ? kRWTotal : kROTotal);
      } else if (row.check == FieldCheck::Money && row.territory != Territory::Any) {
        Add(type, field, kTaxJurisdictionZero);
      }
    }
  }

  void AddAddress(const RecordType& type, const AddressFields& address) {
    Add(type, address.state, kInvalidState);
    Add(type, address.zip, kNumericOrBlank);
    Add(type, address.extension, kZipExtensionNumeric);
    Add(type, address.extension, kZipExtensionWithoutZip);
    Add(type, address.country, kInvalidCountry);
    if (address.zip_excludes_country) Add(type, address.country, kForeignCountryAndZip);
    Add(type, address.country, kForeignCountryAndState);
  }

  std::vector<Check> Take() {
    // Field order within a record type; a field's findings stay in the order added.
    std::stable_sort(checks_.begin(), checks_.end(), [](const Check& a, const Check& b) {
      return Rank(a.record_type) != Rank(b.record_type) ? Rank(a.record_type) < Rank(b.record_type)
                                                        : a.field < b.field;
    });
    return std::move(checks_);
  }

 private:
  static std::size_t Rank(std::string_view record_type) {
    for (std::size_t i = 0; i < kRecordTypes.size(); ++i) {
      if (kRecordTypes[i].id == record_type) return i;
    }
    return kRecordTypes.size();
  }

  std::vector<Check> checks_;
};

std::vector<Check> BuildCatalogue() {
  CatalogueBuilder builder;
  for (const RuleEntry& entry : kRuleEntries) {
    builder.Add(*FindRecordType(entry.record_type), entry.field, *entry.finding);
  }
  for (const AddressEntry& entry : kAddresses) {
    builder.AddAddress(*FindRecordType(entry.record_type), entry.address);
  }
  for (const RecordType& type : kRecordTypes) builder.AddLaidOut(type);
  for (const Finding* finding : kFileFindings) {
    builder.Add(RecordType{"", {}, false, Identification::None}, 0, *finding);
  }
  return builder.Take();
}

std::string_view AllowedCodes(Territory territory) {
  switch (territory) {
    case Territory::Islands:
      return "V, G, S or N";
    case Territory::NotP:
      return "V, G, S, N or blank";
    case Territory::NotPAndN:
      return "V, G, S or blank";
    case Territory::Blank:
      return "blank";
    case Territory::PuertoRico:
      return "P";
    case Territory::Any:
      break;
  }
  return {};
}

std::string ReferenceOf(std::span<const FieldLayoutRow> layout, int field_no) {
  if (field_no <= 0 || field_no >= static_cast<int>(layout.size())) return {};
  const FieldLayoutRow& row = layout[static_cast<std::size_t>(field_no)];
  return PositionReference(row.ReferenceName(), row.first, row.last);
}

}  // namespace

const std::vector<Check>& AllChecks() {
  static const std::vector<Check> checks = BuildCatalogue();
  return checks;
}

const Check* FindCheck(std::string_view code) {
  static const auto by_code = [] {
    std::unordered_map<std::string_view, const Check*> map;
    for (const Check& check : AllChecks()) map.emplace(check.code, &check);
    return map;
  }();
  const auto found = by_code.find(code);
  return found == by_code.end() ? nullptr : found->second;
}

std::string CheckCode(std::string_view record_type, int field, std::string_view kind) {
  std::string code;
  if (record_type.empty()) {
    code = "FILE.";
  } else {
    code.assign(record_type);
    code += '.';
    code += static_cast<char>('0' + field / 10 % 10);
    code += static_cast<char>('0' + field % 10);
    code += '.';
  }
  code += kind;
  return code;
}

std::string FindingText(const Finding& finding, std::span<const FieldLayoutRow> layout,
                        int field_no, std::initializer_list<std::string_view> values) {
  const std::string_view text = finding.text;
  const FieldLayoutRow* row = field_no > 0 && field_no < static_cast<int>(layout.size())
                                  ? &layout[static_cast<std::size_t>(field_no)]
                                  : nullptr;
  const std::string_view* value = values.begin();
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('{', i);
    if (open == std::string_view::npos) break;
    out.append(text.substr(i, open - i));
    const std::size_t close = text.find('}', open);
    const std::string_view token =
        close == std::string_view::npos ? std::string_view() : text.substr(open, close - open + 1);
    if (token == "{}" && value != values.end()) {
      out.append(*value++);
    } else if (token == "{name}" && row != nullptr) {
      out.append(row->ReferenceName());
    } else if (token == "{allowed}" && row != nullptr) {
      out.append(AllowedCodes(row->territory));
    } else if (token.starts_with("{ref:")) {
      out.append(ReferenceOf(layout, std::stoi(std::string(token.substr(5)))));
    } else {
      // Not a placeholder ("{ }" in the list of allowed characters), or a value not given.
      out += '{';
      i = open + 1;
      continue;
    }
    i = close + 1;
  }
  out.append(text.substr(i));
  return out;
}

std::string_view SeverityName(Severity severity) {
  return severity == Severity::Critical ? "critical" : "error";
}

}  // namespace ledgerly
