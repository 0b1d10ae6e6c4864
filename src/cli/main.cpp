#include <csignal>
#include <iostream>

#include "cli/CliApp.h"
#include "cli/CliHost.h"

namespace {

// The run sees the request before its next record and ends cleanly.
extern "C" void RequestStop(int) {
  ledgerly::CliHost::stop_requested = true;
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  std::ios::sync_with_stdio(false);
  return ledgerly::RunCli(argc, argv, std::cout, std::cerr);
}
