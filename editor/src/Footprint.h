#pragma once

// Footprints as boxes for the finishing steps: a component's box and the box grown by its
// clearance, moved together with the component.

#include <cstdint>
#include <optional>
#include <string>

#include "Board.h"

namespace Tarnix {

// Boxes in 64 bits, so that growing and shifting them cannot wrap.
struct TBox64 {
  int64_t X1, Y1, X2, Y2;
};

struct TShift {
  int64_t X = 0, Y = 0;
};

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

TBox64 Shifted(const TBox64& box, TShift shift);

// Boxes that share area; touching edges do not count.
bool BoxesOverlap(const TBox64& a, const TBox64& b);

// Whether a 64-bit coordinate fits the board's 32-bit ones.
bool FitsInt32(int64_t value);

// The box in 32 bits; none when it does not fit.
std::optional<TRect> AsRect(const TBox64& box);

// The designator's text; empty for a component without one.
std::string DesignatorOf(const TComponent& component);

// Moves the component and its boxes; false, with nothing moved, when it would leave the
// coordinate range.
bool MoveBy(TFootprint& part, TShift shift);

}  // namespace Tarnix
