// A stand-in editor library holding one small board with pads that belong to no component, which
// the editor proper cannot hold. It exports only the entry points the import reads through; the
// others are missing, and the binding gives their default results.
//
// Board 1: nets N (401), F (402), M (403); components U1 (100) with pads 201 on N and 202 on M,
// U2 (101) with pad 203 on N; free pads 301 on N and 302 on F. Every pad lies on TopLayer; N walks
// its pads in the order 201, 301, 203.

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "pcb/PcbApi.h"

namespace {

constexpr uint32_t BoardHandle = 1;
constexpr uint8_t PadKind = 2, NetKind = 8, ComponentKind = 9;
constexpr uint32_t TopLayerId = 1, MultiLayerId = 74;

struct TFakeObject {
  uint8_t Kind = 0;
  uint32_t Net = 0;
  uint32_t Component = 0;
  int32_t X = 0;
  std::string Name;
  uint16_t Tag = 0;
  int32_t GroupIndex = 0;
};

std::map<uint32_t, TFakeObject>& Objects() {
  static std::map<uint32_t, TFakeObject> objects = {
      {100, {ComponentKind, 0, 0, 0, "U1"}},    {101, {ComponentKind, 0, 0, 1000000, "U2"}},
      {201, {PadKind, 401, 100, 0, "1"}},       {202, {PadKind, 403, 100, 100000, "2"}},
      {203, {PadKind, 401, 101, 1000000, "1"}}, {301, {PadKind, 401, 0, 500000, "F1"}},
      {302, {PadKind, 402, 0, 600000, "F2"}},   {401, {NetKind, 0, 0, 0, "N"}},
      {402, {NetKind, 0, 0, 0, "F"}},           {403, {NetKind, 0, 0, 0, "M"}}};
  return objects;
}

std::vector<uint32_t> Children(uint32_t parent, uint8_t kind, uint32_t layer) {
  std::vector<uint32_t> result;
  if (parent == BoardHandle) {
    const bool wanted = (kind == ComponentKind && layer == TopLayerId) ||
                        (kind == NetKind && layer == MultiLayerId);
    for (const auto& [handle, object] : Objects())
      if (wanted && object.Kind == kind)
        result.push_back(handle);
    return result;
  }
  if (kind != PadKind || (layer != 0 && layer != TopLayerId))
    return result;
  for (const uint32_t pad : {201u, 301u, 203u, 202u, 302u})
    if (Objects()[pad].Net == parent)
      result.push_back(pad);
  return result;
}

std::map<uint32_t, std::pair<std::vector<uint32_t>, size_t>> Iterators;
uint32_t LastIterator = 1000;

TFakeObject* Find(uint32_t handle) {
  const auto found = Objects().find(handle);
  return found != Objects().end() ? &found->second : nullptr;
}

template <class T>
void Exchange(uint8_t mode, T* field, T& value) {
  if (field == nullptr)
    return;
  if (mode == PcbApi_ModeRead)
    *field = value;
  else
    value = *field;
}

template <class T>
void Give(uint8_t mode, T* field, T value) {
  if (field != nullptr && mode == PcbApi_ModeRead)
    *field = value;
}

template <size_t N>
void GiveString(uint8_t mode, char (*field)[N], const std::string& text) {
  if (field == nullptr || mode != PcbApi_ModeRead)
    return;
  (*field)[0] = static_cast<char>(text.size());
  std::memcpy(*field + 1, text.data(), text.size());
}

}  // namespace

