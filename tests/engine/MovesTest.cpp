#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "EngineBuilder.h"
#include "EngineSnapshot.h"
#include "engine/PlaceObj.h"

namespace {

constexpr int32_t BoardSize = 10000000;  // 1000 mil square

// Undoes the last move the way the run loop does.
void Undo(TAutoPlacer& placer, int32_t k, int32_t p, uint8_t kind) {
  switch (kind) {
    case MoveDisplacement:
      placer.MoveGroupTo(k, placer.UndoX, placer.UndoY);
      break;
    case MoveSwap:
      placer.SwapGroups(p, k);
      break;
    default:
      placer.RotateGroup(placer.UndoRotation, k);
      break;
  }
}

// A board with six movable components, the first three grouped, wired by nets that join the
// group to the others, one fixed component and a keep-out.
void BuildWiredBoard(TAutoPlacer& placer) {
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize).Defaults();
  const std::array<std::array<int32_t, 4>, 6> parts{{{2000000, 2000000, 400000, 200000},
                                                     {2600000, 2300000, 200000, 200000},
                                                     {2300000, 1500000, 200000, 600000},
                                                     {7000000, 3000000, 800000, 400000},
                                                     {6000000, 8000000, 300000, 300000},
                                                     {3000000, 7000000, 1200000, 600000}}};
  for (const auto& [cx, cy, w, h] : parts) {
    const int32_t k = builder.Component({cx, cy, w, h});
    builder.Pin(k, cx - w / 4, cy + 10000, k % 3 + 1);
    builder.Pin(k, cx + w / 4, cy - 10000, (k + 1) % 3 + 1);
    builder.Pin(k, cx + 5000, cy + h / 4, 4);
  }
  placer.Component(4).X += 30000;  // a reference point off the centre
  builder.Component({5000000, 5000000, 1000000, 1000000, TopLayer, true, false});
  builder.KeepOut(8500000, 8500000, 9500000, 9500000);
  builder.Nets(4).Partitioned().Group({1, 2, 3});
}

// One move per kind, for counting what MakeRandomMove makes.
std::array<int, 3> CountMoveKinds(TAutoPlacer& placer, int moves, bool undo) {
  std::array<int, 3> counts{};
  for (int i = 0; i < moves; ++i) {
    int32_t k = 0, p = 0;
    uint8_t kind = 0;
    placer.MakeRandomMove(k, p, kind);
    ++counts.at(kind);
    EXPECT_EQ(p != 0, kind == MoveSwap);
    if (undo) {
      Undo(placer, k, p, kind);
    }
  }
  return counts;
}

}  // namespace

TEST(RotatePoint, TurnsCounterClockwiseAndWrapsTheMostNegativeValue) {
  struct TCase {
    int32_t X, Y, Q, ExpectedX, ExpectedY;
  };
  const TCase cases[] = {
      {3, 5, 1, -5, 3},
      {3, 5, 2, -3, -5},
      {3, 5, 3, 5, -3},
      {3, 5, 0, 3, 5},
      {3, 5, 4, 3, 5},
      {3, 5, -1, 3, 5},
      {7, INT32_MIN, 1, INT32_MIN, 7},
      {INT32_MIN, 7, 2, INT32_MIN, -7},
  };
  for (const TCase& c : cases) {
    int32_t x = c.X, y = c.Y;
    RotatePoint(x, y, c.Q);
    EXPECT_EQ(x, c.ExpectedX) << c.X << "," << c.Y << " q " << c.Q;
    EXPECT_EQ(y, c.ExpectedY) << c.X << "," << c.Y << " q " << c.Q;
  }
}

