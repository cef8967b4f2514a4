#include "HostBoard.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "HostLibraries.h"

namespace {

std::set<std::string> NetNames(uint32_t board) {
  std::set<std::string> names;
  try {
    const auto json = nlohmann::json::parse(EditorText(Editor().GetBoardText, board));
    for (const auto& name : json.at("nets"))
      names.insert(name.get<std::string>());
  } catch (const std::exception&) {
  }
  return names;
}

// "A,B" as "A B"; false when a name holds a blank or is empty.
bool BlankSeparated(const std::string& commaSeparated, std::string& list, std::string& error,
                    std::vector<std::string>& names) {
  std::istringstream parts(commaSeparated);
  list.clear();
  for (std::string name; std::getline(parts, name, ',');) {
    if (name.empty() || name.find_first_of(" \t\r\n") != std::string::npos) {
      error = "a supply net name must not be empty or hold blanks: \"" + name + "\"";
      return false;
    }
    list += (list.empty() ? "" : " ") + name;
    names.push_back(name);
  }
  return true;
}

}  // namespace

TBoardFigures MeasureBoard(uint32_t board) {
  return MeasureBoard(
      board, nlohmann::json::parse(EditorText(Editor().GetBoardText, board), nullptr, false));
}

TBoardFigures MeasureBoard(uint32_t board, const nlohmann::json& parsed) {
  TBoardFigures figures;
  MeasureParsedBoard(parsed, figures);
  int32_t outside = 0;
  if (Editor().CountPartsOutside(board, &outside) == 0)
    figures.Outside = outside;
  return figures;
}

void HoldEdgeParts(uint32_t board, TOutlineSteps& steps) {
  char names[1024] = {};
  int32_t count = 0;
  if (Editor().HoldEdgeParts(board, &count, names, sizeof names) != 0)
    return;
  steps.EdgePartsHeld = true;
  steps.Held = count;
  steps.HeldNames = names;
}

void PullPartsInside(uint32_t board, TOutlineSteps& steps) {
  char names[1024] = {};
  int32_t pulled = 0, stuck = 0;
  if (Editor().PullPartsInside(board, &pulled, &stuck, names, sizeof names) != 0)
    return;
  steps.Pulled = pulled;
  steps.Stuck = stuck;
  steps.StuckNames = names;
}

void LegalisePlacement(uint32_t board, TOutlineSteps& steps) {
  char names[1024] = {};
  int32_t moved = 0, noRoom = 0;
  if (Editor().LegalisePlacement(board, &moved, &noRoom, names, sizeof names) != 0)
    return;
  steps.Legalised = true;
  steps.Moved = moved;
  steps.NoRoom = noRoom;
  steps.NoRoomNames = names;
}

namespace {

// The distance within which a supply capacitor counts as beside its chip, board units.
int32_t NearDistanceUnits() {
  constexpr double UnitsPerMil = 10000.0;
  return static_cast<int32_t>(NearDistance * UnitsPerMil);
}

}  // namespace

void PlaceInDetail(uint32_t board, TOutlineSteps& steps) {
  int32_t changes = 0, rounds = 0;
  if (Editor().PlaceInDetail(board, NearDistanceUnits(), &changes, &rounds) != 0)
    return;
  steps.Detailed = true;
  steps.DetailChanges = changes;
  steps.DetailRounds = rounds;
}

void PlaceCapacitorsBesideChips(uint32_t board, TOutlineSteps& steps) {
  int32_t moved = 0, capacitors = 0;
  if (Editor().PlaceCapacitorsBesideChips(board, NearDistanceUnits(), &moved, &capacitors) != 0)
    return;
  steps.Decoupled = true;
  steps.CapacitorsMoved = moved;
  steps.CapacitorsWithChip = capacitors;
}

void ReleaseHeldParts(uint32_t board) {
  Editor().ReleaseHeldParts(board);
}

std::string BoardNotes(uint32_t board) {
  return EditorText(Editor().GetBoardNotes, board);
}

bool ApplySupplyNets(const THostOptions& options, uint32_t board, std::string& error) {
  if (!options.PowerNets && !options.GroundNets)
    return true;
  const TBoardFigures current = MeasureBoard(board);
  std::string power = current.PowerNets, ground = current.GroundNets;
  std::vector<std::string> named;
  if ((options.PowerNets && !BlankSeparated(*options.PowerNets, power, error, named)) ||
      (options.GroundNets && !BlankSeparated(*options.GroundNets, ground, error, named)))
    return false;
  char message[256] = {};
  if (Editor().SetSupplyNets(board, power.c_str(), ground.c_str(), message, sizeof message) != 0) {
    error = message;
    return false;
  }
  const std::set<std::string> nets = NetNames(board);
  for (const std::string& name : named)
    if (nets.count(name) == 0 && !options.Quiet)
      std::fprintf(stderr, "autoplace: warning: the board has no net named \"%s\"\n", name.c_str());
  return true;
}
