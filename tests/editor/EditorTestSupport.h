#pragma once

// What the editor tests share: a scratch folder, boards opened from text, walks, and records that
// carry every field of the pad, component and text queries, called as the access layer calls them.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TarnixHost.h"
#include "pcb/Layers.h"
#include "pcb/PcbApi.h"
#include "pcb/PcbStrings.h"

namespace EditorTest {

inline constexpr uint8_t ArcKind = 1, PadKind = 2, ViaKind = 3, TrackKind = 4, TextKind = 5,
                         FillKind = 6, FromToKind = 7, NetKind = 8, ComponentKind = 9;

constexpr int32_t Mil(int64_t mil) {
  return static_cast<int32_t>(mil * 10000);
}

// A folder of its own for each test, removed afterwards.
class TScratch {
 public:
  TScratch();
  ~TScratch();
  std::string Write(const std::string& name, const std::string& text) const;
  std::string Path(const std::string& name) const { return (Folder / name).string(); }

 private:
  std::filesystem::path Folder;
};

std::string ReadText(const std::string& fileName);

// The text with the first From replaced by To; fails the test when there is no From.
std::string Replaced(std::string text, const std::string& from, const std::string& to);

// A malformed file made from a good one by one replacement, and the message it must give.
struct TMalformed {
  std::string From;
  std::string To;
  std::string Message;  // after "<file>: "
};

// Opens board text written to a scratch file; fails the test when the editor refuses it.
uint32_t OpenText(const TScratch& scratch, const std::string& text,
                  const std::string& name = "board.pcb");

// Every handle a walk yields (the iterator is destroyed again). Layer: a layer number, 0 = all.
std::vector<uint32_t> Walk(uint32_t parent, uint8_t kind, uint8_t method, uint8_t layer);

// Children of a component by kind, index from 1 until 0 comes back.
std::vector<uint32_t> Children(uint32_t component, uint8_t kind);

struct TPadRecord {
  uint16_t StateFlags = 0, Tag = 0;
  uint32_t Layer = 0, Net = 0;
  uint8_t Moveable = 0;
  uint32_t Component = 0;
  int32_t X = 0, Y = 0;
  int32_t TopX = 0, TopY = 0, MidX = 0, MidY = 0, BottomX = 0, BottomY = 0, Hole = 0;
  uint8_t TopShape = 0, MidShape = 0, BottomShape = 0;
  PcbString20 Name{};
  uint8_t ByteBefore = 0, ByteAfter = 0;
  double Rotation = 0;
  PcbString20 String1{}, String2{};
  int32_t Value = 0;
  PcbString20 String3{};
  uint8_t Tail1 = 0, Tail2 = 0;
  int32_t Tail3 = 0;
  PcbBytes8 Tail4{};
  int32_t Tail5 = 0, Tail6 = 0, Tail7 = 0;
  uint8_t Tail8 = 0, Tail9 = 0;
};
int32_t QueryPad(uint8_t mode, uint32_t pad, TPadRecord& record);

struct TComponentRecord {
  uint16_t StateFlags = 0, Tag = 0;
  uint8_t Layer = 0, Moveable = 0;
  uint32_t NameText = 0, OpaqueHandle = 0;
  PcbString250 Footprint{};
  uint8_t Opaque1 = 0, Opaque2 = 0;
  int32_t X = 0, Y = 0, GroupIndex = 0;
  double Rotation = 0;
  uint8_t Opaque3 = 0;
};
int32_t QueryComponent(uint8_t mode, uint32_t component, TComponentRecord& record);

struct TTextRecord {
  uint16_t StateFlags = 0, Tag = 0;
  uint32_t Layer = 0, Net = 0;
  uint8_t Moveable = 0;
  uint32_t Component = 0;
  int32_t X = 0, Y = 0, Height = 0, Width = 0;
  double Rotation = 0;
  uint8_t Opaque3 = 0;
  PcbString254 Text{};
  int32_t Opaque4 = 0, Opaque5 = 0, Opaque6 = 0;
};
int32_t QueryText(uint8_t mode, uint32_t text, TTextRecord& record);

struct TRectangle {
  int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  friend bool operator==(const TRectangle&, const TRectangle&) = default;
};
TRectangle Bounds(uint32_t object);

std::string NetName(uint32_t net);
std::string Designator(uint32_t component);
std::string PadName(uint32_t pad);

// Everything the editor tells about a board through its functions, as text without handles, so
// that two boards can be compared.
std::string Describe(uint32_t board);

// A small board: U1 (top, four pads, one of them through-hole), R1 (bottom, locked, turned),
// C1 (top), four nets of which EMPTY has no pads, an outline of keep-out tracks, a keep-out fill,
// a signal track and via, an arc and a text.
extern const char* const TestBoardText;

}  // namespace EditorTest