extern "C" {

uint32_t PCBAPI_CALL PcbApi_CreateIterator(uint32_t Parent, uint8_t ObjectKind, uint8_t,
                                           uint32_t Layer) {
  Iterators[++LastIterator] = {Children(Parent, ObjectKind, Layer), 0};
  return LastIterator;
}

uint32_t PCBAPI_CALL PcbApi_GetNextObject(uint32_t Iterator) {
  auto& [objects, position] = Iterators[Iterator];
  return position < objects.size() ? objects[position++] : 0;
}

uint32_t PCBAPI_CALL PcbApi_GetFirstObject(uint32_t Iterator) {
  Iterators[Iterator].second = 0;
  return PcbApi_GetNextObject(Iterator);
}

void PCBAPI_CALL PcbApi_DestroyIterator(uint32_t Iterator) {
  Iterators.erase(Iterator);
}

int32_t PCBAPI_CALL PcbApi_QueryObjectBoundingRectangle(uint32_t Object, int32_t* X1, int32_t* Y1,
                                                        int32_t* X2, int32_t* Y2) {
  const TFakeObject* object = Find(Object);
  const int32_t x = object != nullptr ? object->X : 0;
  *X1 = x - 50000;
  *Y1 = -50000;
  *X2 = Object == BoardHandle ? 2000000 : x + 150000;
  *Y2 = 50000;
  return 0;
}

int32_t PCBAPI_CALL PcbApi_QueryPrimitive(uint8_t Mode, uint32_t Object, uint16_t*, uint16_t* Tag,
                                          uint32_t* Layer, uint32_t* NetHandle,
                                          uint32_t* ComponentHandle, uint8_t* Moveable) {
  TFakeObject* object = Find(Object);
  if (object == nullptr)
    return 1;
  Exchange(Mode, Tag, object->Tag);
  Give(Mode, Layer, TopLayerId);
  Give(Mode, NetHandle, object->Net);
  Give(Mode, ComponentHandle, object->Component);
  Give(Mode, Moveable, uint8_t{1});
  return 0;
}

int32_t PCBAPI_CALL PcbApi_QueryNet(uint8_t Mode, uint32_t Net, uint16_t* Tag, PcbString255* Name,
                                    uint8_t*, uint8_t*) {
  TFakeObject* object = Find(Net);
  if (object == nullptr || object->Kind != NetKind)
    return 1;
  Exchange(Mode, Tag, object->Tag);
  GiveString(Mode, Name, object->Name);
  return 0;
}

int32_t PCBAPI_CALL PcbApi_QueryComponent(uint8_t Mode, uint32_t Component, uint16_t*,
                                          uint16_t* Tag, uint8_t* LayerNumber, uint8_t* Moveable,
                                          uint32_t*, uint32_t*, PcbString250*, uint8_t*, uint8_t*,
                                          int32_t* X, int32_t* Y, int32_t* GroupIndex, double*,
                                          uint8_t*) {
  TFakeObject* object = Find(Component);
  if (object == nullptr || object->Kind != ComponentKind)
    return 1;
  Exchange(Mode, Tag, object->Tag);
  Exchange(Mode, GroupIndex, object->GroupIndex);
  Give(Mode, LayerNumber, uint8_t{1});
  Give(Mode, Moveable, uint8_t{1});
  Give(Mode, X, object->X);
  Give(Mode, Y, 0);
  return 0;
}

int32_t PCBAPI_CALL PcbApi_QueryComponent_GetObjectAt(uint32_t Component, uint8_t* ObjectKind,
                                                      uint16_t* Index, uint32_t* Child) {
  std::vector<uint32_t> pads;
  for (const auto& [handle, object] : Objects())
    if (object.Kind == PadKind && object.Component == Component)
      pads.push_back(handle);
  *Child = *ObjectKind == PadKind && *Index >= 1 && *Index <= pads.size() ? pads[*Index - 1] : 0;
  return 0;
}

int32_t PCBAPI_CALL PcbApi_QueryPad(uint8_t Mode, uint32_t Pad, uint16_t*, uint16_t* Tag,
                                    uint32_t* Layer, uint32_t* NetHandle, uint8_t*,
                                    uint32_t* ComponentHandle, int32_t* X, int32_t* Y, int32_t*,
                                    int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, int32_t*,
                                    uint8_t*, uint8_t*, uint8_t*, PcbString20* Name, uint8_t*,
                                    uint8_t*, double*, PcbString20*, PcbString20*, int32_t*,
                                    PcbString20*, uint8_t*, uint8_t*, int32_t*, PcbBytes8*,
                                    int32_t*, int32_t*, int32_t*, uint8_t*, uint8_t*) {
  TFakeObject* object = Find(Pad);
  if (object == nullptr || object->Kind != PadKind)
    return 1;
  Exchange(Mode, Tag, object->Tag);
  Give(Mode, Layer, TopLayerId);
  Give(Mode, NetHandle, object->Net);
  Give(Mode, ComponentHandle, object->Component);
  Give(Mode, X, object->X);
  Give(Mode, Y, 0);
  GiveString(Mode, Name, object->Name);
  return 0;
}

}  // extern "C"
