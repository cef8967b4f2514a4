#pragma once

// What the grouping and arrangement tests share: a board opened as the current import, without
// running the import's other steps, and the state of a component as the PCB document holds it.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ImportTestSupport.h"
#include "import/PrePlaceGrouping.h"

namespace ImportTest {

// A board opened as the current import of a fresh engine, with its placer options read and the
// supply net lists built: the grouping's steps can run on it one by one.
class TGroupingSession {
 public:
  explicit TGroupingSession(TBoardBuilder& builder) : Board(builder.Open()) {
    Engine.Board = MakeOwned<TBoard>(Board.Handle);
    Engine.Board->Sync(PcbApi_ModeRead);
    BeginImport(Engine, Board.Handle);
    BuildSupplyNetLists();
  }

  TTestBoard Board;
  TAutoPlacer Engine;
};

// A component as the PCB document holds it.
struct TComponentState {
  int32_t GroupIndex = 0;
  uint16_t Tag = 0;
  int32_t X = 0;
  int32_t Y = 0;
  double Rotation = 0;
  int32_t Left = 0;
  int32_t Bottom = 0;
  int32_t Right = 0;
  int32_t Top = 0;
};

inline TComponentState StateOf(const std::string& designator) {
  const uint32_t handle = ComponentNamed(designator);
  EXPECT_NE(handle, 0u) << "no component " << designator;
  TPlacerComponent component(handle);
  component.Sync(PcbApi_ModeRead);
  return {component.GroupIndex,
          component.Tag,
          component.X,
          component.Y,
          component.Rotation,
          component.BoundsLeft,
          component.BoundsBottom,
          component.BoundsRight,
          component.BoundsTop};
}

inline int32_t GroupOf(const std::string& designator) {
  return StateOf(designator).GroupIndex;
}

// Net names "<prefix>1" to "<prefix><count>", then unconnected pads up to `pads` in all.
inline std::vector<std::string> Nets(const std::string& prefix, int count, int pads) {
  std::vector<std::string> nets;
  for (int i = 1; i <= pads; ++i)
    nets.push_back(i <= count ? prefix + std::to_string(i) : "");
  return nets;
}

}  // namespace ImportTest
