// The board's connections: for every net, the shortest tree that joins the centres of its pads
// (Prim's algorithm, ties going to the pad that comes first in board order).

#include <cmath>
#include <limits>

#include "Board.h"
#include "Handles.h"

namespace Tarnix {

namespace {

double Distance(TPoint a, TPoint b) {
  return std::hypot(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y);
}

// The edges of the shortest tree over the points, each as (index of the point already joined,
// index of the point it joins), in the order they are found.
std::vector<std::pair<size_t, size_t>> ShortestTree(const std::vector<TPoint>& points) {
  std::vector<std::pair<size_t, size_t>> edges;
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

}  // namespace

bool TBoard::RecomputeConnections() {
  std::vector<TFromTo> computed;
  for (const auto& net : Nets) {
    std::vector<TPoint> centres;
    for (uint32_t handle : Walk(net.get(), TKind::Pad, NoLayer))
      centres.push_back(Handles().Find<TPad>(handle, TKind::Pad)->Centre);
    for (const auto& [from, to] : ShortestTree(centres)) {
      TFromTo connection;
      connection.Board = this;
      connection.Net = net.get();
      connection.P1 = centres[from];
      connection.P2 = centres[to];
      computed.push_back(connection);
    }
  }

  // The existing connection objects are reused, so that recomputing does not use up handles.
  const bool registered = Handle != 0;
  if (registered && computed.size() > Connections.size() &&
      !Handles().CanAllocate(computed.size() - Connections.size()))
    return false;
  while (Connections.size() > computed.size()) {
    Handles().Remove(Connections.back()->Handle);
    Connections.pop_back();
  }
  for (size_t i = 0; i < computed.size(); ++i) {
    if (i == Connections.size()) {
      Connections.push_back(std::make_unique<TFromTo>(computed[i]));
      if (registered)
        Connections.back()->Handle = Handles().Add(*Connections.back());
    } else {
      const uint32_t handle = Connections[i]->Handle;
      *Connections[i] = computed[i];
      Connections[i]->Handle = handle;
    }
  }
  NetsChanged();
  return true;
}

double TBoard::ConnectionLength() const {
  double length = 0.0;
  for (const auto& connection : Connections)
    length += Distance(connection->P1, connection->P2);
  return length;
}

}  // namespace Tarnix
