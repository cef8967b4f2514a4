#include "HostDecoupling.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using nlohmann::json;

// A designator of the prefix and a number (U1, IC12).
bool Numbered(const std::string& designator, const std::string& prefix) {
  return designator.size() > prefix.size() && designator.compare(0, prefix.size(), prefix) == 0 &&
         std::isdigit(static_cast<unsigned char>(designator[prefix.size()])) != 0;
}

bool IsChip(const json& component) {
  const std::string designator = component.value("designator", "");
  return (Numbered(designator, "U") || Numbered(designator, "IC")) &&
         component.value("pads", json::array()).size() >= 3;
}

}  // namespace

const json* SupplyCapacitorPowerPad(const json& component, const std::set<std::string>& power,
                                    const std::set<std::string>& ground) {
  const std::string designator = component.value("designator", "");
  if (designator.empty() || designator[0] != 'C' || !component.contains("pads"))
    return nullptr;
  const json& pads = component["pads"];
  if (!pads.is_array() || pads.size() != 2)
    return nullptr;
  for (size_t i = 0; i < 2; ++i)
    if (power.count(pads[i].value("net", "")) != 0 &&
        ground.count(pads[1 - i].value("net", "")) != 0)
      return &pads[i];
  return nullptr;
}

namespace {

double NearestChipPad(const json& board, const json& pad) {
  const std::string net = pad.value("net", "");
  const double x = pad.value("x", 0.0), y = pad.value("y", 0.0);
  double nearest = std::numeric_limits<double>::infinity();
  for (const json& component : board.value("components", json::array())) {
    if (!IsChip(component))
      continue;
    for (const json& other : component.value("pads", json::array()))
      if (other.value("net", "") == net)
        nearest =
            std::min(nearest, std::hypot(other.value("x", 0.0) - x, other.value("y", 0.0) - y));
  }
  return nearest;
}

double Median(std::vector<double> values) {
  if (values.empty())
    return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

TDecouplingFigures MeasureDecoupling(const json& board, const std::set<std::string>& power,
                                     const std::set<std::string>& ground) {
  std::vector<double> distances;
  for (const json& component : board.value("components", json::array())) {
    const json* pad = SupplyCapacitorPowerPad(component, power, ground);
    if (pad == nullptr)
      continue;
    const double distance = NearestChipPad(board, *pad);
    if (std::isfinite(distance))
      distances.push_back(distance);
  }
  TDecouplingFigures figures;
  figures.Capacitors = static_cast<int>(distances.size());
  figures.Near = static_cast<int>(std::count_if(distances.begin(), distances.end(),
                                                [](double d) { return d <= NearDistance; }));
  figures.Median = Median(distances);
  return figures;
}
