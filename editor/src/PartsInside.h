#pragma once

// Keeping components on the board around a placement run: parts that overhang the outline in the
// input (a socket over the edge) are held in place for the run, and parts a run left outside the
// outline or on a keep-out are pulled to the nearest spot where they may lie.

#include <string>
#include <vector>

#include "Board.h"

namespace Tarnix {

// Locks every unlocked component whose footprint lies partly on the board and partly off it (or
// over a cut-out), remembering them in Board.Held. Returns their designators.
std::vector<std::string> HoldEdgeParts(TBoard& board);

// Unlocks the components HoldEdgeParts locked.
void ReleaseHeldParts(TBoard& board);

struct TPullResult {
  std::vector<std::string> Pulled;  // moved inside
  std::vector<std::string> Stuck;   // no spot inside that they fit
};

// Moves every unlocked component whose footprint is not inside the outline or lies on a keep-out
// to the nearest spot inside and off the keep-outs and locked components, off the other
// components where such a spot exists. A part that fits nowhere stays where it is.
TPullResult PullPartsInside(TBoard& board);

// The components whose footprints are not whole inside the outline.
int CountPartsOutside(const TBoard& board);

}  // namespace Tarnix
