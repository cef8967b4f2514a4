// Writing a component's position and rotation takes its pads, designator and body along; bounding
// rectangles follow.

#include <limits>

#include "EditorTestSupport.h"

using namespace EditorTest;

namespace {

class ComponentMoveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Board = OpenText(Scratch, TestBoardText);
    const auto top = Walk(Board, ComponentKind, 0, TopLayer);
    U1 = top[0];
    C1 = top[1];
  }
  void TearDown() override { Tarnix_CloseBoard(Board); }

  // Reads the component, sets its position and rotation and writes it with mode 2.
  int32_t MoveTo(uint32_t component, int32_t x, int32_t y, double rotation) {
    TComponentRecord record;
    EXPECT_EQ(QueryComponent(PcbApi_ModeRead, component, record), 0);
    record.X = x;
    record.Y = y;
    record.Rotation = rotation;
    return QueryComponent(PcbApi_ModeWriteFinal, component, record);
  }

  struct TPlace {
    int32_t X, Y;
    double Rotation;
    friend bool operator==(const TPlace&, const TPlace&) = default;
  };
  static TPlace PadPlace(uint32_t pad) {
    TPadRecord record;
    EXPECT_EQ(QueryPad(PcbApi_ModeRead, pad, record), 0);
    return {record.X, record.Y, record.Rotation};
  }
  static TPlace TextPlace(uint32_t component) {
    TComponentRecord record;
    TTextRecord text;
    EXPECT_EQ(QueryComponent(PcbApi_ModeRead, component, record), 0);
    EXPECT_EQ(QueryText(PcbApi_ModeRead, record.NameText, text), 0);
    return {text.X, text.Y, text.Rotation};
  }

  TScratch Scratch;
  uint32_t Board = 0, U1 = 0, C1 = 0;
};

TEST_F(ComponentMoveTest, QuarterTurnMovesAndTurnsPadsExactly) {
  const auto pads = Children(C1, PadKind);
  ASSERT_EQ(MoveTo(C1, Mil(1600), Mil(600), 90.0), 0);
  EXPECT_EQ(PadPlace(pads[0]), (TPlace{Mil(1600), Mil(570), 90.0}));
  EXPECT_EQ(PadPlace(pads[1]), (TPlace{Mil(1600), Mil(630), 90.0}));
  EXPECT_EQ(TextPlace(C1), (TPlace{Mil(1600), Mil(600), 90.0}));
  EXPECT_EQ(Bounds(C1), (TRectangle{Mil(1585), Mil(555), Mil(1615), Mil(645)}));

  // Three more quarter turns bring every pad back where it was, exactly.
  for (double rotation : {180.0, 270.0, 360.0})
    ASSERT_EQ(MoveTo(C1, Mil(1600), Mil(600), rotation), 0);
  ASSERT_EQ(MoveTo(C1, Mil(1500), Mil(500), 360.0), 0);
  EXPECT_EQ(PadPlace(pads[0]), (TPlace{Mil(1470), Mil(500), 360.0}));
  EXPECT_EQ(PadPlace(pads[1]), (TPlace{Mil(1530), Mil(500), 360.0}));
}

// Offsets turned by 33 degrees in double and rounded to the nearest unit: (0, -300000) becomes
// (163391.71, -251601.17).
TEST_F(ComponentMoveTest, OddTurnRoundsEachPadToTheNearestUnit) {
  const auto pads = Children(C1, PadKind);
  ASSERT_EQ(MoveTo(C1, Mil(1600), Mil(600), 90.0), 0);
  ASSERT_EQ(MoveTo(C1, Mil(1600), Mil(600), 123.0), 0);
  EXPECT_EQ(PadPlace(pads[0]), (TPlace{Mil(1600) + 163392, Mil(600) - 251601, 123.0}));
  EXPECT_EQ(PadPlace(pads[1]), (TPlace{Mil(1600) - 163392, Mil(600) + 251601, 123.0}));
  // The box covers both 30 mil pads turned by 123 degrees (half extent 207496.44 units).
  EXPECT_EQ(Bounds(C1), (TRectangle{15629111, 5540902, 16370889, 6459098}));
}

