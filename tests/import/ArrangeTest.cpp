// The arrangement of groups beside the board: grid rounding, the row of large members, the columns
// of small members and the field of blocks.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "GroupingTestSupport.h"

namespace ImportTest {
namespace {

constexpr int32_t Int32Min = std::numeric_limits<int32_t>::min();

TEST(GridRounding, CeilAndTruncForBothSignsAndWithoutAGrid) {
  struct TCase {
    int32_t Value, Grid, Ceil, Trunc;
  };
  for (const TCase& c : {TCase{25, 10, 30, 20}, TCase{30, 10, 30, 30}, TCase{-25, 10, -20, -20},
                         TCase{-30, 10, -30, -30}, TCase{-5, 10, 0, 0}, TCase{0, 10, 0, 0},
                         TCase{Int32Min, 10, Int32Min + 8, Int32Min + 8}, TCase{25, 0, 25, 25},
                         TCase{-25, -10, -25, -25}}) {
    SCOPED_TRACE(std::to_string(c.Value) + " on grid " + std::to_string(c.Grid));
    EXPECT_EQ(CeilToGrid(c.Value, c.Grid), c.Ceil);
    EXPECT_EQ(TruncToGrid(c.Value, c.Grid), c.Trunc);
  }
}

// A large component: eight pads in a row and a body 450 mil wide and 200 mil high about its
// reference point, which lies 50 mil right of its left edge. Turned upright it reaches 100 mil
// either side of the reference point and 400 mil above it.
TComponentBuilder& AddLarge(TBoardBuilder& builder, const std::string& designator, double x,
                            double y, int32_t group) {
  return builder.Component(designator, x, y)
      .GroupIndex(group)
      .Body(-50, -100, 400, 100)
      .Pads(Nets("", 0, 8));
}

// A small component 60 mil wide and 100 mil high, centred on its reference point.
TComponentBuilder& AddSmall(TBoardBuilder& builder, const std::string& designator, double x,
                            double y, int32_t group, double rotation = 0) {
  return builder.Component(designator, x, y)
      .GroupIndex(group)
      .Rotation(rotation)
      .Body(-30, -50, 30, 50)
      .Pad("1", 0, -30)
      .Pad("2", 0, 30);
}

void PutCursorAt(double gx, double gy) {
  ImportContext().Cursor = {Mil(gx), Mil(gy), Mil(90000)};
}

TEST(ArrangeGroup, LoneLargeMemberStandsUprightClearanceRightOfTheCursor) {
  struct TCase {
    double Grid, Clearance;
    double Left;  // where its left edge lands
  };
  for (const TCase& c : {TCase{10, 20, 30020}, TCase{25, 20, 30025}, TCase{0, 23, 30023}}) {
    SCOPED_TRACE("grid " + std::to_string(c.Grid));
    TBoardBuilder builder;
    builder.LargeClearance(c.Clearance);
    AddLarge(builder, "U1", 1000, 1000, 1);
    TGroupingSession session(builder);
    session.Engine.Board->PlacementGrid = Mil(c.Grid);  // a board file cannot hold a zero grid
    PutCursorAt(30000, 10000);

    ArrangeGroup(1);
    const TComponentState u1 = StateOf("U1");
    EXPECT_EQ(u1.Rotation, 90);
    EXPECT_EQ(u1.Left, Mil(c.Left));
    EXPECT_EQ(u1.Right - u1.Left, Mil(200));
    EXPECT_EQ(u1.Top, Mil(10000));
    EXPECT_EQ(u1.Tag, 1);
  }
}

TEST(ArrangeGroup, LargeMembersInARowAndASingleSmallMemberLeftOfIt) {
  TBoardBuilder builder;
  builder.PlacementGrid(10).LargeClearance(20).SmallClearance(15);
  AddLarge(builder, "U1", 1000, 1000, 7);
  AddSmall(builder, "R1", 2000, 1000, 7);
  AddLarge(builder, "U2", 3000, 1000, 7);
  AddLarge(builder, "U3", 4000, 1000, 8);  // another group: stays
  TGroupingSession session(builder);
  PutCursorAt(30000, 10000);

  ArrangeGroup(7);
  const TComponentState u1 = StateOf("U1");
  const TComponentState u2 = StateOf("U2");
  EXPECT_EQ(u1.Left, Mil(30020));
  EXPECT_EQ(u2.Left, u1.Right + Mil(20));
  EXPECT_EQ(u1.Top, Mil(10000));
  EXPECT_EQ(u2.Top, Mil(10000));
  // The right edge at the cursor less the small clearance, truncated to the grid.
  const TComponentState r1 = StateOf("R1");
  EXPECT_EQ(r1.Right, Mil(29980));
  EXPECT_EQ(r1.Top, Mil(10000));
  EXPECT_EQ(r1.Rotation, 0);
  EXPECT_EQ(r1.Tag, 1);
  EXPECT_EQ(StateOf("U3").X, Mil(4000));
  EXPECT_EQ(StateOf("U3").Tag, 0);
}

TEST(ArrangeSmallMembers, ColumnGrowsDownWhileLowerThanTheTallestThenTheRightSideBegins) {
  TBoardBuilder builder;
  builder.PlacementGrid(10).SmallClearance(10);
  for (const char* designator : {"R1", "R2", "R3"})
    AddSmall(builder, designator, 1000, 1000, 1);
  TGroupingSession session(builder);

  const std::vector<uint32_t> small = {ComponentNamed("R1"), ComponentNamed("R2"),
                                       ComponentNamed("R3")};
  ArrangeSmallMembers(small, Mil(250), Mil(10000), Mil(30500), Mil(30000));
  const TComponentState r1 = StateOf("R1");
  const TComponentState r2 = StateOf("R2");
  const TComponentState r3 = StateOf("R3");
  // 100 + 110 < 250 keeps R2 under R1 on the left; 100 + 220 >= 250 sends R3 right.
  EXPECT_EQ(r1.Right, Mil(29990));
  EXPECT_EQ(r1.Top, Mil(10000));
  EXPECT_EQ(r2.Right, Mil(29990));
  EXPECT_EQ(r2.Top, Mil(9890));
  EXPECT_EQ(r3.Left, Mil(30510));
  EXPECT_EQ(r3.Top, Mil(10000));
}

TEST(ArrangeSmallMembers, TurnsAllLandscapeOnlyWhenTheirLongSidesExceedTwiceTheTallest) {
  // Long sides with clearances: 3 x (100 + 10) - 10 = 320 mil.
  for (const auto& [maxHeight, rotation] : {std::pair{150.0, 90.0}, std::pair{160.0, 0.0}}) {
    SCOPED_TRACE(maxHeight);
    TBoardBuilder builder;
    builder.PlacementGrid(10).SmallClearance(10);
    for (const char* designator : {"R1", "R2", "R3"})
      AddSmall(builder, designator, 1000, 1000, 1);
    TGroupingSession session(builder);

    ArrangeSmallMembers({ComponentNamed("R1"), ComponentNamed("R2"), ComponentNamed("R3")},
                        Mil(maxHeight), Mil(10000), Mil(30500), Mil(30000));
    for (const char* designator : {"R1", "R2", "R3"})
      EXPECT_EQ(StateOf(designator).Rotation, rotation) << designator;
  }
}

TEST(ArrangeSmallMembers, TurnsOnlyWhatTheCurrentBoundsRequire) {
  struct TCase {
    double Rotation;  // the stored rotation; the component stands 60 wide and 100 high
    bool Landscape;
    double Expected;
  };
  for (const TCase& c : {TCase{0, false, 0}, TCase{0, true, 90}, TCase{90, false, 90},
                         TCase{90, true, 180}, TCase{180, false, 180}}) {
    SCOPED_TRACE(std::to_string(c.Rotation) + (c.Landscape ? " landscape" : " portrait"));
    TBoardBuilder builder;
    AddSmall(builder, "R1", 1000, 1000, 1, c.Rotation);
    TGroupingSession session(builder);
    TPlacerComponent component(ComponentNamed("R1"));
    component.Sync(PcbApi_ModeRead);
    if (c.Landscape)
      MakeLandscape(component);
    else
      MakePortrait(component);
    EXPECT_EQ(StateOf("R1").Rotation, c.Expected);
  }
}

// ---------------------------------------------------------------------------------------------
// The field of blocks.

TEST(ArrangeGroups, NineGroupsFillAColumnAndTheTenthStartsTheNext) {
  struct TCase {
    const char* Name;
    double FarRight;  // a component that decides the board's right edge
    double TenthLeftOfBoard, TenthY;
  };
  for (const TCase& c :
       {TCase{"near board", 2800, 20000, 10000}, TCase{"far board", 75000, 5000, 20000}}) {
    SCOPED_TRACE(c.Name);
    TBoardBuilder builder;
    builder.PlacementGrid(10).LargeClearance(20);
    for (int group = 1; group <= 10; ++group)
      AddLarge(builder, "U" + std::to_string(group), 200.0 * group, 1000, group);
    builder.Component("TP1", c.FarRight, 1000).Body(-50, -50, 50, 50);
    TGroupingSession session(builder);
    int32_t left = 0, bottom = 0, right = 0, top = 0;
    Pcb::QueryObjectBoundingRectangle(session.Board.Handle, &left, &bottom, &right, &top);
    // Designator texts reach beyond the bodies: take the board's edge as the editor gives it,
    // on the grid so that the cursor's cells are too.
    ASSERT_GE(right, Mil(c.FarRight + 50));
    ASSERT_EQ(right % Mil(10), 0);

    ArrangeGroups();
    for (int group = 1; group <= 9; ++group) {
      SCOPED_TRACE(group);
      const TComponentState u = StateOf("U" + std::to_string(group));
      EXPECT_EQ(u.Left, right + Mil(10000 + 20));
      EXPECT_EQ(u.Top, Mil(10000.0 * group));
      EXPECT_EQ(u.Tag, 1);
    }
    const TComponentState tenth = StateOf("U10");
    EXPECT_EQ(tenth.Left, right + Mil(c.TenthLeftOfBoard + 20));
    EXPECT_EQ(tenth.Top, Mil(c.TenthY));
    EXPECT_EQ(StateOf("TP1").X, Mil(c.FarRight));
  }
}

}  // namespace
}  // namespace ImportTest
