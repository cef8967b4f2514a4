#pragma once

// Mirrors of the PCB editor's primitive objects.
//
// The placer never holds pointers into the editor. Each object it looks at is copied into a mirror:
// a plain object carrying the editor's handle and a copy of the fields that the editor's query
// function exchanges for that kind of object. Sync(mode) moves the fields in either direction
// through the editor binding (pcb/PCBProcs.h): mode 1 reads the editor's object into the mirror,
// mode 0 writes the mirror into it, mode 2 writes as well (a component's final position).
//
// Fields are declared in the order the editor's records have them, with their exact widths: the
// editor writes through pointers to them. Fields named Opaque... belong to the editor; the mirror
// only carries them and writes them back unchanged.
//
// Besides Sync, every mirror offers a fixed row of accessor operations (virtual, declared below in
// their fixed order). The root answers 0, false, 0.0 or an empty string and its setters do nothing,
// except where it holds the field itself; the classes override what they hold.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pcb/Layers.h"
#include "pcb/PcbApi.h"

// Kind ids of the editor's objects, as returned by PcbApi_GetObjectIdFromObjectHandle (low 7 bits)
// and passed to iterators and to PcbApi_QueryComponent_GetObjectAt.
using TObjectKind = uint8_t;
inline constexpr TObjectKind NoObject = 0;
inline constexpr TObjectKind ArcObject = 1;
inline constexpr TObjectKind PadObject = 2;
inline constexpr TObjectKind ViaObject = 3;
inline constexpr TObjectKind TrackObject = 4;
inline constexpr TObjectKind TextObject = 5;
inline constexpr TObjectKind FillObject = 6;
inline constexpr TObjectKind FromToObject = 7;
inline constexpr TObjectKind NetObject = 8;
inline constexpr TObjectKind ComponentObject = 9;
inline constexpr TObjectKind PolygonObject = 10;
inline constexpr TObjectKind RegionObject = 11;
inline constexpr TObjectKind ComponentBodyObject = 12;
inline constexpr TObjectKind DimensionObject = 13;
inline constexpr TObjectKind CoordinateObject = 14;
inline constexpr TObjectKind ClassObject = 15;
inline constexpr TObjectKind RuleObject = 16;
inline constexpr TObjectKind ManualFromToObject = 17;
inline constexpr TObjectKind DifferentialPairObject = 18;
inline constexpr TObjectKind ViolationObject = 19;
inline constexpr TObjectKind EmbeddedObject = 20;
inline constexpr TObjectKind EmbeddedBoardObject = 21;
inline constexpr TObjectKind SplitPlaneObject = 22;
inline constexpr TObjectKind BoardOutlineObject = 26;

// Per-layer arrays of a pad are indexed by layer number 0 to 82.
inline constexpr int PadLayerCount = LastLayer + 1;

// Shape code of a pad layer whose corners are rounded by a percentage.
inline constexpr uint8_t RoundedRectangleShape = 9;

// Most references a dimension mirror holds.
inline constexpr int32_t MaxDimensionReferences = 200;

// ---------------------------------------------------------------------------------------------
// The root of every primitive mirror: the header every kind of object shares.

class TPCBObject {
 public:
  explicit TPCBObject(uint32_t handle = 0) : TPCBObject(handle, NoObject) {}
  virtual ~TPCBObject() = default;

  TPCBObject(const TPCBObject&) = delete;
  TPCBObject& operator=(const TPCBObject&) = delete;

  uint32_t Handle = 0;  // editor handle, 0 = none
  TObjectKind ObjectKind = NoObject;
  int32_t X = 0;  // reference point; tracks, fills, from-tos: the first end or corner
  int32_t Y = 0;
  uint16_t StateFlags = 0;
  uint8_t BitField2 = 0;
  uint16_t BitField3 = 0;
  uint16_t Tag = 0;  // scratch value kept in the editor's object
  uint8_t Moveable = 0;
  uint32_t NetHandle = 0;
  uint32_t ComponentHandle = 0;  // owning component, 0 = free primitive
  TLayerId Layer = 0;

  // --- Exchange with the editor.
  virtual int32_t Sync(uint8_t mode);

