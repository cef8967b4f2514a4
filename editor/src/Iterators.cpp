#include "Iterators.h"

#include "Board.h"
#include "Handles.h"

namespace Tarnix {

namespace {

constexpr uint32_t LargestSerial = UINT32_MAX >> 7;
constexpr uint8_t MethodBoard = 0;
constexpr uint8_t MethodGroup = 2;

// The board of an iterator's parent handle and the parent object (null for the board itself).
TBoard* BoardOfParent(uint32_t parent, const TObject*& parentObject) {
  if (TBoard* board = Handles().Board(parent)) {
    parentObject = nullptr;
    return board;
  }
  const TObject* object = Handles().Object(parent);
  if (object == nullptr || (object->Kind != TKind::Component && object->Kind != TKind::Net))
    return nullptr;
  parentObject = object;
  return object->Board;
}

}  // namespace

// Iterator handles carry the iterator kind in their low bits, so that they never equal an
// object's handle; their serial numbers are reused once the whole range has been handed out.
uint32_t TIterators::NewHandle() {
  for (uint32_t tries = 0; tries < LargestSerial; ++tries) {
    LastSerial = LastSerial == LargestSerial ? 1 : LastSerial + 1;
    const uint32_t handle = (LastSerial << 7) | static_cast<uint32_t>(TKind::Iterator);
    if (Live.find(handle) == Live.end())
      return handle;
  }
  return 0;
}

uint32_t TIterators::Create(uint32_t parent, uint8_t kind, uint8_t method, uint32_t layerId) {
  const TObject* parentObject = nullptr;
  if (BoardOfParent(parent, parentObject) == nullptr)
    return 0;
  if (method != MethodBoard && method != MethodGroup)
    return 0;
  const auto layer = LayerNumberOfId(layerId);
  if (!layer)
    return 0;
  const uint32_t handle = NewHandle();
  if (handle != 0)
    Live[handle] = TIterator{parent, static_cast<TKind>(kind), *layer, {}, 0, false};
  return handle;
}

uint32_t TIterators::First(uint32_t iterator) {
  const auto found = Live.find(iterator);
  if (found == Live.end())
    return 0;
  TIterator& it = found->second;
  const TObject* parentObject = nullptr;
  TBoard* board = BoardOfParent(it.Parent, parentObject);
  it.Objects =
      board != nullptr ? board->Walk(parentObject, it.Kind, it.Layer) : std::vector<uint32_t>{};
  it.Position = 0;
  it.Started = true;
  return Next(iterator);
}

uint32_t TIterators::Next(uint32_t iterator) {
  const auto found = Live.find(iterator);
  if (found == Live.end())
    return 0;
  TIterator& it = found->second;
  if (!it.Started)
    return First(iterator);
  // Objects that left the editor since the walk began are passed over.
  while (it.Position < it.Objects.size()) {
    const uint32_t handle = it.Objects[it.Position++];
    if (Handles().Object(handle) != nullptr)
      return handle;
  }
  return 0;
}

void TIterators::Destroy(uint32_t iterator) {
  Live.erase(iterator);
}

}  // namespace Tarnix
