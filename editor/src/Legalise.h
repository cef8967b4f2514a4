#pragma once

// The clean finish of a placement run: footprints that still overlap on the same side are moved
// apart, each to the nearest free spot, so that the placement is one a designer can route.

#include <string>
#include <vector>

#include "Board.h"

namespace Tarnix {

struct TLegaliseResult {
  std::vector<std::string> Moved;   // moved to a free spot
  std::vector<std::string> NoRoom;  // no free spot anywhere: left where they are, overlapping
};

// Moves every unlocked component whose footprint overlaps another on its side (footprints grown
// by the board's small or large component clearance), or is not allowed where it lies (outside
// the outline, on a keep-out), to the nearest spot inside the outline, off the keep-outs and off
// every other footprint. Larger parts keep their places and the smaller ones make way; locked
// parts never move. Where no spot keeps the clearances, one that only keeps the footprints apart
// is taken. A part that fits nowhere stays where it is and is named in NoRoom.
TLegaliseResult LegalisePlacement(TBoard& board);

}  // namespace Tarnix
