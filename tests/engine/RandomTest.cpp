#include <gtest/gtest.h>

#include "engine/PlaceObj.h"

TEST(RandomGenerator, StepsAsALinearCongruentialGenerator) {
  SetRandomSeed(0);
  EXPECT_DOUBLE_EQ(RandomUnit(), 1.0 / 4294967296.0);
  EXPECT_EQ(RandomSeed(), 1u);
  RandomUnit();
  EXPECT_EQ(RandomSeed(), 134775814u);
}

TEST(RandomGenerator, RandomIntTakesTheHighWordOfTheProduct) {
  SetRandomSeed(0);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(RandomInt(1), 0);
    EXPECT_EQ(RandomInt(0), 0);
  }
  SetRandomSeed(0xDEADBEEFu);
  const uint32_t before = RandomSeed();
  const int32_t value = RandomInt(1000);
  const uint32_t after = before * 134775813u + 1u;
  EXPECT_EQ(value, static_cast<int32_t>((static_cast<uint64_t>(after) * 1000u) >> 32));
  EXPECT_GE(value, 0);
  EXPECT_LT(value, 1000);
}

TEST(RandomGenerator, EveryDrawAdvancesTheSequenceOnce) {
  SetRandomSeed(42);
  RandomInt(0);
  const uint32_t afterEmptyDraw = RandomSeed();
  SetRandomSeed(42);
  RandomUnit();
  EXPECT_EQ(RandomSeed(), afterEmptyDraw);
}

TEST(AutoPlacer, AFreshEngineIsIdle) {
  TAutoPlacer placer;
  EXPECT_FALSE(placer.Running);
  EXPECT_FALSE(placer.StopRequested);
  EXPECT_FALSE(placer.UseAutoPcbUpdate);
  EXPECT_FALSE(placer.DrawReady);
  EXPECT_TRUE(placer.Log.empty());
  EXPECT_EQ(placer.ComponentCount, 0);
}
