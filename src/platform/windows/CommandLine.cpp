#include "platform/CommandLine.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace ledgerly::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string argument(size > 0 ? size - 1 : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
    arguments.push_back(std::move(argument));
  }
  ::LocalFree(wide);
  return arguments;
}

void ShowUtf8OnConsole() {
  ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace ledgerly::platform
