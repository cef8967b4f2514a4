#pragma once

// The half extents of a pad of a board's JSON form as the host measures it: its size turned by
// its rotation, taken at its larger side both ways when turned off the axes.

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <utility>

struct THalfSize {
  double W = 0;
  double H = 0;
};

inline THalfSize PadHalfSize(const nlohmann::json& pad) {
  const auto size = pad.value("size", nlohmann::json::array({0, 0}));
  double w = size.at(0).get<double>() / 2;
  double h = size.at(1).get<double>() / 2;
  const double turn = std::fmod(std::fabs(pad.value("rotation", 0.0)), 180.0);
  if (turn == 90.0) {
    std::swap(w, h);
  } else if (turn != 0.0) {
    w = h = std::hypot(w, h);
  }
  return {w, h};
}
