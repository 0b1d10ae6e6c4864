#pragma once

#include <iosfwd>

#include "engine/TestRun.h"

namespace ledgerly {

// Exit statuses of ledgerly-cli.
enum ExitStatus {
  kExitClean = 0,
  kExitErrors = 1,
  kExitCritical = 2,
  kExitNotTested = 3,
};

// The status of a Test run that stored its results.
int ExitStatusFor(const RunResult& result);

// The whole command line program, callable in-process by the tests.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace ledgerly
