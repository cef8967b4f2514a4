#pragma once

// Which component of the PCB document each engine record is written into. A record goes back to
// the very component it was imported from, never to another one that happens to carry the same
// designator: designators repeat or are empty on real boards (test points, fiducials, holes).

#include <cstdint>
#include <string>
#include <vector>

#include "engine/PlaceObjRecords.h"

class TAutoPlacer;

struct TWriteTarget {
  const TCompRecord* Record = nullptr;
  uint32_t Handle = 0;  // the PCB component
};

struct TWriteTargets {
  std::vector<TWriteTarget> Targets;  // one for every record, in the engine's order
  std::string Problem;                // why the records no longer fit the board; empty when they do
};

// Finds the component of every record on `board`. On the board the records were imported from,
// a record names its component by handle; on a board opened anew (`reopened`) by its number in the
// import's walk of the board. Either way the component must lie on the record's side and carry
// the record's designator; the first record for which that fails is described in Problem.
TWriteTargets FindWriteTargets(const TAutoPlacer& engine, uint32_t board, bool reopened);

// Writes the records' positions and rotations into their components. Records and components that
// may not move are left alone, and no component is written twice.
void WriteTargets(const std::vector<TWriteTarget>& targets);