  // --- Geometry and editor services.
  virtual int32_t BoundingRectangle(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const;
  virtual void MoveBy(int32_t dx, int32_t dy);
  virtual bool IsImportedFromUser() const;
  virtual void Invalidate() const;

  // --- Flag bits of StateFlags, BitField2 and BitField3.
  virtual bool StateBit0010() const { return HasStateBit(0x0010); }
  virtual bool BitField2Bit4() const { return HasBitField2Bit(4); }
  virtual bool BitField2Bit0() const { return HasBitField2Bit(0); }
  virtual bool BitField2Bit1() const { return HasBitField2Bit(1); }
  virtual bool BitField2Bit3() const { return HasBitField2Bit(3); }
  virtual bool BitField2Bit5() const { return HasBitField2Bit(5); }
  virtual bool BitField2Bit6() const { return HasBitField2Bit(6); }
  virtual void SetStateBit0010(bool on) { ChangeStateBit(0x0010, on); }
  virtual bool StateBit0008() const { return HasStateBit(0x0008); }
  virtual void StoreStateBit0008(bool on);  // sets the bit and writes at once
  virtual bool StateBit0100Clear() const { return !HasStateBit(0x0100); }
  virtual void StoreStateBit0100Clear(bool clear);  // sets the bit to !clear and writes at once
  virtual bool BitField3Bit02Or04() const { return (BitField3 & 0x0006u) != 0; }
  virtual void SetBitField3Bits02And04(bool on) { ChangeBitField3Bits(0x0006, on); }
  virtual bool BitField3Bit02() const { return (BitField3 & 0x0002u) != 0; }
  virtual void SetBitField3Bit02(bool on) { ChangeBitField3Bits(0x0002, on); }
  virtual bool BitField3Bit04() const { return (BitField3 & 0x0004u) != 0; }
  virtual void SetBitField3Bit04(bool on) { ChangeBitField3Bits(0x0004, on); }
  virtual bool StateBit0800() const { return HasStateBit(0x0800); }
  virtual void SetStateBit0800(bool on) { ChangeStateBit(0x0800, on); }
  virtual bool StateBit2000() const { return HasStateBit(0x2000); }
  virtual void SetStateBit2000(bool on) { ChangeStateBit(0x2000, on); }
  virtual bool ByteFlag1() const { return false; }
  virtual void SetByteFlag1(bool) {}
  virtual bool ByteFlag2() const { return false; }
  virtual void SetByteFlag2(bool) {}
  virtual bool StateBit1000() const { return HasStateBit(0x1000); }
  virtual void SetStateBit1000(bool on) { ChangeStateBit(0x1000, on); }
  virtual bool StateBit4000() const { return HasStateBit(0x4000); }
  virtual void SetStateBit4000(bool on) { ChangeStateBit(0x4000, on); }
  virtual bool StateBit8000() const { return HasStateBit(0x8000); }
  virtual void SetStateBit8000(bool on) { ChangeStateBit(0x8000, on); }

  // --- The header. X2, Y2: the second corner of tracks, fills and from-tos, else X, Y.
  virtual uint32_t GetHandle() const { return Handle; }
  virtual TObjectKind GetObjectKind() const { return ObjectKind; }
  virtual int32_t GetX() const { return X; }
  virtual int32_t GetY() const { return Y; }
  virtual int32_t GetX2() const { return X; }
  virtual int32_t GetY2() const { return Y; }
  virtual uint16_t GetStateFlags() const { return StateFlags; }
  virtual uint16_t GetTag() const { return Tag; }
  virtual TLayerNumber GetLayerNumber() const { return LayerNumberFromId(Layer); }
  virtual uint8_t GetMoveable() const { return Moveable; }
  virtual uint32_t GetNetHandle() const { return NetHandle; }
  virtual uint32_t GetComponentHandle() const { return ComponentHandle; }

  // --- Three values: a track's second to fourth opaque value; the first is also a fill's opaque
  // value and an arc's width, the second and third a text's second and third trailing value.
  virtual int32_t GetValue1() const { return 0; }
  virtual int32_t GetValue2() const { return 0; }
  virtual int32_t GetValue3() const { return 0; }

  // --- A pad's sizes and shapes (a via answers the hole size).
  virtual int32_t GetTopSizeX() const { return 0; }
  virtual int32_t GetTopSizeY() const { return 0; }
  virtual int32_t GetMidSizeX() const { return 0; }
  virtual int32_t GetMidSizeY() const { return 0; }
  virtual int32_t GetBottomSizeX() const { return 0; }
  virtual int32_t GetBottomSizeY() const { return 0; }
  virtual int32_t GetHoleSize() const { return 0; }
  virtual uint8_t GetTopShape() const { return 0; }
  virtual uint8_t GetMidShape() const { return 0; }
  virtual uint8_t GetBottomShape() const { return 0; }

  // --- Name (pad, net, component designator) and rotation (pad, fill, text, component).
  virtual std::string GetName() const { return {}; }
  virtual double GetRotation() const { return 0.0; }

  // --- Twenty further values, A to T, whose meaning depends on the class:
  // A: track's first opaque value, text's first trailing value; B: always 0; C: via size, text's
  // first value; D and E: answer C; F, G: via bytes 1 and 2; H to K: arc radius, start and end
  // angle, its value after the angles (a text answers K with its first trailing value); the
  // bounding rectangle; P: text's second value; Q: text byte, embedded board byte; the text itself;
  // S, T: from-to bytes.
  virtual int32_t GetExtraA() const { return 0; }
  virtual int32_t GetExtraB() const { return 0; }
  virtual int32_t GetExtraC() const { return 0; }
  virtual int32_t GetExtraD() const { return GetExtraC(); }
  virtual int32_t GetExtraE() const { return GetExtraC(); }
  virtual uint8_t GetExtraF() const { return 0; }
  virtual uint8_t GetExtraG() const { return 0; }
  virtual int32_t GetExtraH() const { return 0; }
  virtual double GetExtraI() const { return 0.0; }
  virtual double GetExtraJ() const { return 0.0; }
  virtual int32_t GetExtraK() const { return 0; }
  virtual int32_t GetBoundsX1() const;
  virtual int32_t GetBoundsY1() const;
  virtual int32_t GetBoundsX2() const;
  virtual int32_t GetBoundsY2() const;
  virtual int32_t GetExtraP() const { return 0; }
  virtual uint8_t GetExtraQ() const { return 0; }
  virtual std::string GetText() const { return {}; }
  virtual uint8_t GetExtraS() const { return 0; }
  virtual uint8_t GetExtraT() const { return 0; }

  // --- Corners of the object's rectangle (X, Y to X2, Y2, grown by margin on every side) turned
  // by its rotation about its centre: A, B at the bottom, C, D at the top before turning.
  virtual int32_t CornerAX(int32_t margin) const;
  virtual int32_t CornerAY(int32_t margin) const;
  virtual int32_t CornerBX(int32_t margin) const;
  virtual int32_t CornerBY(int32_t margin) const;
  virtual int32_t CornerCX(int32_t margin) const;
  virtual int32_t CornerCY(int32_t margin) const;
  virtual int32_t CornerDX(int32_t margin) const;
  virtual int32_t CornerDY(int32_t margin) const;

  // --- The same for one layer number: 0 unless the object lies on that layer. Pads answer from
  // their per-layer sizes and shapes, vias ask the editor.
  virtual int32_t SizeOnLayer(TLayerNumber layer) const;
  virtual int32_t SizeXOnLayer(TLayerNumber layer) const;
  virtual int32_t SizeYOnLayer(TLayerNumber layer) const;
  virtual int32_t ShapeOnLayer(TLayerNumber layer) const;
  virtual int32_t MinSizeOnLayer(TLayerNumber layer) const;
  virtual int32_t CornerAXOnLayer(TLayerNumber layer, int32_t margin) const;
  virtual int32_t CornerAYOnLayer(TLayerNumber layer, int32_t margin) const;
  virtual int32_t CornerBXOnLayer(TLayerNumber layer, int32_t margin) const;
  virtual int32_t CornerBYOnLayer(TLayerNumber layer, int32_t margin) const;
  virtual int32_t CornerCXOnLayer(TLayerNumber layer, int32_t margin) const;
  virtual int32_t CornerCYOnLayer(TLayerNumber layer, int32_t margin) const;
  virtual int32_t CornerDXOnLayer(TLayerNumber layer, int32_t margin) const;
  virtual int32_t CornerDYOnLayer(TLayerNumber layer, int32_t margin) const;
  // The ends of a pad's centre line on a layer (the line along its longer side).
  virtual int32_t CentreLineX1OnLayer(TLayerNumber) const { return 0; }
  virtual int32_t CentreLineY1OnLayer(TLayerNumber) const { return 0; }
  virtual int32_t CentreLineX2OnLayer(TLayerNumber) const { return 0; }
  virtual int32_t CentreLineY2OnLayer(TLayerNumber) const { return 0; }

  // --- Setters, in the order of the getters above.
  virtual void SetHandle(uint32_t value) { Handle = value; }
  virtual void SetObjectKind(TObjectKind value) { ObjectKind = value; }
  virtual void SetX(int32_t value) { X = value; }
  virtual void SetY(int32_t value) { Y = value; }
  virtual void SetX2(int32_t) {}
  virtual void SetY2(int32_t) {}
  virtual void SetStateFlags(uint16_t value) { StateFlags = value; }
  virtual void SetTag(uint16_t value) { Tag = value; }
  virtual void SetLayerNumber(TLayerNumber value) { Layer = LayerIdFromNumber(value); }
  virtual void SetMoveable(uint8_t value) { Moveable = value; }
  virtual void SetNetHandle(uint32_t value) { NetHandle = value; }
  virtual void SetComponentHandle(uint32_t value) { ComponentHandle = value; }
  virtual void SetValue1(int32_t) {}
  virtual void SetValue2(int32_t) {}
  virtual void SetValue3(int32_t) {}
  virtual void SetTopSizeX(int32_t) {}
  virtual void SetTopSizeY(int32_t) {}
  virtual void SetMidSizeX(int32_t) {}
  virtual void SetMidSizeY(int32_t) {}
  virtual void SetBottomSizeX(int32_t) {}
  virtual void SetBottomSizeY(int32_t) {}
  virtual void SetHoleSize(int32_t) {}
  virtual void SetTopShape(uint8_t) {}
  virtual void SetMidShape(uint8_t) {}
  virtual void SetBottomShape(uint8_t) {}
  virtual void SetName(std::string_view) {}
  virtual void SetRotation(double) {}
  virtual void SetExtraA(int32_t) {}
  virtual void SetExtraB(int32_t) {}
  virtual void SetExtraC(int32_t) {}
  virtual void SetExtraD(int32_t) {}  // D and E only answer C: nothing of their own to set
  virtual void SetExtraE(int32_t) {}
  virtual void SetExtraF(uint8_t) {}
  virtual void SetExtraG(uint8_t) {}
  virtual void SetExtraH(int32_t) {}
  virtual void SetExtraI(double) {}
  virtual void SetExtraJ(double) {}
  virtual void SetExtraK(int32_t) {}
  virtual void SetExtraP(int32_t) {}
  virtual void SetExtraQ(uint8_t) {}
  virtual void SetText(std::string_view) {}
  virtual void SetExtraS(uint8_t) {}
  virtual void SetExtraT(uint8_t) {}

  // --- Pads only.
  virtual int32_t CornerRadiusOnLayer(TLayerNumber) const { return 0; }

 protected:
  TPCBObject(uint32_t handle, TObjectKind kind) : Handle(handle), ObjectKind(kind) {}

  // Every Sync begins with these two exchanges.
  void ExchangeBitFields(uint8_t mode);

  // Whether Layer is the id of that layer number.
  bool LiesOnLayer(TLayerNumber layer) const;

 private:
  bool HasStateBit(uint16_t bit) const { return (StateFlags & bit) != 0; }
  bool HasBitField2Bit(int bit) const { return ((BitField2 >> bit) & 1u) != 0; }
  void ChangeStateBit(uint16_t bit, bool on);
  void ChangeBitField3Bits(uint16_t bits, bool on);
};

// ---------------------------------------------------------------------------------------------
// Primitives.

class TPcbTrack : public TPCBObject {
 public:
  explicit TPcbTrack(uint32_t handle = 0) : TPCBObject(handle, TrackObject) {}

