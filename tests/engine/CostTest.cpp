#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

#include "EngineBuilder.h"
#include "engine/PlaceObj.h"

namespace {

constexpr int32_t OccupancyCell = 640000;
constexpr int32_t DensityCell = 2560000;
constexpr int32_t MaxCoord = std::numeric_limits<int32_t>::max();
constexpr int32_t MinCoord = std::numeric_limits<int32_t>::min();

using TShape = TEngineBuilder::TComponentShape;

void Translate(TCompRecord& component, int32_t dx, int32_t dy) {
  for (auto& pin : component.Pins) {
    pin->X += dx;
    pin->Y += dy;
  }
  component.X += dx;
  component.Y += dy;
  component.CenterX += dx;
  component.CenterY += dy;
  component.GroupX += dx;
  component.GroupY += dy;
}

// Moves the given components together by (dx, dy), updating the cost terms the way a move of a
// group does: every net is taken out once before anything moves and put back once afterwards.
void MoveTogether(TAutoPlacer& placer, const std::vector<int32_t>& members, int32_t dx,
                  int32_t dy) {
  for (int32_t k : members) {
    placer.MarkNets(k);
  }
  for (int32_t k : members) {
    placer.RemoveContribution(k);
    placer.UnmarkNets(k);
  }
  for (int32_t k : members) {
    Translate(placer.Component(k), dx, dy);
  }
  for (int32_t k : members) {
    placer.MarkNets(k);
  }
  for (int32_t k : members) {
    placer.AddContribution(k);
    placer.UnmarkNets(k);
  }
}

void Move(TAutoPlacer& placer, int32_t k, int32_t dx, int32_t dy) {
  MoveTogether(placer, {k}, dx, dy);
}

// The centre of density cell (col, row) on a board whose lower left corner is the origin.
int32_t CellCentre(int32_t index) {
  return index * DensityCell + DensityCell / 2;
}

class CostTest : public ::testing::Test {
 protected:
  CostTest() { build.Area(0, 0, 10 * DensityCell, 10 * DensityCell).Defaults(); }