TEST(Blocked, KeepsBoxesOnTheAreaAndOffFixedComponentsAndKeepOuts) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize);
  builder.Component({1000000, 1000000, 200000, 200000});
  builder.Component({5000000, 5000000, 1000000, 1000000, TopLayer, true, false});  // fixed
  builder.KeepOut(1000000, 1000000, 2000000, 2000000);
  builder.Partitioned();
  struct TCase {
    int32_t X, Y, W, H;
    bool Expected;
  };
  const TCase cases[] = {
      {9900000, 3000000, 200000, 200000, false},  // touching the right edge
      {9900001, 3000000, 200000, 200000, true},
      {9900000, 3000000, 200001, 200000, false},  // an odd width counts its truncated half
      {100000, 3000000, 200000, 200000, false},   // touching the left edge
      {99999, 3000000, 200000, 200000, true},
      {3000000, 9900000, 200000, 200000, false},  // touching the top
      {3000000, 99999, 200000, 200000, true},
      {4400000, 5000000, 200000, 200000, false},  // touching the fixed component
      {4400001, 5000000, 200000, 200000, true},
      {5000000, 5600000, 200000, 200000, false},
      {2100000, 1500000, 200000, 200000, false},  // touching the keep-out
      {2099999, 1500000, 200000, 200000, true},
      {1500000, 1500000, 100, 100, true},  // inside the keep-out
      {5000000, 5000000, 20000000, 200000, true},
      {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, true},
      {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, true},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(placer.Blocked(c.X, c.Y, c.W, c.H), c.Expected)
        << c.X << "," << c.Y << " " << c.W << "x" << c.H;
  }
}

TEST(ChooseDisplacement, SnapsTheReferencePointToTheMoveGrid) {
  struct TCase {
    int32_t Grid, CenterX, ExpectedGroupX, ExpectedRefX;
  };
  // The reference point lies 30000 right of the centre; the window is a single point.
  const TCase cases[] = {
      {200000, 1234567, 1170000, 1200000},
      {200000, -1294567, -1230000, -1200000},  // negative coordinates snap up
      {0, 1234567, 1234567, 1264567},          // no grid: no snapping
      {-200000, 1234567, 1234567, 1264567},
  };
  for (const TCase& c : cases) {
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(-5000000, -5000000, 5000000, 5000000).Defaults();
    const int32_t k = builder.Component({c.CenterX, 0, 100000, 100000});
    builder.Partitioned();
    placer.Component(k).X += 30000;
    placer.MoveGrid = c.Grid;
    placer.RangeX = placer.RangeY = 0;
    int32_t x = 0, y = 0;
    ASSERT_TRUE(placer.ChooseDisplacement(k, x, y)) << c.Grid;
    EXPECT_EQ(x, c.ExpectedGroupX) << c.Grid;
    EXPECT_EQ(y, 0);
    placer.MoveGroupTo(k, x, y);
    EXPECT_EQ(placer.Component(k).X, c.ExpectedRefX) << c.Grid;
  }
}

TEST(ChooseDisplacement, AComponentAgainstTheRightEdgeMovesLeftButNeverPastIt) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize).Defaults();
  const int32_t k = builder.Component({9800000, 5000000, 400000, 400000});
  builder.Partitioned();
  SetRandomSeed(7);
  int legal = 0;
  for (int i = 0; i < 500; ++i) {
    int32_t x = 0, y = 0;
    if (placer.ChooseDisplacement(k, x, y)) {
      ++legal;
      EXPECT_LE(x + 200000, BoardSize);
      EXPECT_LT(x, 9800000);
    }
  }
  EXPECT_GT(legal, 400);
}

TEST(ChooseDisplacement, AnEmptyWindowDrawsAnywhereButOnlyLegalCandidatesPass) {
  struct TCase {
    int32_t GroupX, Width, RangeX;
    bool CanComeBack;
  };
  const TCase cases[] = {
      {-1500000000, 200000, 100000, true},  // far off the board to the left
      {INT32_MIN + 5, 200000, INT32_MAX, true},
      {INT32_MAX - 5, 200000, INT32_MAX, true},
      {5000000, BoardSize + 2, BoardSize, false},  // wider than the board
  };
  for (const TCase& c : cases) {
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(0, 0, BoardSize, BoardSize).Defaults();
    const int32_t k = builder.Component({5000000, 5000000, c.Width, 200000});
    builder.Partitioned();
    TCompRecord& component = placer.Component(k);
    component.GroupX = component.CenterX = component.X = c.GroupX;
    placer.RangeX = c.RangeX;
    SetRandomSeed(99);
    int legal = 0;
    for (int i = 0; i < 20000; ++i) {
      int32_t x = 0, y = 0;
      if (placer.ChooseDisplacement(k, x, y)) {
        ++legal;
        EXPECT_FALSE(placer.Blocked(x, y, component.GroupWidth, component.GroupHeight));
      }
    }
    EXPECT_EQ(legal > 0, c.CanComeBack) << c.GroupX << " " << c.Width;
  }
}

