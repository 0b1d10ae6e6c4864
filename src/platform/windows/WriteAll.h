#pragma once

#include <io.h>

#include <cerrno>
#include <string_view>

namespace ledgerly::platform {

// Writes all of bytes to a file descriptor: 0 or the errno of the failure.
inline int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned step =
        bytes.size() > (1U << 30) ? (1U << 30) : static_cast<unsigned>(bytes.size());
    const int written = ::_write(fd, bytes.data(), step);
    if (written < 0) return errno;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace ledgerly::platform
