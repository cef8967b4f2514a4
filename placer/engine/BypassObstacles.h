#pragma once

// What a supply capacitor may not land on while the capacitors are placed beside their chips:
// the movable components' footprints, which stay where they are meanwhile, and the footprints of
// the capacitors placed so far, binned on a grid over the placement area so that a slot is
// judged against the few footprints near it. It answers exactly what a scan of them all answers.

#include <cstdint>
#include <utility>
#include <vector>

#include "FootprintBox.h"

class TBypassObstacles {
 public:
  // About as many bins as footprints over the area (footprints outside it go to its edge bins).
  TBypassObstacles(const TBox& area, size_t footprints);

  // A footprint with a key: the component's number, or 0 for a capacitor placed.
  void Add(const TBox& footprint, int32_t key);

  // Whether the box overlaps a footprint whose key is not `skip`, strictly on all four sides.
  bool Overlaps(const TBox& box, int32_t skip) const;

 private:
  int64_t Col(int64_t x) const;
  int64_t Row(int64_t y) const;

  TBox Area;
  int32_t Shift = 0;  // bins are 2^Shift units wide
  int64_t Cols = 1;
  int64_t Rows = 1;
  std::vector<std::vector<std::pair<TBox, int32_t>>> Bins;
};
