#include "platform/Clock.h"

#include <windows.h>

namespace ledgerly::platform {

std::chrono::nanoseconds CoarseSteadyNow() {
  return std::chrono::milliseconds(::GetTickCount64());
}

std::tm LocalTime(std::time_t t) {
  std::tm local{};
  ::localtime_s(&local, &t);
  return local;
}

}  // namespace ledgerly::platform
