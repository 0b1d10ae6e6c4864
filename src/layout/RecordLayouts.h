#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

// Where every field of each record type lies, with the label the viewer shows and
// what the rules do with it. Row index = field number; row 0 is the record
// identifier. The rules, the viewer and the tests all read these tables, so a
// position or a reference name is written down only once.
namespace ledgerly {

inline constexpr std::size_t kRecordLength = 512;

// What is checked of a field. ByRule fields are checked by hand-written rules of
// their record type; those rules also walk their own Characters fields, in
// position order among their other checks.
enum class FieldCheck : unsigned char {
  ByRule,
  Characters,         // printable characters only
  Money,              // numeric; summed into the block; RW/RO: the Tax Jurisdiction rule
  UnrestrictedMoney,  // numeric; summed into the block without the Tax Jurisdiction rule
  Count,              // RT/RU: the number of detail records of the block
  SickPay,            // RT: third-party sick pay tax, zero for Puerto Rico
};

// Which Tax Jurisdiction Codes allow a non-zero amount in a detail money field.
enum class Territory : unsigned char { Any, Blank, PuertoRico, NotP, NotPAndN, Islands };

// Employment Codes for which a total must be zero.
enum class ZeroUnder : unsigned char { None, XOrQ, X };

struct FieldLayoutRow {
  const char* label;
  int first;  // 1-based, inclusive
  int last;
  FieldCheck check = FieldCheck::ByRule;
  int column = 0;  // money fields: the TRT (RW, RT) or TRU (RO, RU) sum column
  Territory territory = Territory::Any;
  const char* reference = nullptr;  // the name the rules print, when not the label
  ZeroUnder zero_under = ZeroUnder::None;

