#pragma once

// Points, turns and bounding boxes in board units (10000 per mil).

#include <cstdint>
#include <limits>
#include <optional>

namespace Tarnix {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int32_t X1 = 0;
  int32_t Y1 = 0;
  int32_t X2 = 0;
  int32_t Y2 = 0;
};

// Sine and cosine of an angle in degrees; exact at quarter turns, so that turning by 90 degrees
// moves points exactly.
struct TSinCos {
  double Sin = 0.0;
  double Cos = 1.0;
};
TSinCos SinCosDegrees(double degrees);

// Turns the point about the centre and moves the centre to NewCentre: each coordinate is computed
// in double and rounded to the nearest unit (ties to even). Nothing when the result leaves the
// 32-bit range.
std::optional<TPoint> TurnAbout(TPoint point, TPoint centre, TPoint newCentre, TSinCos turn);

// A box that grows as points are added; empty until the first one.
class TExtent {
 public:
  void Add(double x, double y);
  void Add(const TExtent& other);
  // The rectangle of width W and height H centred on (CX, CY), turned by Degrees about its centre.
  void AddTurnedRect(double cx, double cy, double w, double h, double degrees);
  // Widens the box by Margin on every side.
  void Grow(double margin);
  bool Empty() const { return X1 > X2; }
  // The smallest integer rectangle that covers the box, clamped to the 32-bit range; (0, 0, 0, 0)
  // when empty.
  TRect Covering() const;

 private:
  double X1 = std::numeric_limits<double>::infinity();
  double Y1 = std::numeric_limits<double>::infinity();
  double X2 = -std::numeric_limits<double>::infinity();
  double Y2 = -std::numeric_limits<double>::infinity();
};

}  // namespace Tarnix