  int32_t X2 = 0;
  int32_t Y2 = 0;
  int32_t Opaque1 = 0;
  int32_t Opaque2 = 0;
  int32_t Opaque3 = 0;
  int32_t Opaque4 = 0;

  int32_t Sync(uint8_t mode) override;
  void MoveBy(int32_t dx, int32_t dy) override;
  int32_t GetX2() const override { return X2; }
  int32_t GetY2() const override { return Y2; }
  int32_t GetValue1() const override { return Opaque2; }
  int32_t GetValue2() const override { return Opaque3; }
  int32_t GetValue3() const override { return Opaque4; }
  int32_t GetExtraA() const override { return Opaque1; }
  void SetX2(int32_t value) override { X2 = value; }
  void SetY2(int32_t value) override { Y2 = value; }
  void SetValue1(int32_t value) override { Opaque2 = value; }
  void SetValue2(int32_t value) override { Opaque3 = value; }
  void SetValue3(int32_t value) override { Opaque4 = value; }
  void SetExtraA(int32_t value) override { Opaque1 = value; }
};

class TPcbFill : public TPCBObject {
 public:
  explicit TPcbFill(uint32_t handle = 0) : TPCBObject(handle, FillObject) {}

  int32_t X2 = 0;
  int32_t Y2 = 0;
  int32_t Opaque1 = 0;
  double Rotation = 0.0;

