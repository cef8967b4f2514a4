#pragma once

// Where a board's components may lie: inside its outline (the outer loop less its cut-outs; a
// board without one has the box of its keep-out tracks and fills) and off its keep-out fills.
// Footprints are judged by their boxes in board units; a box may touch the outline and the
// keep-outs but not cross them.

#include <vector>

#include "Board.h"
#include "Geometry.h"

namespace Tarnix {

class TBoardRegion {
 public:
  explicit TBoardRegion(const TBoard& board);

  // False for a board with neither an outline nor keep-out objects: nothing to judge by.
  bool Known() const { return !Loops.empty(); }
  // The box around the outer loop.
  const TRect& Extent() const { return Box; }

  // Whole inside the outline, over no cut-out.
  bool Contains(const TRect& box) const;
  // Sharing area with the board inside its outer loop.
  bool Touches(const TRect& box) const;
  bool OnKeepOut(const TRect& box) const;
  // Inside the outline and off every keep-out.
  bool Allows(const TRect& box) const { return Contains(box) && !OnKeepOut(box); }

  // The outer loop first, cut-outs after; empty when not Known.
  const std::vector<std::vector<TPoint>>& OutlineLoops() const { return Loops; }
  const std::vector<TRect>& KeepOutBoxes() const { return KeepOuts; }

 private:
  std::vector<std::vector<TPoint>> Loops;  // the outer loop first, cut-outs after
  std::vector<TRect> KeepOuts;
  TRect Box;
};

// The box around a component's pads and body, as the editor reports it.
TRect FootprintBox(const TComponent& component);

// Boxes that share area; touching edges do not count.
bool BoxesOverlap(const TRect& a, const TRect& b);

}  // namespace Tarnix
