#pragma once

#include <functional>
#include <thread>

namespace ledgerly::platform {

// The requests to end the program (interrupt, terminate, hang-up) call handler,
// which may only set a flag: the run and the report stop at their next step.
void OnStopRequest(void (*handler)(int));

// A reader that went away or a file-size limit make the write fail with an
// error (EPIPE, EFBIG) instead of ending the process.
void ReportWriteFailuresAsErrors();

// Starts a thread that takes no stop requests: they reach the thread that looks
// at the flag, and the new thread's writes are not interrupted.
std::thread StartThreadWithoutStopRequests(std::function<void()> body);

}  // namespace ledgerly::platform
