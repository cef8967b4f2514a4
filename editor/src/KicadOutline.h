#pragma once

// Chains the pieces of a board outline (lines, arcs and curves drawn one by one, and shapes that
// close on themselves) into loops.

#include <vector>

#include "KicadShapes.h"

namespace Tarnix {

struct TOutlineLoops {
  std::vector<std::vector<TMm>> Loops;  // closed loops, each point once
  std::vector<std::vector<TMm>> Open;   // chains whose ends meet nothing
};

// Pieces whose ends lie within Tolerance of each other are joined.
TOutlineLoops ChainOutline(const std::vector<TShapePath>& pieces, double tolerance);

// The index of the loop whose box is the largest (the outer edge), or -1 for none.
int OuterLoop(const std::vector<std::vector<TMm>>& loops);

}  // namespace Tarnix