  int32_t Sync(uint8_t mode) override;
  void MoveBy(int32_t dx, int32_t dy) override;
  int32_t GetX2() const override { return X2; }
  int32_t GetY2() const override { return Y2; }
  int32_t GetValue1() const override { return Opaque1; }
  double GetRotation() const override { return Rotation; }
  void SetX2(int32_t value) override { X2 = value; }
  void SetY2(int32_t value) override { Y2 = value; }
  void SetValue1(int32_t value) override { Opaque1 = value; }
  void SetRotation(double value) override { Rotation = value; }
};

// X, Y is the centre.
class TPcbArc : public TPCBObject {
 public:
  explicit TPcbArc(uint32_t handle = 0) : TPCBObject(handle, ArcObject) {}

  int32_t Radius = 0;
  double StartAngle = 0.0;
  double EndAngle = 0.0;
  int32_t Opaque1 = 0;
  int32_t Width = 0;

  int32_t Sync(uint8_t mode) override;
  int32_t GetValue1() const override { return Width; }
  int32_t GetExtraH() const override { return Radius; }
  double GetExtraI() const override { return StartAngle; }
  double GetExtraJ() const override { return EndAngle; }
  int32_t GetExtraK() const override { return Opaque1; }
  void SetValue1(int32_t value) override { Width = value; }
  void SetExtraH(int32_t value) override { Radius = value; }
  void SetExtraI(double value) override { StartAngle = value; }
  void SetExtraJ(double value) override { EndAngle = value; }
  void SetExtraK(int32_t value) override { Opaque1 = value; }
};

// The editor exchanges a via's layer as a layer number; Sync converts it to and from Layer.
class TPcbVia : public TPCBObject {
 public:
  explicit TPcbVia(uint32_t handle = 0) : TPCBObject(handle, ViaObject) {}

  int32_t Size = 0;
  int32_t HoleSize = 0;
  uint8_t Opaque1 = 0;
  uint8_t Opaque2 = 0;
  uint8_t Opaque3 = 0;
  uint8_t Opaque4 = 0;

