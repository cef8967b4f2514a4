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
    // A locked header that looks like a capacitor, larger than the real one, sizes no strip.
    builder.Component(
        {1000000, 1000000, 1000000, 2000000, TopLayer, true, false, FlagBypass | FlagPowered});
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

// Supply nets of the placement tests, as the editor's net handles.
constexpr uint32_t Vcc = 101;
constexpr uint32_t V33 = 102;
constexpr uint32_t V5 = 103;
constexpr uint32_t Gnd = 104;

// A capacitor with one pin on each of two supply nets (0 = unconnected).
int32_t CapacitorOn(TEngineBuilder& builder, uint32_t power, uint32_t ground) {
  const int32_t c = builder.Component(Capacitor());
  builder.Pin(c, 1000000, 800000).SupplyNet = power;
  builder.Pin(c, 1000000, 1200000).SupplyNet = ground;
  return c;
}

bool Overlapping(const TBoxSides& a, const TBoxSides& b) {
  return a.Left < b.Right && a.Right > b.Left && a.Bottom < b.Top && a.Top > b.Bottom;
}

TEST(BypassPlacement, CapacitorsGoSideBySideBesideThePoweredPartsOnTheirSupplyNets) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(1000000, 2000000, BoardSize, BoardSize);
  // Two powered tall parts, one on VCC, one on 3V3, both on GND, with an unpowered part between;
  // the reference points lie above the centres, so the strips are at the top.
  const int32_t onVcc = builder.Component(Part(6000000, 5000000, 2000000, 4000000, FlagPowered));
  builder.Pin(onVcc, 6000000, 4000000).SupplyNet = Vcc;
  builder.Pin(onVcc, 6000000, 6000000).SupplyNet = Gnd;
  builder.Component(Part(10000000, 5000000, 1000000, 1000000, 0));
  const int32_t on33 = builder.Component(Part(14000000, 5000000, 2000000, 4000000, FlagPowered));
  builder.Pin(on33, 14000000, 4000000).SupplyNet = V33;
  builder.Pin(on33, 14000000, 6000000).SupplyNet = Gnd;
  // A fixed powered part on VCC gets no capacitor.
  const int32_t fixed =
      builder.Component(Part(3000000, 12000000, 2000000, 4000000, FlagPowered, false));
  builder.Pin(fixed, 3000000, 12000000).SupplyNet = Vcc;
  const int32_t first33 = CapacitorOn(builder, V33, Gnd);
  const int32_t firstVcc = CapacitorOn(builder, Vcc, Gnd);
  const int32_t secondVcc = CapacitorOn(builder, Vcc, Gnd);
  // On 5V, which no part has: it shares GND with both and goes to the one after the last taken.
  const int32_t on5 = CapacitorOn(builder, V5, Gnd);
  builder.Partitioned();
  for (const int32_t k : {onVcc, on33}) {
    placer.Component(k).Y += 1000000;
  }
  placer.BypassExtents();
  placer.ReserveBypassSpace();
  placer.PlaceBypassCapacitors();

  // Lying across the strip at the top of the part: the middle first, then beside it.
  const int32_t stripY = 5000000 + (4600000 - 600000) / 2;
  struct TExpected {
    int32_t Capacitor, X;
  };
  const TExpected expected[] = {{first33, 14000000},
                                {firstVcc, 6000000},
                                {secondVcc, 6000000 + 1000000},
                                {on5, 14000000 + 1000000}};
  for (const TExpected& e : expected) {
    const TCompRecord& capacitor = placer.Component(e.Capacitor);
    EXPECT_EQ(capacitor.CenterX, e.X) << e.Capacitor;
    EXPECT_EQ(capacitor.CenterY, stripY) << e.Capacitor;
    EXPECT_EQ(capacitor.Width, 1000000) << e.Capacitor;
    EXPECT_EQ(capacitor.Rotation, 1) << e.Capacitor;
    // The pins went along.
    EXPECT_EQ(capacitor.Pins[0]->X + capacitor.Pins[1]->X, 2 * capacitor.CenterX);
    EXPECT_EQ(capacitor.Pins[0]->Y + capacitor.Pins[1]->Y, 2 * capacitor.CenterY);
  }
  EXPECT_EQ(PinOffsets(placer.Component(firstVcc))[0].first, 200000);  // a quarter turn

  // Placing again while nothing moved gives the same result.
  std::vector<std::pair<int32_t, int32_t>> before;
  for (int32_t c = first33; c <= on5; ++c) {
    before.emplace_back(placer.Component(c).CenterX, placer.Component(c).Rotation);
  }
  placer.PlaceBypassCapacitors();
  for (int32_t c = first33; c <= on5; ++c) {
    EXPECT_EQ(placer.Component(c).CenterX, before[static_cast<size_t>(c - first33)].first);
    EXPECT_EQ(placer.Component(c).Rotation, before[static_cast<size_t>(c - first33)].second);
  }
}

