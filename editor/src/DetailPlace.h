#pragma once

// A finishing step that shortens the signal nets directly, as the detailed placement of a placer
// does: part by part, a move to a free spot near the middle of the nets it joins, a quarter turn,
// or a swap with a part of like size, kept only when the half-perimeter length of the signal nets
// drops and the placement stays legal.

#include <cstdint>

#include "Board.h"

namespace Tarnix {

struct TDetailResult {
  int Changes = 0;  // moves, turns and swaps kept
  int Rounds = 0;   // rounds over the parts
};

// Rounds over the unlocked parts with signal nets (those of the placer options' supply lists
// left out), in board order. For each, the target is the middle of its nets' boxes without it
// (the median of their edges); the part is tried at the free spots nearest to it in each of the
// four quarter turns, and swapped with nearby parts of like size on its side. A change is kept
// only when the summed half-perimeter of the signal nets strictly drops and every part it moves
// lies inside the outline, off the keep-outs and clear of every other footprint on its side
// (footprints grown by the board's clearances, as the clean finish keeps them; a locked part or
// one with pads through the board counts on both sides): the length never grows and no overlap
// is made. Locked parts never move. A supply capacitor within `nearDistance` of a supply pad of a
// chip moves and turns with that chip, so that it stays as near; a chip with a locked one stays.
// The rounds stop when one shortens the nets by less than a small fraction.
TDetailResult PlaceInDetail(TBoard& board, int64_t nearDistance);

}  // namespace Tarnix
