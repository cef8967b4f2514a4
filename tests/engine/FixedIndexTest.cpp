// The binned fixed footprints must answer every box exactly as a scan of all footprints does:
// boxes that only touch, footprints of zero width, boxes far off the board or wider than it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/FixedIndex.h"

namespace {

class TBoxes {
 public:
  explicit TBoxes(uint32_t seed) : State(seed) {}
  int64_t Below(int64_t n) {
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    return static_cast<int64_t>(State % static_cast<uint32_t>(n));
  }
  // Boxes on a 100 x 100 area with sides from 0 to 29, and now and then one reaching far out.
  TBox Next() {
    const int64_t x = Below(100);
    const int64_t y = Below(100);
    if (Below(20) == 0) {
      return TBox{x - 4000000000, y - Below(50), x + 4000000000, y + Below(50)};
    }
    return TBox{x, y, x + Below(30), y + Below(30)};
  }

 private:
  uint32_t State;
};

bool OverlapsAny(const std::vector<TBox>& footprints, const TBox& box) {
  return std::any_of(footprints.begin(), footprints.end(),
                     [&box](const TBox& footprint) { return Overlap(box, footprint); });
}

TEST(FixedIndex, AnswersEveryBoxAsAScanOfAllFootprintsDoes) {
  for (const int count : {0, 1, 7, 60, 400}) {
    TBoxes boxes(static_cast<uint32_t>(count) + 1u);
    std::vector<TBox> footprints;
    for (int i = 0; i < count; ++i) {
      footprints.push_back(boxes.Next());
    }
    footprints.push_back(TBox{50, 10, 50, 40});  // zero width: still overlaps a box across it
    TFixedIndex index;
    index.Build(footprints, 3, count + 1);
    EXPECT_TRUE(index.Covers(3, count + 1));
    EXPECT_FALSE(index.Covers(4, count + 1));
    int hits = 0;
    for (int query = 0; query < 3000; ++query) {
      const TBox box = boxes.Next();
      const bool expected = OverlapsAny(footprints, box);
      ASSERT_EQ(index.Overlaps(box), expected) << count << " footprints, box " << box.Left << " "
                                               << box.Bottom << " " << box.Right << " " << box.Top;
      hits += expected ? 1 : 0;
    }
    EXPECT_GT(hits, 0);
  }
}

}  // namespace
