#include "FreeSpots.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <queue>
#include <tuple>

namespace Tarnix {

namespace {

// Footprints placed with their clearances keep at least this gap (2 mil): boxes that only touch
// would count as overlapping by any measure that takes a pad's box a little larger.
constexpr int64_t MinimumGap = 20000;

// A search that finds no spot among this many gives up: the board has no room for the part.
constexpr int64_t MaxSpotsTried = 200000;

// The shifts worth trying along one axis, nearest to `wanted` first: the one wanted, and each
// one that brings an edge of the part against an edge of something in its way. The nearest free
// spot of a box among boxes has its edges on such lines.
std::vector<int64_t> NearestFirst(std::vector<int64_t> shifts, int64_t wanted) {
  shifts.push_back(wanted);
  std::sort(shifts.begin(), shifts.end(), [wanted](int64_t a, int64_t b) {
    const int64_t da = a < wanted ? wanted - a : a - wanted;
    const int64_t db = b < wanted ? wanted - b : b - wanted;
    return da != db ? da < db : a < b;
  });
  shifts.erase(std::unique(shifts.begin(), shifts.end()), shifts.end());
  return shifts;
}

}  // namespace

bool BoxesOverlap(const TBox64& a, const TBox64& b) {
  return a.X1 < b.X2 && b.X1 < a.X2 && a.Y1 < b.Y2 && b.Y1 < a.Y2;
}

TBox64 Shifted(const TBox64& box, TShift shift) {
  return {box.X1 + shift.X, box.Y1 + shift.Y, box.X2 + shift.X, box.Y2 + shift.Y};
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

bool TFreeSpots::Free(const TFootprint& part, TShift shift, bool clearances) const {
  const TBox64 box = Shifted(part.Box(clearances), shift);
  for (const TFootprint* other : Settled)
    if (other != &part && other->Component->Layer == part.Component->Layer &&
        BoxesOverlap(box, other->Box(clearances)))
      return false;
  const auto bare = AsRect(Shifted(part.Bare, shift));
  return bare && Region.Allows(*bare);
}

std::optional<TShift> TFreeSpots::Nearest(const TFootprint& part, TShift wanted,
                                          bool clearances) const {
  const TBox64 own = part.Box(clearances);
  std::vector<int64_t> xs, ys;
  const auto against = [&](const TBox64& box, const TBox64& obstacle) {
    xs.insert(xs.end(), {obstacle.X2 - box.X1, obstacle.X1 - box.X2});
    ys.insert(ys.end(), {obstacle.Y2 - box.Y1, obstacle.Y1 - box.Y2});
  };
  for (const TFootprint* other : Settled)
    if (other != &part && other->Component->Layer == part.Component->Layer)
      against(own, other->Box(clearances));
  for (const TRect& keepOut : Region.KeepOutBoxes())
    against(part.Bare, {keepOut.X1, keepOut.Y1, keepOut.X2, keepOut.Y2});
  for (const auto& loop : Region.OutlineLoops())
    for (const TPoint& point : loop)
      against(part.Bare, {point.X, point.Y, point.X, point.Y});
  xs = NearestFirst(std::move(xs), wanted.X);
  ys = NearestFirst(std::move(ys), wanted.Y);

  // Tries the shifts (xs[i], ys[j]) in order of distance from the one wanted: each pair is
  // reached once, from (i, j - 1) or, on the first column, from (i - 1, 0).
  using TSpot = std::tuple<double, size_t, size_t>;
  const auto spot = [&](size_t i, size_t j) {
    const double dx = static_cast<double>(xs[i] - wanted.X);
    const double dy = static_cast<double>(ys[j] - wanted.Y);
    return TSpot{dx * dx + dy * dy, i, j};
  };
  std::priority_queue<TSpot, std::vector<TSpot>, std::greater<>> queue;
  queue.push(spot(0, 0));
  for (int64_t tried = 0; !queue.empty() && tried < MaxSpotsTried; ++tried) {
    const auto [distance, i, j] = queue.top();
    queue.pop();
    if (Free(part, {xs[i], ys[j]}, clearances))
      return TShift{xs[i], ys[j]};
    if (j + 1 < ys.size())
      queue.push(spot(i, j + 1));
    if (j == 0 && i + 1 < xs.size())
      queue.push(spot(i + 1, 0));
  }
  return std::nullopt;
}

}  // namespace Tarnix
