#pragma once

#include <chrono>
#include <ctime>

namespace ledgerly::platform {

// A steady clock read for every record: a few milliseconds of resolution are
// plenty for commits, and it costs a few nanoseconds.
std::chrono::nanoseconds CoarseSteadyNow();

// The local calendar time of t (thread-safe, unlike std::localtime).
std::tm LocalTime(std::time_t t);

}  // namespace ledgerly::platform
