// The processor time of the run on POSIX systems: this process and the starts it waited for.

#include <sys/resource.h>

#include "HostReport.h"

namespace {

double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

}  // namespace

double CpuSecondsUsed() {
  rusage self{};
  rusage children{};
  getrusage(RUSAGE_SELF, &self);
  getrusage(RUSAGE_CHILDREN, &children);
  return Seconds(self.ru_utime) + Seconds(self.ru_stime) + Seconds(children.ru_utime) +
         Seconds(children.ru_stime);
}
