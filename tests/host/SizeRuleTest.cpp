// The efforts autoplace chooses by the size of the board.

#include <gtest/gtest.h>

#include "HostSizeRule.h"

namespace {

struct TSizeCase {
  int Parts;
  double Effort, RefineEffort;
};

TEST(SizeRuleTest, TheDefaultsHoldUpToAThousandPartsAndShrinkToTheirFloorsAbove) {
  const TSizeCase cases[] = {
      {0, 3, 10},
      {1000, 3, 10},  // the defaults, to the boundary
      {1001, 3000.0 / 1001, 10000.0 / 1001},
      {2000, 1.5, 5},
      {3000, 1, 10.0 / 3},  // the run's effort reaches its floor
      {5000, 1, 2},
      {8000, 1, 1.5},
      {20000, 1, 1.5},  // so does the polish's
  };
  for (const TSizeCase& size : cases) {
    const TDefaultEfforts efforts = DefaultEffortsFor(size.Parts);
    EXPECT_DOUBLE_EQ(efforts.Effort, size.Effort) << size.Parts << " parts";
    EXPECT_DOUBLE_EQ(efforts.RefineEffort, size.RefineEffort) << size.Parts << " parts";
  }
}

THostOptions Defaults() {
  THostOptions options;
  options.Effort = DefaultEffort;
  options.RefineEffort = DefaultRefineEffort;
  options.Polish = true;
  return options;
}

TEST(SizeRuleTest, ABoardOfAThousandPartsKeepsTheDefaultsAndALargerOneIsToldWhy) {
  THostOptions small = Defaults();
  EXPECT_EQ(ApplyDefaultEfforts(small, 1000), "");
  EXPECT_EQ(small.Effort, DefaultEffort);
  EXPECT_EQ(small.RefineEffort, DefaultRefineEffort);

  THostOptions large = Defaults();
  const std::string note = ApplyDefaultEfforts(large, 20000);
  EXPECT_EQ(large.Effort, 1);
  EXPECT_EQ(large.RefineEffort, 1.5);
  EXPECT_NE(note.find("effort 1 in place of 3 and polish effort 1.5 in place of 10"),
            std::string::npos)
      << note;
  EXPECT_NE(note.find("20000 movable parts"), std::string::npos) << note;
}

TEST(SizeRuleTest, EffortsGivenOrTheSpecifiedRunAreKept) {
  THostOptions given = Defaults();
  given.Effort = 4;
  given.EffortGiven = true;
  given.RefineEffort = 7;
  given.RefineEffortGiven = true;
  EXPECT_EQ(ApplyDefaultEfforts(given, 20000), "");
  EXPECT_EQ(given.Effort, 4);
  EXPECT_EQ(given.RefineEffort, 7);

  THostOptions specified;
  specified.Specified = true;
  EXPECT_EQ(ApplyDefaultEfforts(specified, 20000), "");
  EXPECT_EQ(specified.Effort, 1);

  // A refinement without --effort runs at the refinement's effort, scaled as the polish's.
  THostOptions refine = Defaults();
  refine.Refine = true;
  refine.Polish = false;
  refine.Effort = DefaultRefineEffort;
  EXPECT_NE(ApplyDefaultEfforts(refine, 5000).find("effort 2 in place of 10"), std::string::npos);
  EXPECT_EQ(refine.Effort, 2);
}

}  // namespace
