// Bypass capacitors take no part in the annealing: the components that want one are enlarged by a
// strip beside their body, and at the end each capacitor is put into the strip of a component on
// its supply nets, side by side with the others there; one that no such strip has room for goes
// to the nearest free spot beside the components on its nets.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "BypassObstacles.h"
#include "FootprintBox.h"
#include "PlaceObj.h"

namespace {

// Directions as quarter turns counter-clockwise from +X.
constexpr int32_t SideRight = 0;
constexpr int32_t SideUp = 1;
constexpr int32_t SideLeft = 2;
constexpr int32_t SideDown = 3;

int32_t QuarterTurns(int64_t turns) {
  return static_cast<int32_t>(((turns % 4) + 4) % 4);
}

bool IsVertical(int32_t side) {
  return side == SideUp || side == SideDown;
}

// round(v / 2) with ties to even, wrapped into 32 bits.
int32_t RoundedHalf(int64_t v) {
  return static_cast<int32_t>(static_cast<int64_t>(std::nearbyint(static_cast<double>(v) / 2.0)));
}

// How many spots a capacitor without a strip tries around the one it wants: about 25 rings.
constexpr int32_t MaxFreeSpotTries = 2500;

bool FitsInt32(int64_t v) {
  return v >= INT32_MIN && v <= INT32_MAX;
}

// Half of v rounded up, so that a footprint centred that far from an edge clears it.
int32_t HalfUp(int64_t v) {
  return static_cast<int32_t>((v + 1) / 2);
}

int32_t WrapAdd(int32_t a, int64_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// Moves the body of a component (its pins and reference point) without moving its footprint.
void ShiftBody(TCompRecord& component, int32_t dx, int32_t dy) {
  for (auto& pin : component.Pins) {
    pin->X = WrapAdd(pin->X, dx);
    pin->Y = WrapAdd(pin->Y, dy);
  }
  component.X = WrapAdd(component.X, dx);
  component.Y = WrapAdd(component.Y, dy);
}

// The footprint of a component grown by a strip of the capacitors' short side: a tall one grows
// in height and is at least as wide as the capacitors' long side, a wide or square one grows in
// width and is at least as high as the short side.
struct TGrownFootprint {
  int64_t Width;
  int64_t Height;
  bool Tall;
};
TGrownFootprint GrownFootprint(const TCompRecord& component, int32_t shortSide, int32_t longSide) {
  if (component.Height > component.Width) {
    return {std::max(component.Width, longSide), int64_t{component.Height} + shortSide, true};
  }
  return {int64_t{component.Width} + shortSide, std::max(component.Height, shortSide), false};
}

// Enlarges one component by a strip of the capacitors' short side and moves its body away from
// the strip, which lies on the side of the reference point. Returns the strip's side.
int32_t ReserveStrip(TCompRecord& component, int32_t shortSide, int32_t longSide) {
  const int32_t half = RoundedHalf(shortSide);
  const TGrownFootprint grown = GrownFootprint(component, shortSide, longSide);
  component.Width = WrapAdd(0, grown.Width);
  component.Height = WrapAdd(0, grown.Height);
  if (grown.Tall) {
    const bool up = component.Y > component.CenterY;
    ShiftBody(component, 0, up ? -half : half);
    return up ? SideUp : SideDown;
  }
  const bool right = component.X > component.CenterX;
  ShiftBody(component, right ? -half : half, 0);
  return right ? SideRight : SideLeft;
}

// Only a powered movable component had a strip reserved beside its body.
bool HasStrip(const TCompRecord& component) {
  return component.BypassSide != 0;
}

// The side of the strip beside a component. The side recorded when the strip was reserved is
// turned along with the component; the reference point cannot tell it, because reserving the strip
// moved the reference point towards the body.
int32_t StripSide(const TCompRecord& component) {
  return QuarterTurns(int64_t{component.BypassSide} - 1 + component.Rotation);
}

// A footprint as the engine compares them.
TBox FootprintOf(const TCompRecord& component) {
  return CentredBox(component.CenterX, component.CenterY, component.Width, component.Height);
}

// The footprint without the strip of that thickness on that side.
TBox BodyBox(const TCompRecord& component, int32_t side, int32_t strip) {
  TBox body = FootprintOf(component);
  switch (side) {
    case SideRight:
      body.Right -= strip;
      break;
    case SideUp:
      body.Top -= strip;
      break;
    case SideLeft:
      body.Left += strip;
      break;
    default:
      body.Bottom += strip;
      break;
  }
  return body;
}

// The line through the middle of the strip: a Y for a strip above or below the body, an X for
// one beside it.
int64_t StripCentre(const TCompRecord& component, int32_t side, int32_t strip) {
  if (IsVertical(side)) {
    const int32_t offset = RoundedHalf(int64_t{component.Height} - strip);
    return int64_t{component.CenterY} + (side == SideUp ? offset : -int64_t{offset});
  }
  const int32_t offset = RoundedHalf(int64_t{component.Width} - strip);
  return int64_t{component.CenterX} + (side == SideRight ? offset : -int64_t{offset});
}

// The distinct supply nets of a component's pins, in pin order.
std::vector<uint32_t> SupplyNetsOf(const TCompRecord& component) {
  std::vector<uint32_t> nets;
  for (const auto& pin : component.Pins) {
    if (pin->SupplyNet != 0 && std::find(nets.begin(), nets.end(), pin->SupplyNet) == nets.end()) {
      nets.push_back(pin->SupplyNet);
    }
  }
  return nets;
}

int32_t SharedCount(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  return static_cast<int32_t>(std::count_if(a.begin(), a.end(), [&b](uint32_t net) {
    return std::find(b.begin(), b.end(), net) != b.end();
  }));
}

// How many rings of spots around the components on its nets a capacitor without a partner tries.
constexpr int64_t MaxNeighbourRings = 25;

// Calls spot(x, y) for the centres of a w x h box all around a footprint, `gap` away from it and
// `step` apart, until spot returns true.
template <class Spot>
void ForEachSpotAround(const TBox& footprint, int32_t w, int32_t h, int64_t gap, int64_t step,
                       Spot&& spot) {
  const int64_t left = footprint.Left - gap - HalfUp(w);
  const int64_t right = footprint.Right + gap + HalfUp(w);
  const int64_t bottom = footprint.Bottom - gap - HalfUp(h);
  const int64_t top = footprint.Top + gap + HalfUp(h);
  const auto visit = [&spot](int64_t x, int64_t y) {
    return FitsInt32(x) && FitsInt32(y) && spot(static_cast<int32_t>(x), static_cast<int32_t>(y));
  };
  for (int64_t x = left; x < right; x += step) {
    if (visit(x, top) || visit(x, bottom)) {
      return;
    }
  }
  for (int64_t y = bottom; y < top; y += step) {
    if (visit(left, y) || visit(right, y)) {
      return;
    }
  }
  if (visit(right, top)) {
    return;
  }
}

}  // namespace

void TAutoPlacer::BypassExtents() {
  BypassLong = 0;
  BypassShort = 0;
  for (const auto& component : Components) {
    // A locked part that looks like a capacitor (a header, say) is never placed in a strip.
    if ((component->Flags & FlagBypass) == 0 || component->Movable != 1) {
      continue;
    }
    BypassLong = std::max(BypassLong, std::max(component->Width, component->Height));
    BypassShort = std::max(BypassShort, std::min(component->Width, component->Height));
  }
}

// A component grown by a strip wider or taller than the placement area could never be moved
// legally, and the strip would push its body past the edge of the board: it gets none, and its
// capacitor goes to a free spot instead.
bool TAutoPlacer::StripFitsArea(const TCompRecord& component) const {
  const TGrownFootprint grown = GrownFootprint(component, BypassShort, BypassLong);
  return grown.Width <= int64_t{BoardRight} - BoardLeft &&
         grown.Height <= int64_t{BoardTop} - BoardBottom;
}

void TAutoPlacer::ReserveBypassSpace() {
  for (const auto& component : Components) {
    // A capacitor is itself on a power and a ground net, but wants no strip of its own.
    if ((component->Flags & FlagPowered) == 0 || component->Movable != 1 ||
        (component->Flags & FlagBypass) != 0 || !StripFitsArea(*component)) {
      continue;
    }
    const int32_t side = ReserveStrip(*component, BypassShort, BypassLong);
    component->BypassSide = 1 + QuarterTurns(int64_t{side} - component->Rotation);
  }
}

void TAutoPlacer::PlaceBypassCapacitors() {
  std::vector<TStripRow> rows(static_cast<size_t>(MovableCount));
  std::vector<std::vector<uint32_t>> hostNets(static_cast<size_t>(MovableCount));
  for (int32_t i = 1; i <= MovableCount; ++i) {
    if (HasStrip(Component(i))) {
      hostNets[static_cast<size_t>(i - 1)] = SupplyNetsOf(Component(i));
    }
  }
  // The movable components stay where they are while the capacitors are placed, each capacitor
  // an obstacle to the next ones once placed.
  TBypassObstacles obstacles(TBox{BoardLeft, BoardBottom, BoardRight, BoardTop},
                             static_cast<size_t>(ComponentCount - FixedCount));
  for (int32_t i = 1; i <= MovableCount; ++i) {
    obstacles.Add(FootprintOf(Component(i)), i);
  }
  BypassObstacles = &obstacles;
  struct TRelease {
    const TBypassObstacles*& Slot;
    ~TRelease() { Slot = nullptr; }
  } release{BypassObstacles};
  int32_t cursor = 1;  // where the search for a partner starts: after the last one taken
  for (int32_t c = MovableCount + FixedCount + 1; c <= ComponentCount; ++c) {
    const std::vector<uint32_t> nets = SupplyNetsOf(Component(c));
    bool placed = false;
    // Partners on both of the capacitor's supply nets first, then those on one of them.
    for (auto shared = static_cast<int32_t>(nets.size()); shared >= 1 && !placed; --shared) {
      for (int32_t step = 0; step < MovableCount && !placed; ++step) {
        const int32_t i = (cursor - 1 + step) % MovableCount + 1;
        const std::vector<uint32_t>& onHost = hostNets[static_cast<size_t>(i - 1)];
        if (onHost.empty() || SharedCount(onHost, nets) != shared) {
          continue;
        }
        placed = PlaceInStrip(c, i, rows[static_cast<size_t>(i - 1)]);
        if (placed) {
          cursor = i % MovableCount + 1;
        }
      }
    }
    if (!placed) {
      PlaceBesideNetNeighbours(c, nets);
    }
    obstacles.Add(FootprintOf(Component(c)), 0);
  }
}

// The next slot of the host's row that is free for the capacitor, if any: the middle of the
// reserved strip first, then outward on both sides, each side as far as nothing is in the way.
bool TAutoPlacer::PlaceInStrip(int32_t c, int32_t host, TStripRow& row) {
  const TCompRecord& partner = Component(host);
  const int32_t side = StripSide(partner);
  const bool across = IsVertical(side);
  const TCompRecord& capacitor = Component(c);
  // Lying across a strip above or below the body, standing upright in one beside it.
  const int32_t longSide = std::max(capacitor.Width, capacitor.Height);
  const int32_t shortSide = std::min(capacitor.Width, capacitor.Height);
  const int32_t width = across ? longSide : shortSide;
  const int32_t height = across ? shortSide : longSide;
  const auto slotFree = [&](int64_t offset) {
    const int64_t along = int64_t{offset} * std::max(BypassLong, int32_t{1});
    const int64_t x = across ? partner.CenterX + along : StripCentre(partner, side, BypassShort);
    const int64_t y = across ? StripCentre(partner, side, BypassShort) : partner.CenterY + along;
    if (!FitsInt32(x) || !FitsInt32(y) ||
        SlotTaken(host, static_cast<int32_t>(x), static_cast<int32_t>(y), width, height)) {
      return std::optional<std::pair<int32_t, int32_t>>();
    }
    return std::optional(std::pair(static_cast<int32_t>(x), static_cast<int32_t>(y)));
  };
  std::optional<std::pair<int32_t, int32_t>> spot;
  if (!row.MiddleTried) {
    row.MiddleTried = true;
    spot = slotFree(0);
  }
  while (!spot && (row.Open[0] || row.Open[1])) {
    // The nearer end grows first; the positive one on a tie.
    const int end = !row.Open[1] || (row.Open[0] && row.Next[0] <= row.Next[1]) ? 0 : 1;
    spot = slotFree(end == 0 ? row.Next[end] : -int64_t{row.Next[end]});
    if (spot) {
      ++row.Next[end];
    } else {
      row.Open[end] = false;
    }
  }
  if (!spot) {
    return false;
  }
  if ((capacitor.Width < capacitor.Height) == across) {
    RotateAboutOrigin(1, c);
  }
  PlaceCentreAt(c, spot->first, spot->second);
  return true;
}

// A slot of a strip may overlap the partner's footprint, which holds the strip, but not its body.
bool TAutoPlacer::SlotTaken(int32_t host, int32_t x, int32_t y, int32_t w, int32_t h) const {
  if (Blocked(x, y, w, h)) {
    return true;
  }
  const TBox box = CentredBox(x, y, w, h);
  const TCompRecord& partner = Component(host);
  if (Overlap(box, BodyBox(partner, StripSide(partner), BypassShort))) {
    return true;
  }
  // The movable components but the partner, and the capacitors before this one, placed already.
  return BypassObstacles->Overlaps(box, host);
}

// A capacitor that no powered partner on its supply nets has room for goes to the free spot
// nearest to a component on those nets (on both of them, if there is one), ring by ring around
// their footprints in list order. Without such a component, or without a free spot near one, it
// takes the free spot nearest to the lower left corner of the placement area.
void TAutoPlacer::PlaceBesideNetNeighbours(int32_t c, const std::vector<uint32_t>& nets) {
  // Upright, whatever an earlier call left, so that placing again gives the same result.
  if (Component(c).Width > Component(c).Height) {
    RotateAboutOrigin(1, c);
  }
  const TCompRecord& capacitor = Component(c);
  std::vector<int32_t> neighbours;
  for (auto shared = static_cast<int32_t>(nets.size()); shared >= 1 && neighbours.empty();
       --shared) {
    for (int32_t i = 1; i <= MovableCount + FixedCount; ++i) {
      if (SharedCount(SupplyNetsOf(Component(i)), nets) == shared) {
        neighbours.push_back(i);
      }
    }
  }
  const int64_t step = std::max({int64_t{1}, int64_t{capacitor.Width}, int64_t{capacitor.Height}});
  for (int64_t ring = 0; ring < MaxNeighbourRings && !neighbours.empty(); ++ring) {
    for (const int32_t i : neighbours) {
      std::optional<std::pair<int32_t, int32_t>> spot;
      ForEachSpotAround(FootprintOf(Component(i)), capacitor.Width, capacitor.Height, ring * step,
                        step, [&](int32_t x, int32_t y) {
                          if (!spot && !SpotTaken(c, x, y)) {
                            spot = std::pair(x, y);
                          }
                          return spot.has_value();
                        });
      if (spot) {
        PlaceCentreAt(c, spot->first, spot->second);
        return;
      }
    }
  }
  PlaceOnFreeSpot(c, WrapAdd(BoardLeft, HalfUp(capacitor.Width)),
                  WrapAdd(BoardBottom, HalfUp(capacitor.Height)));
}

bool TAutoPlacer::SpotTaken(int32_t c, int32_t x, int32_t y) const {
  const TCompRecord& capacitor = Component(c);
  if (Blocked(x, y, capacitor.Width, capacitor.Height)) {
    return true;
  }
  // The movable components, and the capacitors before this one, placed already.
  constexpr int32_t NoComponent = -1;
  return BypassObstacles->Overlaps(CentredBox(x, y, capacitor.Width, capacitor.Height),
                                   NoComponent);
}

// A capacitor without a strip to go into would otherwise end off the board, on a keep-out or on
// another component. It takes the free spot nearest to the wanted one, looking ring by ring on a
// lattice as fine as its larger side, and stays at the wanted spot if none is found nearby.
void TAutoPlacer::PlaceOnFreeSpot(int32_t c, int32_t x, int32_t y) {
  const TCompRecord& capacitor = Component(c);
  const int64_t step = std::max({int64_t{1}, int64_t{capacitor.Width}, int64_t{capacitor.Height}});
  int32_t bestX = x;
  int32_t bestY = y;
  if (SpotTaken(c, x, y)) {
    int64_t bestDistance = -1;
    int32_t tried = 0;
    for (int64_t ring = 1; bestDistance < 0 && tried < MaxFreeSpotTries; ++ring) {
      for (int64_t dx = -ring; dx <= ring; ++dx) {
        for (int64_t dy = -ring; dy <= ring; ++dy) {
          if (std::max(std::abs(dx), std::abs(dy)) != ring) {
            continue;
          }
          ++tried;
          const int64_t spotX = x + dx * step;
          const int64_t spotY = y + dy * step;
          const int64_t distance = dx * dx + dy * dy;
          if (!FitsInt32(spotX) || !FitsInt32(spotY) ||
              (bestDistance >= 0 && distance >= bestDistance) ||
              SpotTaken(c, static_cast<int32_t>(spotX), static_cast<int32_t>(spotY))) {
            continue;
          }
          bestDistance = distance;
          bestX = static_cast<int32_t>(spotX);
          bestY = static_cast<int32_t>(spotY);
        }
      }
    }
  }
  PlaceCentreAt(c, bestX, bestY);
}
