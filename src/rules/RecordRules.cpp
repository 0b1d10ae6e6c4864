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
}  // namespace ledgerly
