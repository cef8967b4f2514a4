// The placement area, the keep-out rectangles and the grids sized from the area.

#include "ImportTestSupport.h"

namespace ImportTest {
namespace {

struct TArea {
  int32_t Left, Bottom, Right, Top;
};

TArea AreaOf(const TAutoPlacer& engine) {
  return {engine.BoardLeft, engine.BoardBottom, engine.BoardRight, engine.BoardTop};
}

void ExpectArea(const TAutoPlacer& engine, double left, double bottom, double right, double top) {
  const TArea area = AreaOf(engine);
  EXPECT_EQ(area.Left, Mil(left));
  EXPECT_EQ(area.Bottom, Mil(bottom));
  EXPECT_EQ(area.Right, Mil(right));
  EXPECT_EQ(area.Top, Mil(top));
  EXPECT_EQ(engine.BoardWidth, Mil(right) - Mil(left));
  EXPECT_EQ(engine.BoardHeight, Mil(top) - Mil(bottom));
}

TEST(PlacementArea, OutlineOfTracksGivesItsBoxWhicheverWayItWasDrawn) {
  for (const bool clockwise : {false, true}) {
    SCOPED_TRACE(clockwise ? "clockwise" : "counter-clockwise");
    TBoardBuilder builder;
    builder.KeepOutOutline(1000, 1000, 4000, 3000, clockwise);
    builder.Component("R1", 2000, 2000).Pads({"A", "B"});
    const TTestBoard board = builder.Open();
    const auto engine = Import(board);
    ExpectArea(*engine, 1000, 1000, 4000, 3000);
    EXPECT_EQ(engine->KeepOutCount, 0);
    EXPECT_TRUE(engine->KeepOuts.empty());
  }
}

// Maxima start from the first corner seen, not from 0: a board at negative coordinates keeps its
// own area instead of reaching to the origin.
TEST(PlacementArea, OutlineAtNegativeCoordinates) {
  TBoardBuilder builder;
  builder.KeepOutOutline(-5000, -4000, -1000, -500);
  const TTestBoard board = builder.Open();
  ExpectArea(*Import(board), -5000, -4000, -1000, -500);
}

// The minima are taken over first ends only, the maxima over second ends only.
TEST(PlacementArea, SingleTrackDrawnRightToLeft) {
  TBoardBuilder builder;
  builder.KeepOutTrack(4000, 1000, 1000, 2000);
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  ExpectArea(*engine, 4000, 1000, 1000, 2000);
  // A backwards area gives a negative width; its density and occupancy grids stay unallocated.
  EXPECT_LT(engine->BoardWidth, 0);
  EXPECT_LT(engine->OccupancyCols, 0);
  EXPECT_FALSE(engine->Occupancy[TopLayer].Allocated());
}

TEST(PlacementArea, WithoutKeepOutsTheBoardRectangle) {
  TBoardBuilder builder;
  builder.Component("U1", 1000, 1000).Body(-100, -50, 300, 200).Pads({"A", "B", "C"});
  builder.Component("U2", 3000, 500).Body(-100, -50, 100, 50).Pads({"A", "B"});
  const TTestBoard board = builder.Open();
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  ASSERT_EQ(Pcb::QueryObjectBoundingRectangle(board.Handle, &x1, &y1, &x2, &y2), 0);
  const auto engine = Import(board);
  EXPECT_EQ(engine->BoardLeft, x1);
  EXPECT_EQ(engine->BoardBottom, y1);
  EXPECT_EQ(engine->BoardRight, x2);
  EXPECT_EQ(engine->BoardTop, y2);
  EXPECT_EQ(x1, Mil(900));
  EXPECT_EQ(y2, Mil(1200));
  EXPECT_EQ(engine->KeepOutCount, 0);
}

TEST(KeepOuts, FillsAreObstaclesUnlessTheirCornersCoincide) {
  TBoardBuilder builder;
  builder.KeepOutOutline(0, 0, 3000, 2000);
  builder.KeepOutFill(500, 600, 800, 900);      // an obstacle
  builder.KeepOutFill(3500, 2500, 3500, 2500);  // a point: widens the area only
  builder.KeepOutFill(1200, 400, 1000, 300);    // drawn from its upper right corner
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  ExpectArea(*engine, 0, 0, 3500, 2500);
  ASSERT_EQ(engine->KeepOutCount, 2);
  ASSERT_EQ(engine->KeepOuts.size(), 2u);
  const TKeepOutRect& first = *engine->KeepOuts[0];
  EXPECT_EQ(first.X1, Mil(500));
  EXPECT_EQ(first.Y1, Mil(600));
  EXPECT_EQ(first.X2, Mil(800));
  EXPECT_EQ(first.Y2, Mil(900));
  // Corners as stored, not normalised.
  const TKeepOutRect& second = *engine->KeepOuts[1];
  EXPECT_EQ(second.X1, Mil(1200));
  EXPECT_EQ(second.Y2, Mil(300));
}

TEST(Grids, SizedFromTheArea) {
  struct TCase {
    double Width, Height;  // mil
    int32_t DensityCols, DensityRows, OccupancyCols, OccupancyRows;
  };
  const TCase cases[] = {
      {0.0001, 0.0001, 1, 1, 1, 1},  // 1 unit square: a 2 x 2 density grid
      {3000, 2000, 13, 9, 48, 32},   // 11.72 and 7.81 cells of 256 mil, 46.9 and 31.25 of 64
      {128, 384, 1, 3, 3, 7},        // halves round to even: 0.5 -> 0, 1.5 -> 2, 2 -> 2, 6 -> 6
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << " mil");
    TBoardBuilder builder;
    builder.KeepOutTrack(0, 0, c.Width, c.Height);
    const TTestBoard board = builder.Open();
    const auto engine = Import(board);
    EXPECT_EQ(engine->DensityCellSize, 2560000);
    EXPECT_EQ(engine->OccupancyCellSize, 640000);
    EXPECT_EQ(engine->DensityCols, c.DensityCols);
    EXPECT_EQ(engine->DensityRows, c.DensityRows);
    EXPECT_EQ(engine->OccupancyCols, c.OccupancyCols);
    EXPECT_EQ(engine->OccupancyRows, c.OccupancyRows);
    EXPECT_EQ(engine->Density.Cols, c.DensityCols);
    EXPECT_EQ(engine->Density.Rows, c.DensityRows);
    EXPECT_EQ(engine->Occupancy[BottomLayer].Cols, c.OccupancyCols);
  }
}

}  // namespace
}  // namespace ImportTest
