#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Bytes a submission should not hold (anything outside printable ASCII) and
// what they most likely are: a character of another encoding, or a control
// character a program wrote in place of spaces.
namespace ledgerly {

enum class OddKind : unsigned char { Utf8, Windows1252, Tab, Nul, Control };

struct OddRun {
  std::size_t at = 0;
  std::size_t length = 1;
  OddKind kind = OddKind::Control;
  char32_t code_point = 0;  // of an encoded character; 0 for a control byte
};

inline bool IsOddByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 0x20 || u >= 0x7F;
}

// The run of bytes at `at` (an odd byte): a whole UTF-8 sequence where the
// bytes make one, else the single byte.
OddRun ReadOddRun(std::string_view bytes, std::size_t at);

// The ASCII letter or sign a character is usually written as; '\0' for none.
char AsciiFor(char32_t code_point);

std::string Utf8Of(char32_t code_point);

// "C3 89"
std::string HexBytes(std::string_view bytes);

}  // namespace ledgerly
