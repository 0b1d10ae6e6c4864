#pragma once

#include <string_view>

#include "rules/Findings.h"

namespace ledgerly {

// The record-order rule for a record whose predecessor is prev (both identifiers
// as read). Returns the rule's finding when cur may not follow prev, else nullptr.
const Finding* SequenceViolation(std::string_view prev, std::string_view cur, bool ro_seen,
                                 bool rs_seen);

}  // namespace ledgerly
