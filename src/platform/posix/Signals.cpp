#include "platform/Signals.h"

#include <pthread.h>
#include <signal.h>

#include <initializer_list>
#include <system_error>

namespace ledgerly::platform {

void OnStopRequest(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  // Reads of a pipe carry on after the handler; the run looks at the flag at its
  // next record, and the report's wait for a full pipe is never restarted.
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction before {};
    // A signal ignored by whoever started us (nohup, a background job) stays ignored.
    if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

void ReportWriteFailuresAsErrors() {
  ::signal(SIGPIPE, SIG_IGN);
  ::signal(SIGXFSZ, SIG_IGN);
}

std::thread StartThreadWithoutStopRequests(std::function<void()> body) {
  // The new thread inherits the mask it is started with.
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  try {
    std::thread thread(std::move(body));
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return thread;
  } catch (const std::system_error&) {
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    throw;
  }
}

}  // namespace ledgerly::platform
