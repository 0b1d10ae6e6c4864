#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ledgerly {

// The program keeps file names as UTF-8 text (the arguments, the dialogs'
// choices, the stored paths: path::string() gives UTF-8). A path is made from
// one as UTF-8 explicitly: on Windows the implicit conversion reads the bytes
// as Latin-1, and only this way does a name come back as it went in.
inline std::filesystem::path PathOf(std::string_view utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}

// The name of a file beside path: its journal, lock or new file.
inline std::filesystem::path WithSuffix(std::filesystem::path path, std::string_view suffix) {
  path += PathOf(suffix).native();
  return path;
}

}  // namespace ledgerly
