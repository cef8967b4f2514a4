// The placement area and the keep-out rectangles, from the fills and tracks of the keep-out layer.

#include <algorithm>

#include "import/PrePlace.h"
#include "import/PrePlaceSteps.h"

namespace {

// A keep-out fill that is an obstacle: its two corners differ.
bool IsObstacle(const TPcbFill& fill) {
  return fill.X != fill.X2 || fill.Y != fill.Y2;
}

// Widens the area by one object: the minima over its first corner or end, the maxima over its
// second. The first object seen starts all four.
void Extend(TPlacementArea& area, bool& first, const TPCBObject& object) {
  const int32_t x1 = object.GetX();
  const int32_t y1 = object.GetY();
  const int32_t x2 = object.GetX2();
  const int32_t y2 = object.GetY2();
  if (first) {
    area = {x1, y1, x2, y2};
    first = false;
    return;
  }
  area.X1 = std::min(area.X1, x1);
  area.Y1 = std::min(area.Y1, y1);
  area.X2 = std::max(area.X2, x2);
  area.Y2 = std::max(area.Y2, y2);
}

}  // namespace

// A closed outline drawn with tracks has every corner as the first end of one track and the second
// end of another, so the area is its bounding box, whichever way it was drawn.
TPlacementArea FindPlacementArea() {
  TPlacementArea area;
  bool first = true;
  TPcbFill fill;
  for (const uint32_t handle : KeepOutFills()) {
    fill.Handle = handle;
    fill.Sync(PcbApi_ModeRead);
    Extend(area, first, fill);
  }
  TPcbTrack track;
  for (const uint32_t handle : KeepOutTracks()) {
    track.Handle = handle;
    track.Sync(PcbApi_ModeRead);
    Extend(area, first, track);
  }
  if (first)
    Pcb::QueryObjectBoundingRectangle(ImportContext().BoardHandle, &area.X1, &area.Y1, &area.X2,
                                      &area.Y2);
  return area;
}

int32_t CountKeepOuts() {
  int32_t count = 0;
  TPcbFill fill;
  for (const uint32_t handle : KeepOutFills()) {
    fill.Handle = handle;
    fill.Sync(PcbApi_ModeRead);
    if (IsObstacle(fill))
      ++count;
  }
  return count;
}

// Fills the keep-out entries in enumeration order; never more than were counted and allocated.
void BuildKeepOutRects() {
  TAutoPlacer& engine = *ImportContext().Engine;
  size_t next = 0;
  TPcbFill fill;
  for (const uint32_t handle : KeepOutFills()) {
    if (next == engine.KeepOuts.size())
      break;
    fill.Handle = handle;
    fill.Sync(PcbApi_ModeRead);
    if (!IsObstacle(fill))
      continue;
    auto rect = std::make_unique<TKeepOutRect>();
    rect->X1 = fill.X;
    rect->Y1 = fill.Y;
    rect->X2 = fill.X2;
    rect->Y2 = fill.Y2;
    engine.KeepOuts[next++] = std::move(rect);
  }
  // Should the editor yield fewer obstacles than it counted, the engine sees only the real ones.
  engine.KeepOuts.resize(next);
  engine.KeepOutCount = static_cast<int32_t>(next);
}
