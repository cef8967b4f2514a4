#include "FreeSpots.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <queue>
#include <tuple>

#include "ShiftOrder.h"

namespace Tarnix {

namespace {

// A search that finds no spot among this many gives up: the board has no room for the part.
constexpr int64_t MaxSpotsTried = 200000;

// The edges of the keep-outs and, as boxes of no size, the corners of the outline's loops.
TBoxEdges FixedEdgesOf(const TBoardRegion& region) {
  TBoxEdges edges;
  for (const TRect& keepOut : region.KeepOutBoxes())
    edges.Add({keepOut.X1, keepOut.Y1, keepOut.X2, keepOut.Y2});
  for (const auto& loop : region.OutlineLoops())
    for (const TPoint& point : loop)
      edges.Add({point.X, point.Y, point.X, point.Y});
  return edges;
}

}  // namespace

TFreeSpots::TFreeSpots(const TBoard& board)
    : Region(board), FixedEdges(FixedEdgesOf(Region)), Settled(SettledCellSize(board)) {}

bool TFreeSpots::Move(TFootprint& part, TShift shift) {
  const bool settled = Settled.Contains(part);
  if (settled)
    Settled.Remove(part);
  const bool moved = MoveBy(part, shift);
  if (settled)
    Settled.Add(part);
  return moved;
}

bool TFreeSpots::Free(const TFootprint& part, TShift shift, bool clearances) const {
  if (Settled.AnyOverlap(part, Shifted(part.Box(clearances), shift), clearances))
    return false;
  const auto bare = AsRect(Shifted(part.Bare, shift));
  return bare && Region.Allows(*bare);
}

std::optional<TShift> TFreeSpots::Nearest(const TFootprint& part, TShift wanted,
                                          bool clearances) const {
  // The nearest free spot of a box among boxes has its edges against edges of what is in its
  // way: the shifts along each axis that bring an edge of the part against an edge of a settled
  // footprint on its side (the part's own box left out), of a keep-out or a corner of the outline.
  const TBox64& own = part.Box(clearances);
  TShiftOrder xs(wanted.X), ys(wanted.Y);
  if (const TBoxEdges* edges = Settled.Edges(part.Component->Layer, clearances)) {
    const bool settled = Settled.Contains(part);
    const auto ownEdge = [settled](int64_t edge) {
      return settled ? std::optional<int64_t>(edge) : std::nullopt;
    };
    xs.AddEdges(edges->X2, own.X1, ownEdge(own.X2));
    xs.AddEdges(edges->X1, own.X2, ownEdge(own.X1));
    ys.AddEdges(edges->Y2, own.Y1, ownEdge(own.Y2));
    ys.AddEdges(edges->Y1, own.Y2, ownEdge(own.Y1));
  }
  xs.AddEdges(FixedEdges.X2, part.Bare.X1);
  xs.AddEdges(FixedEdges.X1, part.Bare.X2);
  ys.AddEdges(FixedEdges.Y2, part.Bare.Y1);
  ys.AddEdges(FixedEdges.Y1, part.Bare.Y2);

  // Tries the shifts (xs[i], ys[j]) in order of distance from the one wanted: each pair is
  // reached once, from (i, j - 1) or, on the first column, from (i - 1, 0).
  using TSpot = std::tuple<double, size_t, size_t>;
  const auto spot = [&](size_t i, size_t j) {
    const double dx = static_cast<double>(xs[i] - wanted.X);
    const double dy = static_cast<double>(ys[j] - wanted.Y);
    return TSpot{dx * dx + dy * dy, i, j};
  };
  std::priority_queue<TSpot, std::vector<TSpot>, std::greater<>> queue;
  queue.push(spot(0, 0));
  for (int64_t tried = 0; !queue.empty() && tried < MaxSpotsTried; ++tried) {
    const auto [distance, i, j] = queue.top();
    queue.pop();
    if (Free(part, {xs[i], ys[j]}, clearances))
      return TShift{xs[i], ys[j]};
    if (ys.Has(j + 1))
      queue.push(spot(i, j + 1));
    if (j == 0 && xs.Has(i + 1))
      queue.push(spot(i + 1, 0));
  }
  return std::nullopt;
}

}  // namespace Tarnix
