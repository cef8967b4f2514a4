// Component and pin records, their classification, and the net records that share their pins.

#include <string>

#include "ImportTestSupport.h"

namespace ImportTest {
namespace {

// A two-pad part whose bounding box is its body, w by h mil, with pads on the given nets.
void TwoPadPart(TBoardBuilder& builder, const std::string& designator, double w, double h,
                const std::string& net1 = "", const std::string& net2 = "") {
  builder.Component(designator)
      .Body(0, 0, w, h)
      .Pad("1", w / 4, h / 2, net1, "TopLayer", 10)
      .Pad("2", 3 * w / 4, h / 2, net2, "TopLayer", 10);
}

struct TClassCase {
  const char* What;
  void (*Build)(TBoardBuilder&);
  int32_t Flags;
};

const TClassCase ClassCases[] = {
    {"bypass at exactly 500 x 200 mil, unconnected",
     [](TBoardBuilder& b) { TwoPadPart(b, "X", 500, 200); }, FlagBypass},
    {"one unit longer", [](TBoardBuilder& b) { TwoPadPart(b, "X", 500.0001, 200); }, 0},
    {"one unit wider", [](TBoardBuilder& b) { TwoPadPart(b, "X", 500, 200.0001); }, 0},
    {"upright 200 x 500", [](TBoardBuilder& b) { TwoPadPart(b, "X", 200, 500); }, FlagBypass},
    {"small clearance raises both limits",
     [](TBoardBuilder& b) {
       b.SmallClearance(10);
       TwoPadPart(b, "X", 510, 210);
     },
     FlagBypass},
    {"beyond the raised limit",
     [](TBoardBuilder& b) {
       b.SmallClearance(10);
       TwoPadPart(b, "X", 510.0001, 210);
     },
     0},
    {"power to ground: bypass and powered",
     [](TBoardBuilder& b) { TwoPadPart(b, "X", 100, 50, "VCC", "GND"); }, FlagBypass | FlagPowered},
    {"ground to power", [](TBoardBuilder& b) { TwoPadPart(b, "X", 100, 50, "GND", "VCC"); },
     FlagBypass | FlagPowered},
    {"ground and unconnected", [](TBoardBuilder& b) { TwoPadPart(b, "X", 100, 50, "GND", ""); }, 0},
    {"signal and ground", [](TBoardBuilder& b) { TwoPadPart(b, "X", 100, 50, "SIG", "GND"); }, 0},
    {"power and power", [](TBoardBuilder& b) { TwoPadPart(b, "X", 100, 50, "VCC", "VCC"); }, 0},
    {"three small pads",
     [](TBoardBuilder& b) {
       b.Component("X").Pads({"", "", ""});
     },
     0},
    {"no pads", [](TBoardBuilder& b) { b.Component("X").Body(0, 0, 50, 50); }, 0},
    {"seven pads", [](TBoardBuilder& b) { b.Component("X").Pads(std::vector<std::string>(7)); }, 0},
    {"eight pads: large",
     [](TBoardBuilder& b) { b.Component("X").Pads(std::vector<std::string>(8)); }, FlagLarge},
    {"thirteen pads", [](TBoardBuilder& b) { b.Component("X").Pads(std::vector<std::string>(13)); },
     FlagLarge},
    {"fourteen pads: very large",
     [](TBoardBuilder& b) { b.Component("X").Pads(std::vector<std::string>(14)); },
     FlagLarge | FlagVeryLarge},
    {"powered through the listed nets",
     [](TBoardBuilder& b) {
       b.Component("X").Pads({"SIG", "GND", "SIG2", "VCC"});
     },
     FlagPowered},
    {"only a power net",
     [](TBoardBuilder& b) {
       b.Component("X").Pads({"SIG", "VCC", "VCC"});
     },
     0},
    {"one supply pad by the editor's flag",
     [](TBoardBuilder& b) {
       b.Component("X").Pads({"SIG", "", "A"}).PowerGroundPad();
     },
     0},
    {"two supply pads by the editor's flag",
     [](TBoardBuilder& b) {
       b.Component("X").Pads({"SIG", "B"}).PowerGroundPad().Pads({"A"}).PowerGroundPad();
     },
     FlagPowered},
    {"locked: fixed",
     [](TBoardBuilder& b) {
       b.Component("X").Pads({"A", "B", "C"}).Locked();
     },
     FlagFixed},
    {"a locked large bypass-free part",
     [](TBoardBuilder& b) {
       b.Component("X").Pads({"VCC", "GND", "", "", "", "", "", ""}).Locked();
     },
     FlagLarge | FlagPowered | FlagFixed},
};

TEST(Classification, BitsOfEachKindOfComponent) {
  for (const TClassCase& c : ClassCases) {
    SCOPED_TRACE(c.What);
    TBoardBuilder builder;
    builder.PowerNets("VCC").GroundNets("GND");
    c.Build(builder);
    const TTestBoard board = builder.Open();
    const auto engine = Import(board);
    const TCompRecord& record = RecordOf(*engine, "X");
    EXPECT_EQ(record.Flags, c.Flags);
    EXPECT_EQ(record.Movable, (c.Flags & FlagFixed) != 0 ? 0 : 1);
    // The component's Tag holds the same bits.
    EXPECT_EQ(HeaderOf(ComponentNamed("X")).Tag, c.Flags);
  }
}

// Small parts (two pads or fewer) take the small clearance, others the large one; the centre halves
// each corner before adding, truncating toward zero.
TEST(ComponentRecords, FootprintWithClearanceByPadCount) {
  TBoardBuilder builder;
  builder.SmallClearance(10).LargeClearance(25);
  builder.Component("NONE", 1000, 1000).Body(-100.0003, -50.0003, 100.0004, 50.0004);
  builder.Component("TWO", 2000, 1000).Body(-100, -50, 100, 50).Pads({"A", "B"});
  builder.Component("THREE", 3000, 1000).Body(-100, -50, 200, 50).Pads({"A", "B", "C"});
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);

