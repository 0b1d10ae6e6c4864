#pragma once

#include <atomic>
#include <cstdio>
#include <string_view>

namespace ledgerly::platform {

enum class StandardStream { Input, Output, Error };

// Opens the null device on each standard stream that is closed, so that no file
// the program opens later takes its place and receives what is meant for it.
// Called first thing; remembers which streams were closed.
void ReopenClosedStandardStreams();

bool IsTerminal(StandardStream stream);

// True when the stream is a pipe, which has no size and is read to its end.
bool IsPipe(StandardStream stream);

// Standard input for reading as bytes, as a stream of its own to close; null
// (errno set) when it cannot be had.
std::FILE* OpenStandardInput();

// 0 when a report can go to standard output, else why not as an errno value:
// EBADF when it was closed at start-up, EPIPE when nobody reads it any more.
int StandardOutputProblem();

// Writes all of bytes to standard output: 0, the errno of a failed write, or
// EINTR once stop is set, even while the reader lets the pipe stay full.
int WriteStandardOutput(std::string_view bytes, const std::atomic<bool>& stop);

}  // namespace ledgerly::platform
