#pragma once

// What the test editor library records about the calls it receives. The library exports
// TestEditor_Log, which the tests look up once they have loaded it.

#include <cstdint>
#include <string>

struct TTestEditorLog {
  int Calls = 0;  // calls of any entry point of the test editor
  uint8_t Mode = 0;
  uint32_t Handle = 0;
  uint8_t ObjectKind = 0;
  uint8_t Method = 0;
  uint32_t LayerId = 0;
  // Fields written by the caller (component writes, type mappings).
  uint16_t Tag = 0;
  uint8_t LayerNumber = 0;
  int32_t X = 0;
  int32_t Y = 0;
  double Rotation = 0.0;
  std::string Text;
  uint8_t ComponentType = 0;
};

using TestEditor_Log_Fn = TTestEditorLog* (*)();

// Values the test editor hands out.
inline constexpr uint32_t TestEditorBoard = 0xB0A4D;
inline constexpr uint32_t TestEditorIterator = 77;
inline constexpr int32_t TestEditorUnknownHandleStatus = 7;
