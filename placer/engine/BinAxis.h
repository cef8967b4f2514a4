#pragma once

// The bins of a grid along one axis: `Count` bins of 2^`Shift` units from `Origin`. A value before
// the first bin or past the last goes to the nearest end one. Bins a power of two wide make
// finding one a shift rather than a division, which the legality test of every move does four
// times.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

struct TBinAxis {
  int64_t Origin;
  int32_t Shift;
  int64_t Count;

  int64_t Bin(int64_t value) const {
    const int64_t offset = value - Origin;
    return offset < 0 ? 0 : std::min(offset >> Shift, Count - 1);
  }
};

// The bin width, as a power of two, for a square grid over `side` units that holds `footprints`
// footprints: about as many bins as footprints, and never more than 256 along a side.
inline int32_t BinShift(int64_t side, size_t footprints) {
  constexpr int64_t MaxBinsPerSide = 256;
  const auto perSide =
      std::clamp(static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(footprints)))),
                 int64_t{1}, MaxBinsPerSide);
  const int64_t width = std::max(int64_t{1}, (std::max(side, int64_t{1}) + perSide - 1) / perSide);
  int32_t shift = 0;
  while ((int64_t{1} << shift) < width) {
    ++shift;
  }
  return shift;
}
