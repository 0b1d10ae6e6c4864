#include "rules/RecordRules.h"

namespace ledgerly {

void CheckRecordFields(std::string_view id, std::string_view txtline, RuleContext& ctx) {
  if (id == "RA") CheckCodeRA(txtline, ctx);
  if (id == "RE") CheckCodeRE(txtline, ctx);
  if (id == "RW") CheckCodeRW(txtline, ctx);
  if (id == "RO") CheckCodeRO(txtline, ctx);
  if (id == "RT") CheckCodeRT(txtline, ctx);
  if (id == "RU") CheckCodeRU(txtline, ctx);
  if (id == "RF") CheckCodeRF(txtline, ctx);
}

}  // namespace ledgerly
