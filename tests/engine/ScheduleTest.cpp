#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "engine/PlaceObj.h"

namespace {

// The schedule as a run starts it.
void StartSchedule(TAutoPlacer& placer) {
  placer.Temperature = 100000.0;
  placer.CoolingFactor = 0.85;
  placer.LogT0 = 5.0;
  placer.RangeFactor = 1.0;
  placer.BoardWidth = placer.RangeX = 3937008;  // 100 mm
  placer.BoardHeight = placer.RangeY = 2000000;
}

}  // namespace

TEST(AcceptanceProbability, FallsWithTheIncreaseAtTheStartTemperature) {
  struct TCase {
    double Delta, Expected;
  };
  const TCase cases[] = {
      {1.0, 1.0},
      {1200.0, 1.0},  // 1.2 % of the temperature: always stands
      {1201.0, std::exp(-0.01201)},
      {100000.0, std::exp(-1.0)},
      {8333333.0, std::exp(-83.33333)},
      {8333334.0, 0.0},  // at least 83.3 times the temperature: never stands
      {1e12, 0.0},
  };
  TAutoPlacer placer;
  placer.Temperature = 100000.0;
  for (const TCase& c : cases) {
    placer.CostDelta = c.Delta;
    const double p = placer.AcceptanceProbability();
    EXPECT_NEAR(p, c.Expected, c.Expected * 1e-12) << c.Delta;
    EXPECT_EQ(p == 0.0, c.Expected == 0.0) << c.Delta;
  }
}

TEST(AcceptWorse, DrawsOneRandomNumberAndComparesItWithTheProbability) {
  TAutoPlacer placer;
  placer.Temperature = 100000.0;
  for (const double delta : {1200.0, 100000.0, 8333334.0}) {
    placer.CostDelta = delta;
    int accepted = 0;
    for (uint32_t seed = 1; seed <= 1000; ++seed) {
      SetRandomSeed(seed * 2654435761u);
      const double u = RandomUnit();
      const uint32_t afterOneDraw = RandomSeed();
      SetRandomSeed(seed * 2654435761u);
      const bool accept = placer.AcceptWorse();
      EXPECT_EQ(RandomSeed(), afterOneDraw) << delta;
      EXPECT_EQ(accept, u <= placer.AcceptanceProbability()) << delta;
      accepted += accept ? 1 : 0;
    }
    if (delta == 1200.0) {
      EXPECT_EQ(accepted, 1000);
    } else if (delta == 8333334.0) {
      EXPECT_EQ(accepted, 0);
    } else {
      EXPECT_NEAR(accepted, 368, 50);
    }
  }
}

TEST(CoolDown, FollowsTheScheduleOfARun) {
  struct TRow {
    int PassesDone;
    double Temperature, RangeFactor;
    int32_t RangeX;
  };
  const TRow rows[] = {
      {0, 100000, 1, 3937008},          {1, 85000, 0.971967, 3826641},
      {10, 19687.4, 0.737602, 2903947}, {35, 338.581, 0.255968, 1007747},
      {50, 29.5765, 0.0865473, 340737}, {69, 1.34867, 0.000675021, 2658},
  };
  for (const TRow& row : rows) {
    TAutoPlacer placer;
    StartSchedule(placer);
    for (int k = 0; k < row.PassesDone; ++k) {
      placer.CoolDown();
    }
    EXPECT_NEAR(placer.Temperature, row.Temperature, row.Temperature * 1e-5) << row.PassesDone;
    EXPECT_NEAR(placer.RangeFactor, row.RangeFactor, row.RangeFactor * 1e-5) << row.PassesDone;
    EXPECT_EQ(placer.RangeX, row.RangeX) << row.PassesDone;
    EXPECT_EQ(placer.RangeY, static_cast<int32_t>(std::nearbyint(2000000 * placer.RangeFactor)));
  }
}

TEST(CoolDown, KeepsTheFullWindowWithoutAStartLogarithm) {
  TAutoPlacer placer;
  StartSchedule(placer);
  placer.LogT0 = 0.0;
  placer.CoolDown();
  EXPECT_DOUBLE_EQ(placer.Temperature, 85000.0);
  EXPECT_EQ(placer.RangeFactor, 1.0);
  EXPECT_EQ(placer.RangeX, 3937008);
  EXPECT_EQ(placer.RangeY, 2000000);
}

TEST(CoolDown, ATemperatureCooledToNothingSaturatesTheWindow) {
  TAutoPlacer placer;
  StartSchedule(placer);
  placer.CoolingFactor = 0.0;
  placer.CoolDown();
  EXPECT_EQ(placer.Temperature, 0.0);
  EXPECT_EQ(placer.RangeX, INT32_MAX);
  EXPECT_EQ(placer.RangeY, INT32_MAX);
}
