#pragma once

// The placer's mirror of a board: the board mirror with the placer's options, which the PCB editor
// keeps with each board.

#include <cstdint>
#include <string>

#include "pcb/PcbclassBoard.h"

class TBoard : public TPcbBoard {
 public:
  explicit TBoard(uint32_t handle);

  // Mode 1 reads the board and the options, 0 and 2 write them; the status of the board query.
  // The placement grid is written as the board's component grid and as the grid that one is
  // refreshed from, so that the next read gives it back.
  int32_t Sync(uint8_t mode) override;

  // No defaults of the placer's own: until read, everything is zero, empty or off.
  int32_t SmallComponentClearance = 0;  // board units
  int32_t LargeComponentClearance = 0;  // board units
  std::string PowerNets;                // blank-separated net names; 255 characters are exchanged
  std::string GroundNets;               // the same
  int32_t PlacementGrid = 0;            // board units
  bool RotateComponents = false;
  bool GroupComponents = false;
  bool ExtraPlacerFlag1 = false;  // carried unchanged
  bool ExtraPlacerFlag2 = false;  // carried unchanged

 private:
  void SyncPlacerOptions(uint8_t mode);
};
