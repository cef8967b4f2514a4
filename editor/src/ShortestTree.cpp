#include "ShortestTree.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <queue>
#include <tuple>

namespace Tarnix {

namespace {

double Distance(TPoint a, TPoint b) {
  return std::hypot(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y);
}

// A set of the points found by where they lie: a grid of square cells over their box, about one
// point a cell, and the members listed for when a search would cover more cells than they are.
class TPointSet {
 public:
  TPointSet(const std::vector<TPoint>& points, int64_t cell, TPoint low, int64_t columns,
            int64_t rows)
      : Points(points),
        Cell(cell),
        Low(low),
        Columns(columns),
        Rows(rows),
        Cells(static_cast<size_t>(columns * rows)),
        Where(points.size(), None) {}

  void Insert(size_t i) {
    Where[i] = Members.size();
    Members.push_back(i);
    Cells[CellIndex(Points[i])].push_back(i);
  }

  void Erase(size_t i) {
    const size_t at = Where[i];
    Members[at] = Members.back();
    Where[Members[at]] = at;
    Members.pop_back();
    Where[i] = None;
    auto& cell = Cells[CellIndex(Points[i])];
    *std::find(cell.begin(), cell.end(), i) = cell.back();
    cell.pop_back();
  }

  bool Empty() const { return Members.empty(); }

  // Calls visit(i) for the members at least as near to `from` as `radius` (and maybe others),
  // nearer rings of cells first; visit returns the radius still worth searching.
  template <class Visit>
  void Search(TPoint from, double radius, Visit&& visit) const {
    const int64_t column = (int64_t{from.X} - Low.X) / Cell, row = (int64_t{from.Y} - Low.Y) / Cell;
    const int64_t reach = std::max(Columns, Rows);
    for (int64_t ring = 0; ring <= reach; ++ring) {
      // Points beyond this ring lie at least `ring` cells away.
      if (static_cast<double>(ring - 1) * static_cast<double>(Cell) > radius + 1.0)
        return;
      const int64_t side = 2 * ring + 1;
      if (side * side > static_cast<int64_t>(Members.size()) * 2 + 16) {
        for (const size_t i : Members)
          radius = visit(i);
        return;
      }
      ForRing(column, row, ring, [&](int64_t c, int64_t r) {
        for (const size_t i : Cells[static_cast<size_t>(r * Columns + c)])
          radius = visit(i);
      });
    }
  }

 private:
  static constexpr size_t None = std::numeric_limits<size_t>::max();

  size_t CellIndex(TPoint p) const {
    return static_cast<size_t>((int64_t{p.Y} - Low.Y) / Cell * Columns +
                               (int64_t{p.X} - Low.X) / Cell);
  }

  template <class Visit>
  void ForRing(int64_t column, int64_t row, int64_t ring, Visit&& visit) const {
    const auto inside = [&](int64_t c, int64_t r) {
      if (c >= 0 && c < Columns && r >= 0 && r < Rows)
        visit(c, r);
    };
    if (ring == 0) {
      inside(column, row);
      return;
    }
    for (int64_t k = -ring; k < ring; ++k) {
      inside(column + k, row - ring);
      inside(column + ring, row + k);
      inside(column - k, row + ring);
      inside(column - ring, row - k);
    }
  }

  const std::vector<TPoint>& Points;
  int64_t Cell;
  TPoint Low;
  int64_t Columns, Rows;
  std::vector<std::vector<size_t>> Cells;
  std::vector<size_t> Members;
  std::vector<size_t> Where;  // of each point in Members, None when not a member
};

struct TGridShape {
  int64_t Cell, Columns, Rows;
  TPoint Low;
};

// Cells of about one point each, and never many more cells than points.
TGridShape GridFor(const std::vector<TPoint>& points) {
  TPoint low = points.front(), high = points.front();
  for (const TPoint& p : points) {
    low = {std::min(low.X, p.X), std::min(low.Y, p.Y)};
    high = {std::max(high.X, p.X), std::max(high.Y, p.Y)};
  }
  const double width = static_cast<double>(int64_t{high.X} - low.X) + 1;
  const double height = static_cast<double>(int64_t{high.Y} - low.Y) + 1;
  const double count = static_cast<double>(points.size());
  auto cell = static_cast<int64_t>(std::max(1.0, std::ceil(std::sqrt(width * height / count))));
  const auto cells = [&](int64_t size) {
    return std::make_pair((int64_t{high.X} - low.X) / size + 1,
                          (int64_t{high.Y} - low.Y) / size + 1);
  };
  while (static_cast<double>(cells(cell).first) * static_cast<double>(cells(cell).second) >
         4 * count + 16)
    cell *= 2;
  return {cell, cells(cell).first, cells(cell).second, low};
}

}  // namespace

std::vector<std::pair<size_t, size_t>> ShortestTree(const std::vector<TPoint>& points) {
  std::vector<std::pair<size_t, size_t>> edges;
  if (points.size() < 2)
    return edges;
  const TGridShape shape = GridFor(points);
  TPointSet outside(points, shape.Cell, shape.Low, shape.Columns, shape.Rows);
  TPointSet joined(points, shape.Cell, shape.Low, shape.Columns, shape.Rows);
  for (size_t i = 0; i < points.size(); ++i)
    outside.Insert(i);
  constexpr size_t Outside = std::numeric_limits<size_t>::max();
  std::vector<size_t> joinedAs(points.size(), Outside);  // the step each point joined in

  // Each point of the tree offers the point outside nearest to it (the lowest index of those as
  // near); the queue holds the offers, nearest first and then by that index. An offer of a point
  // that has joined since is made afresh.
  using TOffer = std::tuple<double, size_t, size_t>;  // distance, point outside, point of the tree
  std::priority_queue<TOffer, std::vector<TOffer>, std::greater<>> offers;
  const auto offer = [&](size_t from) {
    double best = std::numeric_limits<double>::infinity();
    size_t nearest = points.size();
    outside.Search(points[from], best, [&](size_t i) {
      const double distance = Distance(points[from], points[i]);
      if (distance < best || (distance == best && i < nearest)) {
        best = distance;
        nearest = i;
      }
      return best;
    });
    if (nearest < points.size())
      offers.emplace(best, nearest, from);
  };
  const auto join = [&](size_t i, size_t step) {
    outside.Erase(i);
    joined.Insert(i);
    joinedAs[i] = step;
  };

  join(0, 0);
  offer(0);
  for (size_t step = 1; step < points.size(); ++step) {
    while (joinedAs[std::get<1>(offers.top())] != Outside) {
      const size_t stale = std::get<2>(offers.top());
      offers.pop();
      offer(stale);
    }
    // Named copies: a lambda may not capture structured bindings on every compiler we build with.
    const auto [offeredDistance, offeredPoint, offeredBy] = offers.top();
    offers.pop();
    const auto distance = offeredDistance;
    const size_t next = offeredPoint;
    // Of the points of the tree as near to it, the one that joined first.
    size_t from = offeredBy;
    joined.Search(points[next], distance, [&](size_t i) {
      if (Distance(points[i], points[next]) == distance && joinedAs[i] < joinedAs[from])
        from = i;
      return distance;
    });
    edges.emplace_back(from, next);
    join(next, step);
    offer(next);
    offer(offeredBy);
  }
  return edges;
}

}  // namespace Tarnix
