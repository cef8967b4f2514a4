#pragma once

// The search for the nearest spot where a footprint may lie: inside the outline, off the
// keep-outs and off the footprints already settled on its side.

#include <optional>
#include <vector>

#include "Board.h"
#include "BoardRegion.h"
#include "Footprint.h"
#include "SettledFootprints.h"

namespace Tarnix {

class TFreeSpots {
 public:
  explicit TFreeSpots(const TBoard& board);

  // The footprint counts as an obstacle from now on, where it lies when a spot is judged; it
  // must outlive the search.
  void Settle(const TFootprint& part) { Settled.Add(part); }

  // Moves the part as MoveBy does; a settled part stands where it was moved to.
  bool Move(TFootprint& part, TShift shift);

  // Whether the part shifted so lies inside the outline, off the keep-outs and off every settled
  // footprint on its side (with the clearances, or only the footprints themselves).
  bool Free(const TFootprint& part, TShift shift, bool clearances) const;

  // Of the free shifts, the one nearest to `wanted`; none when the board has no room.
  std::optional<TShift> Nearest(const TFootprint& part, TShift wanted, bool clearances) const;

  const TBoardRegion& Area() const { return Region; }

 private:
  const TBoardRegion Region;
  TBoxEdges FixedEdges;  // of the keep-outs and the outline's corners
  TSettledFootprints Settled;
};

}  // namespace Tarnix
