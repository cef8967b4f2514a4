#include "BoardRegion.h"

#include <algorithm>
#include <cstdint>

namespace Tarnix {

namespace {

struct TBoxD {
  double X1, Y1, X2, Y2;
};

// Boxes are shrunk by one unit before they are judged: turning a footprint rounds its points to
// whole units, and a box that lies on the outline must not count as crossing it.
TBoxD Judged(const TRect& box) {
  return {box.X1 + 1.0, box.Y1 + 1.0, box.X2 - 1.0, box.Y2 - 1.0};
}

bool StrictlyInside(double x, double y, const TBoxD& box) {
  return x > box.X1 && x < box.X2 && y > box.Y1 && y < box.Y2;
}

// Crossing count of a ray to the right.
bool InsideLoop(double x, double y, const std::vector<TPoint>& loop) {
  bool inside = false;
  for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
    const double xi = loop[i].X, yi = loop[i].Y, xj = loop[j].X, yj = loop[j].Y;
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
      inside = !inside;
  }
  return inside;
}

// Whether some stretch of the segment runs through the inside of the box (clipped to the box, the
// piece left over has its middle strictly inside).
bool SegmentCrossesBox(TPoint a, TPoint b, const TBoxD& box) {
  const double dx = static_cast<double>(b.X) - a.X, dy = static_cast<double>(b.Y) - a.Y;
  double t0 = 0.0, t1 = 1.0;
  const auto clip = [&](double p, double q) {
    if (p == 0.0)
      return q >= 0.0;
    const double t = q / p;
    if (p < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    return t0 <= t1;
  };
  if (!clip(-dx, a.X - box.X1) || !clip(dx, box.X2 - a.X) || !clip(-dy, a.Y - box.Y1) ||
      !clip(dy, box.Y2 - a.Y))
    return false;
  const double middle = (t0 + t1) / 2;
  return t1 > t0 && StrictlyInside(a.X + dx * middle, a.Y + dy * middle, box);
}

bool EdgeCrossesBox(const std::vector<TPoint>& loop, const TBoxD& box) {
  for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++)
    if (SegmentCrossesBox(loop[j], loop[i], box))
      return true;
  return false;
}

bool CornersInside(const TBoxD& box, const std::vector<TPoint>& loop) {
  return InsideLoop(box.X1, box.Y1, loop) && InsideLoop(box.X2, box.Y1, loop) &&
         InsideLoop(box.X2, box.Y2, loop) && InsideLoop(box.X1, box.Y2, loop);
}

bool LoopHoldsBox(const std::vector<TPoint>& loop, const TBoxD& box) {
  return CornersInside(box, loop) && !EdgeCrossesBox(loop, box);
}

bool LoopSharesArea(const std::vector<TPoint>& loop, const TBoxD& box) {
  if (InsideLoop((box.X1 + box.X2) / 2, (box.Y1 + box.Y2) / 2, loop) || EdgeCrossesBox(loop, box))
    return true;
  return std::any_of(loop.begin(), loop.end(),
                     [&](TPoint point) { return StrictlyInside(point.X, point.Y, box); });
}

std::vector<TPoint> BoxLoop(const TRect& box) {
  return {{box.X1, box.Y1}, {box.X2, box.Y1}, {box.X2, box.Y2}, {box.X1, box.Y2}};
}

bool IsKeepOut(const TObject& object, TKind kind) {
  return object.Kind == kind && object.Layer == KeepOutLayer;
}

}  // namespace

TRect FootprintBox(const TComponent& component) {
  TExtent extent;
  component.AddBounds(extent);
  return extent.Covering();
}

bool BoxesOverlap(const TRect& a, const TRect& b) {
  return a.X1 < b.X2 && b.X1 < a.X2 && a.Y1 < b.Y2 && b.Y1 < a.Y2;
}

TBoardRegion::TBoardRegion(const TBoard& board) {
  TExtent keepOutBox;
  for (const auto& primitive : board.Primitives) {
    if (IsKeepOut(*primitive, TKind::Fill)) {
      const auto& fill = static_cast<const TFill&>(*primitive);
      TExtent own;
      fill.AddBounds(own);
      KeepOuts.push_back(own.Covering());
      keepOutBox.Add(own);
    }
    if (IsKeepOut(*primitive, TKind::Track)) {
      // The area runs along the tracks' middle lines, as the placer reads it.
      const auto& track = static_cast<const TTrack&>(*primitive);
      keepOutBox.Add(track.P1.X, track.P1.Y);
      keepOutBox.Add(track.P2.X, track.P2.Y);
    }
  }
  Loops = board.Outline;
  std::erase_if(Loops, [](const auto& loop) { return loop.size() < 3; });
  if (Loops.empty() && !keepOutBox.Empty())
    Loops.push_back(BoxLoop(keepOutBox.Covering()));
  TExtent outer;
  if (!Loops.empty())
    for (const TPoint& point : Loops.front())
      outer.Add(point.X, point.Y);
  Box = outer.Covering();
}

bool TBoardRegion::Contains(const TRect& box) const {
  if (!Known())
    return true;
  const TBoxD judged = Judged(box);
  if (!LoopHoldsBox(Loops.front(), judged))
    return false;
  for (size_t i = 1; i < Loops.size(); ++i)
    if (LoopSharesArea(Loops[i], judged))
      return false;
  return true;
}

bool TBoardRegion::Touches(const TRect& box) const {
  return Known() && LoopSharesArea(Loops.front(), Judged(box));
}

bool TBoardRegion::OnKeepOut(const TRect& box) const {
  return std::any_of(KeepOuts.begin(), KeepOuts.end(),
                     [&](const TRect& keepOut) { return BoxesOverlap(box, keepOut); });
}

}  // namespace Tarnix
