#include "HostSummary.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <vector>

#include "HostPadSize.h"

namespace {

struct TRect {
  double X1, Y1, X2, Y2;
  bool Intersects(const TRect& other) const {
    return X1 < other.X2 && other.X1 < X2 && Y1 < other.Y2 && other.Y1 < Y2;
  }
};

std::set<std::string> SplitNames(const std::string& text) {
  std::set<std::string> names;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    names.insert(word);
  }
  return names;
}

void Extend(TRect& rect, double x1, double y1, double x2, double y2, bool& empty) {
  if (empty) {
    rect = {x1, y1, x2, y2};
    empty = false;
    return;
  }
  rect = {std::min(rect.X1, x1), std::min(rect.Y1, y1), std::max(rect.X2, x2),
          std::max(rect.Y2, y2)};
}

// The rectangle of the pads (each taken at its larger side when turned off the axes) and body.
TRect BoundsOf(const nlohmann::json& component) {
  TRect rect{};
  bool empty = true;
  for (const auto& pad : component.value("pads", nlohmann::json::array())) {
    const auto [w, h] = PadHalfSize(pad);
    const double x = pad.value("x", 0.0);
    const double y = pad.value("y", 0.0);
    Extend(rect, x - w, y - h, x + w, y + h, empty);
  }
  for (const auto& point : component.value("body", nlohmann::json::array())) {
    const double x = point.at(0).get<double>();
    const double y = point.at(1).get<double>();
    Extend(rect, x, y, x, y, empty);
  }
  if (empty) {
    const double x = component.value("x", 0.0);
    const double y = component.value("y", 0.0);
    rect = {x, y, x, y};
  }
  return rect;
}

// The pairs of rectangles on the same side that overlap. Sorted by their left sides, a rectangle
// can only overlap those after it that start left of its right side.
int CountOverlaps(std::vector<std::pair<std::string, TRect>> placed) {
  std::sort(placed.begin(), placed.end(),
            [](const auto& a, const auto& b) { return a.second.X1 < b.second.X1; });
  int overlaps = 0;
  for (size_t i = 0; i < placed.size(); ++i) {
    for (size_t j = i + 1; j < placed.size() && placed[j].second.X1 < placed[i].second.X2; ++j) {
      if (placed[i].first == placed[j].first && placed[i].second.Intersects(placed[j].second)) {
        ++overlaps;
      }
    }
  }
  return overlaps;
}

}  // namespace

