#include "rules/Catalogue.h"

#include <algorithm>
#include <unordered_map>

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
    {"RA", 1, &kMandatoryNumeric},
    {"RA", 1, &kSubmitterEinPrefix},
    {"RA", 2, &kUserId},
    {"RA", 3, &kNumericOrBlank},
    {"RA", 5, &kResubIndicator},
    {"RA", 6, &kWfidNotBlank},
    {"RA", 6, &kWfidBlank},
    {"RA", 6, &kWfidAlphanumeric},
    {"RA", 7, &kSoftwareCode},
    {"RA", 21, &kByMailDelivery},
    {"RA", 22, &kByMailCity},
    {"RA", 23, &kByMailState},
    {"RA", 23, &kByMailStateOrForeign},
    {"RA", 24, &kByMailZip},
    {"RA", 24, &kByMailZipOrForeign},
    {"RA", 30, &kNameCharacters},
    {"RA", 31, &kContactPhone},
    {"RA", 31, &kPhoneOrEmail},
    {"RA", 34, &kByEmail},
    {"RA", 37, &kNotificationCode},
    {"RA", 38, &kPreparerCode},
    {"RE", 1, &kMandatoryNumeric},
    {"RE", 1, &kTaxYearRange},
    {"RE", 1, &kPriorTaxYear},
    {"RE", 2, &kAgentIndicator},
    {"RE", 3, &kMandatoryNumeric},
    {"RE", 3, &kEmployerEinPrefix},
    {"RE", 4, &kAgentForEinBlank},
    {"RE", 4, &kAgentForEinNotBlank},
    {"RE", 4, &kEinPrefix},
    {"RE", 4, &kNumericOrBlank},
    {"RE", 5, &kTerminatingBusiness},
    {"RE", 7, &kEinPrefix},
    {"RE", 7, &kNumericOrBlank},
    {"RE", 15, &kKindOfEmployer},
    {"RE", 20, &kEmploymentCode},
    {"RE", 21, &kTaxJurisdictionCode},
    {"RE", 22, &kSickPayIndicator},
    {"RW", 1, &kMandatoryNumeric},
    {"RW", 1, &kSsnPrefix},
    {"RW", 2, &kNameNotBlank},
    {"RW", 2, &kMandatoryNameCharacters},
    {"RW", 3, &kNameCharacters},
    {"RW", 4, &kMandatoryNameCharacters},
    {"RW", 4, &kNameNotBlank},
    {"RW", 18, &kPriorYearMax},
    {"RW", 18, &kCurrentYearMax},
    {"RW", 18, &kWagesHouseholdMin},
    {"RW", 18, &kEmploymentCodeZero},
    {"RW", 19, &kTaxWithoutWages},
    {"RW", 19, &kEmploymentCodeZero},
    {"RW", 20, &kZeroBefore1983},
    {"RW", 20, &kMedicareOverWageBase},
    {"RW", 20, &kMedicareBelowSocialSecurity},
    {"RW", 20, &kMedicareNotSocialSecurity},
    {"RW", 20, &kMedicareHouseholdMin},
    {"RW", 20, &kEmploymentCodeZero},
    {"RW", 21, &kZeroBefore1983},
    {"RW", 21, &kMedicareTaxOverWageBase},
    {"RW", 21, &kMedicareTaxWithoutWages},
    {"RW", 21, &kEmploymentCodeZero},
    {"RW", 22, &kTipsWithoutTax},
    {"RW", 22, &kEmploymentCodeZero},
    {"RW", 30, &kMilitaryPayYears},
    {"RW", 43, &kStatutoryEmployee},
    {"RW", 45, &kRetirementPlan},
    {"RW", 46, &kSickPayIndicator},
    {"RF", 2, &kCountNumeric},
    {"RF", 2, &kRFCount},
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
    &kOtherFormat, &kFirstNotRA, &kSecondNotRE,   &kWrongLength,  &kAfterFinal,
    &kInvalidIdentifier, &kAfterRE, &kAfterRW,    &kAfterRO,       &kAfterRS,
    &kAfterRV,     &kAfterRTWithRO, &kAfterRT,    &kAfterRU,       &kErrorLimit,
    &kSubmissionFileError, &kMissingFinal, &kTestAborted,
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
    Add(type, address.zip + 1, kZipExtensionNumeric);
    Add(type, address.zip + 1, kZipExtensionWithoutZip);
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
