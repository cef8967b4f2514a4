#pragma once

// The placer's component mirror: a component mirror that also holds the component's bounding
// rectangle, as the import and the grouping need it.

#include <cstdint>

#include "pcb/PcbclassObjects.h"

class TPlacerComponent : public TPcbComponent {
 public:
  explicit TPlacerComponent(uint32_t handle = 0) : TPcbComponent(handle) {}

  // The bounding rectangle X1, Y1, X2, Y2; filled by every read, never written.
  int32_t BoundsLeft = 0;
  int32_t BoundsBottom = 0;
  int32_t BoundsRight = 0;
  int32_t BoundsTop = 0;

  int32_t Sync(uint8_t mode) override;
};
