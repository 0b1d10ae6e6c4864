#include "platform/CommandLine.h"

namespace ledgerly::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return {argv, argv + argc};
}

void ShowUtf8OnConsole() {}

}  // namespace ledgerly::platform