TEST_F(ComponentMoveTest, MoveWithoutTurnShiftsPadsAndBody) {
  ASSERT_EQ(MoveTo(U1, Mil(1010), Mil(980), 0.0), 0);
  EXPECT_EQ(PadPlace(Children(U1, PadKind)[3]), (TPlace{Mil(1110), Mil(1030), 0.0}));
  EXPECT_EQ(Bounds(U1), (TRectangle{Mil(890), Mil(880), Mil(1140), Mil(1080)}));
}

// The box of a component covers its pads, each turned by its rotation, and its body.
TEST_F(ComponentMoveTest, BoundingRectangles) {
  EXPECT_EQ(Bounds(U1), (TRectangle{Mil(880), Mil(900), Mil(1130), Mil(1100)}));
  const uint32_t r1 = Walk(Board, ComponentKind, 0, BottomLayer)[0];
  EXPECT_EQ(Bounds(r1), (TRectangle{Mil(1990), Mil(955), Mil(2010), Mil(1045)}));
  // The board: the outline tracks with their width, and the text's cells (10 of 50 mil).
  EXPECT_EQ(Bounds(Board), (TRectangle{-Mil(5), -Mil(5), Mil(3005), Mil(2005)}));
  EXPECT_EQ(Bounds(Walk(Board, ViaKind, 0, 0)[0]),
            (TRectangle{Mil(1485), Mil(935), Mil(1515), Mil(965)}));
  EXPECT_EQ(Bounds(Walk(Board, ArcKind, 0, 0)[0]),
            (TRectangle{Mil(495), Mil(495), Mil(605), Mil(605)}));

  TRectangle untouched{1, 2, 3, 4};
  EXPECT_NE(PcbApi_QueryObjectBoundingRectangle(12345, &untouched.X1, &untouched.Y1, &untouched.X2,
                                                &untouched.Y2),
            0);
  EXPECT_EQ(untouched, (TRectangle{1, 2, 3, 4}));
}

// Angles are read reduced to one turn, exactly: R1 and its pads at 1e17 degrees stand at 280
// degrees, and a quarter turn of the part turns its pads by a quarter turn too.
TEST_F(ComponentMoveTest, HugeAnglesTurnPadsWithTheirPart) {
  std::string text = TestBoardText;
  for (size_t at = text.find("\"rotation\": 90"); at != std::string::npos;
       at = text.find("\"rotation\": 90", at))
    text.replace(at, 14, "\"rotation\": 1e17");
  const uint32_t board = OpenText(Scratch, text, "huge.pcb");
  const uint32_t r1 = Walk(board, ComponentKind, 0, BottomLayer)[0];
  const auto pads = Children(r1, PadKind);
  EXPECT_EQ(PadPlace(pads[0]).Rotation, 280.0);
  ASSERT_EQ(MoveTo(r1, Mil(2000), Mil(1000), 10.0), 0);
  EXPECT_EQ(PadPlace(pads[0]), (TPlace{Mil(2030), Mil(1000), 10.0}));
  EXPECT_EQ(PadPlace(pads[1]), (TPlace{Mil(1970), Mil(1000), 10.0}));
  Tarnix_CloseBoard(board);
}

TEST_F(ComponentMoveTest, MoveThatWouldLeaveTheRangeChangesNothing) {
  const std::string before = Describe(Board);
  // C1's pads stand 30 mil beside its reference point, so they would pass the 32-bit limit.
  EXPECT_NE(MoveTo(C1, INT32_MAX - Mil(10), 0, 0.0), 0);
  EXPECT_EQ(Describe(Board), before);
}

TEST_F(ComponentMoveTest, SideCannotChangeAndTheNetStaysNone) {
  const std::string before = Describe(Board);
  TComponentRecord record;
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, C1, record), 0);
  record.Layer = BottomLayer;
  record.X += Mil(100);
  EXPECT_NE(QueryComponent(PcbApi_ModeWrite, C1, record), 0);
  uint32_t net = Walk(Board, NetKind, 0, 0)[0];
  EXPECT_NE(PcbApi_QueryPrimitive(PcbApi_ModeWrite, C1, nullptr, nullptr, nullptr, &net, nullptr,
                                  nullptr),
            0);
  double rotation = std::numeric_limits<double>::quiet_NaN();
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, C1, record), 0);
  record.Rotation = rotation;
  EXPECT_NE(QueryComponent(PcbApi_ModeWrite, C1, record), 0);
  EXPECT_EQ(Describe(Board), before);
}

}  // namespace