TEST(ChooseRotation, GivesTheHalfTurnWhenTheTurnedBoxWouldLeaveTheArea) {
  struct TCase {
    int32_t BoardHeight;
    bool QuarterTurnsPossible;
  };
  for (const TCase c : {TCase{2000000, false}, TCase{BoardSize, true}}) {
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(0, 0, BoardSize, c.BoardHeight).Defaults();
    const int32_t k = builder.Component({5000000, c.BoardHeight / 2, 4000000, 1000000});
    builder.Partitioned();
    SetRandomSeed(3);
    std::array<int, 4> seen{};
    for (int i = 0; i < 300; ++i) {
      ++seen.at(static_cast<size_t>(placer.ChooseRotation(k)));
    }
    EXPECT_EQ(seen[0], 0);
    EXPECT_GT(seen[2], 0);
    EXPECT_EQ(seen[1] > 0 && seen[3] > 0, c.QuarterTurnsPossible) << c.BoardHeight;
  }
}

TEST(ChoosePartner, RefusesAPartnerWhoseGroupWouldNotFitInEitherPlace) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize).Defaults();
  builder.Component({5000000, 8000000, 4000000, 1000000});
  builder.Component({1000000, 1000000, 500000, 500000});
  builder.Partitioned();
  SetRandomSeed(11);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(placer.ChoosePartner(1),
              0);  // the wide one would leave the area at the other's place
    EXPECT_EQ(placer.ChoosePartner(2), 0);
  }
  placer.Component(2).GroupX = placer.Component(2).CenterX = 3000000;
  EXPECT_EQ(placer.ChoosePartner(1), 2);
  EXPECT_EQ(placer.ChoosePartner(2), 1);
}

TEST(GroupMoves, AMovedGroupKeepsItsShapeAndTheUndoRestoresItExactly) {
  TAutoPlacer placer;
  BuildWiredBoard(placer);
  placer.EvaluateAll();
  const auto before = Geometry(placer);
  const TCosts costsBefore = Costs(placer);
  const int32_t groupX = placer.Component(2).GroupX;
  const int32_t groupY = placer.Component(2).GroupY;

  placer.MoveGroupTo(2, groupX + 5 * Mil, groupY);
  const auto after = Geometry(placer);
  for (size_t m = 0; m < 3; ++m) {
    TGeometry expected = before[m];
    expected.X += 5 * Mil;
    expected.CenterX += 5 * Mil;
    expected.GroupX += 5 * Mil;
    for (auto& pin : expected.Pins) {
      pin.first += 5 * Mil;
    }
    EXPECT_EQ(after[m], expected) << "member " << m + 1;
    EXPECT_EQ(placer.Components[m]->Visited, 1);
  }
  for (size_t other = 3; other < before.size(); ++other) {
    EXPECT_EQ(after[other], before[other]);
  }

  placer.MoveGroupTo(2, groupX, groupY);
  EXPECT_EQ(Geometry(placer), before);
  EXPECT_EQ(Costs(placer), costsBefore);
}

