#pragma once

// Snapshots of what moves change, for exact before/after comparisons in the engine tests.

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/PlaceObj.h"

// Everything a move may change in the records, for exact before/after comparisons.
struct TGeometry {
  int32_t X, Y, CenterX, CenterY, Width, Height;
  int32_t GroupX, GroupY, GroupWidth, GroupHeight, Rotation;
  std::vector<std::pair<int32_t, int32_t>> Pins;
  bool operator==(const TGeometry&) const = default;
};

inline std::vector<TGeometry> Geometry(const TAutoPlacer& placer) {
  std::vector<TGeometry> result;
  for (const auto& c : placer.Components) {
    TGeometry g{c->X,      c->Y,      c->CenterX,    c->CenterY,     c->Width,    c->Height,
                c->GroupX, c->GroupY, c->GroupWidth, c->GroupHeight, c->Rotation, {}};
    for (const auto& pin : c->Pins) {
      g.Pins.emplace_back(pin->X, pin->Y);
    }
    result.push_back(std::move(g));
  }
  return result;
}

struct TCosts {
  double NetLength, Alignment, Overlap;
  int32_t Density;
  bool operator==(const TCosts&) const = default;
};

inline TCosts Costs(const TAutoPlacer& placer) {
  return TCosts{placer.NetLengthCost, placer.AlignmentCost, placer.OverlapCost, placer.DensityCost};
}

// The nets' trees and the cells of the density and occupancy grids: what the cost keeps beside
// the four totals.
struct TCostState {
  std::vector<std::vector<const TPinRecord*>> Order;
  std::vector<std::vector<int32_t>> Parent;
  std::vector<double> Length;
  std::vector<int32_t> Cells;
  bool operator==(const TCostState&) const = default;
};

inline void AppendCells(std::vector<int32_t>& cells, const TCellGrid& grid) {
  for (int32_t col = 0; col <= grid.Cols; ++col) {
    for (int32_t row = 0; row <= grid.Rows; ++row) {
      cells.push_back(grid.At(col, row));
    }
  }
}

inline TCostState CostState(const TAutoPlacer& placer) {
  TCostState state;
  for (const auto& net : placer.Nets) {
    state.Order.emplace_back(net->Pins.begin(), net->Pins.end());
    state.Parent.push_back(net->Parent);
    state.Length.push_back(net->Length);
  }
  AppendCells(state.Cells, placer.Density);
  AppendCells(state.Cells, placer.Occupancy[TopLayer]);
  AppendCells(state.Cells, placer.Occupancy[BottomLayer]);
  return state;
}
