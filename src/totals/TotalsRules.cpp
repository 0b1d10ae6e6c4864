#include "totals/TotalsRules.h"

#include <string>

#include "rules/DetailFieldChecks.h"
#include "rules/Primitives.h"

namespace ledgerly {
namespace {

std::string EntryOf(std::string_view txtline, int beg, int length) {
  return UserEntry(Field(txtline, beg, beg + length - 1));
}

}  // namespace

void TerritoryMoney(std::string_view txtline, std::string_view id, std::string_view field_name,
                    int field_beg_pos, int field_end_pos, int field_length, int txt_array_num,
                    int64_t amnt, std::string_view terr, int tru_index, RuleContext& ctx) {
  if (amnt == 0) return;

  // An invalid code leaves TaxJurisdiction empty and valid false, so no rule fires.
  const std::string& tjc = ctx.employer.TaxJurisdiction;
  const bool valid = ctx.employer.TaxJurisdictionOK;
  bool not_allowed = false;
  std::string_view ending;
  if (terr == Terr::kIslands) {
    not_allowed = valid && !IsOneOf(tjc, "GVSN");
    ending = " field or change the Tax Jurisdiction Code in the RE record to V, G, S or N.";
  } else if (terr == Terr::kNotP) {
    not_allowed = tjc == "P";
    ending = " field or change the Tax Jurisdiction Code in the RE record to V, G, S, N or blank.";
  } else if (terr == Terr::kNotPAndN) {
    not_allowed = tjc == "P" || tjc == "N";
    ending = " field or change the Tax Jurisdiction Code in the RE record to V, G, S or blank.";
  } else {
    not_allowed = valid && tjc != terr;
  }

  if (not_allowed) {
    std::string text = "The ";
    text += field_name;
    text +=
        " field must be zero because it does not apply to the Tax Jurisdiction Code entered in the "
        "RE record. Either enter a value of zero in the ";
    text += field_name;
    if (ending.empty()) {
      text += " field or change the Tax Jurisdiction Code in the RE record to ";
      text += terr == Terr::kBlank ? std::string_view("blank") : terr;
      text += ".";
    } else {
      text += ending;
    }
    ctx.AddFieldError(FieldReference(field_name, field_beg_pos, field_end_pos),
                      EntryOf(txtline, field_beg_pos, field_length), text, txt_array_num);
  }

  if (id == "RW") {
    ctx.AddToTRT(tru_index, false, amnt);
  } else {
    ctx.AddToTRU(tru_index, false, amnt);
  }
}

void MoneyTotal(std::string_view txtline, std::string_view id, std::string_view field_name,
                int field_beg_pos, int field_end_pos, int field_length, int txt_array_num,
                int64_t total, std::string_view str_his_total, RuleContext& ctx) {
  const std::string calculated = std::to_string(total);
  const std::string reported = std::to_string(ToNumber(str_his_total));
  const std::string name(field_name);
  std::string text;
  if (id == "RW") {
    text = "The sum of the RW " + name + " amounts does not equal the amount in the " + name +
           " of the RT record. The calculated sum of the RW amounts for the " + name +
           " of the RT record is " + calculated + ". The reported sum of the RW amounts for the " +
           name + " of the RT record is " + reported + ".";
  } else {
    text = "The sum of the RO " + name + " amounts does not equal the amount in the " + name +
           " of the RU record.  The calculated sum of the RO amounts for the " + name +
           " of the RU record is " + calculated + ". The reported sum of the RO amounts for the " +
           name + " of the RU record is " + reported + ".";
  }
  ctx.AddFieldError(FieldReference(field_name, field_beg_pos, field_end_pos),
                    EntryOf(txtline, field_beg_pos, field_length), text, txt_array_num);
}

void MoneyTotal2(std::string_view txtline, std::string_view id, std::string_view field_name,
                 int field_beg_pos, int field_end_pos, int field_length, int txt_array_num,
                 std::string_view total_err_ref, RuleContext& ctx) {
  std::string text =
      "The calculated sum is incorrect because of a non-numeric value entered in the ";
  text += id;
  text += " record with SSN#: ";
  text += total_err_ref;
  text += ".";
  ctx.AddFieldError(FieldReference(field_name, field_beg_pos, field_end_pos),
                    EntryOf(txtline, field_beg_pos, field_length), text, txt_array_num);
}

}  // namespace ledgerly
