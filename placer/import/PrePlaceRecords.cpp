// Components: group indices, numbering, component and pin records, net records, classification.

#include <algorithm>
#include <limits>

#include "import/PrePlace.h"
#include "import/PrePlaceSteps.h"

namespace {

constexpr size_t DesignatorLength = 12;
constexpr size_t PadNameLength = 4;

// Calls visit(pad handle, pad number) for the component's pads in ChildAt order.
template <class Visit>
void ForEachPadOfComponent(const TPcbComponent& component, Visit&& visit) {
  for (uint16_t i = 1;; ++i) {
    const uint32_t pad = component.ChildAt(PadObject, i);
    if (pad == 0)
      return;
    visit(pad, i);
    if (i == std::numeric_limits<uint16_t>::max())
      return;
  }
}

// The signal-net number of a pad's net: the net's Tag after ClassifyNets; 0 without a net.
int32_t NetNumberOf(uint32_t net) {
  return net != 0 ? HeaderOf(net).Tag : 0;
}

std::unique_ptr<TPinRecord> PinOf(const TImportPad& pad, int32_t component) {
  auto pin = std::make_unique<TPinRecord>();
  pin->PadName = pad.GetName().substr(0, PadNameLength);
  pin->X = pad.X;
  pin->Y = pad.Y;
  pin->ComponentNumber = component;
  pin->NetNumber = NetNumberOf(pad.NetHandle);
  if (IsPowerNet(pad.NetHandle) || IsGroundNet(pad.NetHandle))
    pin->SupplyNet = pad.NetHandle;
  return pin;
}

void AddPins(TCompRecord& record, const TPcbComponent& component, int32_t number) {
  TImportPad pad;
  bool throughHole = false;
  ForEachPadOfComponent(component, [&](uint32_t handle, uint16_t) {
    pad.Handle = handle;
    pad.Sync(PcbApi_ModeRead);
    throughHole = throughHole || pad.GetLayerNumber() == MultiLayer;
    record.Pins.push_back(PinOf(pad, number));
  });
  record.PinCount = static_cast<int32_t>(record.Pins.size());
  record.SingleLayer = throughHole ? 0 : 1;
}

void SetFootprint(TCompRecord& record, const TPlacerComponent& component) {
  const TBoard& board = ImportContext().Board();
  const int64_t clearance =
      record.PinCount <= 2 ? board.SmallComponentClearance : board.LargeComponentClearance;
  record.Width = Saturated(int64_t{component.BoundsRight} - component.BoundsLeft + clearance);
  record.Height = Saturated(int64_t{component.BoundsTop} - component.BoundsBottom + clearance);
  record.CenterX = component.BoundsLeft / 2 + component.BoundsRight / 2;
  record.CenterY = component.BoundsBottom / 2 + component.BoundsTop / 2;
}

std::unique_ptr<TCompRecord> RecordOf(const TPlacerComponent& component, int32_t number) {
  auto record = std::make_unique<TCompRecord>();
  record->Rotation = 0;
  record->OriginalRotation = component.Rotation;
  record->GroupNext = number;
  record->GroupPrev = number;
  record->GroupId = component.GroupIndex;
  record->FullDesignator = TextOf(component.NameTextHandle);
  record->Designator = record->FullDesignator.substr(0, DesignatorLength);
  record->Layer = component.GetLayerNumber();
  record->Movable = component.Moveable != 0 ? 1 : 0;
  record->Handle = component.Handle;
  record->ImportNumber = number;
  AddPins(*record, component, number);
  record->X = component.X;
  record->Y = component.Y;
  SetFootprint(*record, component);
  return record;
}

int32_t ClassificationOf(const TPlacerComponent& component) {
  int32_t flags = 0;
  if (IsLargeComponent(component))
    flags |= FlagLarge;
  if (IsVeryLargeComponent(component))
    flags |= FlagVeryLarge;
  if (IsPowered(component))
    flags |= FlagPowered;
  if (IsBypassCapacitor(component))
    flags |= FlagBypass;
  if (component.Moveable == 0)
    flags |= FlagFixed;
  return flags;
}

// The pin record of a component pad, through the component's number and the pad's number kept in
// their Tags; none for a free pad or numbers that lead nowhere.
TPinRecord* PinOfPad(const TAutoPlacer& engine, uint32_t pad) {
  const TObjectHeader padHeader = HeaderOf(pad);
  if (padHeader.ComponentHandle == 0)
    return nullptr;
  const size_t component = HeaderOf(padHeader.ComponentHandle).Tag;
  if (component < 1 || component > engine.Components.size() ||
      engine.Components[component - 1] == nullptr)
    return nullptr;
  const TCompRecord& record = *engine.Components[component - 1];
  const size_t number = padHeader.Tag;
  if (number < 1 || number > record.Pins.size())
    return nullptr;
  return record.Pins[number - 1].get();
}

}  // namespace

