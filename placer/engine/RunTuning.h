#pragma once

// How a run departs from the standard schedule when asked to: more moves per pass, or a gentle
// refinement of the placement the board already has.

#include <cstdint>
#include <memory>
#include <vector>

struct TCompRecord;

struct TRunTuning {
  // Scales the per-pass caps of tried and kept moves; 1 is the standard run.
  double Effort = 1.0;
  // Start from the board's placement: no grouping, no centring, supply capacitors annealed where
  // the designer put them, and only the cool end of the schedule.
  bool Refine = false;
};

// Where one component record stood, so that a refinement that did not pay can be taken back.
struct TRecordPlacement {
  TCompRecord* Record = nullptr;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t CenterX = 0;
  int32_t CenterY = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Rotation = 0;
  int32_t GroupX = 0;
  int32_t GroupY = 0;
  int32_t GroupWidth = 0;
  int32_t GroupHeight = 0;
  std::vector<int32_t> PinX;
  std::vector<int32_t> PinY;
};
