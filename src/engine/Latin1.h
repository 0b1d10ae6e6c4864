#pragma once

#include <string>
#include <string_view>

namespace ledgerly {

// A submission is single-byte text: each byte is the Latin-1 character of that
// code, so positions stay byte positions. The result database holds UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

// The inverse for text read back from the database (characters above 255 become '?').
std::string Utf8ToLatin1(std::string_view utf8);

}  // namespace ledgerly
