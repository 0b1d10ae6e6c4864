#include "platform/StandardStreams.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace ledgerly::platform {
namespace {

bool output_was_closed = false;

int Descriptor(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input:
      return STDIN_FILENO;
    case StandardStream::Output:
      return STDOUT_FILENO;
    default:
      return STDERR_FILENO;
  }
}

}  // namespace

void ReopenClosedStandardStreams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number is this one, as the ones below are open.
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
    if (fd == STDOUT_FILENO) output_was_closed = true;
  }
}

bool IsTerminal(StandardStream stream) {
  return ::isatty(Descriptor(stream)) == 1;
}

bool IsPipe(StandardStream stream) {
  struct stat status {};
  return ::fstat(Descriptor(stream), &status) == 0 && S_ISFIFO(status.st_mode);
}

std::FILE* OpenStandardInput() {
  return std::fopen("/dev/stdin", "rb");
}

int StandardOutputProblem() {
  if (output_was_closed) return EBADF;
  const int flags = ::fcntl(STDOUT_FILENO, F_GETFL);
  if (flags == -1) return errno;
  if ((flags & O_ACCMODE) == O_RDONLY) return EBADF;
  pollfd ready{STDOUT_FILENO, POLLOUT, 0};
  // A pipe whose reader has gone reports an error condition at once.
  if (::poll(&ready, 1, 0) == 1 && (ready.revents & (POLLERR | POLLNVAL)) != 0) {
    return (ready.revents & POLLNVAL) != 0 ? EBADF : EPIPE;
  }
  return 0;
}

int WriteStandardOutput(std::string_view bytes, const std::atomic<bool>& stop) {
  while (!bytes.empty()) {
    if (stop.load(std::memory_order_relaxed)) return EINTR;
    // A stop signal ends the wait; the short steps also see one that came just before it.
    pollfd ready{STDOUT_FILENO, POLLOUT, 0};
    const int ready_count = ::poll(&ready, 1, 200);
    if (ready_count < 0 && errno != EINTR) return errno;
    if (ready_count <= 0) continue;
    // A pipe with room takes up to PIPE_BUF bytes without blocking.
    const ssize_t written =
        ::write(STDOUT_FILENO, bytes.data(), std::min<std::size_t>(bytes.size(), PIPE_BUF));
    if (written < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace ledgerly::platform
