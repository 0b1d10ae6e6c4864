#pragma once

#include <filesystem>
#include <string_view>

namespace ledgerly {

// Adds text and one CR LF to the file, creating it for the user only when
// missing; replace empties an existing file first (its mode is kept). Report
// files and the temporary HTML page are all written so. Failures throw
// std::filesystem::filesystem_error.
void AppendReportText(const std::filesystem::path& path, std::string_view text, bool replace);

}  // namespace ledgerly
