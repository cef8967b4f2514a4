#include "HostDecoupling.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using nlohmann::json;

// A designator of the prefix and a number (U1, IC12).
bool Numbered(const std::string& designator, const std::string& prefix) {
  return designator.size() > prefix.size() && designator.compare(0, prefix.size(), prefix) == 0 &&
         std::isdigit(static_cast<unsigned char>(designator[prefix.size()])) != 0;
}

// The array under a key; an empty one when there is none.
const json& Members(const json& object, const char* key) {
  static const json none = json::array();
  const auto found = object.find(key);
  return found != object.end() && found->is_array() ? *found : none;
}

bool IsChip(const json& component) {
  const std::string designator = component.value("designator", "");
  return (Numbered(designator, "U") || Numbered(designator, "IC")) &&
         Members(component, "pads").size() >= 3;
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

// The centres of the IC pads on each net, gathered once for all capacitors and sorted by x.
using TChipPads = std::unordered_map<std::string, std::vector<std::pair<double, double>>>;

TChipPads ChipPadsByNet(const json& board) {
  TChipPads pads;
  for (const json& component : Members(board, "components")) {
    if (!IsChip(component))
      continue;
    for (const json& pad : Members(component, "pads"))
      pads[pad.value("net", "")].emplace_back(pad.value("x", 0.0), pad.value("y", 0.0));
  }
  for (auto& [net, centres] : pads)
    std::sort(centres.begin(), centres.end());
  return pads;
}

// Read outwards along x from the pad: a chip pad further off in x than the nearest yet is
// further off than it, and so is every one beyond it.
double NearestChipPad(const TChipPads& chipPads, const json& pad) {
  const auto found = chipPads.find(pad.value("net", ""));
  const double x = pad.value("x", 0.0), y = pad.value("y", 0.0);
  double nearest = std::numeric_limits<double>::infinity();
  if (found == chipPads.end())
    return nearest;
  const auto& centres = found->second;
  const auto closer = [&](const std::pair<double, double>& centre) {
    if (std::fabs(centre.first - x) > nearest)
      return false;
    nearest = std::min(nearest, std::hypot(centre.first - x, centre.second - y));
    return true;
  };
  const auto middle = std::lower_bound(centres.begin(), centres.end(),
                                       std::make_pair(x, -std::numeric_limits<double>::infinity()));
  for (auto up = middle; up != centres.end() && closer(*up); ++up) {
  }
  for (auto down = middle; down != centres.begin() && closer(*std::prev(down)); --down) {
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
  const TChipPads chipPads = ChipPadsByNet(board);
  std::vector<double> distances;
  for (const json& component : Members(board, "components")) {
    const json* pad = SupplyCapacitorPowerPad(component, power, ground);
    if (pad == nullptr)
      continue;
    const double distance = NearestChipPad(chipPads, *pad);
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