  const TCompRecord& none = RecordOf(*engine, "NONE");
  EXPECT_EQ(none.PinCount, 0);
  EXPECT_TRUE(none.Pins.empty());
  EXPECT_EQ(none.SingleLayer, 1);
  EXPECT_EQ(none.Flags, 0);
  EXPECT_EQ(none.Width, Mil(1100.0004) - Mil(899.9997) + Mil(10));
  EXPECT_EQ(none.Height, Mil(1050.0004) - Mil(949.9997) + Mil(10));
  // 8999997 / 2 + 11000004 / 2 = 4499998 + 5500002
  EXPECT_EQ(none.CenterX, 10000000);
  EXPECT_EQ(none.X, Mil(1000));
  EXPECT_EQ(none.Y, Mil(1000));

  const TCompRecord& two = RecordOf(*engine, "TWO");
  EXPECT_EQ(two.Width, Mil(200) + Mil(10));
  EXPECT_EQ(two.Height, Mil(100) + Mil(10));
  EXPECT_EQ(two.CenterX, Mil(2000));
  EXPECT_EQ(two.CenterY, Mil(1000));

  const TCompRecord& three = RecordOf(*engine, "THREE");
  EXPECT_EQ(three.Width, Mil(300) + Mil(25));
  EXPECT_EQ(three.Height, Mil(100) + Mil(25));
  EXPECT_EQ(three.CenterX, Mil(3050));
}

TEST(ComponentRecords, CentreTruncatesEachHalfTowardZero) {
  TBoardBuilder builder;
  builder.Component("NEG", 0, 0).Body(-0.0003, -0.0005, 0.0003, 0.0002);
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  const TCompRecord& record = RecordOf(*engine, "NEG");
  EXPECT_EQ(record.CenterX, -1 + 1);  // -3 / 2 + 3 / 2
  EXPECT_EQ(record.CenterY, -2 + 1);  // -5 / 2 + 2 / 2
}

TEST(ComponentRecords, FieldsFromTheComponentAndItsPads) {
  TBoardBuilder builder;
  builder.Component("ABCDEFGHIJKLMNOP", 1000, 2000, "BottomLayer")
      .Rotation(90)
      .GroupIndex(0)
      .Pad("12345", -50, 0, "A")
      .Pad("7", 50, 10, "", "BottomLayer");
  builder.Component("ABCDEFGHIJKL", 3000, 2000).Pad("1", 0, 0, "A").ThroughHole();
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);

