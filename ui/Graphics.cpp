#include "ui/Graphics.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// A coordinate moved by an offset, kept inside the range of a coordinate.
LONG Shifted(LONG value, LONG offset) {
  const int64_t moved = static_cast<int64_t>(value) + offset;
  return static_cast<LONG>(std::clamp<int64_t>(moved, INT32_MIN, INT32_MAX));
}

}  // namespace

PlatformPrimitive TCanvas::Styled(PlatformPrimitiveKind kind, const RECT& bounds) const {
  PlatformPrimitive primitive;
  primitive.Kind = kind;
  primitive.Bounds = bounds;
  primitive.PenColor = Pen.Color;
  primitive.BrushColor = Brush.Color;
  primitive.BrushSolid = Brush.Style == TBrushStyle::Solid;
  primitive.FontHeight = std::abs(Font.Height);
  return primitive;
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  AddPrimitive(Styled(PlatformPrimitiveKind::Rectangle, {x1, y1, x2, y2}));
}

void TCanvas::FillRect(const RECT& rect) {
  if (Brush.Style == TBrushStyle::Clear) {
    return;  // a clear brush fills nothing
  }
  AddPrimitive(Styled(PlatformPrimitiveKind::FillRect, rect));
}

void TCanvas::MoveTo(int x, int y) {
  Position = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  AddPrimitive(Styled(PlatformPrimitiveKind::Line, {Position.x, Position.y, x, y}));
  Position = {x, y};
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  PlatformPrimitive primitive = Styled(PlatformPrimitiveKind::Text, {x, y, x, y});
  primitive.Text = std::string(text);
  AddPrimitive(primitive);
}

void TWindowCanvas::AddPrimitive(const PlatformPrimitive& primitive) {
  if (Window == nullptr) {
    return;
  }
  PlatformPrimitive placed = primitive;
  placed.Bounds.left = Shifted(placed.Bounds.left, Origin.x);
  placed.Bounds.right = Shifted(placed.Bounds.right, Origin.x);
  placed.Bounds.top = Shifted(placed.Bounds.top, Origin.y);
  placed.Bounds.bottom = Shifted(placed.Bounds.bottom, Origin.y);
  PlatformAddPrimitive(Window, placed);
}
