#pragma once

// Figures of a placement that placers are compared by, taken from the JSON form of a board: the
// half-perimeter length of the signal nets (the box around each net's pads, the supply nets of
// the placer options left out).

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

struct TPlacementMeasures {
  double SignalHalfPerimeter = 0;  // mils
  int SignalNets = 0;              // nets with two pads or more that are not supply nets
  std::string WidestSignalNet;     // the signal net with the most pads, and their number
  int WidestSignalNetPads = 0;
};

// The measures of a board's text, parsed (a discarded value when it could not be); zero when it
// is not a board.
TPlacementMeasures MeasurePlacement(const nlohmann::json& board);