  int32_t Sync(uint8_t mode) override;
  bool ByteFlag1() const override { return Opaque3 != 0; }
  void SetByteFlag1(bool on) override { Opaque3 = on ? 1 : 0; }
  bool ByteFlag2() const override { return Opaque4 != 0; }
  void SetByteFlag2(bool on) override { Opaque4 = on ? 1 : 0; }
  int32_t GetHoleSize() const override { return HoleSize; }
  int32_t GetExtraC() const override { return Size; }
  uint8_t GetExtraF() const override { return Opaque1; }
  uint8_t GetExtraG() const override { return Opaque2; }
  int32_t SizeOnLayer(TLayerNumber layer) const override;
  int32_t ShapeOnLayer(TLayerNumber layer) const override;
  void SetHoleSize(int32_t value) override { HoleSize = value; }
  void SetExtraC(int32_t value) override { Size = value; }
  void SetExtraF(uint8_t value) override { Opaque1 = value; }
  void SetExtraG(uint8_t value) override { Opaque2 = value; }
};

class TPCBRegion : public TPCBObject {
 public:
  explicit TPCBRegion(uint32_t handle = 0) : TPCBObject(handle, RegionObject) {}

  uint8_t Opaque1 = 0;
  int32_t Opaque2 = 0;
  int32_t Opaque3 = 0;
  int32_t Opaque4 = 0;
  int32_t Opaque5 = 0;
  int32_t Opaque6 = 0;
  int32_t Opaque7 = 0;

  int32_t Sync(uint8_t mode) override;
};

// Lies on TopLayer unless the editor says otherwise.
class TPcbEmbeddedBoard : public TPCBObject {
 public:
  explicit TPcbEmbeddedBoard(uint32_t handle = 0) : TPCBObject(handle, EmbeddedBoardObject) {
    Layer = LayerIdFromNumber(TopLayer);
  }

  PcbString255 OpaqueText = {};
  int32_t Opaque1 = 0;
  int32_t Opaque2 = 0;
  int32_t Opaque3 = 0;
  int32_t Opaque4 = 0;
  PcbBytes8 Opaque5 = {};
  uint8_t Opaque6 = 0;
  uint8_t Opaque7 = 0;

  int32_t Sync(uint8_t mode) override;
  uint8_t GetExtraQ() const override { return Opaque6; }
  void SetExtraQ(uint8_t value) override { Opaque6 = value; }
};

// A connection between two points of a net; X, Y and X2, Y2 are its ends.
class TPcbFromTo : public TPCBObject {
 public:
  explicit TPcbFromTo(uint32_t handle = 0) : TPCBObject(handle, FromToObject) {}

  uint8_t Opaque1 = 0;
  int32_t X2 = 0;
  int32_t Y2 = 0;
  uint8_t Opaque2 = 0;

  int32_t Sync(uint8_t mode) override;
  int32_t GetX2() const override { return X2; }
  int32_t GetY2() const override { return Y2; }
  uint8_t GetExtraS() const override { return Opaque1; }
  uint8_t GetExtraT() const override { return Opaque2; }
  void SetX2(int32_t value) override { X2 = value; }
  void SetY2(int32_t value) override { Y2 = value; }
  void SetExtraS(uint8_t value) override { Opaque1 = value; }
  void SetExtraT(uint8_t value) override { Opaque2 = value; }
};

class TPcbManualFromTo : public TPCBObject {
 public:
  explicit TPcbManualFromTo(uint32_t handle = 0) : TPCBObject(handle, ManualFromToObject) {}

  PcbString255 OpaqueText1 = {};
  PcbString255 OpaqueText2 = {};
  PcbString255 OpaqueText3 = {};
  int32_t Opaque1 = 0;

  int32_t Sync(uint8_t mode) override;
};

// Kinds without fields of their own: only the root's exchange.
class TPcbComponentBody : public TPCBObject {
 public:
  explicit TPcbComponentBody(uint32_t handle = 0) : TPCBObject(handle, ComponentBodyObject) {}
};

class TPcbDifferentialPair : public TPCBObject {
 public:
  explicit TPcbDifferentialPair(uint32_t handle = 0) : TPCBObject(handle, DifferentialPairObject) {}
};

// ---------------------------------------------------------------------------------------------
// Pads and texts.

class TPcbPad : public TPCBObject {
 public:
  explicit TPcbPad(uint32_t handle = 0) : TPCBObject(handle, PadObject) {}

