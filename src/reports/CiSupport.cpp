#include "reports/CiSupport.h"

#include <cstdio>
#include <fstream>

#include "layout/RecordLayouts.h"
#include "reports/HtmlReport.h"
#include "reports/Utf8Text.h"

namespace ledgerly {

std::optional<FieldSpan> FieldSpanOf(std::string_view code) {
  const Check* check = FindCheck(code);
  if (check == nullptr) return std::nullopt;
  const auto layout = LayoutFor(check->record_type);
  if (check->field <= 0 || check->field >= static_cast<int>(layout.size())) return std::nullopt;
  const FieldLayoutRow& field = layout[static_cast<std::size_t>(check->field)];
  return FieldSpan{check->field, field.first, field.last};
}

FilePlace PlaceOf(const ErrorRow& row, bool line_breaks) {
  const std::optional<FieldSpan> span = FieldSpanOf(row.code);
  const int64_t first = span ? span->first : 1;
  const int64_t last = span ? span->last : static_cast<int64_t>(kRecordLength);
  if (line_breaks) return {row.rec_num, first, last};
  const int64_t start = (row.rec_num - 1) * static_cast<int64_t>(kRecordLength);
  return {1, start + first, start + last};
}

bool HasLineBreaks(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  file.seekg(static_cast<std::streamoff>(kRecordLength));
  const int next = file.get();
  return !file || next == '\r' || next == '\n';
}

std::string Fingerprint(const ErrorRow& row) {
  uint64_t hash = 14695981039346656037ULL;
  const auto add = [&hash](std::string_view part) {
    for (const char c : part) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ULL;
    }
    hash ^= 0xff;  // between parts, so that "ab"+"c" differs from "a"+"bc"
    hash *= 1099511628211ULL;
  };
  add(row.code.empty() ? row.reference : row.code);
  add(row.id);
  add(row.rec_reference);
  add(row.user_entry);
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

std::string FindingMessage(const ErrorRow& row) {
  const std::string identification = IdentificationText(row.id, row.rec_reference);
  return "Record " + std::to_string(row.rec_num) + " (" + row.id +
         (identification.empty() ? "" : ", " + identification) + "): " + row.error + " [" +
         row.reference + ": " + row.user_entry + "]";
}

std::string XmlEscaped(std::string_view text) {
  std::string utf8 = EscapeInvalidUtf8(text);
  // XML allows no control character but tab and the line ends.
  for (char& c : utf8) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') c = '?';
  }
  std::string escaped;
  for (const char c : EscapeHtml(utf8)) {
    if (c == '\'') {
      escaped += "&apos;";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string FileUri(std::string_view path) {
  std::string uri = path.starts_with('/') ? "file://" : "";
  for (const char c : path) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) != 0 || std::string_view("-._~/").find(c) != std::string_view::npos) {
      uri += c;
    } else {
      char encoded[4];
      std::snprintf(encoded, sizeof encoded, "%%%02X", u);
      uri += encoded;
    }
  }
  return uri;
}

}  // namespace ledgerly
