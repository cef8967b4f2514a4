#include "HostMeasures.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "HostLibraries.h"

namespace {

struct TNetBox {
  double Left, Bottom, Right, Top;
  int Pads = 0;
};

std::set<std::string> SupplyNets(const nlohmann::json& placer) {
  std::set<std::string> names;
  for (const char* key : {"powerNets", "groundNets"}) {
    std::istringstream words(placer.value(key, ""));
    for (std::string word; words >> word;) {
      names.insert(word);
    }
  }
  return names;
}

void Extend(TNetBox& box, double x, double y) {
  if (box.Pads++ == 0) {
    box = {x, y, x, y, 1};
    return;
  }
  box.Left = std::min(box.Left, x);
  box.Right = std::max(box.Right, x);
  box.Bottom = std::min(box.Bottom, y);
  box.Top = std::max(box.Top, y);
}

}  // namespace

TPlacementMeasures MeasurePlacement(const nlohmann::json& board) {
  TPlacementMeasures measures;
  try {
    const std::set<std::string> supply =
        SupplyNets(board.at("board").value("placer", nlohmann::json::object()));
    std::map<std::string, TNetBox> boxes;
    for (const auto& component : board.value("components", nlohmann::json::array())) {
      for (const auto& pad : component.value("pads", nlohmann::json::array())) {
        const std::string net = pad.value("net", "");
        if (!net.empty() && supply.count(net) == 0) {
          Extend(boxes[net], pad.value("x", 0.0), pad.value("y", 0.0));
        }
      }
    }
    for (const auto& [name, box] : boxes) {
      if (box.Pads > measures.WidestSignalNetPads) {
        measures.WidestSignalNet = name;
        measures.WidestSignalNetPads = box.Pads;
      }
      if (box.Pads >= 2) {
        ++measures.SignalNets;
        measures.SignalHalfPerimeter += (box.Right - box.Left) + (box.Top - box.Bottom);
      }
    }
    return measures;
  } catch (const std::exception&) {
    return TPlacementMeasures{};
  }
}