  int32_t TopSizeX = 0;
  int32_t TopSizeY = 0;
  int32_t MidSizeX = 0;
  int32_t MidSizeY = 0;
  int32_t BottomSizeX = 0;
  int32_t BottomSizeY = 0;
  int32_t HoleSize = 0;
  uint8_t TopShape = 0;
  uint8_t MidShape = 0;
  uint8_t BottomShape = 0;
  // Filled by Sync from the per-layer percentages (layer 1, the middle layers, layer 32).
  uint8_t TopCornerPercent = 0;
  uint8_t MidCornerPercent = 0;
  uint8_t BottomCornerPercent = 0;
  PcbString20 Name = {};
  uint8_t OpaqueByteBeforeRotation = 0;
  double Rotation = 0.0;
  uint8_t OpaqueByteAfterRotation = 0;
  PcbString20 OpaqueString1 = {};
  PcbString20 OpaqueString2 = {};
  int32_t OpaqueValue = 0;
  PcbString20 OpaqueString3 = {};
  int32_t LayerSizeX[PadLayerCount] = {};
  int32_t LayerSizeY[PadLayerCount] = {};
  uint8_t LayerShape[PadLayerCount] = {};
  int32_t LayerCornerRadius[PadLayerCount] = {};
  uint8_t LayerCornerPercent[PadLayerCount] = {};
  uint8_t StackMode = 0;  // FullStackMode: sizes and shapes per layer
  uint8_t Tail1 = 0;
  uint8_t Tail2 = 0;
  int32_t Tail3 = 0;
  int32_t Tail4 = 0;
  int32_t Tail5 = 0;
  PcbBytes8 Tail6 = {};
  int32_t Tail7 = 0;
  uint8_t Tail8 = 0;
  uint8_t Tail9 = 0;

  static constexpr uint8_t FullStackMode = 2;

  int32_t Sync(uint8_t mode) override;
  bool ByteFlag1() const override { return Tail8 != 0; }
  void SetByteFlag1(bool on) override { Tail8 = on ? 1 : 0; }
  bool ByteFlag2() const override { return Tail9 != 0; }
  void SetByteFlag2(bool on) override { Tail9 = on ? 1 : 0; }
  int32_t GetTopSizeX() const override { return TopSizeX; }
  int32_t GetTopSizeY() const override { return TopSizeY; }
  int32_t GetMidSizeX() const override { return MidSizeX; }
  int32_t GetMidSizeY() const override { return MidSizeY; }
  int32_t GetBottomSizeX() const override { return BottomSizeX; }
  int32_t GetBottomSizeY() const override { return BottomSizeY; }
  int32_t GetHoleSize() const override { return HoleSize; }
  uint8_t GetTopShape() const override { return TopShape; }
  uint8_t GetMidShape() const override { return MidShape; }
  uint8_t GetBottomShape() const override { return BottomShape; }
  std::string GetName() const override;
  double GetRotation() const override { return Rotation; }
  int32_t SizeXOnLayer(TLayerNumber layer) const override;
  int32_t SizeYOnLayer(TLayerNumber layer) const override;
  int32_t ShapeOnLayer(TLayerNumber layer) const override;
  int32_t MinSizeOnLayer(TLayerNumber layer) const override;
  int32_t CornerAXOnLayer(TLayerNumber layer, int32_t margin) const override;
  int32_t CornerAYOnLayer(TLayerNumber layer, int32_t margin) const override;
  int32_t CornerBXOnLayer(TLayerNumber layer, int32_t margin) const override;
  int32_t CornerBYOnLayer(TLayerNumber layer, int32_t margin) const override;
  int32_t CornerCXOnLayer(TLayerNumber layer, int32_t margin) const override;
  int32_t CornerCYOnLayer(TLayerNumber layer, int32_t margin) const override;
  int32_t CornerDXOnLayer(TLayerNumber layer, int32_t margin) const override;
  int32_t CornerDYOnLayer(TLayerNumber layer, int32_t margin) const override;
  int32_t CentreLineX1OnLayer(TLayerNumber layer) const override;
  int32_t CentreLineY1OnLayer(TLayerNumber layer) const override;
  int32_t CentreLineX2OnLayer(TLayerNumber layer) const override;
  int32_t CentreLineY2OnLayer(TLayerNumber layer) const override;
  void SetTopSizeX(int32_t value) override { TopSizeX = value; }
  void SetTopSizeY(int32_t value) override { TopSizeY = value; }
  void SetMidSizeX(int32_t value) override { MidSizeX = value; }
  void SetMidSizeY(int32_t value) override { MidSizeY = value; }
  void SetBottomSizeX(int32_t value) override { BottomSizeX = value; }
  void SetBottomSizeY(int32_t value) override { BottomSizeY = value; }
  void SetHoleSize(int32_t value) override { HoleSize = value; }
  void SetTopShape(uint8_t value) override { TopShape = value; }
  void SetMidShape(uint8_t value) override { MidShape = value; }
  void SetBottomShape(uint8_t value) override { BottomShape = value; }
  void SetName(std::string_view value) override;  // at most 20 characters
  void SetRotation(double value) override { Rotation = value; }
  int32_t CornerRadiusOnLayer(TLayerNumber layer) const override;

 private:
  void ReadLayer(TLayerNumber layer);
  void WriteLayer(TLayerNumber layer);
};

class TPcbText : public TPCBObject {
 public:
  explicit TPcbText(uint32_t handle = 0);

