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
