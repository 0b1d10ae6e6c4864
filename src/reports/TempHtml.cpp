#include "reports/TempHtml.h"

#include "reports/TextFile.h"

namespace ledgerly {
namespace {

constexpr std::string_view kDocTypeStart = "<!DOCTYPE";

bool StartsNewDocument(std::string_view text) {
  return text.empty() || (text.size() > kDocTypeStart.size() && text.starts_with(kDocTypeStart));
}

}  // namespace

std::filesystem::path WriteTempHtml(const std::filesystem::path& data_folder, std::string& text) {
  std::filesystem::path path = data_folder / kTempHtmlFileName;
  const bool new_document = StartsNewDocument(text);
  if (text.empty()) text = kEmptyHtmlPage;
  // A new document starts a new file, created for the user only, whatever an
  // earlier version's file allowed.
  std::error_code ignored;
  if (new_document) std::filesystem::remove(path, ignored);
  AppendReportText(path, text, new_document);
  return path;
}

bool TempHtmlSink::ErrorBlockDone() {
  if (pending_.size() > kPieceLimit) {
    WriteTempHtml(data_folder_, pending_);
    pending_.clear();
    written_ = true;
  }
  return true;
}

std::filesystem::path TempHtmlSink::Finish() {
  // An empty last piece would replace the report with the placeholder page.
  if (pending_.empty() && written_) return data_folder_ / kTempHtmlFileName;
  std::filesystem::path path = WriteTempHtml(data_folder_, pending_);
  pending_.clear();
  return path;
}

}  // namespace ledgerly
