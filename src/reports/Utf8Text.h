#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ledgerly {

// Report texts are UTF-8; the limits and breaks count characters, not bytes.
inline bool IsUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

inline std::size_t Utf8CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += IsUtf8Continuation(c) ? 0 : 1;
  return count;
}

// The text with every byte that is not part of valid UTF-8 written as \xNN, so
// that a report naming a file whose name is not UTF-8 is UTF-8 all the same.
std::string EscapeInvalidUtf8(std::string_view text);

}  // namespace ledgerly
