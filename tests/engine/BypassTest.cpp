#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "EngineBuilder.h"
#include "engine/PlaceObj.h"

namespace {

constexpr int32_t BoardSize = 20000000;

// Footprint of the capacitors in these tests: short side 600000, long side 1000000.
TEngineBuilder::TComponentShape Capacitor(int32_t width = 600000, int32_t height = 1000000) {
  return {1000000, 1000000, width, height, TopLayer, true, true, FlagBypass | FlagPowered};
}

TEngineBuilder::TComponentShape Part(int32_t cx, int32_t cy, int32_t w, int32_t h, int32_t flags,
                                     bool movable = true) {
  return {cx, cy, w, h, TopLayer, true, movable, flags};
}

struct TBoxSides {
  int32_t Left, Bottom, Right, Top;
};

TBoxSides Footprint(const TCompRecord& c) {
  return {c.CenterX - c.Width / 2, c.CenterY - c.Height / 2, c.CenterX + c.Width / 2,
          c.CenterY + c.Height / 2};
}

// The pins of a component relative to its footprint centre.
std::vector<std::pair<int32_t, int32_t>> PinOffsets(const TCompRecord& c) {
  std::vector<std::pair<int32_t, int32_t>> offsets;
  for (const auto& pin : c.Pins) {
    offsets.emplace_back(pin->X - c.CenterX, pin->Y - c.CenterY);
  }
  return offsets;
}

}  // namespace

TEST(BypassSpace, WithoutCapacitorsNothingChanges) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize);
  const int32_t k = builder.Component(Part(5000000, 5000000, 2000000, 4000000, FlagPowered));
  builder.Pin(k, 5000000, 6000000);
  placer.BypassLong = placer.BypassShort = 7;
  placer.BypassExtents();
  EXPECT_EQ(placer.BypassLong, 0);
  EXPECT_EQ(placer.BypassShort, 0);
  placer.ReserveBypassSpace();
  const TCompRecord& c = placer.Component(k);
  EXPECT_EQ(c.Width, 2000000);
  EXPECT_EQ(c.Height, 4000000);
  EXPECT_EQ(c.Pins[0]->Y, 6000000);
  EXPECT_EQ(c.Y, 5000000);
}

TEST(BypassSpace, PoweredMovableComponentsGrowByTheCapacitorsShortSide) {
  struct TCase {
    int32_t Width, Height, RefDX, RefDY;
    int32_t ExpectedWidth, ExpectedHeight, ExpectedShiftX, ExpectedShiftY;
  };
  const TCase cases[] = {
      // Tall: the strip goes on the reference point's side, the body moves away from it.
      {2000000, 4000000, 0, 1000000, 2000000, 4600000, 0, -300000},
      {2000000, 4000000, 0, -1000000, 2000000, 4600000, 0, 300000},
      {800000, 4000000, 0, 1000000, 1000000, 4600000, 0, -300000},  // narrower than the long side
      // Wide: the height rises to the short side.
      {4000000, 500000, -1000000, 0, 4600000, 600000, 300000, 0},
      {4000000, 500000, 1000000, 0, 4600000, 600000, -300000, 0},
      {3000000, 3000000, 0, 0, 3600000, 3000000, 300000, 0},  // square counts as wide
  };
  for (const TCase& c : cases) {
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(0, 0, BoardSize, BoardSize);
    const int32_t k = builder.Component(Part(5000000, 5000000, c.Width, c.Height, FlagPowered));
    builder.Pin(k, 4900000, 5200000);
    const int32_t fixed =
        builder.Component(Part(9000000, 9000000, c.Width, c.Height, FlagPowered, false));
    builder.Pin(fixed, 9000000, 9000000);
    const int32_t cap = builder.Component(Capacitor());
    builder.Pin(cap, 1000000, 800000);
    TCompRecord& component = placer.Component(k);
    component.X += c.RefDX;
    component.Y += c.RefDY;

    placer.BypassExtents();
    EXPECT_EQ(placer.BypassLong, 1000000);
    EXPECT_EQ(placer.BypassShort, 600000);
    placer.ReserveBypassSpace();

    EXPECT_EQ(component.Width, c.ExpectedWidth) << c.Width << "x" << c.Height;
    EXPECT_EQ(component.Height, c.ExpectedHeight) << c.Width << "x" << c.Height;
    EXPECT_EQ(component.CenterX, 5000000);
    EXPECT_EQ(component.CenterY, 5000000);
    EXPECT_EQ(component.Pins[0]->X, 4900000 + c.ExpectedShiftX);
    EXPECT_EQ(component.Pins[0]->Y, 5200000 + c.ExpectedShiftY);
    EXPECT_EQ(component.X, 5000000 + c.RefDX + c.ExpectedShiftX);
    EXPECT_EQ(component.Y, 5000000 + c.RefDY + c.ExpectedShiftY);

    // A fixed powered component and the capacitor itself keep their footprints and pins.
    const TCompRecord& lockedOne = placer.Component(fixed);
    EXPECT_EQ(lockedOne.Width, c.Width);
    EXPECT_EQ(lockedOne.Height, c.Height);
    EXPECT_EQ(lockedOne.Pins[0]->Y, 9000000);
    const TCompRecord& capacitor = placer.Component(cap);
    EXPECT_EQ(capacitor.Width, 600000);
    EXPECT_EQ(capacitor.Height, 1000000);
    EXPECT_EQ(capacitor.Pins[0]->Y, 800000);
  }
}

