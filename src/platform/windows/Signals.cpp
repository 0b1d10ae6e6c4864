#include "platform/Signals.h"

#include <windows.h>

#include <csignal>

namespace ledgerly::platform {
namespace {

void (*stop_handler)(int) = nullptr;

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      stop_handler(SIGINT);
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      stop_handler(SIGTERM);
      // The system ends the process once this returns: the run gets the few
      // seconds the system allows to store its results and exit by itself.
      ::Sleep(10000);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

// Ctrl+C, Ctrl+Break and the console window closing (or the user logging off).
void OnStopRequest(void (*handler)(int)) {
  stop_handler = handler;
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

// A write to a pipe whose reader went away fails with an error here anyway.
void ReportWriteFailuresAsErrors() {}

// Console events come on a thread of their own, never on the writer's.
std::thread StartThreadWithoutStopRequests(std::function<void()> body) {
  return std::thread(std::move(body));
}

}  // namespace ledgerly::platform
