#pragma once

// The shortest tree that joins a net's pad centres, as the editor draws a net's connections.

#include <cstddef>
#include <utility>
#include <vector>

#include "Geometry.h"

namespace Tarnix {

// The edges of the shortest tree over the points, each as (index of the point already joined,
// index of the point it joins), in the order Prim's algorithm finds them from the first point:
// each time the point nearest to the tree joins it (of points as near, the one of the lowest
// index), from the point of the tree nearest to it (of those as near, the one that joined first).
std::vector<std::pair<size_t, size_t>> ShortestTree(const std::vector<TPoint>& points);

}  // namespace Tarnix
