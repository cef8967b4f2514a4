// The processor time of the run on Windows: this process's user and kernel time.

#include <windows.h>

#include "HostReport.h"

namespace {

double Seconds(const FILETIME& time) {
  const ULONGLONG ticks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return static_cast<double>(ticks) / 1e7;  // 100-nanosecond ticks
}

}  // namespace

double CpuSecondsUsed() {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
    return 0;
  return Seconds(kernel) + Seconds(user);
}