TEST(BypassPlacement, PairsCapacitorsWithPoweredComponentsInOrder) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(1000000, 2000000, BoardSize, BoardSize);
  // Five movable components, only the second powered; the reference points lie above or to the
  // right of the centres, far enough to stay there when the strip is reserved.
  builder.Component(Part(3000000, 5000000, 1000000, 1000000, 0));
  const int32_t powered = builder.Component(Part(6000000, 5000000, 2000000, 4000000, FlagPowered));
  builder.Component(Part(9000000, 5000000, 1000000, 1000000, 0));
  builder.Component(Part(12000000, 5000000, 1000000, 1000000, 0));
  const int32_t last = builder.Component(Part(15000000, 5000000, 4000000, 1000000, 0));
  // A fixed powered component gets no capacitor.
  builder.Component(Part(3000000, 12000000, 2000000, 4000000, FlagPowered, false));
  std::vector<int32_t> capacitors;
  for (int i = 0; i < 3; ++i) {
    capacitors.push_back(builder.Component(Capacitor()));
    builder.Pin(capacitors.back(), 1000000, 800000);
    builder.Pin(capacitors.back(), 1000000, 1200000);
  }
  builder.Partitioned();
  placer.Component(powered).Y += 1000000;
  placer.Component(last).X += 1000000;
  placer.BypassExtents();
  placer.ReserveBypassSpace();
  placer.PlaceBypassCapacitors();

  // Beside the powered tall component, lying across its strip at the top.
  const TCompRecord& first = placer.Component(capacitors[0]);
  EXPECT_EQ(first.CenterX, 6000000);
  EXPECT_EQ(first.CenterY, 5000000 + (4600000 - 600000) / 2);
  EXPECT_EQ(first.Width, 1000000);
  EXPECT_EQ(first.Rotation, 1);
  // The search stops at the last movable position, powered or not: standing upright at its right,
  // against its footprint, as it has no strip to take the capacitor.
  const TCompRecord& second = placer.Component(capacitors[1]);
  EXPECT_EQ(second.CenterX, 15000000 + (4000000 + 600000) / 2);
  EXPECT_EQ(second.CenterY, 5000000);
  EXPECT_EQ(second.Rotation, 0);
  // Nothing left to pair with: the lower left corner of the area, inside it.
  const TCompRecord& third = placer.Component(capacitors[2]);
  EXPECT_EQ(third.CenterX, 1000000 + 600000 / 2);
  EXPECT_EQ(third.CenterY, 2000000 + 1000000 / 2);
  EXPECT_EQ(third.Rotation, 0);
  // The pins went along with every capacitor.
  for (const int32_t c : capacitors) {
    const TCompRecord& capacitor = placer.Component(c);
    EXPECT_EQ(capacitor.Pins[0]->X + capacitor.Pins[1]->X, 2 * capacitor.CenterX);
    EXPECT_EQ(capacitor.Pins[0]->Y + capacitor.Pins[1]->Y, 2 * capacitor.CenterY);
  }
  const auto firstPins = PinOffsets(first);
  EXPECT_EQ(firstPins[0].first, 200000);  // turned a quarter counter-clockwise
  EXPECT_EQ(firstPins[0].second, 0);

  // Placing again while nothing moved gives the same result.
  const auto firstX = first.CenterX, secondX = second.CenterX;
  const auto firstRotation = first.Rotation, secondRotation = second.Rotation;
  placer.PlaceBypassCapacitors();
  EXPECT_EQ(first.CenterX, firstX);
  EXPECT_EQ(second.CenterX, secondX);
  EXPECT_EQ(first.Rotation, firstRotation);
  EXPECT_EQ(second.Rotation, secondRotation);
}

