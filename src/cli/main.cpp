#include <iostream>

#include "cli/CliApp.h"
#include "cli/CliHost.h"
#include "platform/Signals.h"
#include "platform/StandardStreams.h"

namespace {

// The run sees the request before its next record and ends cleanly.
extern "C" void RequestStop(int) {
  ledgerly::CliHost::stop_requested = true;
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything is opened: a closed stream must not be taken by a file.
  ledgerly::platform::ReopenClosedStandardStreams();
  ledgerly::platform::OnStopRequest(RequestStop);
  // A reader gone from stderr or stdout, or a file-size limit, fails that write
  // only: the run goes on and stores its results.
  ledgerly::platform::ReportWriteFailuresAsErrors();
  std::ios::sync_with_stdio(false);
  return ledgerly::RunCli(argc, argv, std::cout, std::cerr);
}
