#include "engine/OddBytes.h"

#include <array>

namespace ledgerly {
namespace {

// Windows-1252 0x80-0x9F; 0 where the code page leaves a byte undefined.
constexpr std::array<char32_t, 32> kWindows1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// U+00C0-U+00FF without their accents; '?' where there is no plain letter.
constexpr std::string_view kLatin1Letters =
    "AAAAAAACEEEEIIIIDNOOOOO?OUUUUY?Saaaaaaaceeeeiiiidnooooo?ouuuuy?y";

bool Continuation(std::string_view bytes, std::size_t i) {
  return i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80;
}

// The code point of a well-formed UTF-8 sequence of `length` bytes at `at`, or 0.
char32_t DecodeUtf8(std::string_view bytes, std::size_t at, std::size_t length) {
  constexpr std::array<unsigned, 5> kLeadMask{0, 0, 0x1F, 0x0F, 0x07};
  constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
  char32_t cp = static_cast<unsigned char>(bytes[at]) & kLeadMask[length];
  for (std::size_t i = 1; i < length; ++i) {
    if (!Continuation(bytes, at + i)) return 0;
    cp = (cp << 6) | (static_cast<unsigned char>(bytes[at + i]) & 0x3F);
  }
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  return cp < kSmallest[length] || cp > 0x10FFFF || surrogate ? 0 : cp;
}

}  // namespace

OddRun ReadOddRun(std::string_view bytes, std::size_t at) {
  const auto byte = static_cast<unsigned char>(bytes[at]);
  if (byte == '\t') return {at, 1, OddKind::Tab, 0};
  if (byte == 0) return {at, 1, OddKind::Nul, 0};
  if (byte < 0x80) return {at, 1, OddKind::Control, 0};
  const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 0;
  if (length > 0 && byte <= 0xF4) {
    if (const char32_t cp = DecodeUtf8(bytes, at, length)) return {at, length, OddKind::Utf8, cp};
  }
  const char32_t cp = byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
  return {at, 1, cp == 0 ? OddKind::Control : OddKind::Windows1252, cp};
}

char AsciiFor(char32_t code_point) {
  if (code_point >= 0xC0 && code_point <= 0xFF) {
    const char c = kLatin1Letters[code_point - 0xC0];
    return c == '?' ? '\0' : c;
  }
  switch (code_point) {
    case 0xA0:
      return ' ';
    case 0x0160:
      return 'S';
    case 0x0161:
      return 's';
    case 0x017D:
      return 'Z';
    case 0x017E:
      return 'z';
    case 0x0178:
      return 'Y';
    case 0x0152:
      return 'O';
    case 0x0153:
      return 'o';
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x2039:
    case 0x203A:
      return '\'';
    case 0x201C:
    case 0x201D:
    case 0x201E:
      return '"';
    case 0x2013:
    case 0x2014:
      return '-';
    default:
      return '\0';
  }
}

std::string Utf8Of(char32_t code_point) {
  const char32_t cp = code_point;
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

std::string HexBytes(std::string_view bytes) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (!out.empty()) out += ' ';
    out += kDigits[u >> 4];
    out += kDigits[u & 0xF];
  }
  return out;
}

}  // namespace ledgerly
