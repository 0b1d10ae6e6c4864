#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "reports/ReportSink.h"

namespace ledgerly::gui {

inline constexpr const char* kReportTooLarge =
    "This report is too large to fit into the text preview.";

// Collects the text report for the preview. Once it has grown past 64,000
// characters the user is asked (once) to save it as a file; the text so far
// and every later piece go to that file, and the preview shows only the
// too-large sentence. Declining or cancelling ends the report there.
class PreviewSink : public ReportSink {
 public:
  struct Hooks {
    std::function<void()> disable_save;
    // The "Report Too Large" question: true for Yes.
    std::function<bool()> ask_to_save;
    // Save As with the text so far: the file written, or nothing when cancelled.
    std::function<std::optional<std::string>(const std::string& text)> save_as;
    // Appends a piece (and a line break) to the file.
    std::function<void(const std::string& file, const std::string& text)> append;
  };

  static constexpr std::size_t kPreviewLimit = 64000;

  explicit PreviewSink(Hooks hooks) : hooks_(std::move(hooks)) {}

  void Write(std::string_view piece) override;
  bool ErrorBlockDone() override;
  // Ends the build: the rest goes to the file, if there is one. Returns the
  // text the preview shows.
  std::string Finish();

 private:
  Hooks hooks_;
  std::string text_;
  std::size_t characters_ = 0;
  std::optional<std::string> report_file_;
  bool ended_ = false;
};

}  // namespace ledgerly::gui
