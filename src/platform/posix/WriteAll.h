#pragma once

#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace ledgerly::platform {

// Writes all of bytes to a file that does not block: 0 or the errno of the failure.
inline int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace ledgerly::platform
