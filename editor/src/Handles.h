#pragma once

// The registry of handles. Every board and every object gets a process-unique 32-bit handle when
// it enters the editor; the low 7 bits hold the object's kind, the bits above a serial number that
// is never handed out twice. 0 is no handle.

#include <cstdint>
#include <unordered_map>

#include "Objects.h"

namespace Tarnix {

class THandles {
 public:
  // Whether Count more handles can be handed out.
  bool CanAllocate(uint64_t count) const;
  // Records the object, or the board, under a new handle and returns it; 0 when the handles are
  // used up.
  uint32_t Add(TObject& object);
  uint32_t Add(TBoard& board);
  void Remove(uint32_t handle);

  // The object of a handle, or null for an unknown handle (or a board's).
  TObject* Object(uint32_t handle) const;
  // The object of a handle when it is of that kind.
  template <typename T>
  T* Find(uint32_t handle, TKind kind) const {
    TObject* object = Object(handle);
    return object != nullptr && object->Kind == kind ? static_cast<T*>(object) : nullptr;
  }
  // The board of a board handle.
  TBoard* Board(uint32_t handle) const;

 private:
  uint32_t NextHandle(TKind kind);

  struct TEntry {
    TObject* Object = nullptr;
    TBoard* Board = nullptr;
  };
  std::unordered_map<uint32_t, TEntry> Entries;
  uint32_t LastSerial = 0;
};

// The editor's registry (Editor.cpp).
THandles& Handles();

// The kind in the low 7 bits of a handle.
inline TKind KindOfHandle(uint32_t handle) {
  return static_cast<TKind>(handle & 0x7Fu);
}

}  // namespace Tarnix
