#include "Legalise.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <queue>
#include <tuple>
#include <utility>

#include "BoardRegion.h"

namespace Tarnix {

namespace {

// A search that finds no spot among this many gives up: the board has no room for the part.
constexpr int64_t MaxSpotsTried = 200000;

// Boxes in 64 bits, so that growing and shifting them cannot wrap.
struct TBox {
  int64_t X1, Y1, X2, Y2;
};

TBox Shifted(const TBox& box, int64_t dx, int64_t dy) {
  return {box.X1 + dx, box.Y1 + dy, box.X2 + dx, box.Y2 + dy};
}

bool Overlap(const TBox& a, const TBox& b) {
  return a.X1 < b.X2 && b.X1 < a.X2 && a.Y1 < b.Y2 && b.Y1 < a.Y2;
}

bool FitsInt32(int64_t value) {
  return value >= std::numeric_limits<int32_t>::min() &&
         value <= std::numeric_limits<int32_t>::max();
}

std::optional<TRect> AsRect(const TBox& box) {
  if (!FitsInt32(box.X1) || !FitsInt32(box.Y1) || !FitsInt32(box.X2) || !FitsInt32(box.Y2))
    return std::nullopt;
  return TRect{static_cast<int32_t>(box.X1), static_cast<int32_t>(box.Y1),
               static_cast<int32_t>(box.X2), static_cast<int32_t>(box.Y2)};
}

std::string DesignatorOf(const TComponent& component) {
  return component.Designator ? component.Designator->Text : std::string();
}

// One footprint: its box and, around it, the box grown by the component's clearance (the small
// clearance for parts of two pads or fewer, the large one for the others), half on each side, so
// that two neighbours keep about their clearance between them.
struct TFootprint {
  TComponent* Component = nullptr;
  TBox Bare{};
  TBox Grown{};
  int64_t Area = 0;

  const TBox& Box(bool clearances) const { return clearances ? Grown : Bare; }
};

TFootprint FootprintOf(TComponent& component, const TPlacerOptions& options) {
  const TRect box = FootprintBox(component);
  const bool small = component.Children(TKind::Pad).size() <= 2;
  const int64_t clearance = std::max<int64_t>(
      0, small ? options.SmallComponentClearance : options.LargeComponentClearance);
  const int64_t low = clearance / 2, high = clearance - low;
  TFootprint footprint;
  footprint.Component = &component;
  footprint.Bare = {box.X1, box.Y1, box.X2, box.Y2};
  footprint.Grown = {box.X1 - low, box.Y1 - low, box.X2 + high, box.Y2 + high};
  footprint.Area =
      (footprint.Bare.X2 - footprint.Bare.X1) * (footprint.Bare.Y2 - footprint.Bare.Y1);
  return footprint;
}

// The shifts worth trying along one axis, nearest first: none, and each one that brings an edge
// of the part against an edge of something in its way. The nearest free spot of a box among
// boxes has its edges on such lines.
std::vector<int64_t> NearestFirst(std::vector<int64_t> shifts) {
  shifts.push_back(0);
  std::sort(shifts.begin(), shifts.end(), [](int64_t a, int64_t b) {
    const int64_t da = a < 0 ? -a : a, db = b < 0 ? -b : b;
    return da != db ? da < db : a < b;
  });
  shifts.erase(std::unique(shifts.begin(), shifts.end()), shifts.end());
  return shifts;
}

class TLegaliser {
 public:
  TLegaliser(TBoard& board) : Region(board) {
    for (const auto& component : board.Components)
      Parts.push_back(FootprintOf(*component, board.Settings.Placer));
  }

  TLegaliseResult Run() {
    // Locked parts hold their places; of the others, the larger keep theirs first.
    std::vector<TFootprint*> movable;
    for (TFootprint& part : Parts) {
      if (part.Component->Moveable == 0)
        Settled.push_back(&part);
      else
        movable.push_back(&part);
    }
    std::stable_sort(movable.begin(), movable.end(),
                     [](const TFootprint* a, const TFootprint* b) { return a->Area > b->Area; });
    std::vector<TFootprint*> inTheWay;
    for (TFootprint* part : movable) {
      if (Free(*part, 0, 0, true))
        Settled.push_back(part);
      else
        inTheWay.push_back(part);
    }
    TLegaliseResult result;
    for (TFootprint* part : inTheWay) {
      auto shift = NearestFreeShift(*part, true);
      if (!shift)
        shift = NearestFreeShift(*part, false);
      if (shift && MoveBy(*part, shift->first, shift->second))
        result.Moved.push_back(DesignatorOf(*part->Component));
      else
        result.NoRoom.push_back(DesignatorOf(*part->Component));
      Settled.push_back(part);
    }
    return result;
  }

