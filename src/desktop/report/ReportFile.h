#pragma once

#include <QString>
#include <string_view>

namespace ledgerly::gui {

// Writes report text to a file followed by one CR LF. Replace mode deletes an
// existing file first; append mode adds to it. An empty file name writes
// nothing. Failures throw std::filesystem::filesystem_error.
void WriteReportFile(const QString& file_name, std::string_view text, bool replace);

}  // namespace ledgerly::gui
