#include "rules/RecordRules.h"

#include <array>
#include <string_view>

namespace ledgerly {

bool IsRecordIdentifier(std::string_view id) {
  static constexpr std::array<std::string_view, 9> kIds{"RA", "RE", "RW", "RO", "RS",
                                                        "RT", "RU", "RV", "RF"};
  for (std::string_view known : kIds) {
    if (id == known) return true;
  }
  return false;
}

void CheckRecordFields(std::string_view id, std::string_view txtline, int64_t rec_ctr,
                       RuleContext& ctx) {
  if (id == "RA") CheckCodeRA(txtline, ctx);
  if (id == "RE") CheckCodeRE(txtline, ctx);
  if (id == "RW") CheckCodeRW(txtline, ctx);
  if (id == "RO") CheckCodeRO(txtline, ctx);
  if (id == "RT") CheckCodeRT(txtline, rec_ctr, ctx);
  if (id == "RU") CheckCodeRU(txtline, rec_ctr, ctx);
  if (id == "RF") CheckCodeRF(txtline, ctx);
}

}  // namespace ledgerly