  int32_t LeadingValue1 = 0;
  int32_t LeadingValue2 = 0;
  double Rotation = 0.0;
  uint8_t OpaqueByte = 0;
  PcbString254 Text = {};  // the text itself
  int32_t TrailingValue1 = 0;
  int32_t TrailingValue2 = 0;
  int32_t TrailingValue3 = 0;
  PcbString254 DisplayText = {};  // as the editor displays it (special strings resolved)
  // The TrueType block.
  uint8_t TrueTypeFlag = 0;
  PcbString255 FontName = {};  // "Arial"
  uint8_t TrueTypeByte1 = 0;
  uint8_t TrueTypeByte2 = 0;
  uint8_t TrueTypeByte3 = 0;
  int32_t TrueTypeValue = 200000;
  // The bar-code block.
  uint8_t BarCodeByte1 = 0;
  uint8_t BarCodeByte2 = 0;
  uint8_t BarCodeByte3 = 0;
  uint8_t BarCodeByte4 = 0;

  int32_t Sync(uint8_t mode) override;
  int32_t GetValue2() const override { return TrailingValue2; }
  int32_t GetValue3() const override { return TrailingValue3; }
  double GetRotation() const override { return Rotation; }
  int32_t GetExtraA() const override { return TrailingValue1; }
  int32_t GetExtraC() const override { return LeadingValue1; }
  int32_t GetExtraK() const override { return TrailingValue1; }
  int32_t GetExtraP() const override { return LeadingValue2; }
  uint8_t GetExtraQ() const override { return OpaqueByte; }
  std::string GetText() const override;
  void SetValue2(int32_t value) override { TrailingValue2 = value; }
  void SetValue3(int32_t value) override { TrailingValue3 = value; }
  void SetRotation(double value) override { Rotation = value; }
  void SetExtraA(int32_t value) override { TrailingValue1 = value; }
  void SetExtraC(int32_t value) override { LeadingValue1 = value; }
  void SetExtraK(int32_t value) override { TrailingValue1 = value; }
  void SetExtraP(int32_t value) override { LeadingValue2 = value; }
  void SetExtraQ(uint8_t value) override { OpaqueByte = value; }
  void SetText(std::string_view value) override;  // at most 254 characters
};

// ---------------------------------------------------------------------------------------------
// Object classes, rules, violations and embedded objects.

// An object class and the names of its members.
class TPCBObjectClass : public TPCBObject {
 public:
  explicit TPCBObjectClass(uint32_t handle = 0) : TPCBObject(handle, ClassObject) {}

  uint8_t Opaque1 = 0;
  uint8_t Opaque2 = 0;
  PcbString255 Name = {};
  std::vector<std::string> Members;  // reading appends; writing replaces the editor's members

  int32_t Sync(uint8_t mode) override;

 private:
  int32_t ReadMembers(int32_t queryStatus);
  int32_t WriteMembers();
};

// The data block of an embedded object, zeroed.
struct TEmbeddedData {
  PcbEmbeddedData Bytes = {};
};

class TPcbEmbedded : public TPCBObject {
 public:
  explicit TPcbEmbedded(uint32_t handle = 0)
      : TPCBObject(handle, EmbeddedObject), Data(std::make_unique<TEmbeddedData>()) {}

  PcbString255 OpaqueText = {};
  std::unique_ptr<TEmbeddedData> Data;  // owned 4096-byte block

  int32_t Sync(uint8_t mode) override;
};

class TPcbRule : public TPCBObject {
 public:
  explicit TPcbRule(uint32_t handle = 0) : TPCBObject(handle, RuleObject) {}

  uint8_t OpaqueFlags1[7] = {};
  PcbString255 OpaqueTexts1[4] = {};
  uint8_t OpaqueFlags2[2] = {};
  int32_t OpaqueValues[4] = {};
  PcbString255 OpaqueTexts2[6] = {};

  int32_t Sync(uint8_t mode) override;
};

class TPcbViolation : public TPCBObject {
 public:
  explicit TPcbViolation(uint32_t handle = 0) : TPCBObject(handle, ViolationObject) {}

  PcbString255 OpaqueText1 = {};
  PcbString255 OpaqueText2 = {};
  int32_t OpaqueValues[3] = {};

  int32_t Sync(uint8_t mode) override;
};

// ---------------------------------------------------------------------------------------------
// Group objects: objects made of other objects.

class TPcbGroupObject : public TPCBObject {
 public:
  explicit TPcbGroupObject(uint32_t handle = 0) : TPCBObject(handle, NoObject) {}

 protected:
  TPcbGroupObject(uint32_t handle, TObjectKind kind) : TPCBObject(handle, kind) {}
};

class TPcbCoordinate : public TPcbGroupObject {
 public:
  explicit TPcbCoordinate(uint32_t handle = 0) : TPcbGroupObject(handle, CoordinateObject) {}

  int32_t OpaqueValues[6] = {};

  int32_t Sync(uint8_t mode) override;
};

// One reference point of a dimension.
struct TDimensionReference {
  int32_t Value1 = 0;
  int32_t Value2 = 0;
  int32_t Value3 = 0;
  int32_t Value4 = 0;
};

class TPcbDimension : public TPcbGroupObject {
 public:
  explicit TPcbDimension(uint32_t handle = 0) : TPcbGroupObject(handle, DimensionObject) {}