  const TCompRecord& longName = RecordOf(*engine, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(longName.Designator, "ABCDEFGHIJKL");
  EXPECT_EQ(longName.FullDesignator, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(longName.Layer, BottomLayer);
  EXPECT_EQ(longName.SingleLayer, 1);
  EXPECT_DOUBLE_EQ(longName.OriginalRotation, 90.0);
  EXPECT_EQ(longName.Rotation, 0);
  EXPECT_EQ(longName.Movable, 1);
  ASSERT_EQ(longName.PinCount, 2);
  EXPECT_EQ(longName.Pins[0]->PadName, "1234");
  EXPECT_EQ(longName.Pins[0]->X, Mil(950));
  EXPECT_EQ(longName.Pins[0]->Y, Mil(2000));
  EXPECT_EQ(longName.Pins[0]->NetNumber, 1);
  EXPECT_EQ(longName.Pins[1]->PadName, "7");
  EXPECT_EQ(longName.Pins[1]->X, Mil(1050));
  EXPECT_EQ(longName.Pins[1]->Y, Mil(2010));
  EXPECT_EQ(longName.Pins[1]->NetNumber, 0);
  // Every pin names its own record's component number.
  EXPECT_EQ(longName.Pins[0]->ComponentNumber, longName.Pins[1]->ComponentNumber);

  const TCompRecord& exact = RecordOf(*engine, "ABCDEFGHIJKL");
  EXPECT_EQ(exact.Designator, "ABCDEFGHIJKL");
  EXPECT_EQ(exact.FullDesignator, "ABCDEFGHIJKL");
  EXPECT_EQ(exact.Layer, TopLayer);
  EXPECT_EQ(exact.SingleLayer, 0);  // a through-hole pad
  EXPECT_NE(exact.Pins[0]->ComponentNumber, longName.Pins[0]->ComponentNumber);
}

// A net's pins are the very pin records its component records own, in the net's pad order.
TEST(NetRecords, ShareTheComponentsPins) {
  TBoardBuilder builder;
  builder.Component("U1", 0, 0).Pads({"A", "B", "A"});
  builder.Component("U2", 1000, 0, "BottomLayer").Pads({"B", "A"});
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  const TCompRecord& u1 = RecordOf(*engine, "U1");
  const TCompRecord& u2 = RecordOf(*engine, "U2");
  const int32_t a = u1.Pins[0]->NetNumber;
  ASSERT_GE(a, 1);
  const TNetRecord& netA = engine->Net(a);
  ASSERT_EQ(netA.PinCount, 3);
  ASSERT_EQ(netA.Pins.size(), 3u);
  EXPECT_EQ(netA.PinsOriginal, netA.Pins);
  EXPECT_EQ(netA.Parent.size(), 3u);
  const std::vector<TPinRecord*> expected = {u1.Pins[0].get(), u1.Pins[2].get(), u2.Pins[1].get()};
  std::vector<TPinRecord*> actual = netA.PinsOriginal;
  std::sort(actual.begin(), actual.end());
  std::vector<TPinRecord*> sorted = expected;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(actual, sorted);
  for (const TPinRecord* pin : netA.PinsOriginal)
    EXPECT_EQ(pin->NetNumber, a);
  EXPECT_EQ(engine->Net(u2.Pins[0]->NetNumber).PinCount, 2);
}

// Flags go to the records by position in the enumeration of all components (top side, then
// bottom side); the setup reorders records afterwards, so each is found by its designator.
TEST(ComponentRecords, FlagsMatchTheirComponents) {
  TBoardBuilder builder;
  builder.PowerNets("VCC").GroundNets("GND");
  builder.Component("B1", 0, 0, "BottomLayer").Pads(std::vector<std::string>(14));
  builder.Component("T1", 0, 0).Pads({"A", "B", "C"}).Locked();
  builder.Component("B2", 500, 0, "BottomLayer").Pads({"", ""});
  builder.Component("T2", 500, 0).Pads(std::vector<std::string>(9));
  builder.Component("T3", 900, 0).Pads({"VCC", "GND", "A"});
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  EXPECT_EQ(RecordOf(*engine, "B1").Flags, FlagLarge | FlagVeryLarge);
  EXPECT_EQ(RecordOf(*engine, "T1").Flags, FlagFixed);
  EXPECT_EQ(RecordOf(*engine, "B2").Flags, FlagBypass);
  EXPECT_EQ(RecordOf(*engine, "T2").Flags, FlagLarge);
  EXPECT_EQ(RecordOf(*engine, "T3").Flags, FlagPowered);
}

}  // namespace
}  // namespace ImportTest
