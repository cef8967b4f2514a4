// The placement must not depend on the x87 precision the host process runs with: a host that
// set double precision gets the same steps, costs and placement as one that kept extended
// precision, and gets its own setting back.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "EngineSnapshot.h"
#include "SyntheticBoard.h"
#include "engine/ExtendedPrecision.h"
#include "engine/PlaceObj.h"

namespace {

struct TOutcome {
  std::vector<TGeometry> Placement;
  TCosts Costs;
  double Temperature;
  int32_t RangeX;
  int32_t Rejected;
  std::vector<double> Deltas;  // each step's cost change, as the acceptance test saw it
};

// A few passes' worth of steps on a synthetic board, cooling between them.
TOutcome AnnealSteps() {
  TAutoPlacer placer;
  TSyntheticBoard(200, 99).Build(placer);
  placer.Temperature = 40.0;
  placer.LogT0 = 1.0;
  placer.RangeX = placer.BoardWidth / 4;
  placer.RangeY = placer.BoardHeight / 4;
  SetRandomSeed(5);
  std::vector<double> deltas;
  for (int pass = 0; pass < 6; ++pass) {
    for (int step = 0; step < 1000; ++step) {
      placer.AnnealStep();
      deltas.push_back(placer.CostDelta);
    }
    placer.CoolDown();
  }
  return {Geometry(placer), Costs(placer),         placer.Temperature,
          placer.RangeX,    placer.RejectedInPass, deltas};
}

TEST(Precision, ADoublePrecisionHostGetsTheSamePlacementAndItsSettingBack) {
  if (!TExtendedPrecision::HasX87()) {
    GTEST_SKIP() << "no x87 unit on this target";
  }
  const uint16_t hostWord = X87ControlWord();
  const TOutcome extended = AnnealSteps();

  const auto doubleWord =
      static_cast<uint16_t>((hostWord & ~X87PrecisionMask) | X87DoublePrecision);
  SetX87ControlWord(doubleWord);
  const TOutcome underDouble = AnnealSteps();
  const uint16_t wordAfter = X87ControlWord();
  SetX87ControlWord(hostWord);

  EXPECT_EQ(wordAfter, doubleWord);
  EXPECT_GT(extended.Rejected, 0);
  EXPECT_TRUE(underDouble.Placement == extended.Placement);
  EXPECT_EQ(underDouble.Costs, extended.Costs);
  EXPECT_EQ(underDouble.Temperature, extended.Temperature);
  EXPECT_EQ(underDouble.RangeX, extended.RangeX);
  EXPECT_TRUE(underDouble.Deltas == extended.Deltas);
}

}  // namespace
