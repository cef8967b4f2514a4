// Bypass capacitors take no part in the annealing: the components that want one are enlarged by a
// strip beside their body, and at the end each capacitor is put into the strip of one of them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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

// Only a powered movable component had a strip reserved beside its body. The search for a
// partner may end at one without: the capacitor then goes against its footprint, not onto it.
bool HasStrip(const TCompRecord& component) {
  return component.BypassSide != 0;
}

// The side of the strip beside a component. The side recorded when the strip was reserved is
// turned along with the component; the reference point cannot tell it, because reserving the strip
// moved the reference point towards the body. A component without a strip is judged by where its
// reference point lies.
int32_t StripSide(const TCompRecord& component) {
  if (component.BypassSide != 0) {
    return QuarterTurns(int64_t{component.BypassSide} - 1 + component.Rotation);
  }
  if (component.Height > component.Width) {
    return component.Y > component.CenterY ? SideUp : SideDown;
  }
  return component.X > component.CenterX ? SideRight : SideLeft;
}

}  // namespace

void TAutoPlacer::BypassExtents() {
  BypassLong = 0;
  BypassShort = 0;
  for (const auto& component : Components) {
    if ((component->Flags & FlagBypass) == 0) {
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
  const int32_t shortSide = BypassShort;
  int32_t cursor = 1;  // over the movable positions
  for (int32_t c = MovableCount + FixedCount + 1; c <= ComponentCount; ++c) {
    TCompRecord& capacitor = Component(c);
    if (cursor > MovableCount) {
      // Nobody is left to take it: the lower left corner of the placement area, inside it.
      PlaceOnFreeSpot(c, WrapAdd(BoardLeft, HalfUp(capacitor.Width)),
                      WrapAdd(BoardBottom, HalfUp(capacitor.Height)));
      continue;
    }
    // The search stops at the last movable position, powered or not.
    while ((Component(cursor).Flags & FlagPowered) == 0 && cursor < MovableCount) {
      ++cursor;
    }
    const TCompRecord& host = Component(cursor);
    const int32_t side = StripSide(host);
    int32_t targetX = host.CenterX;
    int32_t targetY = host.CenterY;
    if (IsVertical(side)) {
      // Lying across a strip above or below the body.
      if (capacitor.Width < capacitor.Height) {
        RotateAboutOrigin(1, c);
      }
      const int32_t offset = HasStrip(host) ? RoundedHalf(int64_t{host.Height} - shortSide)
                                            : HalfUp(int64_t{host.Height} + capacitor.Height);
      targetY = WrapAdd(host.CenterY, side == SideUp ? offset : -int64_t{offset});
    } else {
      // Standing upright in a strip to the right or left of the body.
      if (capacitor.Width > capacitor.Height) {
        RotateAboutOrigin(1, c);
      }
      const int32_t offset = HasStrip(host) ? RoundedHalf(int64_t{host.Width} - shortSide)
                                            : HalfUp(int64_t{host.Width} + capacitor.Width);
      targetX = WrapAdd(host.CenterX, side == SideRight ? offset : -int64_t{offset});
    }
    if (HasStrip(host)) {
      PlaceCentreAt(c, targetX, targetY);
    } else {
      PlaceOnFreeSpot(c, targetX, targetY);
    }
    ++cursor;
  }
}

bool TAutoPlacer::SpotTaken(int32_t c, int32_t x, int32_t y) const {
  const TCompRecord& capacitor = Component(c);
  if (Blocked(x, y, capacitor.Width, capacitor.Height)) {
    return true;
  }
  const TBox box = CentredBox(x, y, capacitor.Width, capacitor.Height);
  const auto overlaps = [&box](const TCompRecord& other) {
    return Overlap(box, CentredBox(other.CenterX, other.CenterY, other.Width, other.Height));
  };
  for (int32_t i = 1; i <= MovableCount; ++i) {
    if (overlaps(Component(i))) {
      return true;
    }
  }
  // The capacitors before this one have been placed already.
  for (int32_t i = MovableCount + FixedCount + 1; i < c; ++i) {
    if (overlaps(Component(i))) {
      return true;
    }
  }
  return false;
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
