#pragma once

#include <filesystem>

namespace ledgerly::gui {

// The HTML report names its background image without a folder, so the browser
// looks for it next to temphtm.HTM.
inline constexpr const char* kReportImageFileName = "orvanehalf.gif";

// Puts the background image into the data folder unless it is there already.
// A failure only costs the report its background, so it is not reported.
void WriteReportImage(const std::filesystem::path& data_folder);

}  // namespace ledgerly::gui
