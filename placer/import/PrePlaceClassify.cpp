// Tests on components: pad counts, size, bypass capacitors and supply connections.

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "import/PrePlace.h"

namespace {

// Largest side of a bypass capacitor, 500 by 200 mil, before the small clearance is added.
constexpr int64_t BypassLongSide = 5000000;
constexpr int64_t BypassShortSide = 2000000;

// |b - a| without overflow, saturated to the 32-bit range.
int32_t Extent(int32_t a, int32_t b) {
  const int64_t extent = std::llabs(int64_t{b} - int64_t{a});
  return static_cast<int32_t>(std::min<int64_t>(extent, std::numeric_limits<int32_t>::max()));
}

// The net of a pad, from the pad's header.
uint32_t NetOfPad(uint32_t pad) {
  return HeaderOf(pad).NetHandle;
}

// Whether a pad of this component lies on any net of the list. A walk of a net's pads on every
// layer (0) yields the pads of each single layer too, so one walk per net answers for every layer;
// the owners of the pads found are kept with the list for the next component.
bool ReachesListedNet(const TSupplyNetList& list, uint32_t component) {
  if (!list.ReachedComponents) {
    std::unordered_set<uint32_t> owners;
    for (int32_t entry = 1; entry <= list.Count; ++entry)
      ForEachObject(list.Entries[static_cast<size_t>(entry)], PadObject, WalkMethod, NoLayer,
                    [&](uint32_t pad) { owners.insert(HeaderOf(pad).ComponentHandle); });
    list.ReachedComponents = std::move(owners);
  }
  return list.ReachedComponents->count(component) != 0;
}

// The number of the component's pads that the editor reports as power or ground pads.
int32_t SupplyPadCount(const TPcbComponent& component) {
  int32_t count = 0;
  for (uint16_t i = 1;; ++i) {
    const uint32_t pad = component.ChildAt(PadObject, i);
    if (pad == 0)
      break;
    uint8_t supply = 0;
    if (Pcb::QueryPad_PwrGnd(pad, &supply) == 0 && supply != 0)
      ++count;
    if (i == std::numeric_limits<uint16_t>::max())
      break;
  }
  return count;
}

}  // namespace

int32_t PadCount(const TPcbComponent& component) {
  return component.ChildCountPlusOne(PadObject) - 1;
}

bool IsLargeComponent(const TPcbComponent& component) {
  return PadCount(component) > 7;
}

bool IsVeryLargeComponent(const TPcbComponent& component) {
  return PadCount(component) > 13;
}

int32_t ComponentWidth(const TPlacerComponent& component) {
  return Extent(component.BoundsLeft, component.BoundsRight);
}

int32_t ComponentHeight(const TPlacerComponent& component) {
  return Extent(component.BoundsBottom, component.BoundsTop);
}

bool IsBypassCapacitor(const TPlacerComponent& component) {
  if (PadCount(component) != 2)
    return false;
  const int64_t clearance = ImportContext().Board().SmallComponentClearance;
  const int32_t width = ComponentWidth(component);
  const int32_t height = ComponentHeight(component);
  if (std::max(width, height) > BypassLongSide + clearance ||
      std::min(width, height) > BypassShortSide + clearance)
    return false;
  const uint32_t net1 = NetOfPad(component.ChildAt(PadObject, 1));
  const uint32_t net2 = NetOfPad(component.ChildAt(PadObject, 2));
  return (net1 == 0 && net2 == 0) || (IsPowerNet(net1) && IsGroundNet(net2)) ||
         (IsPowerNet(net2) && IsGroundNet(net1));
}

// The ground nets are searched only when a power pad was found.
bool IsPowered(const TPcbComponent& component) {
  const TImportContext& context = ImportContext();
  if (ReachesListedNet(context.PowerNetList, component.Handle) &&
      ReachesListedNet(context.GroundNetList, component.Handle))
    return true;
  return SupplyPadCount(component) >= 2;
}
