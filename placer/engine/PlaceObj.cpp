#include "PlaceObj.h"

#include <chrono>

namespace {
// The generator's state is process-wide, as every engine of the process draws from one sequence.
uint32_t Seed = 0;

void Step() {
  Seed = Seed * 134775813u + 1u;
}
}  // namespace

void SetRandomSeed(uint32_t seed) {
  Seed = seed;
}

uint32_t RandomSeed() {
  return Seed;
}

uint32_t RandomIntUnsigned(uint32_t n) {
  Step();
  return static_cast<uint32_t>((static_cast<uint64_t>(Seed) * n) >> 32);
}

int32_t RandomInt(int32_t n) {
  if (n <= 0) {
    Step();
    return 0;
  }
  return static_cast<int32_t>(RandomIntUnsigned(static_cast<uint32_t>(n)));
}

double RandomUnit() {
  Step();
  return static_cast<double>(Seed) / 4294967296.0;
}

void SeedFromClock() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  Seed = static_cast<uint32_t>(static_cast<uint64_t>(ticks));
}

TAutoPlacer::TAutoPlacer() = default;

TAutoPlacer::~TAutoPlacer() = default;
