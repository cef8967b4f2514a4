#pragma once

// The order a selection sort leaves behind when every round takes the first of the largest keys
// left and exchanges it with the front, found in n log n steps instead of n^2: a tree of maxima
// over the positions finds the first largest key of the rest without comparing it with every other.
// Equal keys end in the very order the quadratic sort gives them, exchanges included.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace SelectionOrder {

// Sorts Items by Keys (one key per item), largest first, as the selection sort does.
template <class T>
void SortLargestFirst(std::vector<T>& items, std::vector<int32_t> keys) {
  const size_t count = items.size();
  if (count < 2)
    return;
  size_t leaves = 1;
  while (leaves < count)
    leaves *= 2;
  constexpr int32_t None = std::numeric_limits<int32_t>::min();
  // Node n covers its two children 2n and 2n + 1; leaf i is node leaves + i.
  std::vector<int32_t> largest(2 * leaves, None);
  const auto set = [&](size_t position, int32_t key) {
    size_t node = leaves + position;
    largest[node] = key;
    for (node /= 2; node >= 1; node /= 2)
      largest[node] = std::max(largest[2 * node], largest[2 * node + 1]);
  };
  for (size_t i = 0; i < count; ++i)
    largest[leaves + i] = keys[i];
  for (size_t node = leaves - 1; node >= 1; --node)
    largest[node] = std::max(largest[2 * node], largest[2 * node + 1]);

  for (size_t front = 0; front + 1 < count; ++front) {
    // Down from the root to the first leaf that holds the largest key left: the front itself when
    // it holds one, as the sort then keeps it there.
    const int32_t best = largest[1];
    size_t node = 1;
    while (node < leaves)
      node = largest[2 * node] == best ? 2 * node : 2 * node + 1;
    const size_t chosen = node - leaves;
    if (chosen != front) {
      std::swap(items[front], items[chosen]);
      std::swap(keys[front], keys[chosen]);
      set(chosen, keys[chosen]);
    }
    set(front, None);  // out of the race
  }
}

}  // namespace SelectionOrder
