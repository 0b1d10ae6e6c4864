#pragma once

#include <iosfwd>

namespace ledgerly {

// Exit statuses of ledgerly-cli.
enum ExitStatus {
  kExitClean = 0,
  kExitErrors = 1,
  kExitCritical = 2,
  kExitNotTested = 3,
};

// The whole command line program, callable in-process by the tests.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace ledgerly