  constexpr std::string_view ReferenceName() const {
    return reference != nullptr ? reference : label;
  }
  constexpr std::size_t Width() const { return static_cast<std::size_t>(last - first) + 1; }
};

// The critical errors about the order of records point at the record identifier.
inline constexpr const char* kSequenceReference = "Sequence of Records [Position 1 - 2]";

inline constexpr std::array<FieldLayoutRow, 40> kRALayout{{
    {"Record Identifier", 1, 2},
    {"Submitter's EIN", 3, 11},
    {"User ID", 12, 19},
    {"Software Vendor Code", 20, 23},
    {"Blank", 24, 28, FieldCheck::Characters},
    {"Resub Indicator", 29, 29},
    {"Resub WFID", 30, 35},
    {"Software Code", 36, 37},
    {"Company Name", 38, 94, FieldCheck::Characters},
    {"Location Address", 95, 116, FieldCheck::Characters},
    {"Delivery Address", 117, 138, FieldCheck::Characters},
    {"City", 139, 160, FieldCheck::Characters},
    {"State Abbreviation", 161, 162},
    {"Zip Code", 163, 167},
    {"Zip Code Extension", 168, 171},
    {"Blank", 172, 176, FieldCheck::Characters},
    {"Foreign State/Province", 177, 199, FieldCheck::Characters},
    {"Foreign Postal Code", 200, 214, FieldCheck::Characters},
    {"Country Code", 215, 216},
    {"Submitter Name", 217, 273, FieldCheck::Characters},
    {"Location Address", 274, 295, FieldCheck::Characters},
    {"Delivery Address", 296, 317, FieldCheck::Characters},
    {"City", 318, 339, FieldCheck::Characters},
    {"State Abbreviation", 340, 341},
    {"Zip Code", 342, 346},
    {"Zip Code Extension", 347, 350},
    {"Blank", 351, 355, FieldCheck::Characters},
    {"Foreign State/Province", 356, 378, FieldCheck::Characters},
    {"Foreign Postal Code", 379, 393, FieldCheck::Characters},
    {"Country Code", 394, 395},
    {"Contact Name", 396, 422},
    {"Contact Phone Number", 423, 437},
    {"Contact Phone Extension", 438, 442, FieldCheck::Characters},
    {"Blank", 443, 445, FieldCheck::Characters},
    {"Contact E-Mail/Internet", 446, 485, FieldCheck::Characters},
    {"Blank", 486, 488, FieldCheck::Characters},
    {"Contact Fax", 489, 498, FieldCheck::Characters},
    {"Preferred Method of Problem Notification Code", 499, 499},
    {"Preparer Code", 500, 500},
    {"Blank", 501, 512, FieldCheck::Characters},
}};

inline constexpr std::array<FieldLayoutRow, 24> kRELayout{{
    {"Record Identifier", 1, 2},
    {"Tax Year", 3, 6},
    {"Agent Indicator Code", 7, 7},
    {"Employer/Agent EIN", 8, 16},
    {"Agent for EIN", 17, 25},
    {"Terminating Business Indicator", 26, 26},
    {"Establishment Number", 27, 30, FieldCheck::Characters},
    {"Other EIN", 31, 39},
    {"Employer Name", 40, 96, FieldCheck::Characters},
    {"Location Address", 97, 118, FieldCheck::Characters},
    {"Delivery Address", 119, 140, FieldCheck::Characters},
    {"City", 141, 162, FieldCheck::Characters},
    {"State Abbreviation", 163, 164},
    {"Zip Code", 165, 169},
    {"Zip Code Extension", 170, 173},
    {"Kind of Employer", 174, 174},
    {"Blank", 175, 178, FieldCheck::Characters},
    {"Foreign State/Province", 179, 201, FieldCheck::Characters},
    {"Foreign Postal Code", 202, 216, FieldCheck::Characters},
    {"Country Code", 217, 218},
    {"Employment Code", 219, 219},
    {"Tax Jurisdiction Code", 220, 220},
    {"Third-Party Sick Pay Indicator", 221, 221},
    {"Blank", 222, 512, FieldCheck::Characters},
}};

inline constexpr std::array<FieldLayoutRow, 48> kRWLayout{{
    {"Record Identifier", 1, 2},
    {"SSN", 3, 11},
    {"Employee First Name", 12, 26},
    {"Employee Middle Name or Initial", 27, 41},
    {"Employee Last Name", 42, 61},
    {"Suffix", 62, 65, FieldCheck::Characters},
    {"Location Address", 66, 87, FieldCheck::Characters},
    {"Delivery Address", 88, 109, FieldCheck::Characters},
    {"City", 110, 131, FieldCheck::Characters},
    {"State Abbreviation", 132, 133},
    {"Zip Code", 134, 138},
    {"Zip Code Extension", 139, 142},
    {"Blank", 143, 147, FieldCheck::Characters},
    {"Foreign State/Province", 148, 170, FieldCheck::Characters},
    {"Foreign Postal Code", 171, 185, FieldCheck::Characters},
    {"Country Code", 186, 187},
    {"Wages, Tips and Other Compensation", 188, 198, FieldCheck::Money, 1, Territory::Blank},
    {"Federal Income Tax Withheld", 199, 209, FieldCheck::Money, 2, Territory::Blank},
    {"Social Security Wages", 210, 220, FieldCheck::ByRule, 3, Territory::Any},
    {"Social Security Tax Withheld", 221, 231, FieldCheck::ByRule, 4, Territory::Any},
    {"Medicare Wages and Tips", 232, 242, FieldCheck::ByRule, 5, Territory::Any},
    {"Medicare Tax Withheld", 243, 253, FieldCheck::ByRule, 6, Territory::Any},
    {"Social Security Tips", 254, 264, FieldCheck::ByRule, 7, Territory::Any},
    {"Advance Earned Income Credit", 265, 275, FieldCheck::Characters, 0, Territory::Any},
    {"Dependent Care Benefits", 276, 286, FieldCheck::Money, 8, Territory::Blank},
    {"Def. Comp. Contr. to Sec. 401(k)", 287, 297, FieldCheck::Money, 9, Territory::NotP,
     "Deferred Compensation Contributions to Section 401(k)"},
    {"Def. Comp. Contr. to Sec. 403(b)", 298, 308, FieldCheck::Money, 10, Territory::NotP,
     "Deferred Compensation Contributions to Section 403(b)"},
    {"Def. Comp. Contr. to Sec. 408(k)(6)", 309, 319, FieldCheck::Money, 11, Territory::NotP,
     "Deferred Compensation Contributions to Section 408(k)(6)"},
    {"Def. Comp. Contr. to Sec. 457(b)", 320, 330, FieldCheck::Money, 12, Territory::NotP,
     "Deferred Compensation Contributions to Section 457(b)"},
    {"Def. Comp. Contr. to Sec. 501(c)(18)(d)", 331, 341, FieldCheck::Money, 13, Territory::NotP,
     "Deferred Compensation Contributions to Section 501(c)(18)(D)"},
    {"Military Employee B.Q.S.C. Pay", 342, 352, FieldCheck::Money, 14, Territory::Blank},
    {"Non-qualified Plan Sec. 457 Distr. or Contr.", 353, 363, FieldCheck::Money, 15,
     Territory::NotP, "Non-qualified Plan Section 457 Distributions or Contributions"},
    {"Employer Contributions to a Health Savings Account", 364, 374, FieldCheck::Money, 16,
     Territory::NotPAndN},
    {"Non-qualified Plan Not Sec. 457 Distr. or Contr.", 375, 385, FieldCheck::Money, 17,
     Territory::NotP, "Non-qualified Plan Not Section 457 Distributions or Contributions"},
    {"Nontaxable Combat Pay", 386, 396, FieldCheck::Money, 18, Territory::NotPAndN},
    {"Blank", 397, 407, FieldCheck::Characters, 0, Territory::Any},
    {"Emp. Cost of Prem. for G.T.L.I. Over $50,000", 408, 418, FieldCheck::Money, 19,
     Territory::NotP, "Employer Cost of Premiums for Group Term Life Insurance Over $50,000"},
    {"Income from the Exercise of Nonstatutory Stock Options", 419, 429, FieldCheck::Money, 20,
     Territory::NotP},
    {"Def. Under a Sec. 409A Non-qualified Def. Comp. Plan", 430, 440, FieldCheck::Money, 21,
     Territory::NotPAndN,
     "Deferrals Under a Section 409A Non-qualified Deferred Compensation Plan"},
    {"Designated Roth Contr. to a Sec. 401(k) Plan", 441, 451, FieldCheck::Money, 22,
     Territory::NotP, "Designated Roth Contributions to a Section 401(k) Plan"},
    {"Designated Roth Contr. Under a Sec. 403(b) Salary Reduction Agreement", 452, 462,
     FieldCheck::Money, 23, Territory::NotP,
     "Designated Roth Contributions Under a Section 403(b) Salary Reduction Agreement"},
    {"Cost of Employer-Sponsored Health Coverage", 463, 473, FieldCheck::Characters, 0,
     Territory::Any},
    {"Blank", 474, 485, FieldCheck::Characters},
    {"Statutory Employee Indicator", 486, 486},
    {"Blank", 487, 487, FieldCheck::Characters},
    {"Retirement Plan Indicator", 488, 488},
    {"Third-Party Sick Pay Indicator", 489, 489},
    {"Blank", 490, 512, FieldCheck::Characters},
}};

inline constexpr std::array<FieldLayoutRow, 24> kROLayout{{
    {"Record Identifier", 1, 2},
    {"Blank", 3, 11, FieldCheck::Characters, 0, Territory::Any},
    {"Allocated Tips", 12, 22, FieldCheck::Money, 1, Territory::Blank},
    {"Uncollected Employee Tax on Tips", 23, 33, FieldCheck::UnrestrictedMoney, 2, Territory::Any},
    {"Medical Savings Account", 34, 44, FieldCheck::Money, 3, Territory::NotPAndN},
    {"Simple Retirement Account", 45, 55, FieldCheck::Money, 4, Territory::NotP},
    {"Qualified Adoption Expenses", 56, 66, FieldCheck::Money, 5, Territory::NotPAndN},
    {"Uncollected Social Security or RRTA Tax on Cost of Group Term Life Insurance over $50,000",
     67, 77, FieldCheck::Money, 6, Territory::NotP},
    {"Uncollected Medicare Tax on Cost of Group Term Life Insurance over $50,000", 78, 88,
     FieldCheck::Money, 7, Territory::NotP},
    {"Income Under Section 409A on a Non-qualified Deferred Compensation Plan", 89, 99,
     FieldCheck::Money, 8, Territory::NotPAndN},
    {"HIRE Exempt Wages and Tips", 100, 110, FieldCheck::Characters, 0, Territory::Any},
    {"Designated Roth Contributions Under a Governmental Section 457(b) Plan", 111, 121,
     FieldCheck::Characters, 0, Territory::Any},
    {"Blank", 122, 274, FieldCheck::Characters, 0, Territory::Any},
    {"Wages Subject to Puerto Rico Tax", 275, 285, FieldCheck::Money, 9, Territory::PuertoRico},
    {"Commissions Subject to Puerto Rico Tax", 286, 296, FieldCheck::Money, 10,
     Territory::PuertoRico},
    {"Allowances Subject to Puerto Rico Tax", 297, 307, FieldCheck::Money, 11,
     Territory::PuertoRico},
    {"Tips Subject to Puerto Rico Tax", 308, 318, FieldCheck::Money, 12, Territory::PuertoRico},
    {"Total Wages, Commissions, Tips and Allowances Subject to Puerto Rico Tax", 319, 329,
     FieldCheck::Money, 13, Territory::PuertoRico},
    {"Puerto Rico Tax Withheld", 330, 340, FieldCheck::Money, 14, Territory::PuertoRico},
    {"Retirement Fund Annual Contributions", 341, 351, FieldCheck::Money, 15,
     Territory::PuertoRico},
    {"Blank", 352, 362, FieldCheck::Characters, 0, Territory::Any},
    {"Total Wages, Tips and Other Compensation Subject to Virgin Islands, Guam, American Samoa or "
     "Northern Mariana Islands Income Tax",
     363, 373, FieldCheck::Money, 16, Territory::Islands},
    {"Virgin Islands, Guam, American Samoa or Northern Mariana Islands Income Tax Withheld", 374,
     384, FieldCheck::Money, 17, Territory::Islands},
    {"Blank", 385, 512, FieldCheck::Characters, 0, Territory::Any},
}};

inline constexpr std::array<FieldLayoutRow, 29> kRTLayout{{
    {"Record Identifier", 1, 2},
    {"Number of RW Records", 3, 9, FieldCheck::Count, 0, Territory::Any},
    {"Wages, Tips and Other Compensation", 10, 24, FieldCheck::Money, 1, Territory::Any},
    {"Federal Income Tax Withheld", 25, 39, FieldCheck::Money, 2, Territory::Any},
    {"Social Security Wages", 40, 54, FieldCheck::Money, 3, Territory::Any, nullptr,
     ZeroUnder::XOrQ},
    {"Social Security Tax Withheld", 55, 69, FieldCheck::Money, 4, Territory::Any, nullptr,
     ZeroUnder::XOrQ},
    {"Medicare Wages and Tips", 70, 84, FieldCheck::Money, 5, Territory::Any, nullptr,
     ZeroUnder::X},
    {"Medicare Tax Withheld", 85, 99, FieldCheck::Money, 6, Territory::Any, nullptr, ZeroUnder::X},
    {"Social Security Tips", 100, 114, FieldCheck::Money, 7, Territory::Any, nullptr,
     ZeroUnder::XOrQ},
    {"Advance Earned Income Credit", 115, 129, FieldCheck::Characters, 0, Territory::Any},
    {"Dependent Care Benefits", 130, 144, FieldCheck::Money, 8, Territory::Any},
    {"Def. Comp. Contr. to Sec. 401(k)", 145, 159, FieldCheck::Money, 9, Territory::Any,
     "Deferred Compensation Contributions to Section 401(k)"},
    {"Def. Comp. Contr. to Sec. 403(b)", 160, 174, FieldCheck::Money, 10, Territory::Any,
     "Deferred Compensation Contributions to Section 403(b)"},
    {"Def. Comp. Contr. to Sec. 408(k)(6)", 175, 189, FieldCheck::Money, 11, Territory::Any,
     "Deferred Compensation Contributions to Section 408(k)(6)"},
    {"Def. Comp. Contr. to Sec. 457(b)", 190, 204, FieldCheck::Money, 12, Territory::Any,
     "Deferred Compensation Contributions to Section 457(b)"},
    {"Def. Comp. Contr. to Sec. 501(c)(18)(d)", 205, 219, FieldCheck::Money, 13, Territory::Any,
     "Deferred Compensation Contributions to Section 501(c)(18)(D)"},
    {"Military Employee B.Q.S.C. Pay", 220, 234, FieldCheck::Money, 14, Territory::Any,
     "Military Employee Basic Quarters, Subsistence and Combat Pay"},
    {"Non-qualified Plan Sec. 457 Distr. or Contr.", 235, 249, FieldCheck::Money, 15,
     Territory::Any, "Non-qualified Plan Section 457 Distributions or Contributions"},
    {"Employer Contributions to a Health Savings Account", 250, 264, FieldCheck::Money, 16,
     Territory::Any},
    {"Non-qualified Plan Not Sec. 457 Distr. or Contr.", 265, 279, FieldCheck::Money, 17,
     Territory::Any, "Non-qualified Plan Not Section 457 Distributions or Contributions"},
    {"Nontaxable Combat Pay", 280, 294, FieldCheck::Money, 18, Territory::Any},
    {"Cost of Employer-Sponsored Health Coverage", 295, 309, FieldCheck::Characters, 0,
     Territory::Any},
    {"Emp. Cost of Prem. for G.T.L.I. Over $50,000", 310, 324, FieldCheck::Money, 19,
     Territory::Any, "Employer Cost of Premiums for Group Term Life Insurance Over $50,000"},
    {"Inc. Tax Withheld by Payer of Third-Party Sick Pay", 325, 339, FieldCheck::SickPay, 0,
     Territory::Any, "Income Tax Withheld by Payer of Third-Party Sick Pay"},
    {"Income from the Exercise of Nonstatutory Stock Options", 340, 354, FieldCheck::Money, 20,
     Territory::Any},
    {"Deferrals Under a Sec. 409A Non-qualified Def. Comp. Plan", 355, 369, FieldCheck::Money, 21,
     Territory::Any, "Deferrals Under a Section 409A Non-qualified Deferred Compensation Plan"},
    {"Designated Roth Contr. to a Sec. 401(k) Plan", 370, 384, FieldCheck::Money, 22,
     Territory::Any, "Designated Roth Contributions to a Section 401(k) Plan"},
    {"Designated Roth Contr. Under a Sec. 403(b) Salary Reduction Agreement", 385, 399,
     FieldCheck::Money, 23, Territory::Any,
     "Designated Roth Contributions Under a Section 403(b) Salary Reduction Agreement"},
    {"Blank", 400, 512, FieldCheck::Characters, 0, Territory::Any},
}};

inline constexpr std::array<FieldLayoutRow, 23> kRULayout{{
    {"Record Identifier", 1, 2},
    {"Number of RO Records", 3, 9, FieldCheck::Count, 0, Territory::Any},
    {"Allocated Tips", 10, 24, FieldCheck::Money, 1, Territory::Any},
    {"Uncollected Employee Tax on Tips", 25, 39, FieldCheck::Money, 2, Territory::Any},
    {"Medical Savings Account", 40, 54, FieldCheck::Money, 3, Territory::Any},
    {"Simple Retirement Account", 55, 69, FieldCheck::Money, 4, Territory::Any},
    {"Qualified Adoption Expenses", 70, 84, FieldCheck::Money, 5, Territory::Any},
    {"Uncollected Social Security or RRTA Tax on Cost of Group Term Life Insurance over $50,000",
     85, 99, FieldCheck::Money, 6, Territory::Any},
    {"Uncollected Medicare Tax on Cost of Group Term Life Insurance over $50,000", 100, 114,
     FieldCheck::Money, 7, Territory::Any},
    {"Income Under Section 409A on a Non-qualified Deferred Compensation Plan", 115, 129,
     FieldCheck::Money, 8, Territory::Any},
    {"HIRE Exempt Wages and Tips", 130, 144, FieldCheck::Characters, 0, Territory::Any},
    {"Designated Roth Contributions Under a Governmental Section 457(b) Plan", 145, 159,
     FieldCheck::Characters, 0, Territory::Any},
    {"Blank", 160, 354, FieldCheck::Characters, 0, Territory::Any},
    {"Wages Subject to Puerto Rico Tax", 355, 369, FieldCheck::Money, 9, Territory::Any},
    {"Commissions Subject to Puerto Rico Tax", 370, 384, FieldCheck::Money, 10, Territory::Any},
    {"Allowances Subject to Puerto Rico Tax", 385, 399, FieldCheck::Money, 11, Territory::Any},
    {"Tips Subject to Puerto Rico Tax", 400, 414, FieldCheck::Money, 12, Territory::Any},
    {"Total Wages, Commissions, Tips and Allowances Subject to Puerto Rico Tax", 415, 429,
     FieldCheck::Money, 13, Territory::Any},
    {"Puerto Rico Tax Withheld", 430, 444, FieldCheck::Money, 14, Territory::Any},
    {"Retirement Fund Annual Contributions", 445, 459, FieldCheck::Money, 15, Territory::Any},
    {"Total Wages, Tips and Other Compensation Subject to Virgin Islands, Guam, American Samoa or "
     "Northern Mariana Islands Income Tax",
     460, 474, FieldCheck::Money, 16, Territory::Any},
    {"Virgin Islands, Guam, American Samoa or Northern Mariana Islands Income Tax Withheld", 475,
     489, FieldCheck::Money, 17, Territory::Any},
    {"Blank", 490, 512, FieldCheck::Characters, 0, Territory::Any},
}};

inline constexpr std::array<FieldLayoutRow, 4> kRFLayout{{
    {"Record Identifier", 1, 2},
    {"Blank", 3, 7, FieldCheck::Characters},
    {"Number of RW Records", 8, 16},
    {"Blank", 17, 512, FieldCheck::Characters},
}};

// The layout of a record type by its identifier; empty for RS, RV and anything else
// (the viewer then shows the identifier alone).
std::span<const FieldLayoutRow> LayoutFor(std::string_view id);

}  // namespace ledgerly
