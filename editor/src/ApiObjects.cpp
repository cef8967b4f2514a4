// Entry points for boards, iterators and objects in general.

#include "ApiSupport.h"

using namespace Tarnix;

namespace {

// The bounding rectangle of a board or an object.
bool BoundsOf(uint32_t handle, TRect& rect) {
  if (const TBoard* board = Editor().BoardOf(handle)) {
    rect = board->Bounds();
    return true;
  }
  const TObject* object = Handles().Object(handle);
  if (object == nullptr)
    return false;
  TExtent extent;
  object->AddBounds(extent);
  rect = extent.Covering();
  return true;
}

}  // namespace

extern "C" {

uint32_t PCBAPI_CALL PcbApi_GetCurrentBoardHandle() {
  return Editor().Current();
}

void PCBAPI_CALL PcbApi_SetCurrentBoardHandle(uint32_t Board) {
  Editor().SetCurrent(Board);
}

uint32_t PCBAPI_CALL PcbApi_GetBoardHandleFromFileName(const PcbString255* FileName) {
  if (FileName == nullptr)
    return 0;
  const TBoard* board =
      Editor().BoardOfFileName(FromPcbString(*FileName), sizeof(PcbString255) - 1);
  return board != nullptr ? board->Handle : 0;
}

uint32_t PCBAPI_CALL PcbApi_CreateIterator(uint32_t Parent, uint8_t ObjectKind, uint8_t Method,
                                           uint32_t Layer) {
  return Editor().Iterators.Create(Parent, ObjectKind, Method, Layer);
}

uint32_t PCBAPI_CALL PcbApi_GetFirstObject(uint32_t Iterator) {
  return Editor().Iterators.First(Iterator);
}

uint32_t PCBAPI_CALL PcbApi_GetNextObject(uint32_t Iterator) {
  return Editor().Iterators.Next(Iterator);
}

void PCBAPI_CALL PcbApi_DestroyIterator(uint32_t Iterator) {
  Editor().Iterators.Destroy(Iterator);
}

uint32_t PCBAPI_CALL PcbApi_GetObjectIdFromObjectHandle(uint32_t Object) {
  if (Editor().BoardOf(Object) == nullptr && Handles().Object(Object) == nullptr)
    return 0;
  return static_cast<uint32_t>(KindOfHandle(Object));
}

int32_t PCBAPI_CALL PcbApi_QueryObjectBoundingRectangle(uint32_t Object, int32_t* X1, int32_t* Y1,
                                                        int32_t* X2, int32_t* Y2) {
  TRect rect;
  if (!BoundsOf(Object, rect))
    return StatusFailed;
  for (const auto& [field, value] : {std::pair{X1, rect.X1}, std::pair{Y1, rect.Y1},
                                     std::pair{X2, rect.X2}, std::pair{Y2, rect.Y2}})
    if (field != nullptr)
      *field = value;
  return StatusOk;
}

// No object of this editor was imported from a user.
int32_t PCBAPI_CALL PcbApi_QueryObjectImport_FromUser(uint32_t) {
  return 1;
}

// Drawing is not this editor's business: there is nothing to invalidate.
void PCBAPI_CALL PcbApi_QueryObjectGraphicallyInvalidate(uint32_t) {}

int32_t PCBAPI_CALL PcbApi_GetObjectBitField2(uint8_t Mode, uint32_t Object, uint8_t* Bits) {
  return QueryHeader(Mode, Object,
                     [&](TFieldIo& io, THeaderValues& header) { io(Bits, header.BitField2); });
}

int32_t PCBAPI_CALL PcbApi_GetObjectBitField3(uint8_t Mode, uint32_t Object, uint16_t* Bits) {
  return QueryHeader(Mode, Object,
                     [&](TFieldIo& io, THeaderValues& header) { io(Bits, header.BitField3); });
}

int32_t PCBAPI_CALL PcbApi_QueryPrimitive(uint8_t Mode, uint32_t Object, uint16_t* StateFlags,
                                          uint16_t* Tag, uint32_t* Layer, uint32_t* NetHandle,
                                          uint32_t* ComponentHandle, uint8_t* Moveable) {
  return QueryHeader(Mode, Object, [&](TFieldIo& io, THeaderValues& header) {
    io(StateFlags, header.StateFlags);
    io(Tag, header.Tag);
    io.LayerId(Layer, header.Layer);
    Tarnix::NetHandle(io, NetHandle, header);
    OwnerHandle(io, ComponentHandle, header.Object);
    io(Moveable, header.Moveable);
  });
}

}  // extern "C"
