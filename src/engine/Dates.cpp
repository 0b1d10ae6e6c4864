#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/RunHost.h"

namespace ledgerly {

std::string FormatDate(const Date& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
  return text;
}

Date TodayOrOverride() {
  if (const char* value = std::getenv("LEDGERLY_TODAY")) {
    Date date;
    if (std::sscanf(value, "%4d-%2d-%2d", &date.year, &date.month, &date.day) == 3 &&
        date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31) {
      return date;
    }
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace ledgerly
