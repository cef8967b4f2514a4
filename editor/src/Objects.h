#pragma once

// The objects of a board: nets, components with their pads and designator texts, free tracks,
// fills, arcs, vias and texts, and the connections (from-tos) computed between the pads of a net.
// Every object carries the header that the editor's callers exchange (flags, tag, layer, net,
// owner). Lengths are board units (10000 per mil), angles degrees counter-clockwise. Fields named
// Opaque... mean nothing to the editor: it keeps what its callers write there.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Geometry.h"
#include "LayerTable.h"

namespace Tarnix {

class TBoard;
struct TNet;
struct TComponent;

// Object kinds as the editor's callers name them; also the low 7 bits of every handle.
enum class TKind : uint8_t {
  None = 0,
  Arc = 1,
  Pad = 2,
  Via = 3,
  Track = 4,
  Text = 5,
  Fill = 6,
  FromTo = 7,
  Net = 8,
  Component = 9,
  Iterator = 0x7E,  // not an object: the handles of iterators
  Board = 0x7F,
};

// Pad shape codes.
inline constexpr uint8_t ShapeNone = 0;
inline constexpr uint8_t ShapeRound = 1;
inline constexpr uint8_t ShapeRectangle = 2;
inline constexpr uint8_t ShapeOctagonal = 3;
inline constexpr uint8_t ShapeRoundedRectangle = 9;
bool IsPadShape(uint8_t shape);

struct TSize {
  int32_t X = 0;
  int32_t Y = 0;
};

struct TObject {
  explicit TObject(TKind kind) : Kind(kind) {}
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;

  // Whether the object may lie on that layer, and whether it may belong to a net.
  virtual bool AcceptsLayer(TLayerNumber layer) const;
  virtual bool AcceptsNet() const { return true; }
  // Whether a walk on that layer (a number, not 0) yields the object.
  virtual bool OnLayer(TLayerNumber layer) const { return Layer == layer; }
  // Adds the object's outline to the box.
  virtual void AddBounds(TExtent& extent) const = 0;

  TKind Kind;
  uint32_t Handle = 0;  // 0 until the board's objects are registered
  TBoard* Board = nullptr;
  TLayerNumber Layer = NoLayer;
  TNet* Net = nullptr;
  TComponent* Owner = nullptr;  // the component of a pad or designator text
  uint16_t StateFlags = 0;
  uint16_t Tag = 0;
  uint8_t BitField2 = 0;
  uint16_t BitField3 = 0;
  uint8_t Moveable = 1;
};

struct TNet final : TObject {
  TNet() : TObject(TKind::Net) {}
  bool AcceptsLayer(TLayerNumber layer) const override { return layer == NoLayer; }
  bool AcceptsNet() const override { return false; }
  bool OnLayer(TLayerNumber layer) const override { return layer == MultiLayer; }
  void AddBounds(TExtent&) const override {}

  std::string Name;
  uint8_t Opaque1 = 0;
  uint8_t Opaque2 = 0;
  // The net's pads, tracks, arcs, fills, vias and connections in board order (TBoard keeps it).
  std::vector<TObject*> Members;
};

// A pad's values on one layer of a full stack, as set layer by layer.
struct TPadLayerStack {
  uint8_t Shape = ShapeNone;
  TSize Size;
  int32_t CornerRadius = 0;
  uint8_t CornerPercent = 0;
};

struct TPad final : TObject {
  TPad() : TObject(TKind::Pad) {}
  bool AcceptsLayer(TLayerNumber layer) const override;
  void AddBounds(TExtent& extent) const override;
  // The pad's shape, size, corner radius and corner percentage on one layer number (0 to 82).
  TPadLayerStack OnLayerNumber(TLayerNumber layer) const;
  // Size and shape of the pad on its own side (the top for through-hole pads).
  TSize SideSize() const;
  uint8_t SideShape() const;
  // Gives the pad one size and shape on every layer.
  void SetUniform(TSize size, uint8_t shape);

  TPoint Centre;
  TSize TopSize, MidSize, BottomSize;
  int32_t HoleSize = 0;
  uint8_t TopShape = ShapeRound, MidShape = ShapeRound, BottomShape = ShapeRound;
  std::string Name;
  double Rotation = 0.0;
  uint8_t PowerGround = 0;
  uint8_t StackMode = 0;
  std::map<TLayerNumber, TPadLayerStack> LayerStack;  // values set per layer
  uint8_t OpaqueByteBeforeRotation = 0, OpaqueByteAfterRotation = 0;
  std::array<std::string, 3> OpaqueStrings;
  int32_t OpaqueValue = 0;
  uint8_t Tail1 = 0, Tail2 = 0, Tail8 = 0, Tail9 = 0;
  int32_t Tail3 = 0, Tail5 = 0, Tail6 = 0, Tail7 = 0;
  std::array<uint8_t, 8> Tail4{};
};

struct TText final : TObject {
  TText() : TObject(TKind::Text) {}
  bool AcceptsNet() const override { return false; }
  void AddBounds(TExtent& extent) const override;

