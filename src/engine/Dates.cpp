#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>

#include "engine/RunHost.h"
#include "platform/Clock.h"

namespace ledgerly {
namespace {

constexpr const char* kTodayVariable = "LEDGERLY_TODAY";

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// A real calendar day written YYYY-MM-DD, years 1 to 9999.
std::optional<Date> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto number = [&text](std::size_t from, std::size_t length) {
    int value = 0;
    for (std::size_t i = from; i < from + length; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  const Date date{number(0, 4), number(5, 2), number(8, 2)};
  if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) return std::nullopt;
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int days = kDays[date.month - 1] + (date.month == 2 && IsLeapYear(date.year) ? 1 : 0);
  if (date.day > days) return std::nullopt;
  return date;
}

}  // namespace

std::string FormatDate(const Date& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
  return text;
}

Date TodayOrOverride() {
  if (const char* value = std::getenv(kTodayVariable)) {
    if (const auto date = ParseIsoDate(value)) return *date;
  }
  const std::time_t now = std::time(nullptr);
  const std::tm local = platform::LocalTime(now);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string TodayOverrideWarning() {
  const char* value = std::getenv(kTodayVariable);
  if (!value || ParseIsoDate(value)) return {};
  return std::string("Warning: ") + kTodayVariable + "=" + value +
         " is not a date (YYYY-MM-DD); today's date is used.";
}

}  // namespace ledgerly
