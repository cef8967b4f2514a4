#pragma once

// Boxes read from a board file, in mil, for checking where a run put the components.

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace boxes {

struct TBox {
  double Left = 0, Bottom = 0, Right = 0, Top = 0;

  void Add(double x, double y) {
    Left = std::min(Left, x);
    Right = std::max(Right, x);
    Bottom = std::min(Bottom, y);
    Top = std::max(Top, y);
  }
  void Add(const TBox& other) {
    Add(other.Left, other.Bottom);
    Add(other.Right, other.Top);
  }
  static TBox Empty() { return {1e300, 1e300, -1e300, -1e300}; }
};

inline std::ostream& operator<<(std::ostream& out, const TBox& box) {
  return out << "[" << box.Left << ", " << box.Bottom << " .. " << box.Right << ", " << box.Top
             << "]";
}

// Shared area only: boxes that touch along an edge do not overlap.
inline bool Overlap(const TBox& a, const TBox& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Bottom < b.Top && b.Bottom < a.Top;
}

inline bool Inside(const TBox& inner, const TBox& outer) {
  return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Bottom >= outer.Bottom &&
         inner.Top <= outer.Top;
}

// The shortest distance between two boxes; 0 when they touch or overlap.
inline double Gap(const TBox& a, const TBox& b) {
  const double dx = std::max({0.0, a.Left - b.Right, b.Left - a.Right});
  const double dy = std::max({0.0, a.Bottom - b.Top, b.Bottom - a.Top});
  return std::hypot(dx, dy);
}

// A pad's rectangle turned by its rotation about its centre.
inline TBox PadBox(const nlohmann::json& pad) {
  const double radians = pad.value("rotation", 0.0) * std::numbers::pi / 180.0;
  const double w = pad["size"][0].get<double>(), h = pad["size"][1].get<double>();
  // Rounded so that quarter turns swap the sides exactly.
  const double c = std::round(std::fabs(std::cos(radians)) * 1e9) / 1e9;
  const double s = std::round(std::fabs(std::sin(radians)) * 1e9) / 1e9;
  const double halfWidth = (w * c + h * s) / 2, halfHeight = (w * s + h * c) / 2;
  const double x = pad["x"].get<double>(), y = pad["y"].get<double>();
  return {x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
}

// The box around a component's pads and body points.
inline TBox ComponentBox(const nlohmann::json& component) {
  TBox box = TBox::Empty();
  for (const auto& pad : component.value("pads", nlohmann::json::array())) {
    box.Add(PadBox(pad));
  }
  for (const auto& point : component.value("body", nlohmann::json::array())) {
    box.Add(point[0].get<double>(), point[1].get<double>());
  }
  return box;
}

inline bool IsKeepOut(const nlohmann::json& primitive, const std::string& kind) {
  return primitive["kind"] == kind && primitive["layer"] == "KeepOutLayer";
}

inline TBox CornerBox(const nlohmann::json& primitive) {
  TBox box = TBox::Empty();
  box.Add(primitive["x1"].get<double>(), primitive["y1"].get<double>());
  box.Add(primitive["x2"].get<double>(), primitive["y2"].get<double>());
  return box;
}

// The box around the keep-out tracks and fills.
inline TBox PlacementArea(const nlohmann::json& board) {
  TBox area = TBox::Empty();
  for (const auto& primitive : board.value("primitives", nlohmann::json::array())) {
    if (IsKeepOut(primitive, "track") || IsKeepOut(primitive, "fill")) {
      area.Add(CornerBox(primitive));
    }
  }
  return area;
}

// The keep-out fills (the example boards draw them unturned).
inline std::vector<TBox> KeepOutFills(const nlohmann::json& board) {
  std::vector<TBox> fills;
  for (const auto& primitive : board.value("primitives", nlohmann::json::array())) {
    if (IsKeepOut(primitive, "fill")) {
      fills.push_back(CornerBox(primitive));
    }
  }
  return fills;
}

// Net names from a blank-separated list.
inline std::set<std::string> NetNames(const std::string& list) {
  std::istringstream words(list);
  std::set<std::string> names;
  for (std::string name; words >> name;) {
    names.insert(name);
  }
  return names;
}

// How the placer tells supply capacitors and the parts they feed, from the board's settings.
struct TSupplyNets {
  std::set<std::string> Power, Ground;
  double Clearance = 0;  // the small components' clearance, in mil

  explicit TSupplyNets(const nlohmann::json& board)
      : Power(NetNames(board["board"]["placer"].value("powerNets", ""))),
        Ground(NetNames(board["board"]["placer"].value("groundNets", ""))),
        Clearance(board["board"]["placer"].value("smallComponentClearance", 0.0)) {}

  bool HasPad(const nlohmann::json& component, const std::set<std::string>& nets) const {
    for (const auto& pad : component.value("pads", nlohmann::json::array())) {
      if (nets.count(pad.value("net", "")) != 0) {
        return true;
      }
    }
    return false;
  }
  bool OnPowerAndGround(const nlohmann::json& component) const {
    return HasPad(component, Power) && HasPad(component, Ground);
  }
  // A small two-pad part between a power and a ground net (within 500 x 200 mil plus the
  // clearance), which the placer sets aside as a capacitor.
  bool IsBypassCapacitor(const nlohmann::json& component) const {
    const TBox box = ComponentBox(component);
    const double width = box.Right - box.Left, height = box.Top - box.Bottom;
    return component.value("pads", nlohmann::json::array()).size() == 2 &&
           OnPowerAndGround(component) && std::max(width, height) <= 500 + Clearance &&
           std::min(width, height) <= 200 + Clearance;
  }
  // Any other part on both a power and a ground net, which wants a capacitor beside it.
  bool IsPowered(const nlohmann::json& component) const {
    return OnPowerAndGround(component) && !IsBypassCapacitor(component);
  }
};

}  // namespace boxes
