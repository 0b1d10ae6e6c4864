#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "reports/ReportSink.h"

namespace ledgerly {

inline constexpr const char* kTempHtmlFileName = "temphtm.HTM";
// What the temporary file holds when the browser is opened on the filing service.
inline constexpr const char* kEmptyHtmlPage = "<HTML> </HTML>";

// Appends text and a CR LF to temphtm.HTM in the data folder and returns the
// file's path. A text that begins a document (longer than 9 characters and
// starting with "<!DOCTYPE") or is empty replaces the old file; an empty text
// becomes kEmptyHtmlPage, also in the caller's variable. Write failures throw
// std::filesystem::filesystem_error.
std::filesystem::path WriteTempHtml(const std::filesystem::path& data_folder, std::string& text);

// Collects an HTML report and hands it to WriteTempHtml in pieces: whenever more
// than 64,000 characters have gathered after an error block, and the rest at Finish.
class TempHtmlSink : public ReportSink {
 public:
  explicit TempHtmlSink(std::filesystem::path data_folder) : data_folder_(std::move(data_folder)) {}
  void Write(std::string_view piece) override { pending_ += piece; }
  bool ErrorBlockDone() override;
  // Writes the last piece and returns the file's path.
  std::filesystem::path Finish();

 private:
  static constexpr std::size_t kPieceLimit = 64000;
  std::filesystem::path data_folder_;
  std::string pending_;
  bool written_ = false;
};

}  // namespace ledgerly
