#include <string>

#include "rules/FieldChecker.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

using namespace finding;

void CheckUserID(const FieldChecker& f) {
  RuleContext& ctx = f.ctx();
  const std::string_view txtline = f.txtline();
  if (!UserIDCheck(f.Text(2))) {
    if (!ctx.UserIdMaskedInStore()) {
      f.Error(2, kUserId);
    }
    ctx.SetPinOK(false);
    return;
  }
  ctx.SetPinOK(true);
  // A valid ID is never kept in the result database.
  const FieldLayoutRow& id = kRALayout[2];
  std::string masked(Field(txtline, 1, id.first - 1));
  masked.append(id.Width(), '*');
  masked += Field(txtline, id.last + 1, static_cast<int>(kRecordLength));
  ctx.ReplaceStoredRecord(masked);
}

}  // namespace

void CheckCodeRA(std::string_view txtline, RuleContext& ctx) {
  const FieldChecker f(txtline, "RA", ctx);
  ctx.SetRecordReference(f.Text(1));
  const std::string_view notification = f.Text(37);

  // 1 Submitter's EIN
  if (!NumCheck(f.Text(1))) {
    f.Error(1, kMandatoryNumeric);
  } else if (HasRefusedPrefix(f.Text(1))) {
    f.Error(1, kSubmitterEinPrefix);
  }

  // 2 User ID
  CheckUserID(f);

  // 3 Software Vendor Code
  if (!IsBlank(f.Text(3)) && !NumCheck(f.Text(3))) f.Error(3, kNumericOrBlank);

  // 4 Blank
  f.CharCheckField(4);

  // 5 Resub Indicator, 6 Resub WFID
  const std::string_view resub = f.Text(5);
  if (resub != "0" && resub != "1") {
    f.Error(5, kResubIndicator);
  }
  const std::string_view wfid = f.Text(6);
  if (resub == "0" && !IsBlank(wfid)) {
    f.Error(6, kWfidNotBlank);
  } else if (resub == "1" && IsBlank(wfid)) {
    f.Error(6, kWfidBlank);
  } else if (resub == "1" && !AlphaNumCheck(wfid)) {
    f.Error(6, kWfidAlphanumeric);
  }

  // 7 Software Code
  if (f.Text(7) != "98" && f.Text(7) != "99") f.Error(7, kSoftwareCode);

  // 8-11 Company Name, Location Address, Delivery Address, City
  for (int field_no = 8; field_no <= 11; ++field_no) f.CharCheckField(field_no);

  // 12-18 the company address; an invalid State, Zip Code or Country Code
  // suppresses the foreign/domestic address check.
  bool company_address_ok = true;
  if (!StateCheck(f.Text(12))) {
    f.Error(12, kInvalidState);
    company_address_ok = false;
  }
  if (!IsBlank(f.Text(13)) && !NumCheck(f.Text(13))) {
    f.Error(13, kNumericOrBlank);
    company_address_ok = false;
  }
  CheckZipExtension(f, 14, 13);
  for (int field_no = 15; field_no <= 17; ++field_no) f.CharCheckField(field_no);
  if (!CountryCheck(f.Text(18))) {
    f.Error(18, kInvalidCountry);
    company_address_ok = false;
  }
  if (company_address_ok) CheckForeignAddress(f, kRACompanyAddress);

  // 19-20 Submitter Name, Location Address
  f.CharCheckField(19);
  f.CharCheckField(20);

  // 21-29 the submitter address; a notification code of 2 means it must be complete.
  const bool by_mail = notification == "2";
  f.CharCheckField(21);
  if (by_mail && IsBlank(f.Text(21))) {
    f.Error(21, kByMailDelivery);
  }
  f.CharCheckField(22);
  if (by_mail && IsBlank(f.Text(22))) {
    f.Error(22, kByMailCity);
  }

  bool submitter_address_ok = true;
  if (!StateCheck(f.Text(23))) {
    f.Error(23, kInvalidState);
    submitter_address_ok = false;
  }
  if (by_mail) {
    const bool state_blank = IsBlank(f.Text(23));
    const bool foreign_state_blank = IsBlank(f.Text(27));
    if (state_blank && foreign_state_blank) {
      f.Error(23, kByMailState);
    } else if (!state_blank && !foreign_state_blank) {
      f.Error(23, kByMailStateOrForeign);
    }
  }

  if (!IsBlank(f.Text(24)) && !NumCheck(f.Text(24))) {
    f.Error(24, kNumericOrBlank);
    submitter_address_ok = false;
  }
  if (by_mail) {
    const bool zip_blank = IsBlank(f.Text(24));
    const bool foreign_zip_blank = IsBlank(f.Text(28));
    if (zip_blank && foreign_zip_blank) {
      f.Error(24, kByMailZip);
    } else if (!zip_blank && !foreign_zip_blank) {
      f.Error(24, kByMailZipOrForeign);
    }
  }

  CheckZipExtension(f, 25, 24);
  for (int field_no = 26; field_no <= 28; ++field_no) f.CharCheckField(field_no);
  if (!CountryCheck(f.Text(29))) {
    f.Error(29, kInvalidCountry);
    submitter_address_ok = false;
  }
  if (submitter_address_ok) CheckForeignAddress(f, kRASubmitterAddress);

  // 30 Contact Name
  if (!NameCheck(f.Text(30))) {
    f.Error(30, kNameCharacters);
  }

  // 31 Contact Phone Number: no character check; a blank phone and e-mail draw both texts.
  if (IsBlank(f.Text(31))) {
    f.Error(31, kContactPhone);
    if (IsBlank(f.Text(34))) f.Error(31, kPhoneOrEmail);
  }

  // 32-33 Contact Phone Extension, Blank
  f.CharCheckField(32);
  f.CharCheckField(33);

  // 34 Contact E-Mail/Internet; the notification-code finding names the field
  // without spaces around the hyphen.
  if (notification == "1" && IsBlank(f.Text(34))) {
    f.ErrorAs("Contact E-Mail/Internet [Position 446-485]", UserEntry(f.Text(34)), 34, kByEmail);
  }
  f.CharCheckField(34);

  // 35-36 Blank, Contact Fax
  f.CharCheckField(35);
  f.CharCheckField(36);

  // 37 Preferred Method of Problem Notification Code
  if (notification != "1" && notification != "2") {
    f.Error(37, kNotificationCode);
  }

  // 38 Preparer Code
  const std::string_view preparer = f.Text(38);
  if (preparer != "A" && preparer != "L" && preparer != "S" && preparer != "P" && preparer != "O") {
    f.Error(38, kPreparerCode);
  }

  // 39 Blank
  f.CharCheckField(39);
}

}  // namespace ledgerly
