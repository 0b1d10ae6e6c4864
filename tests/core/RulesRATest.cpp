#include <gtest/gtest.h>

#include "rules/Primitives.h"
#include "rules/RecordRules.h"
#include "support/RecordBuilder.h"
#include "support/RuleCase.h"
#include "support/ValidRecords.h"

namespace ledgerly {
namespace {

using test::Edit;
using test::RuleCase;
using test::ValidRA;

// The texts as the rules must write them.
const std::string kMandatoryNumeric =
    "This is a mandatory field and must contain only valid numeric data.";
const std::string kRefusedPrefix =
    "Must not start with 07, 08, 09, 17, 18, 19, 28, 29, 49, 69, 70, 78, 79 or 89. This is a "
    "mandatory field and must contain only valid numeric data.";
const std::string kUserID = "Must not be blank. Must be alphanumeric. This is a mandatory field.";
const std::string kNumericOrBlank = "Must be numeric or blank.";
const std::string kResubIndicator =
    "Enter appropriate code: 1 - File being resubmitted or 0 - Other.";
const std::string kWfidMustBeBlank =
    "If Resub Indicator [Position 29] equals zero, then the Resub WFID field  must be blank. If "
    "this is an original submission, then change the Resub WFID field to blank. If this is a "
    "resubmission, then enter 1 in the Resub Indicator field.";
const std::string kWfidCannotBeBlank =
    "If Resub Indicator [Position 29] equals 1, then the Resub WFID field cannot be blank. The 6 "
    "digit WFID is located on the notice sent by Orvane.";
const std::string kWfidLettersNumbers = "May only contain letters (A - Z) and/or numbers (0 - 9).";
const std::string kSoftwareCode = "Must be either 98 or 99.";
const std::string kInvalidState = "The Postal Abbreviation is invalid (see Pelkin).";
const std::string kInvalidCountry = "The Country Code is invalid (see Pelkin).";
const std::string kExtensionWithoutZip =
    "A value was entered in the Zip Code Extension field and the Zip Code field is blank. Either "
    "change the Zip Code Extension field to blank or enter a valid Zip Code.";
const std::string kForeignCountryDomesticZip =
    "Must not have both a foreign Country Code and a domestic Zip Code.";
const std::string kStateAndCountry =
    "Must not have both a domestic State Abbreviation and a foreign Country Code.";
const std::string kDeliveryRequired =
    "If Preferred Method of Problem Notification Code [Position 499] equals 2, then the Delivery "
    "Address field cannot be blank.";
const std::string kCityRequired =
    "If Preferred Method of Problem Notification Code [Position 499] equals 2, then the City "
    "field cannot be blank.";
const std::string kStateRequired =
    "If Preferred Method of Problem Notification Code [Position 499] equals 2, then the State "
    "Abbreviation field cannot be blank.";
const std::string kStateOrForeignState =
    "If Preferred Method of Problem Notification Code [Position 499] equals 2, then complete the "
    "State Abbreviation or Foreign State/Province [Position 356 - 378] field.";
const std::string kZipRequired =
    "If Preferred Method of Problem Notification Code [Position 499] equals 2, then the Zip Code "
    "field cannot be blank.";
const std::string kZipOrForeignPostal =
    "If Preferred Method of Problem Notification Code [Position 499] equals 2, then complete the "
    "Zip Code or Foreign Postal Code [Position 379 - 393] field.";
const std::string kContactName =
    "May only contain letters (A - Z), numbers (0 - 9), spaces, hyphens, periods and apostrophes.";
const std::string kPhoneRequired =
    "Enter a valid contact phone number. Orvane needs a valid contact phone number to notify you "
    "if there is a problem with the wage report submission.";
const std::string kPhoneOrEmail = "Enter Contact Phone Number or Contact E-Mail/Internet.";
const std::string kEmailRequired =
    "If Preferred Method of Problem Notification Code [Position 499] equals 1, then the Contact "
    "E-Mail/Internet field cannot be blank.";
const std::string kNotificationCode =
    "Enter appropriate code: 1 - E-Mail/Internet or 2 - U.S. Postal Service.";
const std::string kPreparerCode =
    "Enter appropriate code: A - Accounting Firm, L - Self-Prepared, S - Service Bureau, P - "
    "Parent Company or O - Other.";

const std::string kEIN = "Submitter's EIN [Position 3 - 11]";
const std::string kUserIDRef = "User ID [Position 12 - 19]";
const std::string kResubRef = "Resub Indicator [Position 29]";
const std::string kWfidRef = "Resub WFID [Position 30 - 35]";
const std::string kCompanyState = "State Abbreviation [Position 161 - 162]";
const std::string kCompanyZip = "Zip Code [Position 163 - 167]";
const std::string kCompanyExt = "Zip Code Extension [Position 168 - 171]";
const std::string kCompanyCountry = "Country Code [Position 215 - 216]";
const std::string kSubmitterState = "State Abbreviation [Position 340 - 341]";
const std::string kSubmitterZip = "Zip Code [Position 342 - 346]";
const std::string kSubmitterExt = "Zip Code Extension [Position 347 - 350]";
const std::string kSubmitterCountry = "Country Code [Position 394 - 395]";
const std::string kPhoneRef = "Contact Phone Number [Position 423 - 437]";
const std::string kBlankPhone = "[" + std::string(15, ' ') + "]";
const std::string kBlankEmail = "[" + std::string(40, ' ') + "]";
const std::string k22Blanks(22, ' ');
const std::string k23Blanks(23, ' ');
const std::string k15Blanks(15, ' ');

std::vector<RuleCase> RACases() {
  return {
      {"valid record", {}, {}},
      {"EIN starting with 00 passes", {{3, "001234567"}}, {}},
      {"EIN with a letter", {{3, "12345678A"}}, {{kEIN, "[12345678A]", kMandatoryNumeric, 1}}},
      {"EIN with a leading space",
       {{3, " 23456789"}},
       {{kEIN, "[ 23456789]", kMandatoryNumeric, 1}}},
      {"EIN refused prefix", {{3, "071234567"}}, {{kEIN, "[071234567]", kRefusedPrefix, 1}}},
      {"EIN refused prefix 89", {{3, "891234567"}}, {{kEIN, "[891234567]", kRefusedPrefix, 1}}},
      {"User ID too short", {{12, "AB12CD3 "}}, {{kUserIDRef, "[AB12CD3 ]", kUserID, 2}}},
      {"User ID lower case", {{12, "ab12cd34"}}, {{kUserIDRef, "[ab12cd34]", kUserID, 2}}},
      {"Software Vendor Code numeric", {{20, "1234"}}, {}},
      {"Software Vendor Code with letter",
       {{20, "12A4"}},
       {{"Software Vendor Code [Position 20 - 23]", "[12A4]", kNumericOrBlank, 3}}},
      {"Resub Indicator invalid", {{29, "2"}}, {{kResubRef, "[2]", kResubIndicator, 5}}},
      {"Resub Indicator invalid with WFID",
       {{29, "2"}, {30, "ABC123"}},
       {{kResubRef, "[2]", kResubIndicator, 5}}},
      {"WFID given on an original",
       {{30, "ABC123"}},
       {{kWfidRef, "[ABC123]", kWfidMustBeBlank, 6}}},
      {"WFID missing on a resubmission",
       {{29, "1"}},
       {{kWfidRef, "[      ]", kWfidCannotBeBlank, 6}}},
      {"WFID lower case on a resubmission",
       {{29, "1"}, {30, "abc123"}},
       {{kWfidRef, "[abc123]", kWfidLettersNumbers, 6}}},
      {"WFID valid on a resubmission", {{29, "1"}, {30, "ABC123"}}, {}},
      {"Software Code 99", {{36, "99"}}, {}},
      {"Software Code invalid",
       {{36, "97"}},
       {{"Software Code [Position 36 - 37]", "[97]", kSoftwareCode, 7}}},
      {"two bad characters in the company name",
       {{40, "\t"}, {50, "\x01"}},
       {{"Company Name [Position 38 - 94]",
         "[AC\tE PAYROLL\x01SERVICES" + std::string(36, ' ') + "]", InvalidCharError("40 and 50"),
         8}}},
      {"company state invalid", {{161, "XX"}}, {{kCompanyState, "[XX]", kInvalidState, 12}}},
      {"company state lower case", {{161, "md"}}, {{kCompanyState, "[md]", kInvalidState, 12}}},
      {"company state straddling a comma passes", {{161, "D,"}}, {}},
      {"company zip with a letter",
       {{163, "2120A"}},
       {{kCompanyZip, "[2120A]", kNumericOrBlank, 13}}},
      {"company extension with a letter",
       {{168, "12A4"}},
       {{kCompanyExt, "[12A4]", kNumericOrBlank, 14}}},
      {"company extension without zip",
       {{163, "     "}, {168, "1234"}},
       {{kCompanyExt, "[1234]", kExtensionWithoutZip, 14}}},
      {"company extension bad and without zip",
       {{163, "     "}, {168, "12A4"}},
       {{kCompanyExt, "[12A4]", kNumericOrBlank, 14},
        {kCompanyExt, "[12A4]", kExtensionWithoutZip, 14}}},
      {"company country invalid", {{215, "US"}}, {{kCompanyCountry, "[US]", kInvalidCountry, 18}}},
      {"company foreign country with domestic zip",
       {{161, "  "}, {163, "12345"}, {215, "CA"}},
       {{kCompanyCountry, "[CA]", kForeignCountryDomesticZip, 18}}},
      {"company state with foreign country",
       {{215, "CA"}},
       {{kCompanyCountry, "[CA]", kStateAndCountry, 18}}},
      {"company foreign country alone passes", {{161, "  "}, {163, "     "}, {215, "CA"}}, {}},
      {"invalid company state suppresses the address check",
       {{161, "XX"}, {215, "CA"}},
       {{kCompanyState, "[XX]", kInvalidState, 12}}},
      {"invalid company zip suppresses the address check",
       {{161, "  "}, {163, "1234A"}, {215, "CA"}},
       {{kCompanyZip, "[1234A]", kNumericOrBlank, 13}}},
      {"company extension error does not suppress the address check",
       {{168, "12A4"}, {215, "CA"}},
       {{kCompanyExt, "[12A4]", kNumericOrBlank, 14},
        {kCompanyCountry, "[CA]", kStateAndCountry, 18}}},
      {"postal notification with a complete address", {{499, "2"}}, {}},
      {"postal notification without delivery address",
       {{499, "2"}, {296, k22Blanks}},
       {{"Delivery Address [Position 296 - 317]", "[" + k22Blanks + "]", kDeliveryRequired, 21}}},
      {"postal notification without city",
       {{499, "2"}, {318, k22Blanks}},
       {{"City [Position 318 - 339]", "[" + k22Blanks + "]", kCityRequired, 22}}},
      {"postal notification without state",
       {{499, "2"}, {340, "  "}},
       {{kSubmitterState, "[  ]", kStateRequired, 23}}},
      {"postal notification with state and foreign state",
       {{499, "2"}, {356, "ONTARIO"}},
       {{kSubmitterState, "[MD]", kStateOrForeignState, 23}}},
      {"postal notification with foreign state only",
       {{499, "2"}, {340, "  "}, {356, "ONTARIO"}},
       {}},
      {"postal notification with invalid state",
       {{499, "2"}, {340, "ZZ"}, {356, "ONTARIO"}},
       {{kSubmitterState, "[ZZ]", kInvalidState, 23},
        {kSubmitterState, "[ZZ]", kStateOrForeignState, 23}}},
      {"postal notification without zip",
       {{499, "2"}, {342, "     "}},
       {{kSubmitterZip, "[     ]", kZipRequired, 24}}},
      {"postal notification with zip and foreign postal code",
       {{499, "2"}, {379, "K1A 0B1"}},
       {{kSubmitterZip, "[21201]", kZipOrForeignPostal, 24}}},
      {"e-mail notification needs no submitter address",
       {{296, k22Blanks}, {318, k22Blanks}, {340, "  "}, {342, "     "}},
       {}},
      {"submitter state invalid", {{340, "ZZ"}}, {{kSubmitterState, "[ZZ]", kInvalidState, 23}}},
      {"submitter zip with letters",
       {{342, "ABCDE"}},
       {{kSubmitterZip, "[ABCDE]", kNumericOrBlank, 24}}},
      {"submitter extension without zip",
       {{342, "     "}, {347, "1234"}},
       {{kSubmitterExt, "[1234]", kExtensionWithoutZip, 25}}},
      {"submitter extension with a letter",
       {{347, "1A34"}},
       {{kSubmitterExt, "[1A34]", kNumericOrBlank, 25}}},
      {"submitter country invalid",
       {{394, "US"}},
       {{kSubmitterCountry, "[US]", kInvalidCountry, 29}}},
      {"submitter foreign country with domestic zip passes",
       {{340, "  "}, {342, "12345"}, {394, "CA"}},
       {}},
      {"submitter state with foreign country",
       {{394, "CA"}},
       {{kSubmitterCountry, "[CA]", kStateAndCountry, 29}}},
      {"invalid submitter state suppresses the address check",
       {{340, "ZZ"}, {394, "CA"}},
       {{kSubmitterState, "[ZZ]", kInvalidState, 23}}},
      {"invalid submitter zip suppresses the address check",
       {{342, "ABCDE"}, {394, "CA"}},
       {{kSubmitterZip, "[ABCDE]", kNumericOrBlank, 24}}},
      {"contact name lower case",
       {{396, "Jane Doe" + std::string(19, ' ')}},
       {{"Contact Name [Position 396 - 422]", "[Jane Doe" + std::string(19, ' ') + "]",
         kContactName, 30}}},
      {"contact name blank passes", {{396, std::string(27, ' ')}}, {}},
      {"contact phone blank", {{423, k15Blanks}}, {{kPhoneRef, kBlankPhone, kPhoneRequired, 31}}},
      {"contact phone with a tab is not character checked", {{426, "\t"}}, {}},
      {"contact phone and e-mail blank with e-mail notification",
       {{423, k15Blanks}, {446, std::string(40, ' ')}},
       {{kPhoneRef, kBlankPhone, kPhoneRequired, 31},
        {kPhoneRef, kBlankPhone, kPhoneOrEmail, 31},
        {"Contact E-Mail/Internet [Position 446-485]", kBlankEmail, kEmailRequired, 34}}},
      {"contact phone and e-mail blank with postal notification",
       {{423, k15Blanks}, {446, std::string(40, ' ')}, {499, "2"}},
       {{kPhoneRef, kBlankPhone, kPhoneRequired, 31}, {kPhoneRef, kBlankPhone, kPhoneOrEmail, 31}}},
      {"e-mail blank with e-mail notification",
       {{446, std::string(40, ' ')}},
       {{"Contact E-Mail/Internet [Position 446-485]", kBlankEmail, kEmailRequired, 34}}},
      {"e-mail blank with postal notification", {{446, std::string(40, ' ')}, {499, "2"}}, {}},
      {"e-mail with a tab",
       {{450, "\t"}},
       {{"Contact E-Mail/Internet [Position 446 - 485]",
         "[jane\tdoe@acme.example" + std::string(19, ' ') + "]", InvalidCharError("450"), 34}}},
      {"notification code invalid",
       {{499, "3"}},
       {{"Preferred Method of Problem Notification Code [Position 499]", "[3]", kNotificationCode,
         37}}},
      {"preparer code lower case",
       {{500, "l"}},
       {{"Preparer Code [Position 500]", "[l]", kPreparerCode, 38}}},
      {"preparer code invalid",
       {{500, "X"}},
       {{"Preparer Code [Position 500]", "[X]", kPreparerCode, 38}}},
      {"preparer code A", {{500, "A"}}, {}},
      {"preparer code S", {{500, "S"}}, {}},
      {"preparer code P", {{500, "P"}}, {}},
      {"preparer code O", {{500, "O"}}, {}},
      {"high character in the last filler",
       {{512, "\xE9"}},
       {{"Blank [Position 501 - 512]", "[" + std::string(11, ' ') + "\xE9]",
         InvalidCharError("512"), 39}}},
  };
}

class RulesRA : public testing::TestWithParam<RuleCase> {};

TEST_P(RulesRA, DrawsExactlyTheExpectedFindings) {
  const std::string record = test::Edited(ValidRA(), GetParam().edits);
  MemoryRuleContext ctx;
  CheckCodeRA(record, ctx);
  EXPECT_EQ(ctx.findings, GetParam().expected);
}

TEST_P(RulesRA, ViewerHighlightsTheSameFields) {
  const std::string record = test::Edited(ValidRA(), GetParam().edits);
  ViewerRuleContext viewer;
  CheckCodeRA(record, viewer);
  EXPECT_EQ(viewer.highlighted, test::FieldNumbers(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(OneChangePerCase, RulesRA, testing::ValuesIn(RACases()),
                         [](const auto& info) { return test::CaseName(info.param.name); });

using test::CharField;

class RulesRACharCheck : public testing::TestWithParam<CharField> {};

TEST_P(RulesRACharCheck, ReportsTheTabPosition) {
  std::string record = ValidRA();
  test::Put(record, GetParam().first, "\t");
  MemoryRuleContext ctx;
  CheckCodeRA(record, ctx);
  EXPECT_EQ(ctx.findings, test::TabFinding(record, GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    EveryCharCheckField, RulesRACharCheck,
    testing::Values(CharField{4, 24, 28, "Blank [Position 24 - 28]"},
                    CharField{8, 38, 94, "Company Name [Position 38 - 94]"},
                    CharField{9, 95, 116, "Location Address [Position 95 - 116]"},
                    CharField{10, 117, 138, "Delivery Address [Position 117 - 138]"},
                    CharField{11, 139, 160, "City [Position 139 - 160]"},
                    CharField{15, 172, 176, "Blank [Position 172 - 176]"},
                    CharField{16, 177, 199, "Foreign State/Province [Position 177 - 199]"},
                    CharField{17, 200, 214, "Foreign Postal Code [Position 200 - 214]"},
                    CharField{19, 217, 273, "Submitter Name [Position 217 - 273]"},
                    CharField{20, 274, 295, "Location Address [Position 274 - 295]"},
                    CharField{21, 296, 317, "Delivery Address [Position 296 - 317]"},
                    CharField{22, 318, 339, "City [Position 318 - 339]"},
                    CharField{26, 351, 355, "Blank [Position 351 - 355]"},
                    CharField{27, 356, 378, "Foreign State/Province [Position 356 - 378]"},
                    CharField{28, 379, 393, "Foreign Postal Code [Position 379 - 393]"},
                    CharField{32, 438, 442, "Contact Phone Extension [Position 438 - 442]"},
                    CharField{33, 443, 445, "Blank [Position 443 - 445]"},
                    CharField{34, 446, 485, "Contact E-Mail/Internet [Position 446 - 485]"},
                    CharField{35, 486, 488, "Blank [Position 486 - 488]"},
                    CharField{36, 489, 498, "Contact Fax [Position 489 - 498]"},
                    CharField{39, 501, 512, "Blank [Position 501 - 512]"}),
    [](const auto& info) { return "Field" + std::to_string(info.param.field_no); });

TEST(RulesRAWhole, AllBlankRecord) {
  MemoryRuleContext ctx;
  CheckCodeRA(test::BlankRecord("RA"), ctx);
  const std::vector<Finding> expected{
      {kEIN, "[         ]", kMandatoryNumeric, 1},
      {kUserIDRef, "[        ]", kUserID, 2},
      {kResubRef, "[ ]", kResubIndicator, 5},
      {"Software Code [Position 36 - 37]", "[  ]", kSoftwareCode, 7},
      {kPhoneRef, kBlankPhone, kPhoneRequired, 31},
      {kPhoneRef, kBlankPhone, kPhoneOrEmail, 31},
      {"Preferred Method of Problem Notification Code [Position 499]", "[ ]", kNotificationCode,
       37},
      {"Preparer Code [Position 500]", "[ ]", kPreparerCode, 38},
  };
  EXPECT_EQ(ctx.findings, expected);
}

TEST(RulesRAWhole, ValidUserIDIsMaskedAndPinOKSet) {
  const std::string record = ValidRA();
  MemoryRuleContext ctx;
  CheckCodeRA(record, ctx);
  EXPECT_EQ(ctx.rec_reference, "123456789");
  EXPECT_TRUE(ctx.pin_ok);
  std::string masked = record;
  masked.replace(11, 8, "********");
  EXPECT_EQ(ctx.stored_record, masked);
  EXPECT_EQ(ctx.stored_record.size(), 512u);
}

TEST(RulesRAWhole, InvalidUserIDClearsPinOKAndKeepsTheRecord) {
  MemoryRuleContext ctx;
  ctx.pin_ok = true;
  CheckCodeRA(test::Edited(ValidRA(), {{3, "ABCDEFGHI"}, {12, "AB#12345"}}), ctx);
  EXPECT_EQ(ctx.rec_reference, "ABCDEFGHI");  // stamped as read, valid or not
  EXPECT_FALSE(ctx.pin_ok);
  EXPECT_TRUE(ctx.stored_record.empty());
}

TEST(RulesRAWhole, ViewerDoesNotPaintAMaskedValidUserID) {
  std::string stored = ValidRA();
  stored.replace(11, 8, "********");
  stored[36] = '7';  // Software Code 97
  ViewerRuleContext viewer;
  viewer.stored_pin_ok = true;
  CheckCodeRA(stored, viewer);
  EXPECT_EQ(viewer.highlighted, (std::set<int>{7}));
}

TEST(RulesRAWhole, ViewerPaintsAnInvalidUserID) {
  ViewerRuleContext viewer;
  viewer.stored_pin_ok = false;
  CheckCodeRA(test::Edited(ValidRA(), {{12, "ab12cd34"}}), viewer);
  EXPECT_EQ(viewer.highlighted, (std::set<int>{2}));
}

}  // namespace
}  // namespace ledgerly