 private:
  // Whether the part shifted so lies inside the outline, off the keep-outs and off every settled
  // footprint on its side.
  bool Free(const TFootprint& part, int64_t dx, int64_t dy, bool clearances) const {
    const TBox box = Shifted(part.Box(clearances), dx, dy);
    for (const TFootprint* other : Settled)
      if (other->Component->Layer == part.Component->Layer && Overlap(box, other->Box(clearances)))
        return false;
    const auto bare = AsRect(Shifted(part.Bare, dx, dy));
    return bare && Region.Allows(*bare);
  }

  std::optional<std::pair<int64_t, int64_t>> NearestFreeShift(const TFootprint& part,
                                                              bool clearances) const {
    const TBox own = part.Box(clearances);
    std::vector<int64_t> xs, ys;
    const auto against = [&](const TBox& box, const TBox& obstacle) {
      xs.insert(xs.end(), {obstacle.X2 - box.X1, obstacle.X1 - box.X2});
      ys.insert(ys.end(), {obstacle.Y2 - box.Y1, obstacle.Y1 - box.Y2});
    };
    for (const TFootprint* other : Settled)
      if (other->Component->Layer == part.Component->Layer)
        against(own, other->Box(clearances));
    for (const TRect& keepOut : Region.KeepOutBoxes())
      against(part.Bare, {keepOut.X1, keepOut.Y1, keepOut.X2, keepOut.Y2});
    for (const auto& loop : Region.OutlineLoops())
      for (const TPoint& point : loop)
        against(part.Bare, {point.X, point.Y, point.X, point.Y});
    return NearestFreeOf(part, NearestFirst(std::move(xs)), NearestFirst(std::move(ys)),
                         clearances);
  }

  // Tries the shifts (xs[i], ys[j]) in order of distance: each pair is reached once, from
  // (i, j - 1) or, on the first column, from (i - 1, 0); both lists are sorted nearest first.
  std::optional<std::pair<int64_t, int64_t>> NearestFreeOf(const TFootprint& part,
                                                           const std::vector<int64_t>& xs,
                                                           const std::vector<int64_t>& ys,
                                                           bool clearances) const {
    using TSpot = std::tuple<double, size_t, size_t>;
    const auto spot = [&](size_t i, size_t j) {
      const double dx = static_cast<double>(xs[i]), dy = static_cast<double>(ys[j]);
      return TSpot{dx * dx + dy * dy, i, j};
    };
    std::priority_queue<TSpot, std::vector<TSpot>, std::greater<>> queue;
    queue.push(spot(0, 0));
    for (int64_t tried = 0; !queue.empty() && tried < MaxSpotsTried; ++tried) {
      const auto [distance, i, j] = queue.top();
      queue.pop();
      if (Free(part, xs[i], ys[j], clearances))
        return std::pair{xs[i], ys[j]};
      if (j + 1 < ys.size())
        queue.push(spot(i, j + 1));
      if (j == 0 && i + 1 < xs.size())
        queue.push(spot(i + 1, 0));
    }
    return std::nullopt;
  }

  static bool MoveBy(TFootprint& part, int64_t dx, int64_t dy) {
    const TPoint reference = part.Component->Data.Reference;
    const int64_t x = reference.X + dx, y = reference.Y + dy;
    if (!FitsInt32(x) || !FitsInt32(y) ||
        !part.Component->MoveTo({static_cast<int32_t>(x), static_cast<int32_t>(y)},
                                part.Component->Data.Rotation))
      return false;
    part.Bare = Shifted(part.Bare, dx, dy);
    part.Grown = Shifted(part.Grown, dx, dy);
    return true;
  }

  const TBoardRegion Region;
  std::vector<TFootprint> Parts;
  std::vector<const TFootprint*> Settled;
};

}  // namespace

TLegaliseResult LegalisePlacement(TBoard& board) {
  TLegaliseResult result = TLegaliser(board).Run();
  if (!result.Moved.empty())
    board.NetsChanged();
  return result;
}

}  // namespace Tarnix
