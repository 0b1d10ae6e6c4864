#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ResultReader.h"

// How the reports that show them put the likely causes of damage: the text
// and HTML reports never do, so they stay as they were.
namespace ledgerly {

// "Likely causes" and one paragraph per cause with the entries it explains;
// empty when there are none. LF line ends, for a terminal.
std::string LikelyCausesBlock(const std::vector<StoredDiagnosis>& diagnoses);

// The exact bytes of a user entry (stored as the UTF-8 of its Latin-1 bytes) in
// hex, where one is 0x80 or above: what the text alone shows as mojibake.
std::optional<std::string> UserEntryBytes(std::string_view user_entry);

}  // namespace ledgerly
