#include "reports/TempHtml.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace ledgerly {
namespace {

constexpr std::string_view kDocTypeStart = "<!DOCTYPE";

bool StartsNewDocument(std::string_view text) {
  return text.empty() || (text.size() > kDocTypeStart.size() && text.starts_with(kDocTypeStart));
}

[[noreturn]] void FailWrite(const std::filesystem::path& path) {
  throw std::filesystem::filesystem_error("Cannot write the temporary report", path,
                                          std::error_code(errno, std::generic_category()));
}

}  // namespace

std::filesystem::path WriteTempHtml(const std::filesystem::path& data_folder, std::string& text) {
  const std::filesystem::path path = data_folder / kTempHtmlFileName;
  if (StartsNewDocument(text)) std::filesystem::remove(path);
  if (text.empty()) text = kEmptyHtmlPage;

  std::ofstream file(path, std::ios::binary | std::ios::app);
  if (!file) FailWrite(path);
  file << text << "\r\n";
  file.close();
  if (!file) FailWrite(path);
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
  const std::filesystem::path path = WriteTempHtml(data_folder_, pending_);
  pending_.clear();
  return path;
}

}  // namespace ledgerly
