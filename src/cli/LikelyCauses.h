#pragma once

#include <ostream>

#include "engine/TestRun.h"

namespace ledgerly {

// After a run, one line for each likely cause of damage it found.
void PrintLikelyCauses(const RunResult& result, std::ostream& err);

}  // namespace ledgerly
