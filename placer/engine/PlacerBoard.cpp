#include "engine/PlacerBoard.h"

#include "pcb/PCBProcs.h"
#include "pcb/PCBProcsUnits.h"
#include "pcb/PcbStrings.h"

namespace {

uint8_t FlagByte(bool flag) {
  return flag ? 1 : 0;
}

}  // namespace

TBoard::TBoard(uint32_t handle) : TPcbBoard(handle) {}

int32_t TBoard::Sync(uint8_t mode) {
  const bool reading = mode == PcbApi_ModeRead;
  if (!reading) {
    // The board's grid exchange refreshes the component grid from its source after every
    // exchange, so the grid lasts only when both are set.
    Grids.ComponentGrid = PlacementGrid;
    Grids.ComponentGridSource = PlacementGrid;
  }
  const int32_t status = TPcbBoard::Sync(mode);
  if (reading)
    PlacementGrid = NearestCoord(Grids.ComponentGrid);
  SyncPlacerOptions(mode);
  return status;
}

void TBoard::SyncPlacerOptions(uint8_t mode) {
  PcbString255 powerNets = {};
  PcbString255 groundNets = {};
  ToPcbString(powerNets, PowerNets);
  ToPcbString(groundNets, GroundNets);
  uint8_t rotate = FlagByte(RotateComponents);
  uint8_t extra1 = FlagByte(ExtraPlacerFlag1);
  uint8_t extra2 = FlagByte(ExtraPlacerFlag2);
  uint8_t group = FlagByte(GroupComponents);
  Pcb::QueryBoardAdvancedPlacerOptions(mode, Handle, &powerNets, &groundNets, &rotate, &extra1,
                                       &extra2, &group);
  Pcb::QueryBoardAdvancedPlacerOptionsExt(mode, Handle, &LargeComponentClearance,
                                          &SmallComponentClearance);
  if (mode != PcbApi_ModeRead)
    return;
  PowerNets = FromPcbString(powerNets);
  GroundNets = FromPcbString(groundNets);
  RotateComponents = rotate != 0;
  ExtraPlacerFlag1 = extra1 != 0;
  ExtraPlacerFlag2 = extra2 != 0;
  GroupComponents = group != 0;
}
