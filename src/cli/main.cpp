#include <iostream>
#include <string>
#include <vector>

#include "cli/CliApp.h"
#include "cli/CliHost.h"
#include "platform/CommandLine.h"
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
  ledgerly::platform::ShowUtf8OnConsole();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> arguments = ledgerly::platform::Utf8Arguments(argc, argv);
  std::vector<const char*> pointers;
  pointers.reserve(arguments.size());
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  return ledgerly::RunCli(static_cast<int>(pointers.size()), pointers.data(), std::cout, std::cerr);
}
