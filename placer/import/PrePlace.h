#pragma once

// The board import: what its steps share. The import turns the board of a PCB document into the
// engine's records in a fixed sequence of steps (PrePlace.cpp); the steps keep a little state of
// their own here, store intermediate numbers in the PCB objects' Tag fields, and walk the board
// with the enumerations below. The grouping (PrePlaceGrouping.h) uses the same state, enumerations
// and tests.
//
// One import runs at a time, on the host's main thread: the state is process-wide.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/PlaceObj.h"
#include "engine/PlacerBoard.h"
#include "engine/PlacerComponent.h"
#include "pcb/PCBProcs.h"
#include "pcb/Pcbclass.h"

// ---------------------------------------------------------------------------------------------
// Module state.

// Most net handles a supply net list holds.
inline constexpr int32_t MaxSupplyNets = 10;

// A list of supply net handles: entries 1..Count of Entries are in use (entry 0 stays 0).
struct TSupplyNetList {
  int32_t Count = 0;
  std::array<uint32_t, MaxSupplyNets + 1> Entries = {};

  // The components with a pad on a listed net, found by the first question after the list last
  // changed, so that asking for every component walks the listed nets once, not once each.
  mutable std::optional<std::unordered_set<uint32_t>> ReachedComponents;

  void Clear();
  // Appends a handle; when the list is full the last entry is replaced.
  void Add(uint32_t net);
  bool Contains(uint32_t net) const;
};

// Where the arrangement of groups beside the board puts the next group (board units).
struct TArrangeCursor {
  int32_t GX = 0;
  int32_t GY = 0;
  int32_t ColumnLimit = 0;
};

struct TImportContext {
  TAutoPlacer* Engine = nullptr;  // the engine being imported into
  uint32_t BoardHandle = 0;       // the editor's handle of the board being imported
  TSupplyNetList PowerNetList;
  TSupplyNetList GroundNetList;
  int32_t GroupCounter = 0;                // last group number handed out
  std::vector<uint32_t> SortedComponents;  // component handles, most pads first
  int32_t GroupSizeLimit = 0;
  TArrangeCursor Cursor;

  // The engine's board mirror with the placer options; the engine must have one.
  TBoard& Board() const { return *Engine->Board; }
};

// The state of the current import.
TImportContext& ImportContext();

// Starts an import into this engine of that board: everything else of the state is cleared.
void BeginImport(TAutoPlacer& engine, uint32_t boardHandle);

// ---------------------------------------------------------------------------------------------
// Enumerations of the PCB editor's objects. Each creates one editor iterator, walks it to the end
// and destroys it; the callback gets every handle in the editor's order.

template <class Visit>
void ForEachObject(uint32_t parent, TObjectKind kind, uint8_t method, TLayerNumber layer,
                   Visit&& visit) {
  const uint32_t iterator = Pcb::CreateIterator(parent, kind, method, layer);
  if (iterator == 0)
    return;
  for (uint32_t object = Pcb::GetFirstObject(iterator); object != 0;
       object = Pcb::GetNextObject(iterator))
    visit(object);
  Pcb::DestroyIterator(iterator);
}

// The same, stopping at the first handle for which found(handle) is true; whether there was one.
template <class Found>
bool FindObject(uint32_t parent, TObjectKind kind, uint8_t method, TLayerNumber layer,
                Found&& found) {
  const uint32_t iterator = Pcb::CreateIterator(parent, kind, method, layer);
  if (iterator == 0)
    return false;
  bool result = false;
  for (uint32_t object = Pcb::GetFirstObject(iterator); object != 0;
       object = Pcb::GetNextObject(iterator)) {
    if (found(object)) {
      result = true;
      break;
    }
  }
  Pcb::DestroyIterator(iterator);
  return result;
}

// Iteration methods: 0 walks a kind on one layer of a board, or counts a net's pads; 2 walks a
// net's pads on one layer.
inline constexpr uint8_t WalkMethod = 0;
inline constexpr uint8_t NetPadsMethod = 2;

// All components of the current board: the top side, then the bottom side.
std::vector<uint32_t> AllComponents();
// All nets of the current board.
std::vector<uint32_t> AllNets();
// Fills and tracks on the keep-out layer of the current board.
std::vector<uint32_t> KeepOutFills();
std::vector<uint32_t> KeepOutTracks();

// The pads of a net on one layer (0 = every layer), by iteration method 2.
std::vector<uint32_t> NetPadsOnLayer(uint32_t net, TLayerNumber layer);
// The layers of a net's three pad enumerations, in their order.
inline constexpr std::array<TLayerNumber, 3> NetPadLayers = {TopLayer, BottomLayer, MultiLayer};
// Calls visit(pad) for the pads of each of the net's three enumerations in turn.
template <class Visit>
void ForEachPadOfNet(uint32_t net, Visit&& visit) {
  for (const TLayerNumber layer : NetPadLayers)
    ForEachObject(net, PadObject, NetPadsMethod, layer, visit);
}

// ---------------------------------------------------------------------------------------------
// Light mirrors for the import's many reads.

// A pad mirror that exchanges the pad's record (header, centre, sizes, name, rotation) but not its
// per-layer sizes and shapes, which the import never uses: one editor call instead of hundreds.
class TImportPad : public TPcbPad {
 public:
  explicit TImportPad(uint32_t handle = 0) : TPcbPad(handle) {}
  int32_t Sync(uint8_t mode) override;
};

// The header of any object (one editor call; the object's bit fields are not exchanged).
struct TObjectHeader {
  uint16_t StateFlags = 0;
  uint16_t Tag = 0;
  TLayerId Layer = 0;
  uint32_t NetHandle = 0;
  uint32_t ComponentHandle = 0;  // the owning component, 0 = free
  uint8_t Moveable = 0;

  TLayerNumber LayerNumber() const { return LayerNumberFromId(Layer); }
};
TObjectHeader HeaderOf(uint32_t handle);
// Stores a Tag in any object: its header read, the Tag changed, the header written back.
void StoreTag(uint32_t handle, uint16_t tag);

// ---------------------------------------------------------------------------------------------
// Net tests. The supply net lists are those of the current import.

// Whether name is one of the blank-separated names of list (letters a to z compare without case).
bool NameInList(std::string_view name, std::string_view list);

// Rebuilds both supply net lists from the nets named in the board's PowerNets and GroundNets.
void BuildSupplyNetLists();

bool IsPowerNet(uint32_t net);
bool IsGroundNet(uint32_t net);
// A net that is there and on neither list.
bool IsSignalNet(uint32_t net);

// ---------------------------------------------------------------------------------------------
// Component tests, on a component mirror that has just been read (Sync(1)).

int32_t PadCount(const TPcbComponent& component);
bool IsLargeComponent(const TPcbComponent& component);      // more than 7 pads
bool IsVeryLargeComponent(const TPcbComponent& component);  // more than 13 pads
// The sides of the component's bounding rectangle, taken from the mirror's last read.
int32_t ComponentWidth(const TPlacerComponent& component);
int32_t ComponentHeight(const TPlacerComponent& component);
// Two pads, small (500 by 200 mil at most, the small clearance added to both), and either both
// pads unconnected or one on a listed power net and the other on a listed ground net.
bool IsBypassCapacitor(const TPlacerComponent& component);
// On a listed power net and a listed ground net, or with two pads the editor calls supply pads.
bool IsPowered(const TPcbComponent& component);
