#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "EngineBuilder.h"
#include "engine/PlaceObj.h"

namespace {

constexpr int32_t BoardSize = 10000000;  // 1000 mil square

// Three parts in a row on one signal net, 100 mil apart: a tight placement to refine.
void BuildRow(TAutoPlacer& placer) {
  TEngineBuilder builder(placer);
  builder.Area(0, 0, BoardSize, BoardSize).Defaults();
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t x = 4000000 + i * 1000000;
    const int32_t k = builder.Component({x, 5000000, 200000, 200000});
    builder.Pin(k, x, 5000000, 1);
  }
  builder.Nets(1).Partitioned();
  placer.MaxMovesPerPass = 300;
  placer.MaxAcceptedPerPass = 30;
  placer.PassNumber = 1;
  placer.EvaluateAll();
}

TEST(Effort, ScalesBothCapsAndLeavesEffortOneAlone) {
  struct TCase {
    double Effort;
    int32_t Moves;
    int32_t Accepted;
  };
  constexpr int32_t Largest = std::numeric_limits<int32_t>::max() / 72;
  for (const TCase& c : {TCase{1.0, 300, 30}, TCase{2.5, 750, 75}, TCase{0.05, 15, 2},
                         TCase{1e12, Largest, Largest}}) {
    TAutoPlacer placer;
    BuildRow(placer);
    placer.Tuning.Effort = c.Effort;
    placer.ApplyTuning();
    EXPECT_EQ(placer.MaxMovesPerPass, c.Moves) << c.Effort;
    EXPECT_EQ(placer.MaxAcceptedPerPass, c.Accepted) << c.Effort;
    EXPECT_EQ(placer.PassNumber, 1);
  }
}

TEST(Refinement, StartsAtTheCoolEndOfTheScheduleWithoutTheAlignmentTerm) {
  TAutoPlacer placer;
  BuildRow(placer);
  placer.Tuning.Refine = true;
  placer.ApplyTuning();
  EXPECT_EQ(placer.PassNumber, 50);
  EXPECT_NEAR(placer.Temperature, 100000.0 * std::pow(0.85, 49), 1e-6);
  EXPECT_LT(placer.RangeX, BoardSize / 10);
  EXPECT_FALSE(placer.UseAlignment);
  EXPECT_EQ(placer.AlignmentTerm(), 0.0);
}

TEST(Refinement, TakesBackAPlacementWithLongerSignalNetsAndKeepsAShorterOne) {
  TAutoPlacer placer;
  BuildRow(placer);
  placer.Tuning.Refine = true;
  placer.ApplyTuning();
  const double startLength = placer.SignalHalfPerimeter();
  EXPECT_EQ(startLength, 2000000.0);
  const double startCost = placer.TotalCost();

  placer.MoveGroupTo(3, 9000000, 9000000);  // far away: longer
  placer.RotateGroup(1, 2);
  ASSERT_GT(placer.SignalHalfPerimeter(), startLength);
  placer.KeepTheBetterPlacement();
  EXPECT_EQ(placer.SignalHalfPerimeter(), startLength);
  EXPECT_EQ(placer.Component(3).CenterX, 6000000);
  EXPECT_EQ(placer.Component(3).Pins[0]->Y, 5000000);
  EXPECT_EQ(placer.Component(2).Rotation, 0);
  EXPECT_EQ(placer.TotalCost(), startCost);

  placer.MoveGroupTo(3, 5400000, 5000000);  // closer: kept
  const double shorter = placer.SignalHalfPerimeter();
  ASSERT_LT(shorter, startLength);
  placer.KeepTheBetterPlacement();
  EXPECT_EQ(placer.SignalHalfPerimeter(), shorter);
}

}  // namespace
