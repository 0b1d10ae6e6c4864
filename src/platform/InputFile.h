#pragma once

#include <cstdio>
#include <filesystem>

namespace ledgerly::platform {

// Opens file to read its bytes; null with errno set when it cannot.
std::FILE* OpenInputFile(const std::filesystem::path& file);

}  // namespace ledgerly::platform