TEST(GroupMoves, AQuarterTurnIsUndoneByThreeQuartersExactly) {
  // A lone component with pins off its centre and a ring of three, each turned about its own
  // group centre.
  for (const int32_t k : {4, 1}) {
    TAutoPlacer placer;
    BuildWiredBoard(placer);
    placer.Component(4).Rotation = 3;
    placer.EvaluateAll();
    const auto before = Geometry(placer);
    const TCosts costsBefore = Costs(placer);

    placer.RotateGroup(1, k);
    const auto turned = Geometry(placer);
    for (int32_t m = 1; m <= placer.ComponentCount; ++m) {
      const TGeometry& was = before[static_cast<size_t>(m - 1)];
      const TGeometry& now = turned[static_cast<size_t>(m - 1)];
      const bool member = k == 4 ? m == 4 : m <= 3;
      if (!member) {
        EXPECT_EQ(now, was);
        continue;
      }
      EXPECT_EQ(now.Rotation, (was.Rotation + 1) % 4);
      EXPECT_EQ(now.GroupX, was.GroupX);
      EXPECT_EQ(now.GroupY, was.GroupY);
      EXPECT_EQ(now.GroupWidth, was.GroupHeight);
      EXPECT_EQ(now.Width, was.Height);
      for (size_t i = 0; i < was.Pins.size(); ++i) {
        // (dx, dy) from the group centre becomes (-dy, dx).
        EXPECT_EQ(now.Pins[i].first, was.GroupX - (was.Pins[i].second - was.GroupY));
        EXPECT_EQ(now.Pins[i].second, was.GroupY + (was.Pins[i].first - was.GroupX));
      }
    }

    placer.RotateGroup(3, k);
    EXPECT_EQ(Geometry(placer), before) << "group of " << k;
    EXPECT_EQ(Costs(placer), costsBefore) << "group of " << k;
  }
}

TEST(GroupMoves, ASwapExchangesGroupPositionsAndSwappingBackRestoresThem) {
  TAutoPlacer placer;
  BuildWiredBoard(placer);
  placer.EvaluateAll();
  const auto before = Geometry(placer);
  const TCosts costsBefore = Costs(placer);

  placer.SwapGroups(3, 6);
  for (int32_t m = 1; m <= 3; ++m) {
    EXPECT_EQ(placer.Component(m).GroupX, before[5].GroupX);
    EXPECT_EQ(placer.Component(m).GroupY, before[5].GroupY);
  }
  EXPECT_EQ(placer.Component(6).GroupX, before[2].GroupX);
  EXPECT_EQ(placer.Component(6).GroupY, before[2].GroupY);

  placer.SwapGroups(6, 3);
  EXPECT_EQ(Geometry(placer), before);
  EXPECT_EQ(Costs(placer), costsBefore);
}

TEST(MakeRandomMove, EveryMoveIsUndoneExactlyByItsKind) {
  TAutoPlacer placer;
  BuildWiredBoard(placer);
  placer.EvaluateAll();
  const auto before = Geometry(placer);
  const TCosts costsBefore = Costs(placer);
  SetRandomSeed(2024);
  for (int i = 0; i < 400; ++i) {
    int32_t k = 0, p = 0;
    uint8_t kind = 0;
    placer.MakeRandomMove(k, p, kind);
    EXPECT_EQ(kind, placer.LastMoveKind);
    EXPECT_GE(k, 1);
    EXPECT_LE(k, placer.MovableCount);
    Undo(placer, k, p, kind);
    ASSERT_EQ(Geometry(placer), before) << "move " << i << " kind " << int{kind};
    ASSERT_EQ(Costs(placer), costsBefore) << "move " << i << " kind " << int{kind};
  }
}

