// The annealing schedule: whether a move that raised the cost may stand, and the cooling after a
// pass that also narrows the window of the displacement moves.

#include <cmath>
#include <cstdint>
#include <limits>

#include "ExtendedPrecision.h"
#include "PlaceObj.h"

namespace {

// Increases up to this share of the temperature always stand; increases of at least its inverse
// times the temperature never do. Compared in extended precision, as the thresholds were set.
constexpr long double SureThreshold = 0.012L;

// The decimal logarithm as the schedule has always taken it: ln x over a constant slightly above
// ln 10. It only appears in a ratio, where the constant cancels.
long double ScheduleLog10(double x) {
  const TExtendedPrecision extended;
  return std::log(static_cast<long double>(x)) / 2.3025851L;
}

// Rounds to the nearest integer, ties to even, saturating at the 32-bit range (NaN gives 0).
int32_t RoundToInt32(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  const double rounded = std::nearbyint(value);
  if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace

double TAutoPlacer::AcceptanceProbability() const {
  const TExtendedPrecision extended;
  const long double delta = CostDelta;
  const long double temperature = Temperature;
  if (delta / temperature <= SureThreshold) {
    return 1.0;
  }
  if (temperature / delta <= SureThreshold) {
    return 0.0;
  }
  return static_cast<double>(std::exp(-(delta / temperature)));
}

bool TAutoPlacer::AcceptWorse() {
  // The random number is drawn first, so every call advances the sequence once.
  const double u = RandomUnit();
  return u <= AcceptanceProbability();
}

void TAutoPlacer::CoolDown() {
  const TExtendedPrecision extended;
  Temperature *= CoolingFactor;
  if (LogT0 != 0.0) {
    RangeFactor = static_cast<double>(ScheduleLog10(Temperature) / LogT0);
  } else {
    RangeFactor = 1.0;
  }
  RangeFactor *= RangeFactor;
  RangeX = RoundToInt32(BoardWidth * RangeFactor);
  RangeY = RoundToInt32(BoardHeight * RangeFactor);
}
