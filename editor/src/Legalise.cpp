#include "Legalise.h"

#include <algorithm>

#include "FreeSpots.h"

namespace Tarnix {

TLegaliseResult LegalisePlacement(TBoard& board) {
  std::vector<TFootprint> parts;
  for (const auto& component : board.Components)
    parts.push_back(FootprintOf(*component, board.Settings.Placer));
  TFreeSpots spots(board);
  // Locked parts hold their places; of the others, the larger keep theirs first.
  std::vector<TFootprint*> movable;
  for (TFootprint& part : parts) {
    if (part.Component->Moveable == 0)
      spots.Settle(part);
    else
      movable.push_back(&part);
  }
  std::stable_sort(movable.begin(), movable.end(),
                   [](const TFootprint* a, const TFootprint* b) { return a->Area > b->Area; });
  std::vector<TFootprint*> inTheWay;
  for (TFootprint* part : movable) {
    if (spots.Free(*part, {}, true))
      spots.Settle(*part);
    else
      inTheWay.push_back(part);
  }
  TLegaliseResult result;
  for (TFootprint* part : inTheWay) {
    auto shift = spots.Nearest(*part, {}, true);
    if (!shift)
      shift = spots.Nearest(*part, {}, false);
    if (shift && spots.Move(*part, *shift))
      result.Moved.push_back(DesignatorOf(*part->Component));
    else
      result.NoRoom.push_back(DesignatorOf(*part->Component));
    spots.Settle(*part);
  }
  if (!result.Moved.empty())
    board.NetsChanged();
  return result;
}

}  // namespace Tarnix
