// Connective groups of large components and the attachment of small components to them.
//
// Every test reads the component or net again from the PCB document and every change is stored at
// once, so that later tests see it. What a test would learn from a walk over all components (the
// size of a group, the largest group index, the components sharing a net with another) is kept or
// gathered so that the steps stay near linear in the size of the board.

#include "import/PrePlaceGrouping.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#include "framework/Rt_forms.h"
#include "import/SelectionOrder.h"

namespace {

// The host's status panel that the grouping writes its running text into.
constexpr int32_t GroupingStatusPanel = 2;

constexpr int32_t SmallestGroupSizeLimit = 3;
constexpr int32_t LargestGroupSizeLimit = 8;

// Tag of a component reached during one collection, and of a net examined for it.
constexpr uint16_t VisitedMark = 1;
constexpr uint16_t ExaminedMark = 1;

void Read(TGroupingComponent& component, uint32_t handle) {
  component.Handle = handle;
  component.Sync(PcbApi_ModeRead);
}

// How many components store each group index, counted once while a grouping step runs and kept
// up to date by every store of the step, so that the size of a group and the largest index need
// no walk over all components. Only the steps' own stores change group indices meanwhile.
class TStoredGroups {
 public:
  bool Counting() const { return Active; }
  void Count();
  void Stop() { Active = false; }
  void Change(int32_t from, int32_t to) {
    if (from == to)
      return;
    if (--Sizes[from] == 0)
      Sizes.erase(from);
    ++Sizes[to];
  }
  int32_t Size(int32_t group) const {
    const auto found = Sizes.find(group);
    return found != Sizes.end() ? found->second : 0;
  }
  int32_t Largest() const { return Sizes.empty() ? 0 : std::max(0, Sizes.rbegin()->first); }

