#pragma once

#include "layout/RecordLayouts.h"

// The field numbers of the record types whose fields the rules address one by
// one, by name: the index of the field's row in its layout.
namespace ledgerly {

namespace ra {
enum Field : int {
  kSubmitterEin = 1,
  kUserId,
  kSoftwareVendorCode,
  kBlank4,
  kResubIndicator,
  kResubWfid,
  kSoftwareCode,
  kCompanyName,
  kCompanyLocation,
  kCompanyDelivery,
  kCompanyCity,
  kCompanyState,
  kCompanyZip,
  kCompanyZipExtension,
  kBlank15,
  kCompanyForeignState,
  kCompanyForeignPostalCode,
  kCompanyCountry,
  kSubmitterName,
  kSubmitterLocation,
  kSubmitterDelivery,
  kSubmitterCity,
  kSubmitterState,
  kSubmitterZip,
  kSubmitterZipExtension,
  kBlank26,
  kSubmitterForeignState,
  kSubmitterForeignPostalCode,
  kSubmitterCountry,
  kContactName,
  kContactPhone,
  kContactPhoneExtension,
  kBlank33,
  kContactEmail,
  kBlank35,
  kContactFax,
  kNotificationCode,
  kPreparerCode,
  kBlank39,
};
static_assert(kBlank39 + 1 == kRALayout.size());
}  // namespace ra

namespace re {
enum Field : int {
  kTaxYear = 1,
  kAgentIndicator,
  kEin,
  kAgentForEin,
  kTerminatingBusiness,
  kEstablishmentNumber,
  kOtherEin,
  kEmployerName,
  kLocation,
  kDelivery,
  kCity,
  kState,
  kZip,
  kZipExtension,
  kKindOfEmployer,
  kBlank16,
  kForeignState,
  kForeignPostalCode,
  kCountry,
  kEmploymentCode,
  kTaxJurisdiction,
  kSickPayIndicator,
  kBlank23,
};
static_assert(kBlank23 + 1 == kRELayout.size());
}  // namespace re

namespace rw {
enum Field : int {
  kSsn = 1,
  kFirstName,
  kMiddleName,
  kLastName,
  kSuffix,
  kLocation,
  kDelivery,
  kCity,
  kState,
  kZip,
  kZipExtension,
  kBlank12,
  kForeignState,
  kForeignPostalCode,
  kCountry,
  kWages,
  kFederalTax,
  kSocialSecurityWages,
  kSocialSecurityTax,
  kMedicareWages,
  kMedicareTax,
  kSocialSecurityTips,
  // 23-41 are walked as the layout says; the military pay among them has a rule too.
  kFirstLaidOut = 23,
  kMilitaryPay = 30,
  kLastLaidOut = 41,
  kBlank42,
  kStatutoryEmployee,
  kBlank44,
  kRetirementPlan,
  kSickPayIndicator,
  kBlank47,
};
static_assert(kBlank47 + 1 == kRWLayout.size());
}  // namespace rw

namespace rf {
enum Field : int {
  kBlank1 = 1,
  kRWCount,
  kBlank3,
};
static_assert(kBlank3 + 1 == kRFLayout.size());
}  // namespace rf

// The fields of one address, in field order: State, Zip Code, Zip Code Extension,
// the foreign address fields (first_foreign..last_foreign), Country Code. A
// domestic Zip Code beside a foreign Country Code is an error in every address but
// the RA submitter's.
struct AddressFields {
  int state;
  int zip;
  int extension;
  int first_foreign;
  int last_foreign;
  int country;
  bool zip_excludes_country = true;
};

inline constexpr AddressFields kRACompanyAddress{ra::kCompanyState,
                                                 ra::kCompanyZip,
                                                 ra::kCompanyZipExtension,
                                                 ra::kBlank15,
                                                 ra::kCompanyForeignPostalCode,
                                                 ra::kCompanyCountry};
inline constexpr AddressFields kRASubmitterAddress{ra::kSubmitterState,
                                                   ra::kSubmitterZip,
                                                   ra::kSubmitterZipExtension,
                                                   ra::kBlank26,
                                                   ra::kSubmitterForeignPostalCode,
                                                   ra::kSubmitterCountry,
                                                   false};
inline constexpr AddressFields kREAddress{
    re::kState, re::kZip, re::kZipExtension, re::kBlank16, re::kForeignPostalCode, re::kCountry};
inline constexpr AddressFields kRWAddress{
    rw::kState, rw::kZip, rw::kZipExtension, rw::kBlank12, rw::kForeignPostalCode, rw::kCountry};

}  // namespace ledgerly
