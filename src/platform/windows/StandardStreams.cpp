#include "platform/StandardStreams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>

namespace ledgerly::platform {
namespace {

bool output_was_closed = false;

int Descriptor(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input:
      return 0;
    case StandardStream::Output:
      return 1;
    default:
      return 2;
  }
}

// Small enough that a stop request is seen between two of them.
constexpr std::size_t kWriteStep = 4096;

}  // namespace

void ReopenClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    // A program started without a console or a handle for the stream has none.
    if (::_get_osfhandle(fd) < 0) {
      const int opened = ::_open("NUL", fd == 0 ? _O_RDONLY : _O_WRONLY);
      if (opened >= 0 && opened != fd) {
        ::_dup2(opened, fd);
        ::_close(opened);
      }
      if (fd == 1) output_was_closed = true;
    }
    // The program writes its own line ends: no CR is added before each LF, and
    // standard input is read as the bytes it holds.
    ::_setmode(fd, _O_BINARY);
  }
}

bool IsTerminal(StandardStream stream) {
  return ::_isatty(Descriptor(stream)) != 0;
}

bool IsPipe(StandardStream stream) {
  // The C runtime gives the system's handle of a descriptor as a number.
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(Descriptor(stream)));
  return handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) == FILE_TYPE_PIPE;
}

std::FILE* OpenStandardInput() {
  const int fd = ::_dup(0);
  if (fd < 0) return nullptr;
  std::FILE* file = ::_fdopen(fd, "rb");
  if (!file) ::_close(fd);
  return file;
}

int StandardOutputProblem() {
  if (output_was_closed) return EBADF;
  return ::_get_osfhandle(1) < 0 ? EBADF : 0;
}

int WriteStandardOutput(std::string_view bytes, const std::atomic<bool>& stop) {
  while (!bytes.empty()) {
    if (stop.load(std::memory_order_relaxed)) return EINTR;
    const int written =
        ::_write(1, bytes.data(), static_cast<unsigned>(std::min(bytes.size(), kWriteStep)));
    if (written < 0) {
      // A pipe whose reader has gone: the C runtime's EINVAL says less than this.
      const DWORD error = ::GetLastError();
      if (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE) return EPIPE;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace ledgerly::platform
