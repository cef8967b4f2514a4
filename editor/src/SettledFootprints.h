#pragma once

// The footprints that stand on a board while free spots are sought, found by where they lie: a
// grid of square cells, each listing the footprints whose grown box reaches into it, and the
// sorted edges of their boxes on each side of the board. A spot is then judged against the few
// footprints near it, and the edges a part may be brought against are read in order of distance,
// so that finishing a board of many parts costs about as much per part as on a small one.

#include <cstdint>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Footprint.h"

namespace Tarnix {

// The edges of the boxes on one side: left (X1), right (X2), bottom (Y1) and top (Y2).
struct TBoxEdges {
  std::multiset<int64_t> X1, X2, Y1, Y2;

  void Add(const TBox64& box);
  void Remove(const TBox64& box);
};

// Cells of about twice a footprint's mean size on the board (at least 10 mil), so that most
// footprints reach into a few cells and a cell holds a few footprints.
int64_t SettledCellSize(const TBoard& board);

class TSettledFootprints {
 public:
  // Cells of `cellSize` board units; footprints much larger than a cell are kept apart and
  // judged everywhere.
  explicit TSettledFootprints(int64_t cellSize);

  // A footprint already there is not added twice.
  void Add(const TFootprint& part);
  void Remove(const TFootprint& part);
  bool Contains(const TFootprint& part) const { return Members.count(&part) != 0; }
  size_t Size() const { return Members.size(); }

  // Whether any footprint other than `part`, on its side, overlaps the box (each footprint's
  // grown box or its bare box).
  bool AnyOverlap(const TFootprint& part, const TBox64& box, bool clearances) const;

  // The edges of the settled boxes on a side, grown or bare; none when nothing stands there.
  const TBoxEdges* Edges(TLayerNumber side, bool clearances) const;

 private:
  struct TCellRange {
    int64_t X1, Y1, X2, Y2;
    int64_t Count() const;
  };
  TCellRange CellsOf(const TBox64& box) const;
  static uint64_t Key(int64_t x, int64_t y);
  bool Blocks(const TFootprint* other, const TFootprint& part, const TBox64& box,
              bool clearances) const;

  int64_t CellSize;
  std::unordered_set<const TFootprint*> Members;
  std::unordered_map<uint64_t, std::vector<const TFootprint*>> Cells;
  std::vector<const TFootprint*> Large;  // reaching into too many cells to list in each
  std::map<TLayerNumber, TBoxEdges> GrownEdges, BareEdges;
};

}  // namespace Tarnix
