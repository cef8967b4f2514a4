#pragma once

// Footprint rectangles as the engine compares them: centred on a point, with 64-bit sides so that
// a box reaching past the 32-bit range is still compared right.

#include <cstdint>

struct TBox {
  int64_t Left;
  int64_t Bottom;
  int64_t Right;
  int64_t Top;
};

inline TBox CentredBox(int32_t x, int32_t y, int32_t w, int32_t h) {
  return TBox{int64_t{x} - w / 2, int64_t{y} - h / 2, int64_t{x} + w / 2, int64_t{y} + h / 2};
}

// Strict on all four sides: boxes that only touch do not overlap.
inline bool Overlap(const TBox& a, const TBox& b) {
  return a.Left < b.Right && a.Right > b.Left && a.Bottom < b.Top && a.Top > b.Bottom;
}
