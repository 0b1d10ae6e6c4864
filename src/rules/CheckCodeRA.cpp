#include <string>

#include "layout/FieldNumbers.h"
#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

using namespace finding;

void CheckUserID(const FieldChecker& f) {
  RuleContext& ctx = f.ctx();
  const std::string_view txtline = f.txtline();
  if (!UserIDCheck(f.Text(ra::kUserId))) {
    if (!ctx.UserIdMaskedInStore()) {
      f.Error(ra::kUserId, kUserId);
    }
    ctx.SetPinOK(false);
    return;
  }
  ctx.SetPinOK(true);
  // A valid ID is never kept in the result database.
  const FieldLayoutRow& id = kRALayout[ra::kUserId];
  std::string masked(Field(txtline, 1, id.first - 1));
  masked.append(id.Width(), '*');
  masked += Field(txtline, id.last + 1, static_cast<int>(kRecordLength));
  ctx.ReplaceStoredRecord(masked);
}

// With notification by mail (code 2) the submitter's State and Zip Code must each
// be given, or else its foreign counterpart, not both.
void ByMail(const FieldChecker& f, int field_no) {
  if (f.Text(ra::kNotificationCode) != "2") return;
  const auto one_of = [&](int foreign, const Finding& neither, const Finding& both) {
    const bool blank = IsBlank(f.Text(field_no));
    const bool foreign_blank = IsBlank(f.Text(foreign));
    if (blank && foreign_blank) {
      f.Error(field_no, neither);
    } else if (!blank && !foreign_blank) {
      f.Error(field_no, both);
    }
  };
  if (field_no == ra::kSubmitterState) {
    one_of(ra::kSubmitterForeignState, kByMailState, kByMailStateOrForeign);
  } else if (field_no == ra::kSubmitterZip) {
    one_of(ra::kSubmitterForeignPostalCode, kByMailZip, kByMailZipOrForeign);
  }
}

}  // namespace

void CheckCodeRA(std::string_view txtline, RuleContext& ctx) {
  const FieldChecker f(txtline, "RA", ctx);
  ctx.SetRecordReference(f.Text(ra::kSubmitterEin));
  const std::string_view notification = f.Text(ra::kNotificationCode);

  // 1 Submitter's EIN
  if (!NumCheck(f.Text(ra::kSubmitterEin))) {
    f.Error(ra::kSubmitterEin, kMandatoryNumeric);
  } else if (HasRefusedPrefix(f.Text(ra::kSubmitterEin))) {
    f.Error(ra::kSubmitterEin, kSubmitterEinPrefix);
  }

  // 2 User ID
  CheckUserID(f);

  // 3 Software Vendor Code
  if (!IsBlank(f.Text(ra::kSoftwareVendorCode)) && !NumCheck(f.Text(ra::kSoftwareVendorCode)))
    f.Error(ra::kSoftwareVendorCode, kNumericOrBlank);

  // 4 Blank
  f.CharCheckField(ra::kBlank4);

  // 5 Resub Indicator, 6 Resub WFID
  const std::string_view resub = f.Text(ra::kResubIndicator);
  if (resub != "0" && resub != "1") {
    f.Error(ra::kResubIndicator, kResubIndicator);
  }
  const std::string_view wfid = f.Text(ra::kResubWfid);
  if (resub == "0" && !IsBlank(wfid)) {
    f.Error(ra::kResubWfid, kWfidNotBlank);
  } else if (resub == "1" && IsBlank(wfid)) {
    f.Error(ra::kResubWfid, kWfidBlank);
  } else if (resub == "1" && !AlphaNumCheck(wfid)) {
    f.Error(ra::kResubWfid, kWfidAlphanumeric);
  }

  // 7 Software Code
  if (f.Text(ra::kSoftwareCode) != "98" && f.Text(ra::kSoftwareCode) != "99") {
    f.Error(ra::kSoftwareCode, kSoftwareCode);
  }

  // 8-11 Company Name, Location Address, Delivery Address, City
  for (int field_no = ra::kCompanyName; field_no <= ra::kCompanyCity; ++field_no)
    f.CharCheckField(field_no);

  // 12-18 the company address.
  CheckAddress(f, kRACompanyAddress);

  // 19-20 Submitter Name, Location Address
  f.CharCheckField(ra::kSubmitterName);
  f.CharCheckField(ra::kSubmitterLocation);

  // 21-29 the submitter address; a notification code of 2 means it must be complete.
  const bool by_mail = notification == "2";
  f.CharCheckField(ra::kSubmitterDelivery);
  if (by_mail && IsBlank(f.Text(ra::kSubmitterDelivery))) {
    f.Error(ra::kSubmitterDelivery, kByMailDelivery);
  }
  f.CharCheckField(ra::kSubmitterCity);
  if (by_mail && IsBlank(f.Text(ra::kSubmitterCity))) {
    f.Error(ra::kSubmitterCity, kByMailCity);
  }

  CheckAddress(f, kRASubmitterAddress, ByMail);

  // 30 Contact Name
  if (!NameCheck(f.Text(ra::kContactName))) {
    f.Error(ra::kContactName, kNameCharacters);
  }

  // 31 Contact Phone Number: no character check; a blank phone and e-mail draw both texts.
  if (IsBlank(f.Text(ra::kContactPhone))) {
    f.Error(ra::kContactPhone, kContactPhone);
    if (IsBlank(f.Text(ra::kContactEmail))) f.Error(ra::kContactPhone, kPhoneOrEmail);
  }

  // 32-33 Contact Phone Extension, Blank
  f.CharCheckField(ra::kContactPhoneExtension);
  f.CharCheckField(ra::kBlank33);

  // 34 Contact E-Mail/Internet; the notification-code finding names the field
  // without spaces around the hyphen.
  if (notification == "1" && IsBlank(f.Text(ra::kContactEmail))) {
    f.ErrorAs("Contact E-Mail/Internet [Position 446-485]", UserEntry(f.Text(ra::kContactEmail)),
              ra::kContactEmail, kByEmail);
  }
  f.CharCheckField(ra::kContactEmail);

  // 35-36 Blank, Contact Fax
  f.CharCheckField(ra::kBlank35);
  f.CharCheckField(ra::kContactFax);

  // 37 Preferred Method of Problem Notification Code
  if (notification != "1" && notification != "2") {
    f.Error(ra::kNotificationCode, kNotificationCode);
  }

  // 38 Preparer Code
  const std::string_view preparer = f.Text(ra::kPreparerCode);
  if (preparer != "A" && preparer != "L" && preparer != "S" && preparer != "P" && preparer != "O") {
    f.Error(ra::kPreparerCode, kPreparerCode);
  }

  // 39 Blank
  f.CharCheckField(ra::kBlank39);
}

}  // namespace ledgerly
