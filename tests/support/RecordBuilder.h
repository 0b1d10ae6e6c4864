#pragma once

#include <string>
#include <string_view>

namespace ledgerly::test {

// A 512-character record of spaces starting with the identifier.
std::string BlankRecord(std::string_view id);

// Writes text into the record at its 1-based position (the record grows if needed).
void Put(std::string& record, int position, std::string_view text);

}  // namespace ledgerly::test
