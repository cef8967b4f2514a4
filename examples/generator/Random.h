#pragma once

// A small random generator of our own (SplitMix64), so that a seed gives the same boards with
// every compiler and standard library.

#include <cstdint>
#include <utility>
#include <vector>

class TRandom {
 public:
  explicit TRandom(uint64_t seed) : State(seed) {}

  uint64_t Next() {
    uint64_t z = (State += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A number from 0 to Bound - 1 (Bound > 0).
  uint64_t Below(uint64_t bound) { return Next() % bound; }

  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (size_t i = items.size(); i > 1; --i)
      std::swap(items[i - 1], items[Below(i)]);
  }

 private:
  uint64_t State;
};
