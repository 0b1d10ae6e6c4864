#pragma once

#include <array>
#include <string_view>

// The likely causes of byte-level damage a diagnosis can name. They are not
// findings: they add no Error entry and change no count. Each has a code of
// its own beside the catalogue of checks ("DIAG." and its kind), which never
// changes once released.
namespace ledgerly {

struct Cause {
  std::string_view code;
  std::string_view title;
};

namespace cause {

inline constexpr Cause kUtf8{"DIAG.utf8", "A character written in UTF-8 (two to four bytes)"};
inline constexpr Cause kWindows1252{"DIAG.windows-1252",
                                    "A letter or sign of Windows-1252 (Latin-1), above ASCII"};
inline constexpr Cause kByteOrderMark{"DIAG.byte-order-mark",
                                      "A UTF-8 byte-order mark at the start of the file"};
inline constexpr Cause kTab{"DIAG.tab", "A tab in place of spaces"};
inline constexpr Cause kNul{"DIAG.nul", "A NUL byte in place of a space or digit"};
inline constexpr Cause kControl{"DIAG.control", "Another control character"};
inline constexpr Cause kLineBreak{"DIAG.line-break", "A line break inside a record"};
inline constexpr Cause kDoubledByte{"DIAG.doubled-byte", "One byte written twice"};
inline constexpr Cause kExtraBytes{"DIAG.extra-bytes", "Bytes too many in one field"};
inline constexpr Cause kMissingBytes{"DIAG.missing-bytes", "Bytes missing from one field"};

}  // namespace cause

inline constexpr std::array<const Cause*, 10> kCauses{
    &cause::kUtf8,       &cause::kWindows1252,  &cause::kByteOrderMark, &cause::kTab,
    &cause::kNul,        &cause::kControl,      &cause::kLineBreak,     &cause::kDoubledByte,
    &cause::kExtraBytes, &cause::kMissingBytes,
};

}  // namespace ledgerly
