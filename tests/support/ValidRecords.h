#pragma once

#include <cstdint>
#include <string>

namespace ledgerly::test {

// Records that pass every field rule of their type; tests change one field at a time.
std::string ValidRA();
std::string ValidRE();
std::string ValidRF(int64_t rw_count);

}  // namespace ledgerly::test
