#pragma once

// The footprints of the fixed components binned on a coarse grid, so that the moves' legality
// test looks only at the few fixed footprints near a box instead of at all of them. It answers
// exactly what a scan of every footprint answers.

#include <cstdint>
#include <vector>

#include "FootprintBox.h"

class TFixedIndex {
 public:
  // Bins the footprints; the key says which records they came from (see Covers).
  void Build(const std::vector<TBox>& footprints, int32_t movableCount, int32_t fixedCount);
  // Whether the index was built for these counts.
  bool Covers(int32_t movableCount, int32_t fixedCount) const {
    return Built && MovableCount == movableCount && FixedCount == fixedCount;
  }
  // Whether the box overlaps any footprint, with strict inequalities on all four sides.
  bool Overlaps(const TBox& box) const;

 private:
  bool ScanAll(const TBox& box) const;
  int64_t Col(int64_t x) const;
  int64_t Row(int64_t y) const;

  bool Built = false;
  int32_t MovableCount = 0;
  int32_t FixedCount = 0;
  TBox Region{0, 0, 0, 0};  // the bounding box of all footprints
  int32_t Shift = 0;        // bins are 2^Shift units wide
  int64_t Cols = 0;
  int64_t Rows = 0;
  std::vector<TBox> All;
  std::vector<uint32_t> BinStart;  // footprints of bin b: Binned[BinStart[b] .. BinStart[b + 1])
  std::vector<TBox> Binned;
};
