#include "platform/Folders.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlwapi.h>

#include <cstdlib>
#include <string>

namespace ledgerly::platform {

std::filesystem::path ProgramFile() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return name;
    }
    name.resize(name.size() * 2);  // cut short: a longer buffer
  }
}

std::filesystem::path ProgramOpening(const std::string& extension) {
  const std::wstring wide(extension.begin(), extension.end());  // ASCII
  wchar_t program[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (::AssocQueryStringW(ASSOCF_NONE, ASSOCSTR_EXECUTABLE, wide.c_str(), nullptr, program,
                          &size) != S_OK) {
    return {};
  }
  return program;
}

std::filesystem::path UserDataFolder(std::string& why_none) {
  const wchar_t* value = ::_wgetenv(L"LOCALAPPDATA");
  const std::filesystem::path folder = value ? value : L"";
  if (!folder.is_absolute()) {
    why_none = "No data folder: LOCALAPPDATA names no folder";
    return {};
  }
  return folder / "Ledgerly";
}

}  // namespace ledgerly::platform
