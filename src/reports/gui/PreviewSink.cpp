#include "reports/gui/PreviewSink.h"

namespace ledgerly::gui {
namespace {

// The text is UTF-8: continuation bytes do not start a character.
std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

void PreviewSink::Write(std::string_view piece) {
  text_ += piece;
  characters_ += CountCharacters(piece);
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
