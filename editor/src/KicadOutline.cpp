#include "KicadOutline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace Tarnix {

namespace {

// The open pieces' ends in cells as large as the tolerance, so that finding the pieces that meet
// a point looks at nine cells instead of every piece.
class TEndIndex {
 public:
  TEndIndex(const std::vector<const TShapePath*>& pieces, double tolerance)
      : Pieces(pieces), Tolerance(tolerance) {
    for (size_t i = 0; i < pieces.size(); ++i) {
      Cells[KeyOf(pieces[i]->Points.front())].push_back(i);
      Cells[KeyOf(pieces[i]->Points.back())].push_back(i);
    }
  }

  // An unused piece with an end near the point, and whether that end is its last point.
  bool Take(TMm point, std::vector<bool>& used, size_t& piece, bool& atBack) const {
    const auto [cx, cy] = CellOf(point);
    for (int64_t dx = -1; dx <= 1; ++dx)
      for (int64_t dy = -1; dy <= 1; ++dy) {
        const auto found = Cells.find(Key(cx + dx, cy + dy));
        if (found == Cells.end())
          continue;
        for (const size_t candidate : found->second) {
          if (used[candidate])
            continue;
          const auto& points = Pieces[candidate]->Points;
          if (Near(points.front(), point) || Near(points.back(), point)) {
            piece = candidate;
            atBack = !Near(points.front(), point);
            used[candidate] = true;
            return true;
          }
        }
      }
    return false;
  }

  bool Near(TMm a, TMm b) const { return std::hypot(a.X - b.X, a.Y - b.Y) <= Tolerance; }

 private:
  std::pair<int64_t, int64_t> CellOf(TMm point) const {
    return {static_cast<int64_t>(std::floor(point.X / Tolerance)),
            static_cast<int64_t>(std::floor(point.Y / Tolerance))};
  }
  static uint64_t Key(int64_t x, int64_t y) {
    return static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(y);
  }
  uint64_t KeyOf(TMm point) const {
    const auto [x, y] = CellOf(point);
    return Key(x, y);
  }

  const std::vector<const TShapePath*>& Pieces;
  double Tolerance;
  std::unordered_map<uint64_t, std::vector<size_t>> Cells;
};

// Extends the chain at its back with pieces that meet it, as long as there are any.
void Extend(std::vector<TMm>& chain, const TEndIndex& index,
            const std::vector<const TShapePath*>& pieces, std::vector<bool>& used) {
  size_t piece = 0;
  bool atBack = false;
  while (!index.Near(chain.back(), chain.front()) || chain.size() < 3) {
    if (!index.Take(chain.back(), used, piece, atBack))
      return;
    const auto& points = pieces[piece]->Points;
    if (atBack)
      chain.insert(chain.end(), points.rbegin() + 1, points.rend());
    else
      chain.insert(chain.end(), points.begin() + 1, points.end());
  }
}

}  // namespace

TOutlineLoops ChainOutline(const std::vector<TShapePath>& pieces, double tolerance) {
  TOutlineLoops result;
  std::vector<const TShapePath*> open;
  for (const TShapePath& piece : pieces) {
    if (piece.Points.size() < 2)
      continue;
    if (piece.Closed)
      result.Loops.push_back(piece.Points);
    else
      open.push_back(&piece);
  }
  const TEndIndex index(open, tolerance);
  std::vector<bool> used(open.size(), false);
  for (size_t i = 0; i < open.size(); ++i) {
    if (used[i])
      continue;
    used[i] = true;
    std::vector<TMm> chain = open[i]->Points;
    Extend(chain, index, open, used);
    if (index.Near(chain.back(), chain.front()) && chain.size() >= 3) {
      chain.pop_back();
      result.Loops.push_back(std::move(chain));
      continue;
    }
    std::reverse(chain.begin(), chain.end());
    Extend(chain, index, open, used);
    if (index.Near(chain.back(), chain.front()) && chain.size() >= 3) {
      chain.pop_back();
      result.Loops.push_back(std::move(chain));
    } else {
      result.Open.push_back(std::move(chain));
    }
  }
  return result;
}

int OuterLoop(const std::vector<std::vector<TMm>>& loops) {
  int outer = -1;
  double largest = -1.0;
  for (size_t i = 0; i < loops.size(); ++i) {
    double x1 = INFINITY, y1 = INFINITY, x2 = -INFINITY, y2 = -INFINITY;
    for (const TMm& point : loops[i]) {
      x1 = std::min(x1, point.X);
      y1 = std::min(y1, point.Y);
      x2 = std::max(x2, point.X);
      y2 = std::max(y2, point.Y);
    }
    const double area = (x2 - x1) * (y2 - y1);
    if (area > largest) {
      largest = area;
      outer = static_cast<int>(i);
    }
  }
  return outer;
}

}  // namespace Tarnix
