#include "desktop/report/PreviewSink.h"

#include "reports/Utf8Text.h"

namespace ledgerly::gui {
void PreviewSink::Write(std::string_view piece) {
  text_ += piece;
  characters_ += Utf8CharacterCount(piece);
}

bool PreviewSink::ErrorBlockDone() {
  if (characters_ <= kPreviewLimit) return true;
  hooks_.disable_save();
  if (!report_file_) {
    const std::optional<std::string> file =
        hooks_.ask_to_save() ? hooks_.save_as(text_) : std::nullopt;
    if (!file) {
      text_ = kReportTooLarge;
      ended_ = true;
      return false;
    }
    report_file_ = file;
  } else {
    hooks_.append(*report_file_, text_);
  }
  text_.clear();
  characters_ = 0;
  return true;
}

std::string PreviewSink::Finish() {
  if (ended_) return text_;
  if (!report_file_) return text_;
  hooks_.append(*report_file_, text_);
  text_.clear();
  characters_ = 0;
  return kReportTooLarge;
}

}  // namespace ledgerly::gui
