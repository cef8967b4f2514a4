#pragma once

// The limits every board the editor reads must keep, so that the placer's 32-bit arithmetic on
// coordinates, sums of two coordinates and distances between them cannot overflow: every length
// and every point of every object lies within BoardLimit units of 0, and the whole board fits in
// a square of BoardLimit units.

#include <cstdint>
#include <string>

#include "Geometry.h"

namespace Tarnix {

inline constexpr int64_t BoardLimit = (int64_t{1} << 30) - 1;  // 107374.1823 mil

// The limit as the file writes it, for messages.
inline constexpr const char* BoardLimitText = "107374.1823 mil";

// The box of the objects of a board as they are added; each addition says whether the object and
// the board still keep the limits.
class TBoardExtent {
 public:
  enum class TFit { Inside, ObjectOutside, BoardTooLarge };

  TFit Add(const TExtent& object);

 private:
  TExtent Board;
};

}  // namespace Tarnix