TEST(BypassPlacement, TheCapacitorLandsInTheReservedStripAfterTheComponentTurned) {
  // The reference point at the centre: reserving the strip carries it to the body's side, so only
  // the side recorded at reservation tells where the strip is. Each turn is tried.
  for (int32_t turns = 0; turns < 4; ++turns) {
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(0, 0, BoardSize, BoardSize).Defaults();
    const int32_t k = builder.Component(Part(10000000, 10000000, 2000000, 4000000, FlagPowered));
    builder.Pin(k, 10000000, 8500000);
    builder.Pin(k, 10000000, 11500000);
    const int32_t cap = builder.Component(Capacitor());
    builder.Partitioned();
    placer.BypassExtents();
    placer.ReserveBypassSpace();
    placer.RotateGroup(turns, k);
    placer.PlaceBypassCapacitors();

    // The body: the pins' span widened by the original footprint, which was centred on them.
    const TCompRecord& component = placer.Component(k);
    const int32_t bodyX = (component.Pins[0]->X + component.Pins[1]->X) / 2;
    const int32_t bodyY = (component.Pins[0]->Y + component.Pins[1]->Y) / 2;
    const bool upright = turns % 2 == 0;
    const int32_t bodyHalfWidth = (upright ? 2000000 : 4000000) / 2;
    const int32_t bodyHalfHeight = (upright ? 4000000 : 2000000) / 2;
    const TCompRecord& capacitor = placer.Component(cap);
    const TBoxSides strip = Footprint(capacitor);
    const bool apart = strip.Right <= bodyX - bodyHalfWidth ||
                       strip.Left >= bodyX + bodyHalfWidth || strip.Top <= bodyY - bodyHalfHeight ||
                       strip.Bottom >= bodyY + bodyHalfHeight;
    EXPECT_TRUE(apart) << turns << " turns";
    // ... and inside the component's enlarged footprint.
    const TBoxSides reserved = Footprint(component);
    EXPECT_GE(strip.Left, reserved.Left) << turns;
    EXPECT_LE(strip.Right, reserved.Right) << turns;
    EXPECT_GE(strip.Bottom, reserved.Bottom) << turns;
    EXPECT_LE(strip.Top, reserved.Top) << turns;
  }
}

TEST(BypassPlacement, CapacitorsWithoutAStripTakeTheNearestFreeSpots) {
  // One unpowered movable part, which the search ends at; its left side is the board's edge.
  // The corner is under a keep-out, so three capacitors need free spots: against the part would
  // be off the board, and the leftovers must not pile up on each other.
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize).KeepOut(0, 0, 2000000, 2000000);
  const int32_t part = builder.Component(Part(1000000, 10000000, 2000000, 1000000, 0));
  for (int i = 0; i < 3; ++i) {
    builder.Component(Capacitor());
  }
  builder.Partitioned();
  placer.BypassExtents();
  placer.ReserveBypassSpace();
  placer.PlaceBypassCapacitors();

  std::vector<TBoxSides> boxes{Footprint(placer.Component(part))};
  for (int32_t c = 2; c <= placer.ComponentCount; ++c) {
    const TBoxSides box = Footprint(placer.Component(c));
    EXPECT_TRUE(box.Left >= 0 && box.Bottom >= 0 && box.Right <= BoardSize && box.Top <= BoardSize)
        << c;
    EXPECT_FALSE(box.Left < 2000000 && box.Bottom < 2000000) << c << " on the keep-out";
    for (const TBoxSides& other : boxes) {
      EXPECT_FALSE(box.Left < other.Right && box.Right > other.Left && box.Bottom < other.Top &&
                   box.Top > other.Bottom)
          << c;
    }
    boxes.push_back(box);
  }
  // The nearest free spots: next to the part above it, and just off the keep-out.
  EXPECT_LE(placer.Component(2).CenterY - 10000000, 2000000);
  EXPECT_LE(placer.Component(3).CenterX, 3000000);
  EXPECT_LE(placer.Component(3).CenterY, 3000000);
}

TEST(BypassSpace, NoStripWhereTheGrownFootprintCannotFitTheArea) {
  // The area is 4200000 wide and tall; the capacitors' short side is 600000, long side 1000000.
  struct TCase {
    int32_t Width, Height;
    bool Grows;
  };
  const TCase cases[] = {
      {3600000, 2000000, true},   // wide: 4200000 with the strip, touching both edges
      {3600001, 2000000, false},  // one unit more would stick out
      {2000000, 3600000, true},   // tall: grows in height
      {2000000, 3700000, false},
  };
  for (const TCase& c : cases) {
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(0, 0, 4200000, 4200000);
    const int32_t k = builder.Component(Part(2100000, 2100000, c.Width, c.Height, FlagPowered));
    builder.Pin(k, 2100000, 2100000);
    builder.Component(Capacitor());
    builder.Partitioned();
    placer.Component(k).X += 100000;  // the reference point right of the centre
    placer.BypassExtents();
    placer.ReserveBypassSpace();
    const TCompRecord& component = placer.Component(k);
    SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
    EXPECT_EQ(component.BypassSide != 0, c.Grows);
    if (!c.Grows) {
      // Footprint and body stay where they were, inside the area.
      EXPECT_EQ(component.Width, c.Width);
      EXPECT_EQ(component.Height, c.Height);
      EXPECT_EQ(component.Pins[0]->X, 2100000);
      EXPECT_EQ(component.X, 2200000);
    }
  }
}
