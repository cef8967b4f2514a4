#include "framework/TimeHelpers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

#include <windows.h>

namespace {

constexpr int64_t SecondsPerDay = 24 * 60 * 60;
constexpr int64_t MaxElapsedSeconds = 65535 * 3600 + 59 * 60 + 59;

bool IsLeapYear(int64_t year) {
  return year % 4 == 0;
}

int64_t DaysInMonth(int64_t year, int64_t month) {
  switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 2:
      return IsLeapYear(year) ? 29 : 28;
    default:
      return 31;
  }
}

// Days from the 1st of January of year 0 to the given date under the calendar above. Month and day
// are taken as given (a day of 0 counts as the day before the 1st), so malformed stamps cannot
// fault.
int64_t DayNumber(const TDateStamp& date) {
  const int64_t year = date.Year;
  int64_t days = year * 365 + (year + 3) / 4;  // leap years 0, 4, ... before `year`
  const int64_t month = std::clamp<int64_t>(date.Month, 1, 12);
  for (int64_t m = 1; m < month; ++m) {
    days += DaysInMonth(year, m);
  }
  return days + int64_t{date.Day} - 1;
}

int64_t SecondOfDay(const TTimeStamp& time) {
  return int64_t{time.Hour} * 3600 + int64_t{time.Minute} * 60 + int64_t{time.Second};
}

// The number as single precision; values beyond its range become infinite instead of undefined.
float ToSingle(double number) {
  constexpr float infinity = std::numeric_limits<float>::infinity();
  if (std::isfinite(number) && std::fabs(number) > FLT_MAX) {
    return number > 0 ? infinity : -infinity;
  }
  return static_cast<float>(number);
}

}  // namespace

TTimeStamp CaptureTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return TTimeStamp{now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

TDateStamp CaptureDate() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return TDateStamp{now.wYear, now.wMonth, now.wDay};
}

TElapsedTime ElapsedSince(const TTimeStamp& startTime, const TDateStamp& startDate,
                          const TTimeStamp& nowTime, const TDateStamp& nowDate) {
  const int64_t start = DayNumber(startDate) * SecondsPerDay + SecondOfDay(startTime);
  const int64_t now = DayNumber(nowDate) * SecondsPerDay + SecondOfDay(nowTime);
  const int64_t seconds = std::clamp<int64_t>(now - start, 0, MaxElapsedSeconds);
  return TElapsedTime{static_cast<uint16_t>(seconds / 3600),
                      static_cast<uint16_t>(seconds / 60 % 60),
                      static_cast<uint16_t>(seconds % 60)};
}

std::string FormatElapsed(uint16_t hours, uint16_t minutes, uint16_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned{hours}, unsigned{minutes},
                unsigned{seconds});
  std::string result(text);
  if (result.size() < 8) {
    result.resize(8, ' ');
  }
  return result;
}

std::string FormatFixed2(double number) {
  char text[64];
  std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(ToSingle(number)));
  return text;
}

std::string FormatInteger(int64_t number) {
  return std::to_string(number);
}
