// A stand-in editor library that exports only some of the entry points: those the binding tests
// call through. Every other entry point is missing, so its wrapper gives the default result.

#include <cstring>

#include "TestEditorLog.h"
#include "pcb/PcbApi.h"

namespace {

TTestEditorLog Log;

void Record(uint8_t mode, uint32_t handle) {
  ++Log.Calls;
  Log.Mode = mode;
  Log.Handle = handle;
}

void SetString(PcbString250* buffer, const char* text) {
  const auto length = std::strlen(text);
  (*buffer)[0] = static_cast<char>(length);
  std::memcpy(*buffer + 1, text, length);
}

}  // namespace

extern "C" {

PCBAPI_VISIBLE TTestEditorLog* TestEditor_Log() {
  return &Log;
}

uint32_t PCBAPI_CALL PcbApi_GetCurrentBoardHandle() {
  Record(0, 0);
  return TestEditorBoard;
}

uint32_t PCBAPI_CALL PcbApi_CreateIterator(uint32_t Parent, uint8_t ObjectKind, uint8_t Method,
                                           uint32_t Layer) {
  Record(0, Parent);
  Log.ObjectKind = ObjectKind;
  Log.Method = Method;
  Log.LayerId = Layer;
  return TestEditorIterator;
}

void PCBAPI_CALL PcbApi_DestroyIterator(uint32_t Iterator) {
  Record(0, Iterator);
}

int32_t PCBAPI_CALL PcbApi_QueryComponent(uint8_t Mode, uint32_t Component, uint16_t* StateFlags,
                                          uint16_t* Tag, uint8_t* LayerNumber, uint8_t* Moveable,
                                          uint32_t* NameTextHandle, uint32_t* OpaqueHandle,
                                          PcbString250* Footprint, uint8_t* Opaque1,
                                          uint8_t* Opaque2, int32_t* X, int32_t* Y,
                                          int32_t* GroupIndex, double* Rotation, uint8_t* Opaque3) {
  Record(Mode, Component);
  if (Component == 0)
    return TestEditorUnknownHandleStatus;
  if (Mode == PcbApi_ModeRead) {
    *StateFlags = 0x0110;
    *Tag = 12;
    *LayerNumber = 32;
    *Moveable = 1;
    *NameTextHandle = 0x501;
    *OpaqueHandle = 0x502;
    SetString(Footprint, "SO8");
    *Opaque1 = 0xA1;
    *Opaque2 = 0xA2;
    *X = -250000;
    *Y = 1250000;
    *GroupIndex = 3;
    *Rotation = 270.0;
    *Opaque3 = 0xA3;
  } else {
    Log.Tag = *Tag;
    Log.LayerNumber = *LayerNumber;
    Log.X = *X;
    Log.Y = *Y;
    Log.Rotation = *Rotation;
  }
  return 0;
}

void PCBAPI_CALL PcbApi_SetState_AddComponentTypeMapping(const PcbString255* Pattern,
                                                         uint8_t ComponentType) {
  Record(0, 0);
  Log.Text.assign(*Pattern + 1, static_cast<unsigned char>((*Pattern)[0]));
  Log.ComponentType = ComponentType;
}

}  // extern "C"