bool MeasureParsedBoard(const nlohmann::json& board, TBoardFigures& figures) {
  figures = {};
  try {
    const auto placer = board.at("board").value("placer", nlohmann::json::object());
    figures.PowerNets = placer.value("powerNets", "");
    figures.GroundNets = placer.value("groundNets", "");
    const auto power = SplitNames(placer.value("powerNets", ""));
    const auto ground = SplitNames(placer.value("groundNets", ""));
    std::vector<std::pair<std::string, TRect>> placed;
    for (const auto& component : board.value("components", nlohmann::json::array())) {
      ++figures.Components;
      if (component.value("locked", false)) {
        ++figures.Locked;
      } else {
        ++figures.Movable;
      }
      if (SupplyCapacitorPowerPad(component, power, ground) != nullptr) {
        ++figures.SupplyCapacitors;
      }
      figures.Places.push_back({component.value("locked", false), component.value("x", 0.0),
                                component.value("y", 0.0), component.value("rotation", 0.0)});
      placed.emplace_back(component.value("layer", ""), BoundsOf(component));
    }
    figures.Overlaps = CountOverlaps(std::move(placed));
    figures.Decoupling = MeasureDecoupling(board, power, ground);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

int LockedPartsChanged(const TBoardFigures& before, const TBoardFigures& after) {
  int changed = 0;
  for (size_t i = 0; i < before.Places.size() && i < after.Places.size(); ++i) {
    if (before.Places[i].Locked && before.Places[i] != after.Places[i]) {
      ++changed;
    }
  }
  return changed;
}

namespace {

// The placer anneals in a fixed number of passes and shows how far it got as a percentage.
constexpr int PlacerPassCount = 70;

// The number after `key` in the placer's progress text, or -1 without one.
double ProgressFigure(const std::string& progress, const std::string& key) {
  const size_t at = progress.find(key);
  if (at == std::string::npos) {
    return -1;
  }
  std::istringstream figure(progress.substr(at + key.size()));
  double value = -1;
  return figure >> value ? value : -1;
}

void PrintPassesAndMoves(std::FILE* stream, const std::string& progress) {
  const double percent = ProgressFigure(progress, "Optimization:");
  const double moves = ProgressFigure(progress, "Moves:");
  if (percent < 0 || moves < 0) {
    return;
  }
  std::fprintf(stream, "Passes: %.0f of %d, moves: %.0f\n",
               std::nearbyint(percent * PlacerPassCount / 100.0), PlacerPassCount, moves);
}

void PrintOutlineSteps(std::FILE* stream, const TOutlineSteps& steps) {
  if (steps.EdgePartsHeld) {
    std::fprintf(stream, "Edge parts kept in place (fixed for the run): %d%s%s%s\n", steps.Held,
                 steps.Held > 0 ? " (" : "", steps.HeldNames.c_str(), steps.Held > 0 ? ")" : "");
  }
  std::fprintf(stream, "Pulled inside the outline: %d parts\n", steps.Pulled);
  if (steps.Stuck > 0) {
    std::fprintf(stream, "Fit nowhere inside the outline, left in place: %d (%s)\n", steps.Stuck,
                 steps.StuckNames.c_str());
  }
  if (steps.Legalised) {
    std::fprintf(stream, "Moved off overlaps to the nearest free spot: %d parts\n", steps.Moved);
  }
  if (steps.Detailed) {
    std::fprintf(stream, "Detailed placement: %d moves, turns and swaps kept in %d rounds\n",
                 steps.DetailChanges, steps.DetailRounds);
  }
  if (steps.Decoupled) {
    std::fprintf(stream, "Supply capacitors moved beside their chips: %d of %d\n",
                 steps.CapacitorsMoved, steps.CapacitorsWithChip);
  }
  if (steps.NoRoom > 0) {
    std::fprintf(stream,
                 "No room on the board to clear, left overlapping where they were: %d (%s)\n",
                 steps.NoRoom, steps.NoRoomNames.c_str());
  }
}

void PrintMeasures(std::FILE* stream, const TRunSummary& summary) {
  const TBoardFigures& before = summary.Before;
  const TBoardFigures& after = summary.After;
  std::fprintf(stream,
               "Supply capacitors within %.0f mil of a pad of an IC on their supply net: %d of %d "
               "before, %d of %d after\n",
               NearDistance, before.Decoupling.Near, before.Decoupling.Capacitors,
               after.Decoupling.Near, after.Decoupling.Capacitors);
  std::fprintf(stream, "Median distance of those capacitors: %.0f mil before, %.0f mil after\n",
               before.Decoupling.Median, after.Decoupling.Median);
  if (before.Outside >= 0 && after.Outside >= 0) {
    std::fprintf(stream, "Parts outside the outline: %d before, %d after\n", before.Outside,
                 after.Outside);
  }
  std::fprintf(stream, "Locked parts changed: %d\n", LockedPartsChanged(before, after));
}

}  // namespace

void PrintSummary(std::FILE* stream, const TRunSummary& summary) {
  const TBoardFigures& after = summary.After;
  std::fprintf(stream, "Components: %d (%d movable, %d locked, %d supply capacitors)\n",
               after.Components, after.Movable, after.Locked, after.SupplyCapacitors);
  std::fprintf(stream, "Supply nets: power %s; ground %s\n",
               after.PowerNets.empty() ? "(none)" : after.PowerNets.c_str(),
               after.GroundNets.empty() ? "(none)" : after.GroundNets.c_str());
  std::fprintf(stream, "Connection length: %.0f mil before, %.0f mil after\n", summary.LengthBefore,
               summary.LengthAfter);
  std::fprintf(stream,
               "Overlapping footprints (same side, bounding rectangles): %d before, %d after\n",
               summary.Before.Overlaps, after.Overlaps);
  PrintMeasures(stream, summary);
  PrintOutlineSteps(stream, summary.Outline);
  if (!summary.Progress.empty()) {
    std::fprintf(stream, "Placer: %s\n", summary.Progress.c_str());
    PrintPassesAndMoves(stream, summary.Progress);
  }
  std::istringstream notes(summary.Notes);
  for (std::string note; std::getline(notes, note);) {
    std::fprintf(stream, "Note: %s\n", note.c_str());
  }
  std::fprintf(stream, "Elapsed: %.2f s\n", summary.Seconds);
  std::fprintf(stream, "Saved: %s\n", summary.Output.c_str());
}
