#pragma once

// The bins of a grid along one axis: `Count` bins of `Size` units from `Origin`. A value before
// the first bin or past the last goes to the nearest end one.

#include <algorithm>
#include <cstdint>

struct TBinAxis {
  int64_t Origin;
  int64_t Size;
  int64_t Count;

  int64_t Bin(int64_t value) const {
    const int64_t offset = value - Origin;
    return offset < 0 ? 0 : std::min(offset / Size, Count - 1);
  }
};
