#include "Footprint.h"

#include <algorithm>
#include <limits>

#include "BoardRegion.h"

namespace Tarnix {

namespace {

// Footprints placed with their clearances keep at least this gap (2 mil): boxes that only touch
// would count as overlapping by any measure that takes a pad's box a little larger.
constexpr int64_t MinimumGap = 20000;

}  // namespace

TBox64 Shifted(const TBox64& box, TShift shift) {
  return {box.X1 + shift.X, box.Y1 + shift.Y, box.X2 + shift.X, box.Y2 + shift.Y};
}

bool BoxesOverlap(const TBox64& a, const TBox64& b) {
  return a.X1 < b.X2 && b.X1 < a.X2 && a.Y1 < b.Y2 && b.Y1 < a.Y2;
}

bool FitsInt32(int64_t value) {
  return value >= std::numeric_limits<int32_t>::min() &&
         value <= std::numeric_limits<int32_t>::max();
}

std::optional<TRect> AsRect(const TBox64& box) {
  if (!FitsInt32(box.X1) || !FitsInt32(box.Y1) || !FitsInt32(box.X2) || !FitsInt32(box.Y2))
    return std::nullopt;
  return TRect{static_cast<int32_t>(box.X1), static_cast<int32_t>(box.Y1),
               static_cast<int32_t>(box.X2), static_cast<int32_t>(box.Y2)};
}

TFootprint FootprintOf(TComponent& component, const TPlacerOptions& options) {
  const TRect box = FootprintBox(component);
  const bool small = component.Children(TKind::Pad).size() <= 2;
  const int64_t clearance = std::max<int64_t>(
      MinimumGap, small ? options.SmallComponentClearance : options.LargeComponentClearance);
  const int64_t low = clearance / 2, high = clearance - low;
  TFootprint footprint;
  footprint.Component = &component;
  footprint.Bare = {box.X1, box.Y1, box.X2, box.Y2};
  footprint.Grown = {box.X1 - low, box.Y1 - low, box.X2 + high, box.Y2 + high};
  footprint.Area =
      (footprint.Bare.X2 - footprint.Bare.X1) * (footprint.Bare.Y2 - footprint.Bare.Y1);
  return footprint;
}

std::string DesignatorOf(const TComponent& component) {
  return component.Designator ? component.Designator->Text : std::string();
}

bool MoveBy(TFootprint& part, TShift shift) {
  const TPoint reference = part.Component->Data.Reference;
  const int64_t x = reference.X + shift.X, y = reference.Y + shift.Y;
  if (!FitsInt32(x) || !FitsInt32(y) ||
      !part.Component->MoveTo({static_cast<int32_t>(x), static_cast<int32_t>(y)},
                              part.Component->Data.Rotation))
    return false;
  part.Bare = Shifted(part.Bare, shift);
  part.Grown = Shifted(part.Grown, shift);
  return true;
}

}  // namespace Tarnix
