// Several starts run as separate processes, which the Windows build does not launch yet.

#include <cstdio>

#include "HostStarts.h"

int RunStarts(const THostOptions&) {
  std::fprintf(stderr, "autoplace: --starts is not available in the Windows build\n");
  return ExitUsage;
}
