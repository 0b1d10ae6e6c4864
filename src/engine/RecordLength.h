#pragma once

#include <cstddef>

namespace ledgerly {

// Every record of a submission file is this many characters long.
inline constexpr std::size_t kRecordLength = 512;

}  // namespace ledgerly
