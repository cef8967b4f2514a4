// The board's layer stack: the layer records and their exchange, the walk through the stack, and
// the drill layer pairs with their names.

#include <algorithm>

#include "pcb/PCBProcs.h"
#include "pcb/PcbStrings.h"
#include "pcb/PcbclassBoard.h"

namespace {

constexpr std::size_t MaxTextLength = 255;

// More pairs than this the editor cannot mean; a larger count is read as this many, so that a
// corrupt count cannot exhaust memory.
constexpr int32_t MaxLayerPairs = 0xFFFF;

bool IsRead(uint8_t mode) {
  return mode == PcbApi_ModeRead;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Layer records

TLayerObject::TLayerObject(uint32_t boardHandle, TLayerNumber layerNumber)
    : BoardHandle(boardHandle), LayerNumber(layerNumber), Name(LayerName(layerNumber)) {}

int32_t TLayerObject::Sync(uint8_t mode) {
  PcbString255 name = {};
  ToPcbString(name, Name);
  const int32_t status =
      Pcb::QueryLayer(mode, LayerNumber, BoardHandle, &name, &CopperThickness, &LayerFlag1,
                      &LayerFlag2, &PrevLayer, &NextLayer, &LayerFlag3);
  if (IsRead(mode))
    Name = FromPcbString(name);
  SyncDielectric(mode);
  return status;
}

int32_t TLayerObject::SyncDielectric(uint8_t mode) {
  PcbString255 material = {};
  ToPcbString(material, DielectricMaterial);
  const int32_t status =
      Pcb::QueryLayerDielectric(mode, LayerNumber, BoardHandle, &material, &DielectricType,
                                &DielectricConstant, &DielectricHeight);
  if (IsRead(mode))
    DielectricMaterial = FromPcbString(material);
  return status;
}

TInternalPlane::TInternalPlane(uint32_t boardHandle, TLayerNumber layerNumber)
    : TLayerObject(boardHandle, layerNumber) {}

int32_t TInternalPlane::Sync(uint8_t mode) {
  PcbString255 name = {};
  PcbString255 planeNetName = {};
  ToPcbString(name, Name);
  ToPcbString(planeNetName, PlaneNetName);
  const int32_t status =
      Pcb::QueryInternalPlane(mode, LayerNumber, BoardHandle, &name, &CopperThickness, &LayerFlag1,
                              &LayerFlag2, &PrevLayer, &NextLayer, &planeNetName);
  if (IsRead(mode)) {
    Name = FromPcbString(name);
    PlaneNetName = FromPcbString(planeNetName);
  }
  SyncDielectric(mode);
  return status;
}

// ---------------------------------------------------------------------------------------------
// The stack walk

TLayerObject* TPcbBoard::LayerRecord(int64_t layerNumber) const {
  if (layerNumber < FirstLayer || layerNumber > LastLayer)
    return nullptr;
  return Layers[static_cast<std::size_t>(layerNumber)].get();
}

TLayerObject* TPcbBoard::FirstStackLayer() const {
  for (unsigned n = FirstLayer; n <= LastLayer; ++n) {
    if (Layers[n]->PrevLayer == NoLayer)
      return Layers[n].get();
  }
  return nullptr;
}

TLayerObject* TPcbBoard::NextStackLayer(const TLayerObject& layer) const {
  return LayerRecord(layer.NextLayer);
}

// A walk that comes back to a record it has passed ends there, so that links the editor made into
// a loop end it like the bottom of the stack.
int TPcbBoard::StackPosition(const TLayerSet& set, const TLayerObject& layer) const {
  if (!set.Contains(layer.LayerNumber))
    return 0;
  int position = 0;
  TLayerSet passed;
  for (const TLayerObject* walk = FirstStackLayer();
       walk != nullptr && !passed.Contains(walk->LayerNumber); walk = NextStackLayer(*walk)) {
    passed = passed.With(walk->LayerNumber, walk->LayerNumber);
    if (set.Contains(walk->LayerNumber))
      ++position;
    if (walk == &layer)
      break;
  }
  return position;
}

// ---------------------------------------------------------------------------------------------
// Layer pairs

std::string TPcbBoard::LayerPairName(const TPcblayerPair& pair) const {
  const TLayerNumber number1 = LayerNumberFromId(pair.Layer1);
  const TLayerNumber number2 = LayerNumberFromId(pair.Layer2);
  const TLayerObject* layer1 = LayerRecord(number1);
  const TLayerObject* layer2 = LayerRecord(number2);
  // A layer id without a layer record (no layer) is named by its number's name.
  const std::string name1 = layer1 != nullptr ? layer1->Name : LayerName(number1);
  const std::string name2 = layer2 != nullptr ? layer2->Name : LayerName(number2);
  const int position1 = layer1 != nullptr ? StackPosition(ElectricalLayers, *layer1) : 0;
  const int position2 = layer2 != nullptr ? StackPosition(ElectricalLayers, *layer2) : 0;
  std::string name = position2 <= position1 ? name2 + " - " + name1 : name1 + " - " + name2;
  if (name.size() > MaxTextLength)
    name.resize(MaxTextLength);
  return name;
}

void TPcbBoard::ReadLayerPairs() {
  LayerPairs.clear();
  int32_t count = 0;
  if (Pcb::QueryBoardLayerPairsCount(Handle, &count, PcbApi_ModeRead) != 0)
    return;
  count = std::min(count, MaxLayerPairs);
  for (int32_t i = 0; i < count; ++i) {
    auto pair = std::make_unique<TPcblayerPair>();
    Pcb::QueryBoardLayerPairAt(PcbApi_ModeRead, Handle, i, &pair->Layer1, &pair->Layer2,
                               &pair->Opaque2, &pair->Opaque1);
    pair->Name = LayerPairName(*pair);
    LayerPairs.push_back(std::move(pair));
  }
}

void TPcbBoard::WriteLayerPairs(uint8_t mode) {
  int32_t count = static_cast<int32_t>(LayerPairs.size());
  Pcb::QueryBoardLayerPairsCount(Handle, &count, PcbApi_ModeWrite);
  int32_t index = 0;
  for (const auto& pair : LayerPairs) {
    Pcb::QueryBoardLayerPairAt(mode, Handle, index, &pair->Layer1, &pair->Layer2, &pair->Opaque2,
                               &pair->Opaque1);
    ++index;
  }
}
