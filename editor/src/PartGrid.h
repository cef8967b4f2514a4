#pragma once

// Footprints filed in square cells, so that the parts near a box are found without looking at
// every part of the board.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "FreeSpots.h"

namespace Tarnix {

class TPartGrid {
 public:
  // Files every part by its grown box; the cells are about the size of a typical part.
  explicit TPartGrid(const std::vector<TFootprint>& parts);

  // Takes a part out before it moves and files it again after, by its grown box then.
  void Remove(size_t part);
  void Insert(size_t part);

  // The parts whose grown boxes share area with the box, in ascending order.
  std::vector<size_t> Near(const TBox64& box) const;

 private:
  struct TSpan {
    int64_t X1, Y1, X2, Y2;  // cells, inclusive
  };
  TSpan SpanOf(const TBox64& box) const;
  // Whether walking the span costs more than looking at every part.
  bool Wide(const TSpan& span) const;
  std::vector<uint32_t>* CellAt(int64_t x, int64_t y, bool make);

  const std::vector<TFootprint>& Parts;
  int64_t Side = 1;
  std::unordered_map<uint64_t, std::vector<uint32_t>> Cells;
  std::vector<TBox64> Filed;      // each part's box when it was filed
  std::vector<uint32_t> Unfiled;  // parts too large for cells, looked at by every query
};

}  // namespace Tarnix
