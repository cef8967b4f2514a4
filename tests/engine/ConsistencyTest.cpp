// The engine keeps its cost terms incrementally; these tests drive thousands of annealing steps
// on a synthetic board of a few hundred records and check, step by step, that what the moves leave
// behind is what a full evaluation finds, that undone moves restore everything exactly (records,
// trees, grids and totals), and that every move kept the moved groups legal.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "EngineSnapshot.h"
#include "SyntheticBoard.h"
#include "engine/PlaceObj.h"

namespace {

// The incremental terms against a fresh evaluation of the same placement. A full evaluation
// weighs one unit of overlap with 16384, each later incremental update with 4096: after updates
// that changed the overlap from S0 to S1 units, the kept value is 16384 S0 + 4096 (S1 - S0).
void ExpectTermsMatchAFullEvaluation(TAutoPlacer& placer, double& overlapUnitsAtLastEvaluation) {
  const TCosts incremental = Costs(placer);
  placer.EvaluateAll();
  const double overlapUnits = placer.OverlapCost / 16384.0;
  EXPECT_EQ(incremental.NetLength, placer.NetLengthCost);
  EXPECT_EQ(incremental.Density, placer.DensityCost);
  EXPECT_EQ(incremental.Alignment, placer.AlignmentCost);
  EXPECT_EQ(incremental.Overlap, 16384.0 * overlapUnitsAtLastEvaluation +
                                     4096.0 * (overlapUnits - overlapUnitsAtLastEvaluation));
  overlapUnitsAtLastEvaluation = overlapUnits;
}

std::vector<bool> LegalGroups(const TAutoPlacer& placer) {
  std::vector<bool> legal;
  for (int32_t k = 1; k <= placer.MovableCount; ++k) {
    const TCompRecord& c = placer.Component(k);
    legal.push_back(!placer.Blocked(c.GroupX, c.GroupY, c.GroupWidth, c.GroupHeight));
  }
  return legal;
}

// Every group a kept move touched is legal, except one that was illegal where the board put it
// and only got a half turn, which keeps its box and is not tested.
void ExpectMovedGroupsLegal(TAutoPlacer& placer, const std::vector<bool>& legalBefore, int step) {
  const bool halfTurn = placer.LastMoveKind == MoveRotation && placer.UndoRotation == 2;
  for (int32_t k = 1; k <= placer.MovableCount; ++k) {
    const TCompRecord& c = placer.Component(k);
    if (c.Visited && !(halfTurn && !legalBefore[static_cast<size_t>(k - 1)])) {
      ASSERT_FALSE(placer.Blocked(c.GroupX, c.GroupY, c.GroupWidth, c.GroupHeight))
          << "step " << step << " left component " << k << " off the placement area, on a fixed "
          << "component or on a keep-out";
    }
  }
}

void ClearVisited(TAutoPlacer& placer) {
  for (auto& record : placer.Components) {
    record->Visited = 0;
  }
}

// Temperature, and whether one net in ten is a large one.
class Consistency : public ::testing::TestWithParam<std::tuple<double, bool>> {};

TEST_P(Consistency, AnnealingStepsKeepTheTermsExactTheUndosExactAndTheMovesLegal) {
  TAutoPlacer placer;
  // Single-sided parts on one side only: an update of a single-sided footprint prices the cells of
  // its own side, where the full evaluation takes the larger count of both sides, so the two agree
  // exactly only while the own side holds the larger count.
  TSyntheticBoard board(300, 4242);
  board.TopSideOnly();
  if (std::get<1>(GetParam())) {
    board.LargeNets();
  }
  board.Build(placer);
  TEngineBuilder(placer).Group({1, 2, 3}).Group({10, 11});
  placer.EvaluateAll();
  placer.Temperature = std::get<0>(GetParam());
  placer.RangeX = placer.BoardWidth / 4;
  placer.RangeY = placer.BoardHeight / 4;
  double overlapUnits = placer.OverlapCost / 16384.0;
  SetRandomSeed(77);

  int rejected = 0;
  for (int step = 1; step <= 4000; ++step) {
    const auto before = Geometry(placer);
    const TCosts costsBefore = Costs(placer);
    const TCostState stateBefore = CostState(placer);
    const auto legalBefore = LegalGroups(placer);
    ClearVisited(placer);
    const int32_t rejectedBefore = placer.RejectedInPass;
    placer.AnnealStep();
    if (placer.RejectedInPass != rejectedBefore) {
      ++rejected;
      ASSERT_EQ(Geometry(placer), before) << "undo of step " << step;
      ASSERT_EQ(Costs(placer), costsBefore) << "undo of step " << step;
      ASSERT_TRUE(CostState(placer) == stateBefore) << "trees or grids after undo of step " << step;
    } else {
      ExpectMovedGroupsLegal(placer, legalBefore, step);
    }
    if (step % 500 == 0) {
      SCOPED_TRACE("after step " + std::to_string(step));
      ExpectTermsMatchAFullEvaluation(placer, overlapUnits);
    }
  }
  EXPECT_GT(rejected, 0);
}

// A hot run keeps most moves; a cold one undoes most of them.
INSTANTIATE_TEST_SUITE_P(HotAndCold, Consistency,
                         ::testing::Combine(::testing::Values(100000.0, 1.0), ::testing::Bool()));

}  // namespace
