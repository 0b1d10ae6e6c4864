#include "reports/Utf8Text.h"

#include <cstdio>

namespace ledgerly {
namespace {

// The length of the valid UTF-8 sequence at the start of text, or 0.
std::size_t ValidSequenceLength(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsUtf8Continuation(text[i])) return 0;
  }
  return length;
}

}  // namespace

std::string EscapeInvalidUtf8(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  while (!text.empty()) {
    std::size_t length = ValidSequenceLength(text);
    if (length > 0) {
      escaped.append(text.substr(0, length));
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(text[0]));
      escaped += hex;
      length = 1;
    }
    text.remove_prefix(length);
  }
  return escaped;
}

}  // namespace ledgerly
