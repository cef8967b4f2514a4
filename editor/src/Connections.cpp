// The board's connections: for every net, the shortest tree that joins the centres of its pads
// (Prim's order, ties going to the pad that comes first in board order).

#include <cmath>
#include <limits>

#include "Board.h"
#include "Handles.h"
#include "ShortestTree.h"

namespace Tarnix {

namespace {

double Distance(TPoint a, TPoint b) {
  return std::hypot(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y);
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
