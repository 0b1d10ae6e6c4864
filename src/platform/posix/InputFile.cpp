#include "platform/InputFile.h"

namespace ledgerly::platform {

std::FILE* OpenInputFile(const std::filesystem::path& file) {
  return std::fopen(file.c_str(), "rb");
}

}  // namespace ledgerly::platform
