#pragma once

#include <string>
#include <vector>

namespace ledgerly::platform {

// Every text of the program, file names too, is UTF-8: the arguments as such
// (Windows hands main() those of the ANSI code page), argv[0] first.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// A console shows the program's UTF-8 texts as such (a Windows console's own
// code page is another).
void ShowUtf8OnConsole();

}  // namespace ledgerly::platform
