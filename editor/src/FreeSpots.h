#pragma once

// Footprints as boxes, and the search for the nearest spot where one may lie: inside the outline,
// off the keep-outs and off the footprints already settled on its side.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Board.h"
#include "BoardRegion.h"

namespace Tarnix {

// Boxes in 64 bits, so that growing and shifting them cannot wrap.
struct TBox64 {
  int64_t X1, Y1, X2, Y2;
};

struct TShift {
  int64_t X = 0, Y = 0;
};

// Boxes that share area; touching edges do not count.
bool BoxesOverlap(const TBox64& a, const TBox64& b);
TBox64 Shifted(const TBox64& box, TShift shift);
bool FitsInt32(int64_t value);
// The box in 32 bits; none when it does not fit.
std::optional<TRect> AsRect(const TBox64& box);

// One footprint: its box and, around it, the box grown by the component's clearance (the small
// clearance for parts of two pads or fewer, the large one for the others; at least 2 mil), half
// on each side, so that two neighbours keep about their clearance between them.
struct TFootprint {
  TComponent* Component = nullptr;
  TBox64 Bare{};
  TBox64 Grown{};
  int64_t Area = 0;

  const TBox64& Box(bool clearances) const { return clearances ? Grown : Bare; }
};

TFootprint FootprintOf(TComponent& component, const TPlacerOptions& options);

// The designator's text; empty for a component without one.
std::string DesignatorOf(const TComponent& component);

// Moves the component and its boxes; false, with nothing moved, when it would leave the
// coordinate range.
bool MoveBy(TFootprint& part, TShift shift);

class TFreeSpots {
 public:
  explicit TFreeSpots(const TBoard& board) : Region(board) {}

  // The footprint counts as an obstacle from now on, where it lies when a spot is judged; it
  // must outlive the search.
  void Settle(const TFootprint& part) { Settled.push_back(&part); }

  // Whether the part shifted so lies inside the outline, off the keep-outs and off every settled
  // footprint on its side (with the clearances, or only the footprints themselves).
  bool Free(const TFootprint& part, TShift shift, bool clearances) const;

  // Of the free shifts, the one nearest to `wanted`; none when the board has no room.
  std::optional<TShift> Nearest(const TFootprint& part, TShift wanted, bool clearances) const;

  const TBoardRegion& Area() const { return Region; }

 private:
  const TBoardRegion Region;
  std::vector<const TFootprint*> Settled;
};

}  // namespace Tarnix
