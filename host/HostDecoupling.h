#pragma once

// How close the supply capacitors sit to the chips they serve: for each capacitor between a power
// and a ground net, the distance from its pad on the power net to the nearest pad of an IC
// (designator U... or IC..., three pads or more) on that same net, centre to centre.

#include <nlohmann/json.hpp>
#include <set>
#include <string>

struct TDecouplingFigures {
  int Capacitors = 0;  // capacitors with an IC on their power net
  int Near = 0;        // of them, within NearDistance
  double Median = 0;   // median distance, mil; 0 without capacitors
};

// A supply capacitor's pad on the power net: a part named C... with two pads, one on a power net
// and the other on a ground net. Null for any other part.
const nlohmann::json* SupplyCapacitorPowerPad(const nlohmann::json& component,
                                              const std::set<std::string>& power,
                                              const std::set<std::string>& ground);

inline constexpr double NearDistance = 150.0;  // mil

TDecouplingFigures MeasureDecoupling(const nlohmann::json& board,
                                     const std::set<std::string>& power,
                                     const std::set<std::string>& ground);