  TAutoPlacer placer;
  TEngineBuilder build{placer};
};

// Covers occupancy columns and rows 0..2.
constexpr TShape ThreeByThree{
    .CenterX = 960000, .CenterY = 960000, .Width = 1280000, .Height = 1280000};

TEST_F(CostTest, StackedFootprintsOverlapOnceForEverySharedCell) {
  build.Component(ThreeByThree);
  build.Component(ThreeByThree);
  build.Nets(0).Partitioned();

  placer.EvaluateAll();
  EXPECT_EQ(placer.OverlapCost, 147456.0);  // 9 cells weighed 16384 by the full evaluation

  Move(placer, 2, 10 * OccupancyCell, 0);
  EXPECT_EQ(placer.OverlapCost, 147456.0 - 36864.0);  // 9 cells weighed 4096 by an update
  Move(placer, 2, -10 * OccupancyCell, 0);
  EXPECT_EQ(placer.OverlapCost, 147456.0);
}

TEST(CostOverlap, SidesDecideWhichFootprintsMeet) {
  struct TCase {
    const char* Name;
    TShape Lower;
    TShape Upper;
    int32_t Cells;  // overlapping cells
  };
  auto with = [](uint8_t layer, bool singleLayer, bool movable = true) {
    TShape shape = ThreeByThree;
    shape.Layer = layer;
    shape.SingleLayer = singleLayer;
    shape.Movable = movable;
    return shape;
  };
  const TCase cases[] = {
      {"both on top", with(TopLayer, true), with(TopLayer, true), 9},
      {"top and bottom", with(TopLayer, true), with(BottomLayer, true), 0},
      {"two-sided over top", with(TopLayer, true), with(BottomLayer, false), 9},
      {"two-sided over bottom", with(BottomLayer, true), with(TopLayer, false), 9},
      {"both two-sided", with(TopLayer, false), with(BottomLayer, false), 9},
      {"over a fixed component", with(TopLayer, true), with(TopLayer, true, false), 0},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    TAutoPlacer placer;
    TEngineBuilder build(placer);
    build.Area(0, 0, 10 * DensityCell, 10 * DensityCell).Defaults();
    build.Component(test.Lower);
    build.Component(test.Upper);
    build.Nets(0).Partitioned();

    placer.EvaluateAll();
    EXPECT_EQ(placer.OverlapCost, test.Cells * 16384.0);
    if (placer.MovableCount == 2) {
      Move(placer, 2, 10 * OccupancyCell, 0);
      EXPECT_EQ(placer.OverlapCost, test.Cells * (16384.0 - 4096.0));
    }
  }
}

TEST_F(CostTest, FootprintsFarOffTheBoardAreClampedToTheEdgeCells) {
  // Both land in the lower right corner cell, whatever their size.
  const int32_t a = build.Component({.CenterX = MaxCoord - 5,
                                     .CenterY = MinCoord + 5,
                                     .Width = 10,
                                     .Height = 10,
                                     .SingleLayer = false});
  build.Component({.CenterX = MaxCoord,
                   .CenterY = MinCoord,
                   .Width = MaxCoord,
                   .Height = MaxCoord,
                   .SingleLayer = false});
  build.Pin(a, MaxCoord, MinCoord, 1);
  build.Pin(2, MinCoord, MaxCoord, 1);
  build.Nets(1).Partitioned();

  placer.EvaluateAll();
  EXPECT_EQ(placer.OverlapCost, 16384.0);
  EXPECT_EQ(placer.Occupancy[TopLayer].At(placer.OccupancyCols, 0), 2);
  // The connection runs diagonally between two clamped corners of the density grid.
  EXPECT_EQ(placer.DensityCost, std::max(placer.DensityCols, placer.DensityRows));

  Move(placer, a, -(MaxCoord - 5) + 5 * OccupancyCell, 0);
  EXPECT_EQ(placer.OverlapCost, 16384.0 - 4096.0);
  EXPECT_EQ(placer.Occupancy[TopLayer].At(placer.OccupancyCols, 0), 1);
}

struct TPoint {
  int32_t X;
  int32_t Y;
  bool operator==(const TPoint&) const = default;
};

// Builds net 1 from pins in import order, all on one component.
void BuildNet(TEngineBuilder& build, const std::vector<TPoint>& pins) {
  const int32_t k = build.Component({.Width = 10, .Height = 10});
  for (const TPoint& pin : pins) {
    build.Pin(k, pin.X, pin.Y, 1);
  }
  build.Nets(1).Partitioned();
}

std::vector<TPoint> WorkingOrder(const TNetRecord& net) {
  std::vector<TPoint> order;
  for (const TPinRecord* pin : net.Pins) {
    order.push_back({pin->X, pin->Y});
  }
  return order;
}

TEST(CostNetTree, SortedPinsJoinTheNearestEarlierPin) {
  struct TCase {
    const char* Name;
    std::vector<TPoint> Pins;  // import order
    std::vector<TPoint> Order;
    std::vector<int32_t> Parent;
    double Length;
  };
  const TCase cases[] = {
      {"three pins", {{0, 0}, {10, 10}, {5, 0}}, {{0, 0}, {5, 0}, {10, 10}}, {1, 1, 2}, 20.0},
      // Equal keys: the selection sort's exchange reverses B and A; the first of equally near
      // pins wins.
      {"equal keys", {{2, 1}, {1, 2}, {1, 0}}, {{1, 0}, {1, 2}, {2, 1}}, {1, 1, 1}, 4.0},
      // Equal X + Y: the pin nearer the origin comes first.
      {"pre-sort tie break",
       {{-5, 15}, {5, 5}, {20, 20}},
       {{5, 5}, {-5, 15}, {20, 20}},
       {1, 1, 1},
       50.0},
      {"two pins keep their order", {{10, 10}, {0, -3}}, {{10, 10}, {0, -3}}, {1, 1}, 23.0},
      {"extreme coordinates",
       {{MaxCoord, MaxCoord}, {MinCoord, MinCoord}, {0, 0}},
       {{MinCoord, MinCoord}, {0, 0}, {MaxCoord, MaxCoord}},
       {1, 1, 2},
       2.0 * 2147483648.0 + 2.0 * 2147483647.0},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    TAutoPlacer placer;
    TEngineBuilder build(placer);
    build.Area(0, 0, 10 * DensityCell, 10 * DensityCell).Defaults();
    BuildNet(build, test.Pins);

    placer.BuildNetTree(1);
    const TNetRecord& net = placer.Net(1);
    EXPECT_EQ(WorkingOrder(net), test.Order);
    EXPECT_EQ(net.Parent, test.Parent);
    EXPECT_EQ(net.Length, test.Length);
  }
}

TEST_F(CostTest, NetTreesAreRebuiltFromTheImportOrder) {
  BuildNet(build, {{2, 1}, {1, 2}, {1, 0}});
  placer.BuildNetTree(1);
  ASSERT_EQ(WorkingOrder(placer.Net(1)), (std::vector<TPoint>{{1, 0}, {1, 2}, {2, 1}}));

  // All three keys equal now: the import order stands, not the previous working order.
  placer.Component(1).Pins[2]->X = 3;
  placer.BuildNetTree(1);
  EXPECT_EQ(WorkingOrder(placer.Net(1)), (std::vector<TPoint>{{2, 1}, {1, 2}, {3, 0}}));
}

TEST_F(CostTest, ANetWithOnePinKeepsItsLength) {
  BuildNet(build, {{5, 5}});
  placer.Net(1).Length = 7.0;
  placer.BuildNetTree(1);
  EXPECT_EQ(placer.Net(1).Length, 7.0);
}

// Cells of the density grid that hold a nonzero value.
std::vector<TPoint> MarkedCells(const TAutoPlacer& placer) {
  std::vector<TPoint> cells;
  for (int32_t col = 0; col <= placer.DensityCols; ++col) {
    for (int32_t row = 0; row <= placer.DensityRows; ++row) {
      if (placer.Density.At(col, row) != 0) {
        cells.push_back({col, row});
      }
    }
  }
  return cells;
}

// A two-pin net from `from` to `to` (board units) on the fixture's board.
void BuildConnection(TEngineBuilder& build, TPoint from, TPoint to) {
  const int32_t k = build.Component({.Width = 10, .Height = 10});
  build.Pin(k, to.X, to.Y, 1);
  build.Pin(k, from.X, from.Y, 1);
  build.Nets(1).Partitioned();
}

TEST(CostDensity, ConnectionsCrossTheCellsOfTheirLine) {
  struct TCase {
    const char* Name;
    TPoint From;  // cells, or board units where marked
    TPoint To;
    std::vector<TPoint> Cells;  // column-major order
  };
  const auto cell = [](int32_t col, int32_t row) {
    return TPoint{CellCentre(col), CellCentre(row)};
  };
  const TCase cases[] = {
      {"inside one cell", cell(1, 1), cell(1, 1), {{1, 1}}},
      {"vertical", cell(2, 4), cell(2, 1), {{2, 1}, {2, 2}, {2, 3}, {2, 4}}},
      {"horizontal", cell(5, 3), cell(1, 3), {{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}}},
      {"4 columns, 2 rows", cell(0, 0), cell(4, 2), {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
      {"the same, reversed", cell(4, 2), cell(0, 0), {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
      {"falling", cell(0, 2), cell(4, 0), {{0, 2}, {1, 1}, {2, 1}, {3, 0}}},
      {"steep", cell(2, 4), cell(0, 0), {{0, 0}, {1, 1}, {1, 2}, {2, 3}}},
      {"pin left of the board",
       {-3 * DensityCell, CellCentre(3)},
       cell(3, 3),
       {{0, 3}, {1, 3}, {2, 3}, {3, 3}}},
      {"pins at the coordinate limits", {MinCoord, MaxCoord}, {MaxCoord, MaxCoord}, {}},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    TAutoPlacer placer;
    TEngineBuilder build(placer);
    build.Area(0, 0, 10 * DensityCell, 10 * DensityCell).Defaults();
    BuildConnection(build, test.From, test.To);

    placer.TraceConnection(1, 2, true);
    std::vector<TPoint> expected = test.Cells;
    if (expected.empty()) {  // the top row, clamped at both ends
      for (int32_t col = 0; col <= placer.DensityCols; ++col) {
        expected.push_back({col, placer.DensityRows});
      }
    }
    EXPECT_EQ(MarkedCells(placer), expected);
    EXPECT_EQ(placer.DensityCost, static_cast<int32_t>(expected.size()));

    placer.TraceConnection(1, 2, false);
    EXPECT_TRUE(MarkedCells(placer).empty());
    EXPECT_EQ(placer.DensityCost, 0);
  }
}

TEST_F(CostTest, ACrossingAddsTheChangeOfTheCellsSquare) {
  BuildConnection(build, {CellCentre(1), CellCentre(1)}, {CellCentre(1) + 1000, CellCentre(1)});
  placer.Density.At(1, 1) = 3;
  placer.DensityCost = 9;

  placer.TraceConnection(1, 2, true);
  EXPECT_EQ(placer.Density.At(1, 1), 4);
  EXPECT_EQ(placer.DensityCost, 16);  // 9 + 2 * 3 + 1
  placer.TraceConnection(1, 2, false);
  EXPECT_EQ(placer.Density.At(1, 1), 3);
  EXPECT_EQ(placer.DensityCost, 9);
}

// Every line between two cells of a 6 x 6 patch stays inside its bounding box, crosses each cell
// once, includes its start and, when diagonal, leaves out its far end.
TEST_F(CostTest, EveryLineStaysInsideItsBoxAndIsUndoneExactly) {
  BuildConnection(build, {0, 0}, {0, 0});
  TPinRecord& to = *placer.Net(1).Pins[0];
  TPinRecord& from = *placer.Net(1).Pins[1];
  for (int32_t a = 0; a < 36; ++a) {
    for (int32_t b = 0; b < 36; ++b) {
      const int32_t x0 = a % 6, y0 = a / 6, x1 = b % 6, y1 = b / 6;
      SCOPED_TRACE(::testing::Message() << x0 << "," << y0 << " to " << x1 << "," << y1);
      from.X = CellCentre(x0), from.Y = CellCentre(y0);
      to.X = CellCentre(x1), to.Y = CellCentre(y1);
      const int32_t dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
      const bool straight = dx == 0 || dy == 0;

      placer.TraceConnection(1, 2, true);
      const std::vector<TPoint> cells = MarkedCells(placer);
      EXPECT_EQ(static_cast<int32_t>(cells.size()), straight ? dx + dy + 1 : std::max(dx, dy));
      EXPECT_EQ(placer.DensityCost, static_cast<int32_t>(cells.size()));
      for (const TPoint& cell : cells) {
        EXPECT_EQ(placer.Density.At(cell.X, cell.Y), 1);
        EXPECT_TRUE(std::min(x0, x1) <= cell.X && cell.X <= std::max(x0, x1) &&
                    std::min(y0, y1) <= cell.Y && cell.Y <= std::max(y0, y1));
      }
      if (!straight) {
        // The walk starts at the end with the smaller x (flat lines) or y (steep lines).
        const bool flat = dy <= dx;
        const bool fromFirst = flat ? x0 < x1 : y0 < y1;
        const TPoint start = fromFirst ? TPoint{x0, y0} : TPoint{x1, y1};
        const TPoint end = fromFirst ? TPoint{x1, y1} : TPoint{x0, y0};
        EXPECT_EQ(placer.Density.At(start.X, start.Y), 1);
        EXPECT_EQ(placer.Density.At(end.X, end.Y), 0);
      }

      placer.TraceConnection(1, 2, false);
      EXPECT_TRUE(MarkedCells(placer).empty());
      EXPECT_EQ(placer.DensityCost, 0);
    }
  }
}

TEST(CostAlignment, DistanceFromTheNearestGridLines) {
  struct TCase {
    int32_t X;
    int32_t Y;
    int32_t Grid;
    double Distance;
  };
  const TCase cases[] = {
      {10000000, 5000000, 5000000, 0.0},
      {12500000, 5000000, 5000000, 2500000.0},  // 250 mil off in X
      {-7000000, 6000000, 5000000, 3000000.0},
      {MaxCoord, MinCoord, 5000000, 2483647.0 + 2483648.0},
      {2000000000, 0, 1200000000, 400000000.0},  // the nearest line lies beyond 32 bits
      {3, -9, 6, 3.0 + 3.0},                     // halfway between two lines
      {7, MinCoord, -4, 1.0 + 0.0},              // a negative grid spacing counts as its size
      {123, 456, 0, 0.0},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(::testing::Message() << test.X << "," << test.Y << " on " << test.Grid);
    TAutoPlacer placer;
    TEngineBuilder build(placer);
    build.Component({.CenterX = test.X, .CenterY = test.Y});
    placer.AlignmentGrid = test.Grid;
    EXPECT_EQ(placer.AlignDist(1), test.Distance);
  }
}

TEST_F(CostTest, AlignmentCountsPlacedComponentsButNotBypassCapacitors) {
  build.Component({.CenterX = 5000000 + 2500000, .CenterY = 5000000});
  build.Component({.CenterX = 5000000 + 20000, .CenterY = 5000000, .Movable = false});
  build.Component({.CenterX = 5000000 + 40000, .CenterY = 5000000, .Flags = FlagBypass});
  build.Nets(0).Partitioned();

  placer.EvaluateAll();
  EXPECT_EQ(placer.AlignmentCost, 2520000.0);
  EXPECT_DOUBLE_EQ(placer.AlignmentTerm(), 125.0 + 1.0);  // 250 mil and 2 mil off

  placer.UseAlignment = false;
  placer.EvaluateAll();
  EXPECT_EQ(placer.AlignmentTerm(), 0.0);
}

TEST(CostTotal, WeighsTheTermsAndSumsThemInExtendedPrecision) {
  TAutoPlacer placer;
  placer.UseAlignment = true;
  placer.NetLengthCost = 1000000.0;
  placer.DensityCost = 10;
  placer.OverlapCost = 100.0;
  placer.OverlapWeight = 0.08;
  placer.AlignmentCost = 1000000.0;
  placer.AlignmentWeight = 0.00005;
  EXPECT_DOUBLE_EQ(placer.NetLengthTerm(), 6.0);
  EXPECT_DOUBLE_EQ(placer.DensityTerm(), 4.0);
  EXPECT_DOUBLE_EQ(placer.OverlapTerm(), 8.0);
  EXPECT_DOUBLE_EQ(placer.AlignmentTerm(), 50.0);
  EXPECT_DOUBLE_EQ(placer.TotalCost(), 68.0);

  // 2 + 2^-52 + 2^-52: each addition alone would round back to 2.
  const double half = std::ldexp(1.0, -52);
  placer.NetLengthCost = 0.0;
  placer.DensityCost = 5;
  placer.OverlapCost = placer.AlignmentCost = half;
  placer.OverlapWeight = placer.AlignmentWeight = 1.0;
  EXPECT_EQ(placer.TotalCost(), 2.0 + 2.0 * half);
}

TEST_F(CostTest, OnlyNetsMarkedForTheMoveAreUpdated) {
  const int32_t a = build.Component({.CenterX = CellCentre(1), .CenterY = CellCentre(1)});
  const int32_t b = build.Component({.CenterX = CellCentre(5), .CenterY = CellCentre(1)});
  build.Pin(a, CellCentre(1), CellCentre(1), 1);
  build.Pin(b, CellCentre(5), CellCentre(1), 1);
  build.Nets(1).Partitioned();
  placer.EvaluateAll();
  placer.UnmarkNets(a);  // the full evaluation leaves every net marked

  placer.RemoveContribution(a);
  EXPECT_EQ(placer.NetLengthCost, 4.0 * DensityCell);
  EXPECT_EQ(placer.DensityCost, 5);
  placer.AddContribution(a);
  EXPECT_EQ(placer.NetLengthCost, 4.0 * DensityCell);
  EXPECT_EQ(placer.DensityCost, 5);
}

TEST_F(CostTest, RecordsThatPointNowhereAreSkipped) {
  const int32_t a = build.Component({.CenterX = CellCentre(1), .CenterY = CellCentre(1)});
  build.Pin(a, CellCentre(1), CellCentre(1), 1);
  build.Pin(a, CellCentre(3), CellCentre(1), 1);
  build.Pin(a, 0, 0);
  build.Nets(1).Partitioned();
  placer.Component(a).Pins[2]->NetNumber = 99;
  placer.Net(1).Parent = {0, 0};  // a tree never built

  placer.TraceConnection(1, 2, true);
  placer.TraceConnection(2, 2, true);
  placer.BuildNetTree(0);
  EXPECT_TRUE(MarkedCells(placer).empty());

  placer.Component(a).Pins[2]->NetNumber = -3;
  placer.EvaluateAll();
  EXPECT_EQ(placer.DensityCost, 3);
  Move(placer, a, DensityCell, 0);
  EXPECT_EQ(placer.DensityCost, 3);

  TAutoPlacer empty;  // no grids allocated
  TEngineBuilder(empty).Defaults().Component({.CenterX = 7, .CenterY = 7});
  TEngineBuilder(empty).Partitioned();
  empty.EvaluateAll();
  Move(empty, 1, 100, 100);
  EXPECT_EQ(empty.OverlapCost, 0.0);
  EXPECT_EQ(empty.DensityCost, 0);
}

struct TCostState {
  double NetLength;
  int32_t Density;
  double Alignment;
  double Overlap;
  TCellGrid DensityGrid;
};

TCostState Snapshot(const TAutoPlacer& placer) {
  return {placer.NetLengthCost, placer.DensityCost, placer.AlignmentCost, placer.OverlapCost,
          placer.Density};
}

// A random board: components on the top side or on both sides (so that every incremental
// overlap update sees the same cell values as the full evaluation), a few fixed ones, nets of one
// to many pins, a component with two pins on one net.
void BuildRandomBoard(TEngineBuilder& build, std::mt19937& random) {
  const auto uniform = [&random](int32_t lo, int32_t hi) {
    return std::uniform_int_distribution<int32_t>(lo, hi)(random);
  };
  constexpr int32_t Nets = 8;
  for (int32_t c = 0; c < 14; ++c) {
    const int32_t cx = uniform(0, 30000000);
    const int32_t cy = uniform(0, 20000000);
    const int32_t k = build.Component({.CenterX = cx,
                                       .CenterY = cy,
                                       .Width = uniform(100000, 3000000),
                                       .Height = uniform(100000, 3000000),
                                       .SingleLayer = c % 4 != 0,
                                       .Movable = c < 11});
    for (int32_t p = uniform(1, 5); p > 0; --p) {
      build.Pin(k, cx + uniform(-1500000, 1500000), cy + uniform(-1500000, 1500000),
                uniform(0, Nets));
    }
  }
  build.Pin(1, 0, 0, 1);
  build.Pin(1, 100000, 0, 1);
  build.Nets(Nets).Partitioned();
}

TEST(CostIncremental, UpdatesMatchAFullEvaluationAfterEveryMove) {
  TAutoPlacer placer;
  TEngineBuilder build(placer);
  build.Area(0, 0, 30000000, 20000000).Defaults();
  std::mt19937 random(20240611);
  BuildRandomBoard(build, random);
  const auto uniform = [&random](int32_t lo, int32_t hi) {
    return std::uniform_int_distribution<int32_t>(lo, hi)(random);
  };

  for (int32_t step = 0; step < 200; ++step) {
    SCOPED_TRACE(::testing::Message() << "move " << step);
    placer.EvaluateAll();
    const double overlapBefore = placer.OverlapCost;

    std::vector<int32_t> members{uniform(1, placer.MovableCount)};
    if (step % 3 == 0) {  // a group of two, which may share nets
      members.push_back(members[0] % placer.MovableCount + 1);
    }
    // Mostly small steps, sometimes far off the board and back.
    const int32_t reach = step % 10 == 9 ? 40000000 : 4000000;
    const int32_t dx = uniform(-reach, reach);
    const int32_t dy = uniform(-reach, reach);
    MoveTogether(placer, members, dx, dy);
    const TCostState incremental = Snapshot(placer);

    placer.EvaluateAll();
    EXPECT_EQ(incremental.NetLength, placer.NetLengthCost);
    EXPECT_EQ(incremental.Density, placer.DensityCost);
    EXPECT_EQ(incremental.Alignment, placer.AlignmentCost);
    EXPECT_EQ((incremental.Overlap - overlapBefore) * 4.0, placer.OverlapCost - overlapBefore);
    for (int32_t col = 0; col <= placer.DensityCols; ++col) {
      for (int32_t row = 0; row <= placer.DensityRows; ++row) {
        ASSERT_EQ(incremental.DensityGrid.At(col, row), placer.Density.At(col, row));
      }
    }
    // Pull components that wandered too far back, so that later moves still meet others.
    for (int32_t k : members) {
      TCompRecord& component = placer.Component(k);
      if (std::abs(component.CenterX - 15000000) > 30000000 ||
          std::abs(component.CenterY - 10000000) > 30000000) {
        Move(placer, k, 15000000 - component.CenterX, 10000000 - component.CenterY);
      }
    }
  }
}

}  // namespace