 private:
  bool Active = false;
  std::map<int32_t, int32_t> Sizes;
};

TStoredGroups& StoredGroups() {
  static TStoredGroups groups;
  return groups;
}

void TStoredGroups::Count() {
  Sizes.clear();
  TGroupingComponent component;
  for (const uint32_t handle : AllComponents()) {
    Read(component, handle);
    ++Sizes[component.GroupIndex];
  }
  Active = true;
}

// Counts the stored group indices for as long as it lives.
class TCountingStoredGroups {
 public:
  TCountingStoredGroups() { StoredGroups().Count(); }
  TCountingStoredGroups(const TCountingStoredGroups&) = delete;
  TCountingStoredGroups& operator=(const TCountingStoredGroups&) = delete;
  ~TCountingStoredGroups() { StoredGroups().Stop(); }
};

void Store(TGroupingComponent& component) {
  TStoredGroups& groups = StoredGroups();
  int32_t before = 0;
  if (groups.Counting()) {
    TGroupingComponent stored;
    Read(stored, component.Handle);
    before = stored.GroupIndex;
  }
  if (component.Sync(PcbApi_ModeWrite) == 0 && groups.Counting())
    groups.Change(before, component.GroupIndex);
}

void ResetComponentTags() {
  TGroupingComponent component;
  for (const uint32_t handle : AllComponents()) {
    Read(component, handle);
    component.Tag = 0;
    Store(component);
  }
}

// The pad count alone is all a comparison of the sort needs: it is counted afresh from the editor
// without reading the rest of the component.
int32_t PadCountOf(uint32_t component) {
  return PadCount(TPcbComponent(component));
}

// The net of every pad of a component in pad order, 0 for a pad without a net.
std::vector<uint32_t> PadNetsOf(uint32_t component) {
  const TPcbComponent mirror(component);
  std::vector<uint32_t> nets;
  for (uint16_t index = 1;; ++index) {
    const uint32_t pad = mirror.ChildAt(PadObject, index);
    if (pad == 0)
      break;
    nets.push_back(HeaderOf(pad).NetHandle);
    if (index == std::numeric_limits<uint16_t>::max())
      break;
  }
  return nets;
}

// The signal nets of a component's pads, once per pad: a net that three pads reach is listed three
// times.
std::vector<uint32_t> SignalNetsOfPads(uint32_t component) {
  std::vector<uint32_t> nets = PadNetsOf(component);
  std::erase_if(nets, [](uint32_t net) { return !IsSignalNet(net); });
  return nets;
}

// The number of components whose stored GroupIndex is this one.
int32_t StoredGroupSize(int32_t group) {
  if (StoredGroups().Counting())
    return StoredGroups().Size(group);
  TGroupingComponent component;
  int32_t size = 0;
  for (const uint32_t handle : AllComponents()) {
    Read(component, handle);
    size += component.GroupIndex == group ? 1 : 0;
  }
  return size;
}

int32_t LargestStoredGroupIndex() {
  if (StoredGroups().Counting())
    return StoredGroups().Largest();
  TGroupingComponent component;
  int32_t largest = 0;
  for (const uint32_t handle : AllComponents()) {
    Read(component, handle);
    largest = std::max(largest, component.GroupIndex);
  }
  return largest;
}

// The bypass capacitor test needs the component's size: its bounds are read for it.
bool IsBypass(TGroupingComponent& component) {
  component.ReadBounds();
  return IsBypassCapacitor(component);
}

int32_t CountNonCapacitors() {
  TGroupingComponent component;
  int32_t count = 0;
  for (const uint32_t handle : AllComponents()) {
    Read(component, handle);
    count += IsBypass(component) ? 0 : 1;
  }
  return count;
}

// ---------------------------------------------------------------------------------------------
// The collection of connected components.

void StoreNetTag(uint32_t handle, uint16_t tag) {
  TPcbNet net(handle);
  net.Sync(PcbApi_ModeRead);
  net.Tag = tag;
  net.Sync(PcbApi_ModeWrite);
}

// Marks the net examined; false when it was already.
bool MarkExamined(uint32_t handle) {
  TPcbNet net(handle);
  net.Sync(PcbApi_ModeRead);
  if (net.Tag != 0)
    return false;
  net.Tag = ExaminedMark;
  net.Sync(PcbApi_ModeWrite);
  return true;
}

// Clears the visited mark of every component the net reaches, except the collecting one, so that
// each of them counts once for this net.
void ClearVisitedMarks(uint32_t net, uint32_t collector) {
  TGroupingComponent component;
  ForEachPadOfNet(net, [&](uint32_t pad) {
    const uint32_t owner = HeaderOf(pad).ComponentHandle;
    if (owner == 0 || owner == collector)
      return;
    Read(component, owner);
    component.Tag = 0;
    Store(component);
  });
}

bool IsFull(const std::vector<TConnectedComponent>& list) {
  return std::ssize(list) >= MaxConnectedComponents;
}

void CountOnce(std::vector<TConnectedComponent>& list, uint32_t component) {
  const auto found = std::find_if(list.begin(), list.end(), [&](const TConnectedComponent& entry) {
    return entry.Component == component;
  });
  if (found != list.end())
    ++found->Count;
  else
    list.push_back({component, 1});
}

// Counts the ungrouped, movable, large components that the net reaches and that this net has not
// counted yet. Every component reached is stored again, changed or not.
void CountReachedComponents(uint32_t net, std::vector<TConnectedComponent>& list) {
  TGroupingComponent component;
  for (const TLayerNumber layer : NetPadLayers) {
    for (const uint32_t pad : NetPadsOnLayer(net, layer)) {
      if (IsFull(list))
        return;
      const uint32_t owner = HeaderOf(pad).ComponentHandle;
      if (owner == 0)
        continue;
      Read(component, owner);
      SetStatusPanelText(GroupingStatusPanel, "Processing " + component.GetName() + "...");
      if (component.Tag == 0 && component.GroupIndex == 0 && component.Moveable != 0 &&
          IsLargeComponent(component)) {
        component.Tag = VisitedMark;
        CountOnce(list, owner);
      }
      Store(component);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Connective groups.

// Puts B into A's group, founding the group with A when A has none, unless A's group is full.
void JoinConnectiveGroup(TGroupingComponent& a, TGroupingComponent& b) {
  TImportContext& context = ImportContext();
  const int32_t size = a.GroupIndex == 0 ? 0 : StoredGroupSize(a.GroupIndex);
  if (size >= context.GroupSizeLimit)
    return;
  if (a.GroupIndex == 0)
    a.GroupIndex = ++context.GroupCounter;
  b.GroupIndex = a.GroupIndex;
}

void GrowConnectiveGroup(TGroupingComponent& a) {
  const int32_t padCountA = PadCount(a);
  TGroupingComponent b;
  for (const TConnectedComponent& entry : CollectConnectedComponents(a.Handle)) {
    Read(b, entry.Component);
    if (entry.Count > ConnectionThreshold(padCountA, PadCount(b)))
      JoinConnectiveGroup(a, b);
    Store(a);
    Store(b);
  }
}

// ---------------------------------------------------------------------------------------------
// Small components.

// The pad pairs of A's signal nets (one entry per pad of A) with B.
int32_t SharedPadPairsOnNets(const std::vector<uint32_t>& netsOfA, uint32_t b) {
  int32_t pairs = 0;
  for (const uint32_t net : netsOfA)
    ForEachPadOfNet(net, [&](uint32_t pad) {
      if (HeaderOf(pad).ComponentHandle == b)
        ++pairs;
    });
  return pairs;
}

// A small, movable, ungrouped component that is no bypass capacitor.
bool MayAttach(TGroupingComponent& component) {
  return component.Moveable != 0 && component.GroupIndex == 0 && !IsLargeComponent(component) &&
         !IsBypass(component);
}

// The components with a pad on one of the nets, as positions in the order of all components.
std::vector<size_t> OwnersOnNets(const std::vector<uint32_t>& nets,
                                 const std::unordered_map<uint32_t, size_t>& positions) {
  std::vector<size_t> owners;
  for (const uint32_t net : nets)
    ForEachPadOfNet(net, [&](uint32_t pad) {
      const auto found = positions.find(HeaderOf(pad).ComponentHandle);
      if (found != positions.end())
        owners.push_back(found->second);
    });
  std::sort(owners.begin(), owners.end());
  owners.erase(std::unique(owners.begin(), owners.end()), owners.end());
  return owners;
}

// Attaches up to MaxAttachedComponents small components to A's group, taking them in the order of
// all components; whether any joined. Only a component with a pad on one of A's signal nets can
// share pad pairs with A, so only those are tested: reading and storing any other one unchanged
// would change nothing.
bool AttachTo(const TGroupingComponent& a, const std::vector<uint32_t>& components,
              const std::unordered_map<uint32_t, size_t>& positions) {
  const std::vector<uint32_t> netsOfA = SignalNetsOfPads(a.Handle);
  TGroupingComponent b;
  int32_t members = 0;
  for (const size_t position : OwnersOnNets(netsOfA, positions)) {
    if (members >= MaxAttachedComponents)
      break;
    const uint32_t handle = components[position];
    Read(b, handle);
    if (MayAttach(b)) {
      const int32_t shared = SharedPadPairsOnNets(netsOfA, handle);
      if (shared > 0 && 2 * int64_t{shared} > PadCount(b)) {
        b.GroupIndex = a.GroupIndex;
        ++members;
      }
    }
    Store(b);
  }
  return members > 0;
}

void AttachSmallComponentsTo(TGroupingComponent& a, const std::vector<uint32_t>& components,
                             const std::unordered_map<uint32_t, size_t>& positions) {
  SetStatusPanelText(GroupingStatusPanel, "Grouping " + a.GetName() + "...");
  const bool newGroup = a.GroupIndex == 0;
  if (newGroup)
    a.GroupIndex = LargestStoredGroupIndex() + 1;
  const bool joined = AttachTo(a, components, positions);
  if (newGroup && !joined)
    a.GroupIndex = 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

int32_t TGroupingComponent::Sync(uint8_t mode) {
  TLayerNumber layerNumber = LayerNumberFromId(Layer);
  const int32_t status = Pcb::QueryComponent(
      mode, Handle, &StateFlags, &Tag, &layerNumber, &Moveable, &NameTextHandle, &OpaqueHandle,
      &Footprint, &Opaque1, &Opaque2, &X, &Y, &GroupIndex, &Rotation, &Opaque3);
  Layer = LayerIdFromNumber(layerNumber);
  return status;
}

void TGroupingComponent::ReadBounds() {
  Pcb::QueryObjectBoundingRectangle(Handle, &BoundsLeft, &BoundsBottom, &BoundsRight, &BoundsTop);
}

void GroupComponents() {
  TImportContext& context = ImportContext();
  context.GroupCounter = 0;
  SortComponentsByPadCount();
  BuildSupplyNetLists();
  context.GroupSizeLimit = GroupSizeLimitFor(CountNonCapacitors());
  FindConnectiveGroups();
  AttachSmallComponents();
  ArrangeGroups();
  std::vector<uint32_t>().swap(context.SortedComponents);
}

// 8 k / 100 never ends in a half, so the rounding mode does not matter here.
int32_t GroupSizeLimitFor(int32_t nonCapacitors) {
  const double limit = std::nearbyint(8.0 * nonCapacitors / 100.0);
  if (limit < SmallestGroupSizeLimit)
    return SmallestGroupSizeLimit;
  if (limit > LargestGroupSizeLimit)
    return LargestGroupSizeLimit;
  return static_cast<int32_t>(limit);
}

// The selection sort by pad count, most pads first, where every round takes the first of the
// largest counts left. The counts do not change while the sort runs: each is counted once, and
// the sort's order is found without its n^2 comparisons.
void SortComponentsByPadCount() {
  ResetComponentTags();
  std::vector<uint32_t>& sorted = ImportContext().SortedComponents;
  sorted = AllComponents();
  const size_t count = sorted.size();
  BeginProgress("Sorting pins...", static_cast<int64_t>(count) - 1);
  std::vector<int32_t> padCounts;
  padCounts.reserve(count);
  for (const uint32_t component : sorted) {
    if (padCounts.size() + 1 < count)
      StepProgress();
    padCounts.push_back(PadCountOf(component));
  }
  SelectionOrder::SortLargestFirst(sorted, std::move(padCounts));
  EndProgress();
}

// Computed in integers: 0.7 has no exact binary form, and 0.7 x 45 comes out just below 31.5.
int32_t ConnectionThreshold(int32_t padCountA, int32_t padCountB) {
  const int64_t tenths = 7 * (int64_t{std::min(padCountA, padCountB)} + 1);
  int64_t whole = tenths / 10;
  int64_t rest = tenths % 10;
  if (rest < 0) {  // floor, for a negative count
    whole -= 1;
    rest += 10;
  }
  if (rest > 5 || (rest == 5 && whole % 2 != 0)) {
    whole += 1;
  }
  return static_cast<int32_t>(whole);
}

void FindConnectiveGroups() {
  ResetComponentTags();
  const std::vector<uint32_t>& sorted = ImportContext().SortedComponents;
  const TCountingStoredGroups counting;
  BeginProgress("Finding connective group...", static_cast<int64_t>(sorted.size()));
  TGroupingComponent a;
  for (const uint32_t handle : sorted) {
    Read(a, handle);
    if (a.Moveable != 0 && a.GroupIndex == 0 && IsLargeComponent(a))
      GrowConnectiveGroup(a);
    StepProgress();
  }
  EndProgress();
}

std::vector<TConnectedComponent> CollectConnectedComponents(uint32_t component) {
  std::vector<TConnectedComponent> list;
  const std::vector<uint32_t> nets = PadNetsOf(component);
  for (const uint32_t net : nets)
    if (net != 0)
      StoreNetTag(net, 0);
  for (const uint32_t net : nets) {
    if (IsFull(list))
      break;
    if (IsSignalNet(net) && MarkExamined(net)) {
      ClearVisitedMarks(net, component);
      CountReachedComponents(net, list);
    }
  }
  return list;
}

void AttachSmallComponents() {
  const TCountingStoredGroups counting;
  const std::vector<uint32_t> components = AllComponents();
  std::unordered_map<uint32_t, size_t> positions;
  for (size_t i = 0; i < components.size(); ++i)
    positions.emplace(components[i], i);
  TGroupingComponent a;
  for (const uint32_t handle : components) {
    Read(a, handle);
    if (a.Moveable != 0 && IsLargeComponent(a))
      AttachSmallComponentsTo(a, components, positions);
    Store(a);
  }
}

int32_t SharedPadPairs(uint32_t a, uint32_t b) {
  return SharedPadPairsOnNets(SignalNetsOfPads(a), b);
}
