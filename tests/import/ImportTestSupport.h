#pragma once

// What the import tests share: importing a board into a fresh engine, finding records, and reading
// the scratch values the import leaves in the PCB objects.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BoardBuilder.h"
#include "import/PrePlace.h"

namespace ImportTest {

// A fresh engine with the board imported, seeded for repeatable runs.
inline std::unique_ptr<TAutoPlacer> Import(const TTestBoard& board) {
  auto engine = std::make_unique<TAutoPlacer>();
  engine->Seed = 1;
  engine->ImportBoard(board.Handle);
  return engine;
}

// The record of a designator (the setup reorders the records); fails the test when there is none.
inline const TCompRecord& RecordOf(const TAutoPlacer& engine, const std::string& designator) {
  for (const auto& record : engine.Components)
    if (record->FullDesignator == designator)
      return *record;
  ADD_FAILURE() << "no record for " << designator;
  static const TCompRecord none;
  return none;
}

// The component handle of a designator on the current import's board; 0 when there is none.
inline uint32_t ComponentNamed(const std::string& designator) {
  for (const uint32_t handle : AllComponents()) {
    TPcbComponent component(handle);
    component.Sync(PcbApi_ModeRead);
    if (component.GetName() == designator)
      return handle;
  }
  return 0;
}

// The net handle of a name on the current import's board; 0 when there is none.
inline uint32_t NetNamed(const std::string& name) {
  for (const uint32_t handle : AllNets()) {
    TPcbNet net(handle);
    net.Sync(PcbApi_ModeRead);
    if (net.GetName() == name)
      return handle;
  }
  return 0;
}

// The pad handles of a component in pad order.
inline std::vector<uint32_t> PadsOf(uint32_t component) {
  TPcbComponent mirror(component);
  std::vector<uint32_t> pads;
  for (uint16_t i = 1; mirror.ChildAt(PadObject, i) != 0; ++i)
    pads.push_back(mirror.ChildAt(PadObject, i));
  return pads;
}

}  // namespace ImportTest
