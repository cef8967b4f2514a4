#include "shell/WriteBackTargets.h"

#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "engine/PlaceObj.h"
#include "pcb/Layers.h"
#include "pcb/PCBProcs.h"
#include "pcb/Pcbclass.h"

namespace {

struct TBoardComponent {
  uint32_t Handle = 0;
  TLayerNumber Side = TopLayer;
};

// The board's components in the import's order: top side, then bottom side.
std::vector<TBoardComponent> ComponentsOfBoard(uint32_t board) {
  std::vector<TBoardComponent> components;
  for (const TLayerNumber side : {TopLayer, BottomLayer}) {
    const uint32_t iterator = Pcb::CreateIterator(board, ComponentObject, 0, side);
    if (iterator == 0) {
      continue;
    }
    for (uint32_t handle = Pcb::GetFirstObject(iterator); handle != 0;
         handle = Pcb::GetNextObject(iterator)) {
      components.push_back({handle, side});
    }
    Pcb::DestroyIterator(iterator);
  }
  return components;
}

std::string Describe(const TCompRecord& record) {
  const std::string side = record.Layer == BottomLayer ? "bottom" : "top";
  if (record.FullDesignator.empty()) {
    return "a component without designator on the " + side + " side";
  }
  return "component " + record.FullDesignator + " on the " + side + " side";
}

// The handle a record names on the board: its own on the board it came from, else the component
// with its import number.
uint32_t CandidateOf(const TCompRecord& record, bool reopened,
                     const std::vector<TBoardComponent>& components) {
  if (!reopened) {
    return record.Handle;
  }
  if (record.ImportNumber < 1 || static_cast<size_t>(record.ImportNumber) > components.size()) {
    return 0;
  }
  return components[static_cast<size_t>(record.ImportNumber - 1)].Handle;
}

// The rotation written into the PCB: quarter turns * 90 + the imported rotation, rounded to the
// nearest integer (ties to even) and taken modulo 360 with the sign of the dividend, as a 64-bit
// integer. A value beyond the 64-bit range is reduced exactly in floating point instead.
double PcbRotation(double importedRotation, int32_t quarterTurns) {
  const double rounded =
      std::nearbyint(static_cast<double>(quarterTurns) * 90.0 + importedRotation);
  if (!std::isfinite(rounded)) {
    return 0.0;
  }
  constexpr double Limit = 9223372036854775808.0;  // 2^63
  if (rounded >= -Limit && rounded < Limit) {
    return static_cast<double>(static_cast<int64_t>(rounded) % 360);
  }
  return std::fmod(rounded, 360.0);
}

}  // namespace

TWriteTargets FindWriteTargets(const TAutoPlacer& engine, uint32_t board, bool reopened) {
  const std::vector<TBoardComponent> components = ComponentsOfBoard(board);
  std::unordered_map<uint32_t, TLayerNumber> sides;
  for (const TBoardComponent& component : components) {
    sides.emplace(component.Handle, component.Side);
  }
  TWriteTargets result;
  if (reopened && components.size() != static_cast<size_t>(engine.ComponentCount)) {
    result.Problem = "it now holds " + std::to_string(components.size()) + " components, not " +
                     std::to_string(engine.ComponentCount);
    return result;
  }
  TPcbComponent component;
  for (int32_t k = 1; k <= engine.ComponentCount; ++k) {
    const TCompRecord& record = engine.Component(k);
    const uint32_t handle = CandidateOf(record, reopened, components);
    const auto side = sides.find(handle);
    if (handle == 0 || side == sides.end() || side->second != record.Layer) {
      result.Problem = Describe(record) + " is no longer there";
      return result;
    }
    component.Handle = handle;
    component.Sync(PcbApi_ModeRead);
    if (TextOf(component.NameTextHandle) != record.FullDesignator) {
      result.Problem = Describe(record) + " has been renamed";
      return result;
    }
    result.Targets.push_back({&record, handle});
  }
  return result;
}

void WriteTargets(const std::vector<TWriteTarget>& targets) {
  TPcbComponent component;
  std::unordered_set<uint32_t> written;
  for (const TWriteTarget& target : targets) {
    const TCompRecord& record = *target.Record;
    if (record.Movable != 1 || !written.insert(target.Handle).second) {
      continue;
    }
    component.Handle = target.Handle;
    component.Sync(PcbApi_ModeRead);
    if (component.Moveable == 0) {
      continue;  // locked since the import
    }
    component.Rotation = PcbRotation(record.OriginalRotation, record.Rotation);
    component.X = record.X;
    component.Y = record.Y;
    component.Sync(PcbApi_ModeWriteFinal);
  }
}
