// The fast selection order against the quadratic selection sort it replaces, on keys with many
// ties, where the sort's exchanges decide the order of equal keys.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "import/SelectionOrder.h"

namespace {

std::vector<int> QuadraticSelectionSort(std::vector<int> items, std::vector<int32_t> keys) {
  for (size_t front = 0; front + 1 < items.size(); ++front) {
    size_t best = front;
    for (size_t c = front + 1; c < items.size(); ++c)
      if (keys[c] > keys[best])
        best = c;
    std::swap(items[front], items[best]);
    std::swap(keys[front], keys[best]);
  }
  return items;
}

TEST(SelectionOrderTest, GivesTheOrderOfTheSelectionSortTiesIncluded) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    const size_t count = random() % 70;
    const int32_t spread = 1 + static_cast<int32_t>(random() % 8);
    std::vector<int> items(count);
    std::vector<int32_t> keys(count);
    for (size_t i = 0; i < count; ++i) {
      items[i] = static_cast<int>(i);
      keys[i] = static_cast<int32_t>(random() % static_cast<uint32_t>(spread)) - 2;
    }
    std::vector<int> fast = items;
    SelectionOrder::SortLargestFirst(fast, keys);
    ASSERT_EQ(fast, QuadraticSelectionSort(items, keys)) << "round " << round;
  }
}

}  // namespace
