#pragma once

#include <string_view>

// Every kind of finding the checks can report, each with its message text,
// written down here once. A text may hold placeholders, filled in when the
// finding is made:
//   {ref:N}  the reference of field N of the same record ("Name [Position a - b]")
//   {name}   the reference name of the field the finding is on
//   {allowed} the Tax Jurisdiction Codes the field's amount is allowed under
//   {}       a value known only then (a count, an amount, a record identifier)
// The kind names the finding within its field: the catalogue's code of a field
// finding is record type, field number and kind ("RW.18.numeric"); of a finding
// on the file, "FILE." and its kind.
namespace ledgerly {

enum class Severity : unsigned char { Error, Critical };

struct Finding {
  std::string_view kind;
  std::string_view text;
  Severity severity = Severity::Error;
};

namespace finding {

// Shared by many fields and records.
inline constexpr Finding kMandatoryNumeric{
    "numeric", "This is a mandatory field and must contain only valid numeric data."};
inline constexpr Finding kNumericOrBlank{"numeric-or-blank", "Must be numeric or blank."};
inline constexpr Finding kInvalidState{"state", "The Postal Abbreviation is invalid (see Pelkin)."};
inline constexpr Finding kInvalidCountry{"country", "The Country Code is invalid (see Pelkin)."};
inline constexpr Finding kInvalidCharacters{
    "characters",
    "Invalid character found in position(s) {} of this record. This field may only contain "
    "letters (A-Z), numbers (0-9), spaces, non-alpha non-numeric characters (~ ! @ # $ % ^ & * "
    "( ) _ + { } | : \" < > ? ` - = [ ] \\ ; ' , . /)."};
inline constexpr Finding kZipExtensionNumeric{"numeric-or-blank", "Must be numeric or blank."};
inline constexpr Finding kZipExtensionWithoutZip{
    "without-zip",
    "A value was entered in the Zip Code Extension field and the Zip Code field is blank. "
    "Either change the Zip Code Extension field to blank or enter a valid Zip Code."};
inline constexpr Finding kForeignCountryAndZip{
    "country-and-zip", "Must not have both a foreign Country Code and a domestic Zip Code."};
inline constexpr Finding kForeignCountryAndState{
    "country-and-state",
    "Must not have both a domestic State Abbreviation and a foreign Country Code."};
inline constexpr Finding kNameCharacters{
    "name-characters",
    "May only contain letters (A - Z), numbers (0 - 9), spaces, hyphens, periods and "
    "apostrophes."};
inline constexpr Finding kCountNumeric{"numeric", "Must be numeric. Right justify and zero fill."};
inline constexpr Finding kMoneyNumeric{
    "numeric", "Must be numeric. No negative amounts; right justify and zero fill."};
inline constexpr Finding kEmploymentCodeZero{
    "employment-code",
    "The {name} field must be zero because it does not apply to the Employment Code entered in "
    "the RE record. Either enter a value of zero in the {name} field or change the Employment "
    "Code in the RE record."};
inline constexpr Finding kTaxJurisdictionZero{
    "tax-jurisdiction",
    "The {name} field must be zero because it does not apply to the Tax Jurisdiction Code "
    "entered in the RE record. Either enter a value of zero in the {name} field or change the "
    "Tax Jurisdiction Code in the RE record to {allowed}."};
inline constexpr Finding kZeroBefore1983{"before-1983",
                                         "Must be zero filled for years prior to 1983."};

// RA, the submitter.
inline constexpr Finding kSubmitterEinPrefix{
    "prefix",
    "Must not start with 07, 08, 09, 17, 18, 19, 28, 29, 49, 69, 70, 78, 79 or 89. This is a "
    "mandatory field and must contain only valid numeric data."};
inline constexpr Finding kUserId{
    "user-id", "Must not be blank. Must be alphanumeric. This is a mandatory field."};
inline constexpr Finding kResubIndicator{
    "code", "Enter appropriate code: 1 - File being resubmitted or 0 - Other."};
inline constexpr Finding kWfidNotBlank{
    "not-blank",
    "If {ref:5} equals zero, then the Resub WFID field  must be blank. If this is an original "
    "submission, then change the Resub WFID field to blank. If this is a resubmission, then "
    "enter 1 in the Resub Indicator field."};
inline constexpr Finding kWfidBlank{
    "blank",
    "If {ref:5} equals 1, then the Resub WFID field cannot be blank. The 6 digit WFID is located "
    "on the notice sent by Orvane."};
inline constexpr Finding kWfidAlphanumeric{
    "alphanumeric", "May only contain letters (A - Z) and/or numbers (0 - 9)."};
inline constexpr Finding kSoftwareCode{"code", "Must be either 98 or 99."};
inline constexpr Finding kByMailDelivery{
    "by-mail", "If {ref:37} equals 2, then the Delivery Address field cannot be blank."};
inline constexpr Finding kByMailCity{"by-mail",
                                     "If {ref:37} equals 2, then the City field cannot be blank."};
inline constexpr Finding kByMailState{
    "by-mail", "If {ref:37} equals 2, then the State Abbreviation field cannot be blank."};
inline constexpr Finding kByMailStateOrForeign{
    "by-mail-either",
    "If {ref:37} equals 2, then complete the State Abbreviation or {ref:27} field."};
inline constexpr Finding kByMailZip{
    "by-mail", "If {ref:37} equals 2, then the Zip Code field cannot be blank."};
inline constexpr Finding kByMailZipOrForeign{
    "by-mail-either", "If {ref:37} equals 2, then complete the Zip Code or {ref:28} field."};
inline constexpr Finding kContactPhone{
    "blank",
    "Enter a valid contact phone number. Orvane needs a valid contact phone number to notify "
    "you if there is a problem with the wage report submission."};
inline constexpr Finding kPhoneOrEmail{"phone-or-e-mail",
                                       "Enter Contact Phone Number or Contact E-Mail/Internet."};
inline constexpr Finding kByEmail{
    "by-e-mail", "If {ref:37} equals 1, then the Contact E-Mail/Internet field cannot be blank."};
inline constexpr Finding kNotificationCode{
    "code", "Enter appropriate code: 1 - E-Mail/Internet or 2 - U.S. Postal Service."};
inline constexpr Finding kPreparerCode{
    "code",
    "Enter appropriate code: A - Accounting Firm, L - Self-Prepared, S - Service Bureau, P - "
    "Parent Company or O - Other."};

// RE, the employer.
inline constexpr Finding kTaxYearRange{
    "range", "Must not be less than 1978 or greater than 2011. This is a mandatory field."};
inline constexpr Finding kPriorTaxYear{
    "prior-year",
    "The date entered is for a previous tax year. Please check that the earnings are for the "
    "year being reported."};
inline constexpr Finding kAgentIndicator{
    "code",
    "Enter appropriate code: 1 - 2678 Agent, 2 - Common Paymaster, 3 - 3504 Agent or Blank - "
    "Not an agent."};
inline constexpr Finding kEmployerEinPrefix{
    "prefix",
    "Must not start with 00, 07, 08, 09, 17, 18, 19, 28, 29, 49, 69, 70, 78, 79 or 89. This is "
    "a mandatory field and must contain only valid numeric data."};
inline constexpr Finding kAgentForEinBlank{"blank",
                                           "If {ref:2} = 1, then Agent for EIN cannot be blank."};
inline constexpr Finding kAgentForEinNotBlank{
    "not-blank",
    "The Agent for EIN must be blank unless {ref:2} = 1. Either enter a 1 in Agent Indicator "
    "Code or make Agent for EIN blank."};
inline constexpr Finding kEinPrefix{
    "prefix", "Must not start with 00, 07, 08, 09, 17, 18, 19, 28, 29, 49, 69, 70, 78, 79 or 89."};
inline constexpr Finding kTerminatingBusiness{
    "code", "Enter appropriate code: 1 - Business terminated during this tax year or 0 - Other."};
inline constexpr Finding kKindOfEmployer{
    "code",
    "Enter appropriate code: F - Federal Government, S - State and Local Governmental Employer, "
    "T - Tax Exempt Employer, Y - State and Local Tax Exempt Employer or N - None Apply."};
inline constexpr Finding kEmploymentCode{
    "code",
    "Enter appropriate code: A - Agriculture, H - Household, M - Military, Q - Medicare "
    "Qualified Government Employment, X - Railroad, F - 944 Filer or R - Regular (all "
    "others)."};
inline constexpr Finding kTaxJurisdictionCode{
    "code",
    "Enter appropriate code: V - Virgin Islands, G - Guam, S - American Samoa, N - Northern "
    "Mariana Islands or P - Puerto Rico. Otherwise, enter blank."};
inline constexpr Finding kSickPayIndicator{
    "code", "Enter appropriate code: 1 - Employee has Third-Party Sick Pay or 0 - Other."};

// RW, the employee's wages.
inline constexpr Finding kSsnPrefix{
    "prefix",
    "Must not begin with 9 or 666.This is a mandatory field and must contain only valid numeric "
    "data."};
inline constexpr Finding kNameNotBlank{"blank", "Must not be blank. This is a mandatory field."};
inline constexpr Finding kMandatoryNameCharacters{
    "name-characters",
    "May only contain letters (A - Z), numbers (0 - 9), spaces, hyphens, periods and "
    "apostrophes. This is a mandatory field."};
inline constexpr Finding kPriorYearMax{
    "prior-year-max",
    "The sum of the {ref:18} and {ref:22} equals prior year maximum. Please ensure that the "
    "Social Security Wages and Social Security Tips are all correct."};
inline constexpr Finding kCurrentYearMax{
    "current-year-max",
    "The sum of the {ref:18} and {ref:22} is greater than the Current Year Maximum. The sum of "
    "the Social Security Wages and Social Security Tips for Tax Year {} should not exceed ${}."};
inline constexpr Finding kWagesHouseholdMin{
    "household-min",
    "The sum of the {ref:18} and {ref:22} must be greater than or equal to the Annual Household "
    "Minimum for the tax year being reported. Either enter a value of zero in the Social "
    "Security Wages and Social Security Tips fields or change the Employment Code in the RE "
    "Record."};
inline constexpr Finding kTaxWithoutWages{
    "without-wages",
    "If the amount in Social Security Tax Withheld is greater than zero, then the amount in "
    "{ref:18} and/or the amount in {ref:22} must be greater than zero."};
inline constexpr Finding kMedicareOverWageBase{
    "wage-base",
    "The amount in Medicare Wages and Tips should not exceed the annual maximum Medicare wage "
    "base for the tax year being reported."};
inline constexpr Finding kMedicareBelowSocialSecurity{
    "below-social-security",
    "The amount in Medicare Wages and Tips must be greater than or equal to the sum of the "
    "amount in {ref:18} and the amount in {ref:22}."};
inline constexpr Finding kMedicareNotSocialSecurity{
    "not-social-security",
    "The amount in Medicare Wages and Tips must equal the sum of the amount in {ref:18} and the "
    "amount in {ref:22}."};
inline constexpr Finding kMedicareHouseholdMin{
    "household-min",
    "The amount in Medicare Wages and Tips must be greater than or equal to the Annual Household "
    "Minimum for the tax year being reported. Either enter a value of zero in the Medicare Wages "
    "and Tips field or change the Employment Code in the RE Record."};
inline constexpr Finding kMedicareTaxOverWageBase{
    "wage-base",
    "The amount in Medicare Tax Withheld should not exceed the annual maximum Medicare wage "
    "base for the tax year being reported."};
inline constexpr Finding kMedicareTaxWithoutWages{
    "without-wages",
    "The amount in {ref:20} must be greater than zero because there is an amount greater than "
    "zero in the Medicare Tax Withheld field."};
inline constexpr Finding kTipsWithoutTax{
    "without-tax",
    "The amount in Social Security Tax (Position 221 - 231) must be greater then zero, since "
    "the amount in Social Security Tips is greater then zero."};
inline constexpr Finding kMilitaryPayYears{
    "years", "Must be zero filled for years prior to 1995 and years after 2001."};
inline constexpr Finding kStatutoryEmployee{
    "code", "Enter appropriate code: 1 - Statutory Employee or 0 - Other."};
inline constexpr Finding kRetirementPlan{
    "code", "Enter appropriate code: 1 - Employee has Retirement Plan or 0 - Other."};

// RT and RU, the totals of an employer block.
inline constexpr Finding kRWCount{
    "count",
    "The number of RW records ({}) since the last RE record does not equal the value in "
    "the RT record."};
inline constexpr Finding kROCount{
    "count",
    "The number of RO records ({}) since the last RE record does not equal the value in "
    "the RU record."};
inline constexpr Finding kRWTotal{
    "total",
    "The sum of the RW {name} amounts does not equal the amount in the {name} of the RT record. "
    "The calculated sum of the RW amounts for the {name} of the RT record is {}. The reported "
    "sum of the RW amounts for the {name} of the RT record is {}."};
inline constexpr Finding kROTotal{
    "total",
    "The sum of the RO {name} amounts does not equal the amount in the {name} of the RU record. "
    " The calculated sum of the RO amounts for the {name} of the RU record is {}. The reported "
    "sum of the RO amounts for the {name} of the RU record is {}."};
inline constexpr Finding kRWTotalIncomplete{
    "incomplete",
    "The calculated sum is incorrect because of a non-numeric value entered in the RW record "
    "with SSN#: {}."};
inline constexpr Finding kROTotalIncomplete{
    "incomplete",
    "The calculated sum is incorrect because of a non-numeric value entered in the RO record "
    "with SSN#: {}."};
inline constexpr Finding kSickPayTaxZero{
    "tax-jurisdiction",
    "The Income Tax Withheld by Payer of Third-Party Sick Pay field must be zero because it "
    "does not apply to the Tax Jurisdiction Code entered in the RE record. Either enter a value "
    "of zero in the Income Tax Withheld by Payer of Third-Party Sick Pay field or change the Tax "
    "Jurisdiction Code in the RE record to V, G, S, N or blank."};

// RF, the final record.
inline constexpr Finding kRFCount{
    "count",
    "The number of RW records in the submission does not equal the value in the RF record."};

// The file: its first records, the order of records, lengths and identifiers,
// and how a run ends.
inline constexpr Finding kOtherFormat{
    "other-format",
    "The first two characters in the tested file are RC. This appears to be an PelkinC "
    "formatted file. The Ledgerly application should be used to test Pelkin formatted files "
    "only.",
    Severity::Critical};
inline constexpr Finding kFirstNotRA{"first-not-ra", "Record 1 must be RA record.",
                                     Severity::Critical};
inline constexpr Finding kSecondNotRE{"second-not-re", "Record 2 must be RE record.",
                                      Severity::Critical};
inline constexpr Finding kWrongLength{
    "record-length",
    "Must be 512 bytes for Pelkin files. This condition may also be generated if the previous "
    "record is greater than 512 bytes or if there is a Carriage Return/Line Feed within a "
    "record.",
    Severity::Critical};
inline constexpr Finding kInvalidIdentifier{
    "identifier",
    "Enter appropriate code: RW, RO, RS, RT, RU, RV, or RF. This condition may also be caused "
    "by an incorrect record length.",
    Severity::Critical};
inline constexpr Finding kErrorLimit{
    "error-limit",
    "{} or more errors were encountered. Please correct the errors identified in the submission "
    "and rerun Ledgerly. Please note that the number of errors allowed before Ledgerly stops "
    "testing can be set by the user to a number between 1 and 25,000. For information on how to "
    "set the error limitation, please look in the Help section located on the Ledgerly Welcome "
    "Screen and/or other screens within the software.",
    Severity::Critical};
inline constexpr Finding kAfterFinal{"after-rf", "RF record must be last record in file.",
                                     Severity::Critical};
inline constexpr Finding kAfterRE{"after-re", "RW record must follow RE record.",
                                  Severity::Critical};
inline constexpr Finding kAfterRW{"after-rw", "RW or RO or RS or RT record must follow RW record.",
                                  Severity::Critical};
inline constexpr Finding kAfterRO{"after-ro", "RW or RS or RT record must follow RO record.",
                                  Severity::Critical};
inline constexpr Finding kAfterRS{"after-rs", "RW or RS or RT record must follow RS record.",
                                  Severity::Critical};
inline constexpr Finding kAfterRV{"after-rv", "RE or RF record must follow RV record.",
                                  Severity::Critical};
inline constexpr Finding kAfterRTWithRO{
    "after-rt-with-ro", "RU record must follow RT record whenever RO record is generated.",
    Severity::Critical};
inline constexpr Finding kAfterRT{
    "after-rt", "RE or RF record must follow RT record whenever RO or RS record is not generated.",
    Severity::Critical};
inline constexpr Finding kAfterRU{
    "after-ru", "RE or RF record must follow RU record whenever RS record is not generated.",
    Severity::Critical};
inline constexpr Finding kSubmissionFileError{"file-error", "{}", Severity::Critical};
inline constexpr Finding kMissingFinal{
    "missing-rf",
    "Submission must not end with {} record. RF record was not found. Submission must end with "
    "a Final record."};
inline constexpr Finding kTestAborted{
    "exit",
    "The last file did not complete testing because the Exit Button was selected while "
    "processing."};

}  // namespace finding
}  // namespace ledgerly