  TPoint Position;  // lower left corner of the text before it is turned
  int32_t Height = 600000;
  int32_t StrokeWidth = 100000;
  double Rotation = 0.0;
  uint8_t Mirrored = 0;
  std::string Text;
  int32_t Opaque4 = 0, Opaque5 = 0, Opaque6 = 0;
  uint8_t UseTrueType = 0;
  std::string FontName = "Default";
  uint8_t TrueTypeByte1 = 0, TrueTypeByte2 = 0, TrueTypeByte3 = 0;
  int32_t TrueTypeValue = 0;
  std::array<uint8_t, 4> BarCode{};
};

struct TTrack final : TObject {
  TTrack() : TObject(TKind::Track) {}
  void AddBounds(TExtent& extent) const override;

  TPoint P1, P2;
  int32_t Width = 0;
  int32_t Opaque2 = 0, Opaque3 = 0, Opaque4 = 0;
};

struct TFill final : TObject {
  TFill() : TObject(TKind::Fill) {}
  void AddBounds(TExtent& extent) const override;

  TPoint P1, P2;  // first and opposite corner
  int32_t Opaque1 = 0;
  double Rotation = 0.0;
};

struct TArc final : TObject {
  TArc() : TObject(TKind::Arc) {}
  void AddBounds(TExtent& extent) const override;

  TPoint Centre;
  int32_t Radius = 0;
  double StartAngle = 0.0, EndAngle = 0.0;
  int32_t Opaque1 = 0;
  int32_t Width = 0;
};

struct TVia final : TObject {
  TVia() : TObject(TKind::Via) { Layer = MultiLayer; }
  bool AcceptsLayer(TLayerNumber layer) const override { return layer == MultiLayer; }
  void AddBounds(TExtent& extent) const override;

  TPoint Centre;
  int32_t Size = 0;
  int32_t HoleSize = 0;
  std::array<uint8_t, 4> Opaque{};
};

// A connection between two pads of a net, as the netlist process computes them.
struct TFromTo final : TObject {
  TFromTo() : TObject(TKind::FromTo) { Layer = ConnectLayer; }
  bool AcceptsLayer(TLayerNumber layer) const override { return layer == ConnectLayer; }
  void AddBounds(TExtent& extent) const override;

  TPoint P1, P2;
  uint8_t Opaque1 = 0, Opaque2 = 0;
};

// The component's own values, apart from its header and its children.
struct TComponentData {
  std::string Footprint;
  TPoint Reference;
  double Rotation = 0.0;
  int32_t GroupIndex = 0;
  int32_t ChannelOffset = 0;
  uint32_t ComponentKind = 0;
  uint32_t OpaqueHandle = 0;
  uint8_t Opaque1 = 0, Opaque2 = 0, Opaque3 = 0;
  int32_t ExValue = 0;
  uint8_t ExByte1 = 0, ExByte2 = 0, ExByte3 = 0;
  std::array<std::string, 8> SourceLinks;
  std::string DefaultModel;
};

struct TComponent final : TObject {
  TComponent();
  // A component stays on its side: its layer cannot be changed.
  bool AcceptsLayer(TLayerNumber layer) const override { return layer == Layer; }
  bool AcceptsNet() const override { return false; }
  // Its pads and its body.
  void AddBounds(TExtent& extent) const override;
  // Its children of a kind in child order: pads, then texts (the designator is text 1).
  std::vector<TObject*> Children(TKind kind) const;
  // The child of a kind at a 1-based index in the order of Children; null past the last.
  TObject* ChildAt(TKind kind, size_t index) const;
  // Moves the reference point to Reference and turns the component to Rotation, taking its pads,
  // texts and body along. False, with nothing changed, when a point would leave the 32-bit range.
  bool MoveTo(TPoint reference, double rotation);

  TComponentData Data;
  std::vector<std::unique_ptr<TPad>> Pads;
  std::unique_ptr<TText> Designator;
  std::vector<TPoint> Body;  // outline of the body; only its box counts
  // The footprint of a KiCad board this component was read from (-1: none).
  int32_t SourceIndex = -1;
};

}  // namespace Tarnix