// A part takes as many capacitors as fit: the row grows out of the strip on both sides until it
// meets a neighbour; the rest go to free spots beside the parts on their nets.
TEST(BypassPlacement, AFullStripSendsTheRestToFreeSpotsOnNoOtherPart) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize);
  const int32_t powered =
      builder.Component(Part(10000000, 10000000, 2000000, 4000000, FlagPowered));
  builder.Pin(powered, 10000000, 9000000).SupplyNet = Vcc;
  builder.Pin(powered, 10000000, 11000000).SupplyNet = Gnd;
  // Neighbours left and right of the strip leave room for three capacitors in a row.
  builder.Component(Part(7900000, 12000000, 1000000, 1000000, 0));
  builder.Component(Part(12100000, 12000000, 1000000, 1000000, 0));
  std::vector<int32_t> capacitors;
  for (int i = 0; i < 6; ++i) {
    capacitors.push_back(CapacitorOn(builder, Vcc, Gnd));
  }
  builder.Partitioned();
  placer.Component(powered).Y += 1000000;
  placer.BypassExtents();
  placer.ReserveBypassSpace();
  placer.PlaceBypassCapacitors();

  const int32_t stripY = 10000000 + (4600000 - 600000) / 2;
  int inRow = 0;
  std::vector<TBoxSides> taken;
  for (int32_t i = 1; i <= placer.MovableCount; ++i) {
    if (i != powered) {
      taken.push_back(Footprint(placer.Component(i)));
    }
  }
  // The powered part's body: its footprint without the strip on top.
  TBoxSides body = Footprint(placer.Component(powered));
  body.Top -= 600000;
  taken.push_back(body);
  for (const int32_t c : capacitors) {
    const TCompRecord& capacitor = placer.Component(c);
    const TBoxSides box = Footprint(capacitor);
    if (capacitor.CenterY == stripY) {
      ++inRow;
    }
    EXPECT_TRUE(box.Left >= 0 && box.Bottom >= 0 && box.Right <= BoardSize && box.Top <= BoardSize);
    for (const TBoxSides& other : taken) {
      EXPECT_FALSE(Overlapping(box, other))
          << c << " at " << capacitor.CenterX << ", " << capacitor.CenterY;
    }
    taken.push_back(box);
  }
  EXPECT_EQ(inRow, 3);
}

TEST(BypassPlacement, TheCapacitorLandsInTheReservedStripAfterTheComponentTurned) {
  // The reference point at the centre: reserving the strip carries it to the body's side, so only
  // the side recorded at reservation tells where the strip is. Each turn is tried.
  for (int32_t turns = 0; turns < 4; ++turns) {
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(0, 0, BoardSize, BoardSize).Defaults();
    const int32_t k = builder.Component(Part(10000000, 10000000, 2000000, 4000000, FlagPowered));
    builder.Pin(k, 10000000, 8500000).SupplyNet = Vcc;
    builder.Pin(k, 10000000, 11500000).SupplyNet = Gnd;
    const int32_t cap = CapacitorOn(builder, Vcc, Gnd);
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

TEST(BypassPlacement, CapacitorsWithoutAPartnerTakeTheNearestFreeSpots) {
  // No powered part. An unpowered part on GND lies against the board's left edge: the capacitors
  // on GND go around it. One on no net at all goes to the lower left corner, which is under a
  // keep-out, so it takes the nearest free spot there. None lands on another.
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize).KeepOut(0, 0, 2000000, 2000000);
  const int32_t part = builder.Component(Part(1000000, 10000000, 2000000, 1000000, 0));
  builder.Pin(part, 1000000, 10000000).SupplyNet = Gnd;
  for (int i = 0; i < 3; ++i) {
    CapacitorOn(builder, Vcc, Gnd);
  }
  const int32_t unconnected = CapacitorOn(builder, 0, 0);
  builder.Partitioned();
  placer.BypassExtents();
  placer.ReserveBypassSpace();
  placer.PlaceBypassCapacitors();

  const TBoxSides partBox = Footprint(placer.Component(part));
  std::vector<TBoxSides> boxes{partBox};
  for (int32_t c = 2; c <= placer.ComponentCount; ++c) {
    const TBoxSides box = Footprint(placer.Component(c));
    EXPECT_TRUE(box.Left >= 0 && box.Bottom >= 0 && box.Right <= BoardSize && box.Top <= BoardSize)
        << c;
    EXPECT_FALSE(box.Left < 2000000 && box.Bottom < 2000000) << c << " on the keep-out";
    for (const TBoxSides& other : boxes) {
      EXPECT_FALSE(Overlapping(box, other)) << c;
    }
    boxes.push_back(box);
    if (c != unconnected) {
      // Touching the part.
      EXPECT_TRUE(box.Left <= partBox.Right && box.Right >= partBox.Left &&
                  box.Bottom <= partBox.Top && box.Top >= partBox.Bottom)
          << c;
    }
  }
  EXPECT_LE(placer.Component(unconnected).CenterX, 3000000);
  EXPECT_LE(placer.Component(unconnected).CenterY, 3000000);
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
