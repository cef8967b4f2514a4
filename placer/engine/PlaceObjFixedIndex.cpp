#include <algorithm>

#include "BinAxis.h"
#include "FixedIndex.h"

int64_t TFixedIndex::Col(int64_t x) const {
  return TBinAxis{Region.Left, Shift, Cols}.Bin(x);
}

int64_t TFixedIndex::Row(int64_t y) const {
  return TBinAxis{Region.Bottom, Shift, Rows}.Bin(y);
}

// A footprint goes into every bin its closed rectangle reaches. Two rectangles that overlap share
// a point, and clamping keeps a shared point in a shared bin, so a box meets every footprint it
// overlaps in the bins its own rectangle reaches.
void TFixedIndex::Build(const std::vector<TBox>& footprints, int32_t movableCount,
                        int32_t fixedCount) {
  Built = true;
  MovableCount = movableCount;
  FixedCount = fixedCount;
  All = footprints;
  Binned.clear();
  BinStart.clear();
  if (All.empty()) {
    Cols = Rows = 0;
    return;
  }
  Region = All.front();
  for (const TBox& box : All) {
    Region = TBox{std::min(Region.Left, box.Left), std::min(Region.Bottom, box.Bottom),
                  std::max(Region.Right, box.Right), std::max(Region.Top, box.Top)};
  }
  const int64_t side = std::max(Region.Right - Region.Left, Region.Top - Region.Bottom) + 1;
  Shift = BinShift(side, All.size());
  Cols = ((Region.Right - Region.Left) >> Shift) + 1;
  Rows = ((Region.Top - Region.Bottom) >> Shift) + 1;
  std::vector<uint32_t> counts(static_cast<size_t>(Cols * Rows) + 1, 0);
  auto forEachBin = [this](const TBox& box, auto visit) {
    for (int64_t col = Col(box.Left); col <= Col(box.Right); ++col) {
      for (int64_t row = Row(box.Bottom); row <= Row(box.Top); ++row) {
        visit(static_cast<size_t>(col * Rows + row));
      }
    }
  };
  for (const TBox& box : All) {
    forEachBin(box, [&counts](size_t bin) { ++counts[bin + 1]; });
  }
  for (size_t bin = 1; bin < counts.size(); ++bin) {
    counts[bin] += counts[bin - 1];
  }
  BinStart = counts;
  Binned.resize(counts.back());
  for (const TBox& box : All) {
    forEachBin(box, [this, &counts, &box](size_t bin) { Binned[counts[bin]++] = box; });
  }
}

bool TFixedIndex::ScanAll(const TBox& box) const {
  return std::any_of(All.begin(), All.end(),
                     [&box](const TBox& footprint) { return Overlap(box, footprint); });
}

bool TFixedIndex::Overlaps(const TBox& box) const {
  if (All.empty() || box.Right < Region.Left || box.Left > Region.Right ||
      box.Top < Region.Bottom || box.Bottom > Region.Top) {
    return false;
  }
  const int64_t firstCol = Col(box.Left);
  const int64_t lastCol = Col(box.Right);
  const int64_t firstRow = Row(box.Bottom);
  const int64_t lastRow = Row(box.Top);
  // A box over more bins than there are footprints is cheaper to test against each of them.
  if ((lastCol - firstCol + 1) * (lastRow - firstRow + 1) > static_cast<int64_t>(All.size())) {
    return ScanAll(box);
  }
  for (int64_t col = firstCol; col <= lastCol; ++col) {
    for (int64_t row = firstRow; row <= lastRow; ++row) {
      const auto bin = static_cast<size_t>(col * Rows + row);
      for (uint32_t i = BinStart[bin]; i < BinStart[bin + 1]; ++i) {
        if (Overlap(box, Binned[i])) {
          return true;
        }
      }
    }
  }
  return false;
}