TEST(MakeRandomMove, KeptMovesLeaveTheCostTermsAsAFullEvaluationFindsThem) {
  TAutoPlacer placer;
  BuildWiredBoard(placer);
  placer.EvaluateAll();
  SetRandomSeed(5);
  const auto kinds = CountMoveKinds(placer, 300, false);
  EXPECT_GT(kinds[MoveRotation], 0);
  EXPECT_GT(kinds[MoveSwap], 0);
  EXPECT_GT(kinds[MoveDisplacement], 0);

  // The group members still share one box, and every move stayed legal.
  for (int32_t m = 1; m <= 3; ++m) {
    EXPECT_EQ(placer.Component(m).GroupX, placer.Component(1).GroupX);
    EXPECT_EQ(placer.Component(m).GroupWidth, placer.Component(1).GroupWidth);
  }
  for (int32_t m = 1; m <= placer.MovableCount; ++m) {
    const TCompRecord& c = placer.Component(m);
    EXPECT_FALSE(placer.Blocked(c.GroupX, c.GroupY, c.GroupWidth, c.GroupHeight)) << m;
  }

  const TCosts incremental = Costs(placer);
  std::vector<int32_t> occupancy;
  for (const uint8_t layer : {TopLayer, BottomLayer}) {
    for (int32_t col = 0; col <= placer.OccupancyCols; ++col) {
      for (int32_t row = 0; row <= placer.OccupancyRows; ++row) {
        occupancy.push_back(placer.Occupancy[layer].At(col, row));
      }
    }
  }
  placer.EvaluateAll();
  EXPECT_EQ(placer.NetLengthCost, incremental.NetLength);
  EXPECT_EQ(placer.DensityCost, incremental.Density);
  EXPECT_EQ(placer.AlignmentCost, incremental.Alignment);
  size_t cell = 0;
  for (const uint8_t layer : {TopLayer, BottomLayer}) {
    for (int32_t col = 0; col <= placer.OccupancyCols; ++col) {
      for (int32_t row = 0; row <= placer.OccupancyRows; ++row) {
        EXPECT_EQ(placer.Occupancy[layer].At(col, row), occupancy[cell++]);
      }
    }
  }
}

TEST(MakeRandomMove, MakesOnlyTheKindsTheBoardAllows) {
  SetRandomSeed(17);
  {
    SCOPED_TRACE("rotation not allowed");
    TAutoPlacer placer;
    BuildWiredBoard(placer);
    placer.EvaluateAll();
    placer.RotateAllowed = false;
    const auto kinds = CountMoveKinds(placer, 500, true);
    EXPECT_EQ(kinds[MoveRotation], 0);
    EXPECT_GT(kinds[MoveSwap], 0);
    EXPECT_GT(kinds[MoveDisplacement], 0);
  }
  {
    SCOPED_TRACE("one movable component");
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(0, 0, BoardSize, BoardSize).Defaults();
    builder.Component({3000000, 3000000, 400000, 200000});
    builder.Component({5000000, 5000000, 1000000, 1000000, TopLayer, true, false});
    builder.Partitioned();
    const auto kinds = CountMoveKinds(placer, 500, false);
    EXPECT_EQ(kinds[MoveSwap], 0);
    EXPECT_GT(kinds[MoveRotation], 0);
    EXPECT_GT(kinds[MoveDisplacement], 0);
  }
}

TEST(MakeRandomMove, DoesNothingWhenStoppedOrWhenNothingIsMovable) {
  for (const bool onlyCapacitors : {false, true}) {
    TAutoPlacer placer;
    TEngineBuilder builder(placer);
    builder.Area(0, 0, BoardSize, BoardSize).Defaults();
    if (onlyCapacitors) {
      builder.Component({5000000, 5000000, 1000000, 1000000, TopLayer, true, false});
      builder.Component({3000000, 3000000, 100000, 50000, TopLayer, true, true, FlagBypass});
    } else {
      builder.Component({3000000, 3000000, 400000, 200000});
      builder.Component({6000000, 3000000, 400000, 200000});
      placer.StopRequested = true;
    }
    builder.Partitioned();
    placer.LastMoveKind = MoveSwap;
    const auto before = Geometry(placer);
    SetRandomSeed(1);
    int32_t k = -1, p = -1;
    uint8_t kind = MoveDisplacement;
    placer.MakeRandomMove(k, p, kind);
    EXPECT_EQ(kind, MoveSwap) << onlyCapacitors;
    EXPECT_EQ(p, 0);
    EXPECT_EQ(k, 0);
    EXPECT_EQ(RandomSeed(), 1u) << "no random number drawn";
    EXPECT_EQ(Geometry(placer), before);
  }
}
