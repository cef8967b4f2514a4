#pragma once

// A finishing step for supply capacitors: each one placed beside a supply pad of the chip it
// serves, as a designer would place it, where the board has room there.

#include <string>
#include <vector>

#include "Board.h"

namespace Tarnix {

struct TDecouplingResult {
  std::vector<std::string> Moved;  // moved beside a chip
  int Capacitors = 0;              // supply capacitors with a chip on their power net
};

// Power pads of chips (designators U or IC and a number, three pads or more) and supply
// capacitors (C..., two pads, one on a power net and one on a ground net of the
// board's placer options). Every unlocked supply capacitor whose power pad lies further than
// `nearDistance` from the pads of the chips on its power net moves to the free spot nearest to
// one of them, supply pads that no capacitor serves yet first, when that spot is within
// `nearDistance` of it; otherwise it stays. Nothing is moved onto another footprint, off the
// board or onto a keep-out.
TDecouplingResult PlaceCapacitorsBesideChips(TBoard& board, int64_t nearDistance);

// Each supply capacitor whose power pad lies within `nearDistance` of a supply pad of a chip, as
// the step above judges it, with the chip of the nearest such pad.
struct TCapacitorBeside {
  const TComponent* Chip;
  const TComponent* Capacitor;
};
std::vector<TCapacitorBeside> CapacitorsBesideChips(TBoard& board, int64_t nearDistance);

}  // namespace Tarnix
