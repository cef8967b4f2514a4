#include <algorithm>

#include "BinAxis.h"
#include "BypassObstacles.h"

TBypassObstacles::TBypassObstacles(const TBox& area, size_t footprints) : Area(area) {
  const int64_t side = std::max(Area.Right - Area.Left, Area.Top - Area.Bottom) + 1;
  Shift = BinShift(side, footprints);
  Cols = (std::max(int64_t{0}, Area.Right - Area.Left) >> Shift) + 1;
  Rows = (std::max(int64_t{0}, Area.Top - Area.Bottom) >> Shift) + 1;
  Bins.resize(static_cast<size_t>(Cols * Rows));
}

int64_t TBypassObstacles::Col(int64_t x) const {
  return TBinAxis{Area.Left, Shift, Cols}.Bin(x);
}

int64_t TBypassObstacles::Row(int64_t y) const {
  return TBinAxis{Area.Bottom, Shift, Rows}.Bin(y);
}

// A footprint goes into every bin its closed rectangle reaches. Two rectangles that overlap share
// a point, and clamping keeps a shared point in a shared bin, so a box meets every footprint it
// overlaps in the bins its own rectangle reaches.
void TBypassObstacles::Add(const TBox& footprint, int32_t key) {
  for (int64_t col = Col(footprint.Left); col <= Col(footprint.Right); ++col) {
    for (int64_t row = Row(footprint.Bottom); row <= Row(footprint.Top); ++row) {
      Bins[static_cast<size_t>(col * Rows + row)].emplace_back(footprint, key);
    }
  }
}

bool TBypassObstacles::Overlaps(const TBox& box, int32_t skip) const {
  for (int64_t col = Col(box.Left); col <= Col(box.Right); ++col) {
    for (int64_t row = Row(box.Bottom); row <= Row(box.Top); ++row) {
      for (const auto& [footprint, key] : Bins[static_cast<size_t>(col * Rows + row)]) {
        if (key != skip && Overlap(box, footprint)) {
          return true;
        }
      }
    }
  }
  return false;
}