  int32_t Opaque1 = 0;
  int32_t Opaque2 = 0;
  int32_t Opaque3 = 0;
  int32_t Opaque4 = 0;
  int32_t Opaque5 = 0;
  int32_t Opaque6 = 0;
  int32_t Opaque7 = 0;
  uint8_t Opaque8 = 0;
  int32_t ReferenceCount = 0;  // 0 to MaxDimensionReferences
  TDimensionReference References[MaxDimensionReferences] = {};
  // The extension block.
  uint8_t DimensionKind = 8;
  int32_t ExtValues[11] = {};
  double ExtAngle = 0.0;
  uint8_t ExtFlags[6] = {};

  int32_t Sync(uint8_t mode) override;

 private:
  void ExchangeReferences(uint8_t mode);
};

class TPcbPolygon : public TPcbGroupObject {
 public:
  explicit TPcbPolygon(uint32_t handle = 0) : TPcbPolygon(handle, PolygonObject) {}

  uint8_t Opaque1 = 0;
  uint8_t Opaque2 = 0;
  uint8_t Opaque3 = 0;
  int32_t Opaque4 = 0;
  int32_t Opaque5 = 0;
  uint8_t Opaque6 = 0;
  uint8_t Opaque7 = 0;
  int32_t Opaque8 = 0;
  uint8_t Opaque9 = 0;
  int32_t Opaque10 = 0;
  PcbSegmentBlock Segments = {};  // 5001 outline segments (about 185 kB: allocate on the heap)

  int32_t Sync(uint8_t mode) override;

 protected:
  TPcbPolygon(uint32_t handle, TObjectKind kind) : TPcbGroupObject(handle, kind) {}
};

class TPcbBoardOutline : public TPcbPolygon {
 public:
  explicit TPcbBoardOutline(uint32_t handle = 0) : TPcbPolygon(handle, BoardOutlineObject) {}
};

class TPcbSplitPlane : public TPcbGroupObject {
 public:
  explicit TPcbSplitPlane(uint32_t handle = 0) : TPcbGroupObject(handle, SplitPlaneObject) {}

  uint8_t Opaque1 = 0;
  int32_t Opaque2 = 0;
  PcbSegmentBlock Segments = {};  // 5001 outline segments (about 185 kB: allocate on the heap)

  int32_t Sync(uint8_t mode) override;
};

// A component. Its side is its layer: TopLayer or BottomLayer; the editor exchanges it as a layer
// number, which Sync converts to and from Layer.
class TPcbComponent : public TPcbGroupObject {
 public:
  explicit TPcbComponent(uint32_t handle = 0) : TPcbGroupObject(handle, ComponentObject) {}

  int32_t ChannelOffset = 0;
  uint32_t ComponentKind = 0;
  uint32_t NameTextHandle = 0;  // the designator text
  uint32_t OpaqueHandle = 0;
  PcbString250 Footprint = {};
  uint8_t Opaque1 = 0;
  uint8_t Opaque2 = 0;
  int32_t GroupIndex = 0;  // group number kept in the board, 0 = none
  double Rotation = 0.0;
  uint8_t Opaque3 = 0;
  int32_t ExtValue = 0;
  uint8_t ExtByte1 = 0;
  uint8_t ExtByte2 = 0;
  uint8_t ExtByte3 = 0;
  PcbSourceLinks SourceLinks = {};
  PcbString255 DefaultModel = {};

  int32_t Sync(uint8_t mode) override;
  std::string GetName() const override;  // the designator
  double GetRotation() const override { return Rotation; }
  void SetRotation(double value) override { Rotation = value; }

  // The index-th child (from 1) of that kind, 0 past the end.
  uint32_t ChildAt(TObjectKind kind, uint16_t index) const;
  // The number of children of that kind + 1: the first index at which ChildAt gives 0.
  uint16_t ChildCountPlusOne(TObjectKind kind) const;
};

class TPcbNet : public TPcbGroupObject {
 public:
  explicit TPcbNet(uint32_t handle = 0) : TPcbGroupObject(handle, NetObject) {}

  PcbString255 Name = {};
  uint8_t Opaque1 = 0;
  uint8_t Opaque2 = 0;

  int32_t Sync(uint8_t mode) override;
  std::string GetName() const override;
  void SetName(std::string_view value) override;  // at most 255 characters
};

// ---------------------------------------------------------------------------------------------
// Factory.

// A new, unread mirror of the class of that kind id for the handle; none for kinds without a
// class (0, 23 to 25, above 26).
std::unique_ptr<TPCBObject> CreateMirrorOfKind(TObjectKind kind, uint32_t handle);

// A mirror of the editor's object, of the class of its kind, read once; none for handle 0 or an
// object whose kind has no class.
std::unique_ptr<TPCBObject> MirrorOf(uint32_t handle);

// Helpers on a temporary mirror. For handle 0, or an object without a class, they give 0, an
// empty text, or write nothing.
uint32_t OwnerComponentOf(uint32_t handle);    // the owning component
std::string TextOf(uint32_t handle);           // a text object's text; empty for other kinds
void SetTagOf(uint32_t handle, uint16_t tag);  // stores the tag in the editor's object
