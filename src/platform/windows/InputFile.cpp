#include "platform/InputFile.h"

namespace ledgerly::platform {

// The wide name: a file name is UTF-16 here, and the narrow fopen would take
// the ANSI code page's.
std::FILE* OpenInputFile(const std::filesystem::path& file) {
  return ::_wfopen(file.c_str(), L"rb");
}

}  // namespace ledgerly::platform
