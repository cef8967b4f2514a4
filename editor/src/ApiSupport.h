#pragma once

// What the PcbApi_ entry points share: finding the object or board of a handle, exchanging the
// header fields, and committing a write only when every written value is acceptable.

#include <utility>

#include "Editor.h"
#include "FieldIo.h"

namespace Tarnix {

// The values an object of a kind may hold beyond its layer and net.
inline bool Acceptable(const TObject&) {
  return true;
}
bool Acceptable(const TPad& pad);
bool Acceptable(const TTrack& track);
bool Acceptable(const TArc& arc);
bool Acceptable(const TVia& via);
bool Acceptable(const TText& text);
// A net's name must stay unique on its board.
bool Acceptable(const TNet& net);

// The handle of the object's net (0 for none); a write must name a net of the same board.
void NetHandle(TFieldIo& io, uint32_t* field, TObject& object);

// The header that most primitive queries begin with: state flags, tag, layer id, net, whether it
// may be moved and its owning component.
void Header(TFieldIo& io, TObject& object, uint16_t* stateFlags, uint16_t* tag, uint32_t* layer,
            uint32_t* net, uint8_t* moveable, uint32_t* owner);

// The component that owns the object (0 for a free one); it cannot be changed.
void OwnerHandle(TFieldIo& io, uint32_t* field, const TObject& object);

// Commits the staged copy of an object when its layer, net and values are acceptable.
template <typename T>
int32_t Commit(T& object, T& staged) {
  const bool netChanged = staged.Net != object.Net;
  if (!staged.AcceptsLayer(staged.Layer) ||
      (netChanged && staged.Net != nullptr && !staged.AcceptsNet()) || !Acceptable(staged))
    return StatusFailed;
  object = std::move(staged);
  if (netChanged)
    object.Board->NetsChanged();
  return StatusOk;
}

// A query of one object of kind T: reads straight from the object, writes through a staged copy.
template <typename T, typename Exchange>
int32_t QueryObject(uint8_t mode, uint32_t handle, TKind kind, Exchange&& exchange) {
  T* object = Handles().Find<T>(handle, kind);
  if (object == nullptr || !TFieldIo::KnownMode(mode))
    return StatusFailed;
  TFieldIo io(mode);
  if (io.IsReading()) {
    exchange(io, *object);
    return io.Refused() ? StatusFailed : StatusOk;
  }
  T staged = *object;
  exchange(io, staged);
  return io.Refused() ? StatusFailed : Commit(*object, staged);
}

// The header of any object, staged apart from the object for queries that exchange only the
// header.
struct THeaderValues {
  explicit THeaderValues(const TObject& object);
  void CommitTo(TObject& object) const;

  const TObject& Object;
  uint16_t StateFlags;
  uint16_t Tag;
  uint8_t BitField2;
  uint16_t BitField3;
  TLayerNumber Layer;
  TNet* Net;
  uint8_t Moveable;
};

// The net handle of staged header values.
void NetHandle(TFieldIo& io, uint32_t* field, THeaderValues& header);

template <typename Exchange>
int32_t QueryHeader(uint8_t mode, uint32_t handle, Exchange&& exchange) {
  TObject* object = Handles().Object(handle);
  if (object == nullptr || !TFieldIo::KnownMode(mode))
    return StatusFailed;
  TFieldIo io(mode);
  THeaderValues staged(*object);
  exchange(io, staged);
  if (io.IsReading())
    return io.Refused() ? StatusFailed : StatusOk;
  const bool netChanged = staged.Net != object->Net;
  if (io.Refused() || !object->AcceptsLayer(staged.Layer) ||
      (netChanged && staged.Net != nullptr && !object->AcceptsNet()))
    return StatusFailed;
  staged.CommitTo(*object);
  if (netChanged)
    object->Board->NetsChanged();
  return StatusOk;
}

// A query of a board's settings: reads straight from the board, writes through a staged copy.
template <typename Exchange>
int32_t QuerySettings(uint8_t mode, uint32_t boardHandle, Exchange&& exchange) {
  TBoard* board = Editor().BoardOf(boardHandle);
  if (board == nullptr || !TFieldIo::KnownMode(mode))
    return StatusFailed;
  TFieldIo io(mode);
  if (io.IsReading()) {
    exchange(io, board->Settings, *board);
    return io.Refused() ? StatusFailed : StatusOk;
  }
  TBoardSettings staged = board->Settings;
  exchange(io, staged, *board);
  if (io.Refused())
    return StatusFailed;
  board->Settings = std::move(staged);
  return StatusOk;
}

// A query of the system options, likewise.
template <typename Exchange>
int32_t QuerySystem(uint8_t mode, Exchange&& exchange) {
  if (!TFieldIo::KnownMode(mode))
    return StatusFailed;
  TFieldIo io(mode);
  TSystemOptions& options = Editor().SystemOptions;
  if (io.IsReading()) {
    exchange(io, options);
    return io.Refused() ? StatusFailed : StatusOk;
  }
  TSystemOptions staged = options;
  exchange(io, staged);
  if (io.Refused())
    return StatusFailed;
  options = std::move(staged);
  return StatusOk;
}

}  // namespace Tarnix
