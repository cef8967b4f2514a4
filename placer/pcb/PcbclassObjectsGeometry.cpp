// Geometry of the primitive mirrors: the corners of an object's turned rectangle, the same per
// layer, and the ends of a pad's centre line.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>

#include "pcb/PcbclassObjects.h"

namespace {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

// Corners A, B (bottom) and C, D (top) of a rectangle before turning.
struct TCorners {
  TPoint A, B, C, D;
};

// Nearest integer, ties to even; values beyond the 32-bit range are held at its ends.
int32_t RoundToInt32(double value) {
  if (std::isnan(value))
    return 0;
  const double rounded = std::nearbyint(value);
  if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(rounded);
}

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

// The angle of the corner vector against the vertical: arctan(w / h). For h = 0 the rectangle is a
// horizontal segment and the angle is the limit of arctan(w / h) as h shrinks to 0, a quarter turn
// (signed like w; 0 for a rectangle shrunk to a point, whose corners all are its centre since the
// half diagonal is 0). This keeps the corners where the turned segment ends instead of dividing
// by zero.
double CornerAngle(int64_t w, int64_t h) {
  if (h != 0)
    return std::atan(static_cast<double>(w) / static_cast<double>(h));
  if (w == 0)
    return 0.0;
  return w > 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
}

// The corners of a w by h rectangle centred on (cx, cy), turned counter-clockwise by rotation
// degrees about its centre. With r the half diagonal and t the corner angle, the bottom left
// corner lies at (-r sin(t - rho), -r cos(t - rho)) from the centre, and the others likewise.
TCorners TurnedRectangle(double cx, double cy, int64_t w, int64_t h, double rotation) {
  const double halfW = static_cast<double>(w) / 2;
  const double halfH = static_cast<double>(h) / 2;
  const double r = std::sqrt(halfW * halfW + halfH * halfH);
  const double t = CornerAngle(w, h);
  const double rho = Radians(rotation);
  const double along = t - rho;                          // angle used by A and D
  const double across = std::numbers::pi / 2 - rho - t;  // angle used by B and C
  TCorners corners;
  corners.A = {RoundToInt32(cx - r * std::sin(along)), RoundToInt32(cy - r * std::cos(along))};
  corners.B = {RoundToInt32(cx + r * std::cos(across)), RoundToInt32(cy - r * std::sin(across))};
  corners.C = {RoundToInt32(cx - r * std::cos(across)), RoundToInt32(cy + r * std::sin(across))};
  corners.D = {RoundToInt32(cx + r * std::sin(along)), RoundToInt32(cy + r * std::cos(along))};
  return corners;
}

// The corners of an object's rectangle from (X, Y) to (X2, Y2) grown by the margin on each side.
// The centre is the sum of the truncated halves of the ends.
TCorners ObjectCorners(const TPCBObject& object, int32_t margin) {
  const int64_t x1 = object.GetX();
  const int64_t y1 = object.GetY();
  const int64_t x2 = object.GetX2();
  const int64_t y2 = object.GetY2();
  const int64_t w = std::llabs(x2 - x1) + 2 * int64_t{margin};
  const int64_t h = std::llabs(y2 - y1) + 2 * int64_t{margin};
  const int64_t cx = x1 / 2 + x2 / 2;
  const int64_t cy = y1 / 2 + y2 / 2;
  return TurnedRectangle(static_cast<double>(cx), static_cast<double>(cy), w, h,
                         object.GetRotation());
}

bool IsPadLayer(TLayerNumber layer) {
  return layer < PadLayerCount;
}

// The pad's shape on a layer: centred on the pad, grown by the margin, turned with the pad.
TCorners PadCornersOnLayer(const TPcbPad& pad, TLayerNumber layer, int32_t margin) {
  if (!IsPadLayer(layer))
    return {};
  const int64_t w = int64_t{pad.LayerSizeX[layer]} + 2 * int64_t{margin};
  const int64_t h = int64_t{pad.LayerSizeY[layer]} + 2 * int64_t{margin};
  return TurnedRectangle(pad.X, pad.Y, w, h, pad.Rotation);
}

// The centre line of an oblong pad runs between the centres of its rounded ends: along the pad's
// longer side, half the difference of its sizes to either side of the pad's centre.
struct TLine {
  TPoint First, Second;
};

TLine PadCentreLine(const TPcbPad& pad, TLayerNumber layer) {
  if (!IsPadLayer(layer))
    return {};
  const int64_t a = pad.LayerSizeX[layer] / 2;
  const int64_t b = pad.LayerSizeY[layer] / 2;
  const double x = pad.X;
  const double y = pad.Y;
  if (a == b)
    return {{pad.X, pad.Y}, {pad.X, pad.Y}};
  if (b < a) {
    const double e = static_cast<double>(a - b);
    const double rho = Radians(pad.Rotation);
    return {{RoundToInt32(x - e * std::cos(rho)), RoundToInt32(y - e * std::sin(rho))},
            {RoundToInt32(x + e * std::cos(rho)), RoundToInt32(y + e * std::sin(rho))}};
  }
  const double e = static_cast<double>(b - a);
  const double sigma = Radians(90.0 - pad.Rotation);
  return {{RoundToInt32(x - e * std::cos(sigma)), RoundToInt32(y + e * std::sin(sigma))},
          {RoundToInt32(x + e * std::cos(sigma)), RoundToInt32(y - e * std::sin(sigma))}};
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Corners of any object.

int32_t TPCBObject::CornerAX(int32_t margin) const {
  return ObjectCorners(*this, margin).A.X;
}
int32_t TPCBObject::CornerAY(int32_t margin) const {
  return ObjectCorners(*this, margin).A.Y;
}
int32_t TPCBObject::CornerBX(int32_t margin) const {
  return ObjectCorners(*this, margin).B.X;
}
int32_t TPCBObject::CornerBY(int32_t margin) const {
  return ObjectCorners(*this, margin).B.Y;
}
int32_t TPCBObject::CornerCX(int32_t margin) const {
  return ObjectCorners(*this, margin).C.X;
}
int32_t TPCBObject::CornerCY(int32_t margin) const {
  return ObjectCorners(*this, margin).C.Y;
}
int32_t TPCBObject::CornerDX(int32_t margin) const {
  return ObjectCorners(*this, margin).D.X;
}
int32_t TPCBObject::CornerDY(int32_t margin) const {
  return ObjectCorners(*this, margin).D.Y;
}

// ---------------------------------------------------------------------------------------------
// Per layer: the values and corners above when the object lies on that layer.

bool TPCBObject::LiesOnLayer(TLayerNumber layer) const {
  return layer <= LastLayer && Layer == LayerIdFromNumber(layer);
}

int32_t TPCBObject::SizeOnLayer(TLayerNumber layer) const {
  return LiesOnLayer(layer) ? GetExtraC() : 0;
}
int32_t TPCBObject::SizeXOnLayer(TLayerNumber layer) const {
  return LiesOnLayer(layer) ? GetExtraD() : 0;
}
int32_t TPCBObject::SizeYOnLayer(TLayerNumber layer) const {
  return LiesOnLayer(layer) ? GetExtraE() : 0;
}
int32_t TPCBObject::ShapeOnLayer(TLayerNumber layer) const {
  return LiesOnLayer(layer) ? GetExtraB() : 0;
}
int32_t TPCBObject::MinSizeOnLayer(TLayerNumber layer) const {
  return LiesOnLayer(layer) ? GetExtraA() : 0;
}
int32_t TPCBObject::CornerAXOnLayer(TLayerNumber layer, int32_t margin) const {
  return LiesOnLayer(layer) ? CornerAX(margin) : 0;
}
int32_t TPCBObject::CornerAYOnLayer(TLayerNumber layer, int32_t margin) const {
  return LiesOnLayer(layer) ? CornerAY(margin) : 0;
}
int32_t TPCBObject::CornerBXOnLayer(TLayerNumber layer, int32_t margin) const {
  return LiesOnLayer(layer) ? CornerBX(margin) : 0;
}
int32_t TPCBObject::CornerBYOnLayer(TLayerNumber layer, int32_t margin) const {
  return LiesOnLayer(layer) ? CornerBY(margin) : 0;
}
int32_t TPCBObject::CornerCXOnLayer(TLayerNumber layer, int32_t margin) const {
  return LiesOnLayer(layer) ? CornerCX(margin) : 0;
}
int32_t TPCBObject::CornerCYOnLayer(TLayerNumber layer, int32_t margin) const {
  return LiesOnLayer(layer) ? CornerCY(margin) : 0;
}
int32_t TPCBObject::CornerDXOnLayer(TLayerNumber layer, int32_t margin) const {
  return LiesOnLayer(layer) ? CornerDX(margin) : 0;
}
int32_t TPCBObject::CornerDYOnLayer(TLayerNumber layer, int32_t margin) const {
  return LiesOnLayer(layer) ? CornerDY(margin) : 0;
}

// ---------------------------------------------------------------------------------------------
// Pads answer from their per-layer data on whichever layer they lie.

int32_t TPcbPad::SizeXOnLayer(TLayerNumber layer) const {
  return IsPadLayer(layer) ? LayerSizeX[layer] : 0;
}
int32_t TPcbPad::SizeYOnLayer(TLayerNumber layer) const {
  return IsPadLayer(layer) ? LayerSizeY[layer] : 0;
}
int32_t TPcbPad::ShapeOnLayer(TLayerNumber layer) const {
  return IsPadLayer(layer) ? LayerShape[layer] : 0;
}
int32_t TPcbPad::MinSizeOnLayer(TLayerNumber layer) const {
  return IsPadLayer(layer) ? std::min(LayerSizeX[layer], LayerSizeY[layer]) : 0;
}
int32_t TPcbPad::CornerRadiusOnLayer(TLayerNumber layer) const {
  return IsPadLayer(layer) ? LayerCornerRadius[layer] : 0;
}
int32_t TPcbPad::CornerAXOnLayer(TLayerNumber layer, int32_t margin) const {
  return PadCornersOnLayer(*this, layer, margin).A.X;
}
int32_t TPcbPad::CornerAYOnLayer(TLayerNumber layer, int32_t margin) const {
  return PadCornersOnLayer(*this, layer, margin).A.Y;
}
int32_t TPcbPad::CornerBXOnLayer(TLayerNumber layer, int32_t margin) const {
  return PadCornersOnLayer(*this, layer, margin).B.X;
}
int32_t TPcbPad::CornerBYOnLayer(TLayerNumber layer, int32_t margin) const {
  return PadCornersOnLayer(*this, layer, margin).B.Y;
}
int32_t TPcbPad::CornerCXOnLayer(TLayerNumber layer, int32_t margin) const {
  return PadCornersOnLayer(*this, layer, margin).C.X;
}
int32_t TPcbPad::CornerCYOnLayer(TLayerNumber layer, int32_t margin) const {
  return PadCornersOnLayer(*this, layer, margin).C.Y;
}
int32_t TPcbPad::CornerDXOnLayer(TLayerNumber layer, int32_t margin) const {
  return PadCornersOnLayer(*this, layer, margin).D.X;
}
int32_t TPcbPad::CornerDYOnLayer(TLayerNumber layer, int32_t margin) const {
  return PadCornersOnLayer(*this, layer, margin).D.Y;
}
int32_t TPcbPad::CentreLineX1OnLayer(TLayerNumber layer) const {
  return PadCentreLine(*this, layer).First.X;
}
int32_t TPcbPad::CentreLineY1OnLayer(TLayerNumber layer) const {
  return PadCentreLine(*this, layer).First.Y;
}
int32_t TPcbPad::CentreLineX2OnLayer(TLayerNumber layer) const {
  return PadCentreLine(*this, layer).Second.X;
}
int32_t TPcbPad::CentreLineY2OnLayer(TLayerNumber layer) const {
  return PadCentreLine(*this, layer).Second.Y;
}
