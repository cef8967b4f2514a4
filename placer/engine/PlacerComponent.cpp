#include "engine/PlacerComponent.h"

#include "pcb/PCBProcs.h"

int32_t TPlacerComponent::Sync(uint8_t mode) {
  const int32_t status = TPcbComponent::Sync(mode);
  if (mode == PcbApi_ModeRead)
    Pcb::QueryObjectBoundingRectangle(Handle, &BoundsLeft, &BoundsBottom, &BoundsRight, &BoundsTop);
  return status;
}
