#pragma once

// The graphic items of a KiCad board as polylines in their own coordinates (millimetres, +Y
// down): lines, arcs in both syntaxes, circles, rectangles, polygons and Bézier curves, with the
// top-level (gr_) and the footprint (fp_) keywords alike. Arcs and curves are sampled finely
// enough for a board outline's box.

#include <optional>
#include <string_view>
#include <vector>

#include "KicadNodes.h"

namespace Tarnix {

struct TShapePath {
  std::vector<TMm> Points;
  bool Closed = false;  // the shape closes on itself (circle, rectangle, polygon)
};

// The points of an item's (pts (xy ..) .. (arc ..) ..), arcs sampled; fails when it has none.
std::vector<TMm> PolygonPoints(const TKicadNodes& nodes, TNodeId item);

// Whether the keyword names a graphic item that ShapePath reads (gr_line, fp_arc, ...).
bool IsShapeKeyword(std::string_view keyword);

// The item's path; nothing for a keyword it does not read. Fails on a malformed item.
std::optional<TShapePath> ShapePath(const TKicadNodes& nodes, TNodeId item);

}  // namespace Tarnix
