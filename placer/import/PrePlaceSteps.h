#pragma once

// The steps of the board import that the driver (PrePlace.cpp) calls in its fixed order. Each works
// on the engine and board of the current import (ImportContext()).

#include <algorithm>
#include <cstdint>
#include <limits>

#include "import/PrePlace.h"

// The placement area.
struct TPlacementArea {
  int32_t X1 = 0;
  int32_t Y1 = 0;
  int32_t X2 = 0;
  int32_t Y2 = 0;
};

// A 64-bit length as a 32-bit one, saturated at the ends of the range.
inline int32_t Saturated(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Placement area and keep-outs.
TPlacementArea FindPlacementArea();
int32_t CountKeepOuts();
void BuildKeepOutRects();

// Nets: every net numbered in its Tag, then only the signal nets with pads; the number of those.
void NumberNets();
int32_t ClassifyNets();

// Components: numbering, records, classification.
void ResetGroupIndices();
void NumberComponents();
int32_t CountComponents();
void BuildComponentRecords();
void BuildNetRecords();
void ClassifyComponents();
void CopyComponentFlags();

// The engine's arrays and grids for K keep-outs, M signal nets and N components.
void AllocateEngineArrays(int32_t keepOuts, int32_t nets, int32_t components);
// The engine's start parameters, from the placer options.
void SetEngineParameters();
