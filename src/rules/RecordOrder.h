#pragma once

#include <optional>
#include <string_view>

namespace ledgerly {

// The record-order rule for a record whose predecessor is prev (both identifiers
// as read). Returns the rule's message when cur may not follow prev.
std::optional<std::string_view> SequenceViolation(std::string_view prev, std::string_view cur,
                                                  bool ro_seen, bool rs_seen);

}  // namespace ledgerly
