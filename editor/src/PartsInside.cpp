#include "PartsInside.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "BoardRegion.h"
#include "Footprint.h"
#include "SettledFootprints.h"

namespace Tarnix {

namespace {

constexpr int64_t UnitsPerMil = 10000;
// The search looks at rings of spots around the part; this many rings cover the board.
constexpr int64_t RingsAcrossBoard = 256;

TRect Shifted(const TRect& box, int64_t dx, int64_t dy) {
  return {static_cast<int32_t>(box.X1 + dx), static_cast<int32_t>(box.Y1 + dy),
          static_cast<int32_t>(box.X2 + dx), static_cast<int32_t>(box.Y2 + dy)};
}

// The shift that brings the range [low, high] into [min, max] by the least distance; 0 when it
// is inside already or cannot fit.
int64_t IntoRange(int64_t low, int64_t high, int64_t min, int64_t max) {
  if (high - low > max - min)
    return 0;
  if (low < min)
    return min - low;
  if (high > max)
    return max - high;
  return 0;
}

// The footprints of a board's parts, all of them and the locked ones apart, found by where they
// lie.
struct TPartsByPlace {
  explicit TPartsByPlace(TBoard& board)
      : All(SettledCellSize(board)), Locked(SettledCellSize(board)) {
    Parts.reserve(board.Components.size());
    for (const auto& component : board.Components)
      Parts.push_back(FootprintOf(*component, board.Settings.Placer));
    for (const TFootprint& part : Parts) {
      All.Add(part);
      if (part.Component->Moveable == 0)
        Locked.Add(part);
    }
  }

  std::vector<TFootprint> Parts;  // in board order
  TSettledFootprints All, Locked;
};

// Where one part may go and where it would rather go.
class TSpotSearch {
 public:
  TSpotSearch(const TBoardRegion& region, const TPartsByPlace& parts, const TFootprint& part)
      : Region(region), Parts(parts), Part(part), Box(FootprintBox(*part.Component)) {}

  // The shift to the nearest allowed spot, preferring one off the other parts.
  std::optional<std::pair<int64_t, int64_t>> Nearest() const {
    const TRect& extent = Region.Extent();
    const int64_t startX = IntoRange(Box.X1, Box.X2, extent.X1, extent.X2);
    const int64_t startY = IntoRange(Box.Y1, Box.Y2, extent.Y1, extent.Y2);
    const int64_t span = std::max(int64_t{extent.X2} - extent.X1, int64_t{extent.Y2} - extent.Y1);
    const int64_t step = std::max(UnitsPerMil, span / RingsAcrossBoard);
    std::optional<std::pair<int64_t, int64_t>> allowed;
    for (int64_t ring = 0; ring * step <= span; ++ring) {
      std::optional<std::pair<int64_t, int64_t>> best;
      double bestDistance = std::numeric_limits<double>::infinity();
      bool bestClear = false;
      ForRing(ring, [&](int64_t i, int64_t j) {
        const int64_t dx = startX + i * step, dy = startY + j * step;
        const double distance = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
        if (distance >= bestDistance && bestClear)
          return;
        if (!Allowed(dx, dy))
          return;
        const bool clear = !OnOtherPart(dx, dy);
        if (!best || (clear != bestClear ? clear : distance < bestDistance)) {
          best = {dx, dy};
          bestDistance = distance;
          bestClear = clear;
        }
      });
      if (best && bestClear)
        return best;
      if (best && !allowed)
        allowed = best;
    }
    return allowed;
  }

 private:
  template <class Visit>
  static void ForRing(int64_t ring, Visit&& visit) {
    if (ring == 0) {
      visit(0, 0);
      return;
    }
    for (int64_t k = -ring; k < ring; ++k) {
      visit(k, -ring);
      visit(ring, k);
      visit(-k, ring);
      visit(-ring, -k);
    }
  }

  bool Allowed(int64_t dx, int64_t dy) const {
    if (!FitsInt32(Box.X1 + dx) || !FitsInt32(Box.X2 + dx) || !FitsInt32(Box.Y1 + dy) ||
        !FitsInt32(Box.Y2 + dy))
      return false;
    const TRect moved = Shifted(Box, dx, dy);
    return !Overlaps(moved, true) && Region.Allows(moved);
  }

  bool OnOtherPart(int64_t dx, int64_t dy) const { return Overlaps(Shifted(Box, dx, dy), false); }

  // Overlap with a locked part (or, with lockedOnly false, any other part) on the same side.
  bool Overlaps(const TRect& box, bool lockedOnly) const {
    const TBox64 wide{box.X1, box.Y1, box.X2, box.Y2};
    return (lockedOnly ? Parts.Locked : Parts.All).AnyOverlap(Part, wide, false);
  }

  const TBoardRegion& Region;
  const TPartsByPlace& Parts;
  const TFootprint& Part;
  TRect Box;
};

}  // namespace

std::vector<std::string> HoldEdgeParts(TBoard& board) {
  const TBoardRegion region(board);
  std::vector<std::string> names;
  for (const auto& component : board.Components) {
    const TRect box = FootprintBox(*component);
    if (component->Moveable == 0 || region.Contains(box) || !region.Touches(box))
      continue;
    component->Moveable = 0;
    board.Held.push_back(component.get());
    names.push_back(DesignatorOf(*component));
  }
  return names;
}

void ReleaseHeldParts(TBoard& board) {
  for (TComponent* component : board.Held)
    component->Moveable = 1;
  board.Held.clear();
}

TPullResult PullPartsInside(TBoard& board) {
  const TBoardRegion region(board);
  TPullResult result;
  if (!region.Known())
    return result;
  // The parts are found by place only once one is to be pulled: most runs leave none outside.
  std::optional<TPartsByPlace> parts;
  for (size_t i = 0; i < board.Components.size(); ++i) {
    TComponent& component = *board.Components[i];
    if (component.Moveable == 0 || region.Allows(FootprintBox(component)))
      continue;
    if (!parts)
      parts.emplace(board);
    TFootprint& part = parts->Parts[i];
    const auto shift = TSpotSearch(region, *parts, part).Nearest();
    // A part pulled stands where it went for the parts after it.
    parts->All.Remove(part);
    if (shift && MoveBy(part, {shift->first, shift->second}))
      result.Pulled.push_back(DesignatorOf(component));
    else
      result.Stuck.push_back(DesignatorOf(component));
    parts->All.Add(part);
  }
  if (!result.Pulled.empty())
    board.NetsChanged();
  return result;
}

int CountPartsOutside(const TBoard& board) {
  const TBoardRegion region(board);
  return static_cast<int>(std::count_if(
      board.Components.begin(), board.Components.end(),
      [&](const auto& component) { return !region.Contains(FootprintBox(*component)); }));
}

}  // namespace Tarnix
