// The shortest tree of a net's pads, found through a grid, against Prim's algorithm over every
// pair of points: the same edges in the same order, ties included.

#include "ShortestTree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

using Tarnix::TPoint;
using TEdges = std::vector<std::pair<size_t, size_t>>;

double Distance(TPoint a, TPoint b) {
  return std::hypot(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y);
}

// Prim's algorithm over every pair: each step joins the nearest point (the lowest index of
// those as near), from the point of the tree that reached that distance first.
TEdges EveryPairTree(const std::vector<TPoint>& points) {
  TEdges edges;
  if (points.size() < 2)
    return edges;
  std::vector<bool> joined(points.size(), false);
  std::vector<double> nearest(points.size(), std::numeric_limits<double>::infinity());
  std::vector<size_t> nearestFrom(points.size(), 0);
  size_t latest = 0;
  joined[0] = true;
  for (size_t step = 1; step < points.size(); ++step) {
    size_t next = points.size();
    for (size_t i = 0; i < points.size(); ++i) {
      if (joined[i])
        continue;
      const double distance = Distance(points[latest], points[i]);
      if (distance < nearest[i]) {
        nearest[i] = distance;
        nearestFrom[i] = latest;
      }
      if (next == points.size() || nearest[i] < nearest[next])
        next = i;
    }
    joined[next] = true;
    edges.emplace_back(nearestFrom[next], next);
    latest = next;
  }
  return edges;
}

struct TPointCase {
  const char* Name;
  size_t Count;
  int32_t Spread;  // coordinates from 0 to Spread (then a step apart on a grid)
  int32_t Step;    // 0: anywhere; otherwise on a grid of this step, full of ties
  bool Line;       // all on one row
};

TEST(ShortestTreeTest, GivesPrimsEdgesInPrimsOrder) {
  const TPointCase cases[] = {
      {"one point", 1, 100, 0, false},
      {"two points", 2, 100, 0, false},
      {"scattered", 400, 1000000, 0, false},
      {"a pad grid full of ties", 600, 30, 100000, false},
      {"the same spots again and again", 300, 3, 1, false},
      {"one row", 300, 1000, 50, true},
      {"clusters far apart", 500, 2000000000, 0, false},
  };
  std::mt19937 random(7);
  for (const TPointCase& shape : cases) {
    for (int round = 0; round < 5; ++round) {
      std::uniform_int_distribution<int32_t> coordinate(0, shape.Spread);
      std::vector<TPoint> points;
      for (size_t i = 0; i < shape.Count; ++i) {
        TPoint point{coordinate(random), shape.Line ? 0 : coordinate(random)};
        if (shape.Step > 0)
          point = {point.X * shape.Step, point.Y * shape.Step};
        // Clusters: most points a short way from one of a few far spots.
        if (shape.Spread == 2000000000)
          point = {point.X % 4 * 500000000 + point.Y % 10000 - 1000000000,
                   point.Y % 3 * 600000000 + point.X % 9000 - 900000000};
        points.push_back(point);
      }
      EXPECT_EQ(Tarnix::ShortestTree(points), EveryPairTree(points)) << shape.Name;
    }
  }
}

}  // namespace
