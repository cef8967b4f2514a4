#include "Geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace Tarnix {

namespace {

bool FitsInt32(double value) {
  return value >= std::numeric_limits<int32_t>::min() &&
         value <= std::numeric_limits<int32_t>::max();
}

int32_t ClampToInt32(double value) {
  if (value <= std::numeric_limits<int32_t>::min())
    return std::numeric_limits<int32_t>::min();
  if (value >= std::numeric_limits<int32_t>::max())
    return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

}  // namespace

TSinCos SinCosDegrees(double degrees) {
  if (!std::isfinite(degrees))
    return {};
  const double reduced = std::fmod(degrees, 360.0);  // exact
  const double positive = reduced < 0.0 ? reduced + 360.0 : reduced;
  if (positive == 0.0 || positive == 360.0)
    return {0.0, 1.0};
  if (positive == 90.0)
    return {1.0, 0.0};
  if (positive == 180.0)
    return {0.0, -1.0};
  if (positive == 270.0)
    return {-1.0, 0.0};
  const double radians = reduced * (std::numbers::pi / 180.0);
  return {std::sin(radians), std::cos(radians)};
}

std::optional<TPoint> TurnAbout(TPoint point, TPoint centre, TPoint newCentre, TSinCos turn) {
  const double dx = static_cast<double>(int64_t{point.X} - centre.X);
  const double dy = static_cast<double>(int64_t{point.Y} - centre.Y);
  const double x = std::nearbyint(dx * turn.Cos - dy * turn.Sin) + newCentre.X;
  const double y = std::nearbyint(dx * turn.Sin + dy * turn.Cos) + newCentre.Y;
  if (!FitsInt32(x) || !FitsInt32(y))
    return std::nullopt;
  return TPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

void TExtent::Add(double x, double y) {
  X1 = std::min(X1, x);
  Y1 = std::min(Y1, y);
  X2 = std::max(X2, x);
  Y2 = std::max(Y2, y);
}

void TExtent::Add(const TExtent& other) {
  if (other.Empty())
    return;
  Add(other.X1, other.Y1);
  Add(other.X2, other.Y2);
}

void TExtent::AddTurnedRect(double cx, double cy, double w, double h, double degrees) {
  const TSinCos turn = SinCosDegrees(degrees);
  const std::array<std::array<double, 2>, 4> corners = {
      {{-w / 2, -h / 2}, {w / 2, -h / 2}, {w / 2, h / 2}, {-w / 2, h / 2}}};
  for (const auto& [x, y] : corners)
    Add(cx + x * turn.Cos - y * turn.Sin, cy + x * turn.Sin + y * turn.Cos);
}

void TExtent::Grow(double margin) {
  if (Empty())
    return;
  X1 -= margin;
  Y1 -= margin;
  X2 += margin;
  Y2 += margin;
}

TRect TExtent::Covering() const {
  if (Empty())
    return {};
  return {ClampToInt32(std::floor(X1)), ClampToInt32(std::floor(Y1)), ClampToInt32(std::ceil(X2)),
          ClampToInt32(std::ceil(Y2))};
}

}  // namespace Tarnix
