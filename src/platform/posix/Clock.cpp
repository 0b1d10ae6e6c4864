#include "platform/Clock.h"

#include <time.h>

namespace ledgerly::platform {

std::chrono::nanoseconds CoarseSteadyNow() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

std::tm LocalTime(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  return local;
}

}  // namespace ledgerly::platform
