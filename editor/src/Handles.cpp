#include "Handles.h"

namespace Tarnix {

namespace {

constexpr unsigned KindBits = 7;
constexpr uint32_t LargestSerial = UINT32_MAX >> KindBits;

}  // namespace

bool THandles::CanAllocate(uint64_t count) const {
  return count <= LargestSerial - LastSerial;
}

uint32_t THandles::NextHandle(TKind kind) {
  if (!CanAllocate(1))
    return 0;
  ++LastSerial;
  return (LastSerial << KindBits) | static_cast<uint32_t>(kind);
}

uint32_t THandles::Add(TObject& object) {
  const uint32_t handle = NextHandle(object.Kind);
  if (handle != 0)
    Entries[handle] = {&object, object.Board};
  return handle;
}

uint32_t THandles::Add(TBoard& board) {
  const uint32_t handle = NextHandle(TKind::Board);
  if (handle != 0)
    Entries[handle] = {nullptr, &board};
  return handle;
}

void THandles::Remove(uint32_t handle) {
  Entries.erase(handle);
}

TObject* THandles::Object(uint32_t handle) const {
  const auto entry = Entries.find(handle);
  return entry == Entries.end() ? nullptr : entry->second.Object;
}

TBoard* THandles::Board(uint32_t handle) const {
  const auto entry = Entries.find(handle);
  return entry == Entries.end() || entry->second.Object != nullptr ? nullptr : entry->second.Board;
}

}  // namespace Tarnix
