#pragma once

// The grouping of components during the board import. Large components that share many signal nets
// are joined into connective groups of limited size; small components that hang mostly on one large
// component join that component's group; then every group is laid out as a compact block in a field
// to the right of the board. A group is the set of components with the same nonzero GroupIndex in
// the PCB document. Every decision is taken from the PCB document itself: each change of a
// GroupIndex or Tag is stored at once and read back by the later tests.
//
// All of it works on the current import (ImportContext()) and changes the PCB document: group
// numbers, scratch Tags and, in the arrangement, the positions and rotations of grouped components.

#include <cstdint>
#include <vector>

#include "import/PrePlace.h"

// Most entries the list of connected components holds for one large component.
inline constexpr int32_t MaxConnectedComponents = 500;
// Most small components attached to one large component.
inline constexpr int32_t MaxAttachedComponents = 20;

// A component mirror for the grouping's many reads and writes: it exchanges the component's own
// record (header, designator text, position, group number, rotation) and none of the extension
// records, which the grouping never changes. Reading does not refresh the bounding rectangle;
// ReadBounds does.
class TGroupingComponent : public TPlacerComponent {
 public:
  explicit TGroupingComponent(uint32_t handle = 0) : TPlacerComponent(handle) {}
  int32_t Sync(uint8_t mode) override;
  void ReadBounds();
};

// ---------------------------------------------------------------------------------------------
// Grouping.

// The whole grouping, called by the import when the board's GroupComponents option is set: sorts
// the components, builds the supply net lists, sets the group size limit, finds the connective
// groups, attaches the small components and arranges the groups.
void GroupComponents();

// The group size limit for k components that are not bypass capacitors: 8 % of them, at least 3
// and at most 8.
int32_t GroupSizeLimitFor(int32_t nonCapacitors);

// Fills the sorted component handles with all components, most pads first, by a selection sort
// that picks the first of equal counts (and so may reorder equal ones behind it), under the
// progress "Sorting pins...". Resets every component's Tag first.
void SortComponentsByPadCount();

// How many distinct shared signal nets two large components need beyond this number to be joined:
// 0.7 x (the smaller pad count + 1), rounded to nearest, halves to even.
int32_t ConnectionThreshold(int32_t padCountA, int32_t padCountB);

// Joins large components along the sorted handles into connective groups of at most
// GroupSizeLimit members, under the progress "Finding connective group...".
void FindConnectiveGroups();

// A component reached from a large component, and through how many distinct signal nets.
struct TConnectedComponent {
  uint32_t Component = 0;
  int32_t Count = 0;
  friend bool operator==(const TConnectedComponent&, const TConnectedComponent&) = default;
};

// The ungrouped, movable, large components that the signal nets of this component reach, in the
// order of first discovery, at most MaxConnectedComponents of them. Marks the nets examined and the
// components visited in their Tags.
std::vector<TConnectedComponent> CollectConnectedComponents(uint32_t component);

// Attaches the small components to the large ones they hang on (at most MaxAttachedComponents per
// large component), giving an ungrouped large component a new group when any joins.
void AttachSmallComponents();

// The number of pad pairs between the two components on signal nets: for every pad of A on a
// signal net, the pads of B on that net.
int32_t SharedPadPairs(uint32_t a, uint32_t b);

// ---------------------------------------------------------------------------------------------
// Arrangement of the groups beside the board (PrePlaceArrange.cpp).

// Lays every group out as a block; blocks go in columns of cells of 10000 mil to the right of the
// board.
void ArrangeGroups();

// Lays out one group at the arrangement cursor: its large members in a row, turned upright, its
// small members in columns on both sides of the row.
void ArrangeGroup(int32_t group);

// The columns of small members beside a row of large members: maxHeight is the tallest large
// member, top the row's top edge, right and left its outer edges.
void ArrangeSmallMembers(const std::vector<uint32_t>& small, int32_t maxHeight, int32_t top,
                         int32_t right, int32_t left);

// The smallest multiple of grid not below value, and value truncated toward zero to a multiple of
// grid. Without a positive grid the value stays as it is.
int32_t CeilToGrid(int32_t value, int32_t grid);
int32_t TruncToGrid(int32_t value, int32_t grid);

// Turns a component that has just been read by 90 degrees when it is wider than high (portrait), or
// higher than wide (landscape), and stores it as a final position. The mirror's bounds are stale
// afterwards: read it again for its geometry.
void MakePortrait(TPlacerComponent& component);
void MakeLandscape(TPlacerComponent& component);
