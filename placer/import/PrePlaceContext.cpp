// The import's shared state and its enumerations of the board.

#include "import/PrePlace.h"

#include <algorithm>

void TSupplyNetList::Clear() {
  Count = 0;
  Entries.fill(0);
  ReachedComponents.reset();
}

void TSupplyNetList::Add(uint32_t net) {
  if (Count < MaxSupplyNets)
    ++Count;
  Entries[static_cast<size_t>(Count)] = net;
  ReachedComponents.reset();
}

bool TSupplyNetList::Contains(uint32_t net) const {
  const auto first = Entries.begin() + 1;
  return std::find(first, first + Count, net) != first + Count;
}

TImportContext& ImportContext() {
  static TImportContext context;
  return context;
}

void BeginImport(TAutoPlacer& engine, uint32_t boardHandle) {
  TImportContext& context = ImportContext();
  context = TImportContext();
  context.Engine = &engine;
  context.BoardHandle = boardHandle;
}

namespace {

std::vector<uint32_t> Collect(uint32_t parent, TObjectKind kind, uint8_t method,
                              TLayerNumber layer) {
  std::vector<uint32_t> handles;
  ForEachObject(parent, kind, method, layer, [&](uint32_t object) { handles.push_back(object); });
  return handles;
}

}  // namespace

std::vector<uint32_t> AllComponents() {
  const uint32_t board = ImportContext().BoardHandle;
  std::vector<uint32_t> handles = Collect(board, ComponentObject, WalkMethod, TopLayer);
  ForEachObject(board, ComponentObject, WalkMethod, BottomLayer,
                [&](uint32_t component) { handles.push_back(component); });
  return handles;
}

std::vector<uint32_t> AllNets() {
  return Collect(ImportContext().BoardHandle, NetObject, WalkMethod, MultiLayer);
}

std::vector<uint32_t> KeepOutFills() {
  return Collect(ImportContext().BoardHandle, FillObject, WalkMethod, KeepOutLayer);
}

std::vector<uint32_t> KeepOutTracks() {
  return Collect(ImportContext().BoardHandle, TrackObject, WalkMethod, KeepOutLayer);
}

std::vector<uint32_t> NetPadsOnLayer(uint32_t net, TLayerNumber layer) {
  return Collect(net, PadObject, NetPadsMethod, layer);
}

int32_t TImportPad::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryPad(mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable,
                       &ComponentHandle, &X, &Y, &TopSizeX, &TopSizeY, &MidSizeX, &MidSizeY,
                       &BottomSizeX, &BottomSizeY, &HoleSize, &TopShape, &MidShape, &BottomShape,
                       &Name, &OpaqueByteBeforeRotation, &OpaqueByteAfterRotation, &Rotation,
                       &OpaqueString1, &OpaqueString2, &OpaqueValue, &OpaqueString3, &Tail1, &Tail2,
                       &Tail3, &Tail6, &Tail4, &Tail5, &Tail7, &Tail8, &Tail9);
}

namespace {

int32_t ExchangeHeader(uint8_t mode, uint32_t handle, TObjectHeader& header) {
  return Pcb::QueryPrimitive(mode, handle, &header.StateFlags, &header.Tag, &header.Layer,
                             &header.NetHandle, &header.ComponentHandle, &header.Moveable);
}

}  // namespace

TObjectHeader HeaderOf(uint32_t handle) {
  TObjectHeader header;
  ExchangeHeader(PcbApi_ModeRead, handle, header);
  return header;
}

void StoreTag(uint32_t handle, uint16_t tag) {
  TObjectHeader header;
  if (ExchangeHeader(PcbApi_ModeRead, handle, header) != 0)
    return;
  header.Tag = tag;
  ExchangeHeader(PcbApi_ModeWrite, handle, header);
}