void ResetGroupIndices() {
  TPcbComponent component;
  for (const uint32_t handle : AllComponents()) {
    component.Handle = handle;
    component.Sync(PcbApi_ModeRead);
    component.GroupIndex = 0;
    component.Sync(PcbApi_ModeWrite);
  }
}

// Component numbers are 1..N in the order of all components; pad numbers 1..n within each
// component.
void NumberComponents() {
  TPcbComponent component;
  uint32_t number = 0;
  for (const uint32_t handle : AllComponents()) {
    component.Handle = handle;
    component.Sync(PcbApi_ModeRead);
    component.Tag = static_cast<uint16_t>(++number);
    ForEachPadOfComponent(component, [&](uint32_t pad, uint16_t i) { StoreTag(pad, i); });
    component.Sync(PcbApi_ModeWrite);
  }
}

int32_t CountComponents() {
  return static_cast<int32_t>(AllComponents().size());
}

// Each record goes to the position of its component number. The number is counted here in the
// same enumeration that NumberComponents numbered, so it equals the component's Tag; counting it
// keeps every record in a slot of its own even where a 16-bit Tag could not hold the number.
void BuildComponentRecords() {
  TAutoPlacer& engine = *ImportContext().Engine;
  TPlacerComponent component;
  size_t number = 0;
  for (const uint32_t handle : AllComponents()) {
    if (number == engine.Components.size())
      break;
    component.Handle = handle;
    component.Sync(PcbApi_ModeRead);
    ++number;
    engine.Components[number - 1] = RecordOf(component, static_cast<int32_t>(number));
  }
  // Should the editor yield fewer components than it counted, the engine sees only the real ones.
  engine.Components.resize(number);
  engine.ComponentCount = static_cast<int32_t>(number);
}

// A net's pins are the pin records of its component pads, in the order of its pad enumeration;
// pads that belong to no component are left out.
void BuildNetRecords() {
  TAutoPlacer& engine = *ImportContext().Engine;
  TPcbNet net;
  for (const uint32_t handle : AllNets()) {
    net.Handle = handle;
    net.Sync(PcbApi_ModeRead);
    const size_t number = net.Tag;
    if (number < 1 || number > engine.Nets.size() || engine.Nets[number - 1] != nullptr)
      continue;
    const std::vector<uint32_t> pads = NetPadsOnLayer(handle, NoLayer);
    if (pads.empty())
      continue;
    auto record = std::make_unique<TNetRecord>();
    for (const uint32_t pad : pads)
      if (TPinRecord* pin = PinOfPad(engine, pad))
        record->Pins.push_back(pin);
    record->PinCount = static_cast<int32_t>(record->Pins.size());
    record->PinsOriginal = record->Pins;
    record->Parent.assign(record->Pins.size(), 0);
    engine.Nets[number - 1] = std::move(record);
  }
  // Every numbered net has a component pad, so every slot is filled; should the editor disagree,
  // the net is left without pins rather than missing.
  for (std::unique_ptr<TNetRecord>& record : engine.Nets)
    if (record == nullptr)
      record = std::make_unique<TNetRecord>();
}

void ClassifyComponents() {
  TPlacerComponent component;
  for (const uint32_t handle : AllComponents()) {
    component.Handle = handle;
    component.Sync(PcbApi_ModeRead);
    component.Tag = static_cast<uint16_t>(ClassificationOf(component));
    component.Sync(PcbApi_ModeWrite);
  }
}

// Flags are matched to records by position in the enumeration of all components.
void CopyComponentFlags() {
  TAutoPlacer& engine = *ImportContext().Engine;
  size_t position = 0;
  for (const uint32_t handle : AllComponents()) {
    if (position == engine.Components.size())
      break;
    engine.Components[position++]->Flags = HeaderOf(handle).Tag;
  }
}
