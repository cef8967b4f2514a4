// Clocks: the performance counter (nanoseconds of the steady clock), the tick count
// (milliseconds since boot) and the local and universal calendar time.

#include <time.h>

#include <cerrno>

#include "PlatformState.h"

namespace {

constexpr LONGLONG NanosecondsPerSecond = 1000000000;

uint64_t ClockNanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

void FillSystemTime(const tm& parts, long nanoseconds, LPSYSTEMTIME time) {
  time->wYear = static_cast<WORD>(parts.tm_year + 1900);
  time->wMonth = static_cast<WORD>(parts.tm_mon + 1);
  time->wDayOfWeek = static_cast<WORD>(parts.tm_wday);
  time->wDay = static_cast<WORD>(parts.tm_mday);
  time->wHour = static_cast<WORD>(parts.tm_hour);
  time->wMinute = static_cast<WORD>(parts.tm_min);
  time->wSecond = static_cast<WORD>(parts.tm_sec);
  time->wMilliseconds = static_cast<WORD>(nanoseconds / 1000000);
}

void GetCalendarTime(LPSYSTEMTIME time, bool local) {
  if (time == nullptr) {
    return;
  }
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm parts{};
  if (local) {
    localtime_r(&now.tv_sec, &parts);
  } else {
    gmtime_r(&now.tv_sec, &parts);
  }
  FillSystemTime(parts, now.tv_nsec, time);
}

}  // namespace

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (count == nullptr) {
    return FALSE;
  }
  count->QuadPart = static_cast<LONGLONG>(ClockNanoseconds(CLOCK_MONOTONIC));
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (frequency == nullptr) {
    return FALSE;
  }
  frequency->QuadPart = NanosecondsPerSecond;
  return TRUE;
}

// Counts suspended time too, as Windows' tick count does; wraps after about 49.7 days.
DWORD GetTickCount() {
  return static_cast<DWORD>(GetTickCount64());
}

ULONGLONG GetTickCount64() {
  return ClockNanoseconds(CLOCK_BOOTTIME) / 1000000u;
}

void GetLocalTime(LPSYSTEMTIME time) {
  GetCalendarTime(time, true);
}

void GetSystemTime(LPSYSTEMTIME time) {
  GetCalendarTime(time, false);
}

void Sleep(DWORD milliseconds) {
  timespec remaining = {static_cast<time_t>(milliseconds / 1000u),
                        static_cast<long>(milliseconds % 1000u) * 1000000L};
  while (nanosleep(&remaining, &remaining) == -1 && errno == EINTR) {
  }
}
