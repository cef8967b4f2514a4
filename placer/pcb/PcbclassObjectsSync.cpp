// Sync of the primitive mirrors: every field goes to the editor's query function through a pointer,
// in the order the function takes them. A missing entry point leaves the fields as they are and
// gives its default status (pcb/PCBProcs.h).

#include <algorithm>

#include "pcb/PCBProcs.h"
#include "pcb/PcbStrings.h"
#include "pcb/PcbclassObjects.h"

namespace {

constexpr bool IsRead(uint8_t mode) {
  return mode == PcbApi_ModeRead;
}

// The editor answers the end of a class's member list with this status.
constexpr int32_t NoMoreMembers = 1;

}  // namespace

void TPCBObject::ExchangeBitFields(uint8_t mode) {
  Pcb::GetObjectBitField2(mode, Handle, &BitField2);
  Pcb::GetObjectBitField3(mode, Handle, &BitField3);
}

int32_t TPCBObject::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryPrimitive(mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &ComponentHandle,
                             &Moveable);
}

int32_t TPcbTrack::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryTrack(mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable,
                         &ComponentHandle, &X, &Y, &X2, &Y2, &Opaque1, &Opaque2, &Opaque3,
                         &Opaque4);
}

int32_t TPcbFill::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryFill(mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable,
                        &ComponentHandle, &X, &Y, &X2, &Y2, &Opaque1, &Rotation);
}

int32_t TPcbArc::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryArc(mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable,
                       &ComponentHandle, &X, &Y, &Radius, &StartAngle, &EndAngle, &Opaque1, &Width);
}

int32_t TPcbVia::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  TLayerNumber layerNumber = LayerNumberFromId(Layer);
  const int32_t status = Pcb::QueryVia(mode, Handle, &StateFlags, &Tag, &layerNumber, &NetHandle,
                                       &Moveable, &ComponentHandle, &X, &Y, &Size, &HoleSize,
                                       &Opaque1, &Opaque2, &Opaque3, &Opaque4);
  Layer = LayerIdFromNumber(layerNumber);
  return status;
}

int32_t TPCBRegion::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryRegion(mode, Handle, &Opaque1, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable,
                          &ComponentHandle, &Opaque2, &Opaque3, &Opaque4, &Opaque5, &Opaque6,
                          &Opaque7);
}

int32_t TPcbEmbeddedBoard::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryEmbeddedBoard(mode, Handle, &StateFlags, &Tag, &Moveable, &X, &Y, &OpaqueText,
                                 &Opaque1, &Opaque2, &Opaque3, &Opaque4, &Opaque5, &Opaque6,
                                 &Opaque7);
}

int32_t TPcbFromTo::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryFromTo(mode, Handle, &Tag, &X, &Y, &Opaque1, &X2, &Y2, &Opaque2, &NetHandle);
}

int32_t TPcbManualFromTo::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryManualFromTo(mode, Handle, &Tag, &OpaqueText1, &OpaqueText2, &OpaqueText3,
                                &Opaque1);
}

// ---------------------------------------------------------------------------------------------
// Pads: the pad record, its stack mode, then its data on every layer number.

int32_t TPcbPad::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  const int32_t status = Pcb::QueryPad(
      mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable, &ComponentHandle, &X, &Y,
      &TopSizeX, &TopSizeY, &MidSizeX, &MidSizeY, &BottomSizeX, &BottomSizeY, &HoleSize, &TopShape,
      &MidShape, &BottomShape, &Name, &OpaqueByteBeforeRotation, &OpaqueByteAfterRotation,
      &Rotation, &OpaqueString1, &OpaqueString2, &OpaqueValue, &OpaqueString3, &Tail1, &Tail2,
      &Tail3, &Tail6, &Tail4, &Tail5, &Tail7, &Tail8, &Tail9);
  if (status != 0)
    return status;
  Pcb::QueryPadStackMode(mode, Handle, &StackMode);
  for (int layer = 0; layer < PadLayerCount; ++layer) {
    if (IsRead(mode))
      ReadLayer(static_cast<TLayerNumber>(layer));
    else
      WriteLayer(static_cast<TLayerNumber>(layer));
  }
  return 0;
}

void TPcbPad::ReadLayer(TLayerNumber layer) {
  Pcb::QueryPadOrViaShapeOnLayer(Handle, layer, &LayerShape[layer]);
  Pcb::QueryPadOrViaSizeOnLayer(Handle, layer, &LayerSizeX[layer], &LayerSizeY[layer]);
  Pcb::QueryPadCornerRadiusOnLayer(Handle, layer, &LayerCornerRadius[layer]);
  Pcb::QueryPadCRPercentageOnLayer(Handle, layer, &LayerCornerPercent[layer]);
  // The middle layers share one percentage: the last middle layer's stands.
  if (layer == TopLayer)
    TopCornerPercent = LayerCornerPercent[layer];
  else if (layer >= MidLayer1 && layer <= MidLayer30)
    MidCornerPercent = LayerCornerPercent[layer];
  else if (layer == BottomLayer)
    BottomCornerPercent = LayerCornerPercent[layer];
}

void TPcbPad::WriteLayer(TLayerNumber layer) {
  if (StackMode == FullStackMode) {
    Pcb::SetPadShapeOnLayer(Handle, layer, LayerShape[layer]);
    Pcb::SetPadSizeOnLayer(Handle, layer, LayerSizeX[layer], LayerSizeY[layer]);
    Pcb::SetCRPctOnLayer(Handle, layer, LayerCornerPercent[layer]);
  } else if (LayerShape[layer] == RoundedRectangleShape) {
    // A simple stack keeps three percentages: top, middle (set through the first middle layer)
    // and bottom.
    Pcb::SetCRPctOnLayer(Handle, TopLayer, TopCornerPercent);
    Pcb::SetCRPctOnLayer(Handle, BottomLayer, BottomCornerPercent);
    Pcb::SetCRPctOnLayer(Handle, MidLayer1, MidCornerPercent);
  }
}

// ---------------------------------------------------------------------------------------------
// Texts: the text record, its TrueType block, the displayed string and the bar-code block.

int32_t TPcbText::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  Pcb::QueryText(mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable, &ComponentHandle,
                 &X, &Y, &LeadingValue1, &LeadingValue2, &Rotation, &OpaqueByte, &Text,
                 &TrailingValue1, &TrailingValue2, &TrailingValue3);
  int32_t status =
      Pcb::QueryTrueTypeTextInfo(mode, Handle, &TrueTypeFlag, &FontName, &TrueTypeByte1,
                                 &TrueTypeByte2, &TrueTypeByte3, &TrueTypeValue);
  PcbString255 display = {};  // stays empty when the editor lacks the entry point
  Pcb::GetDesignatorDisplayString(&display, Handle);
  ToPcbString(DisplayText, FromPcbString(display));
  if (Pcb::QueryBarCodeTextInfo(mode, Handle, &BarCodeByte1, &BarCodeByte2, &BarCodeByte3,
                                &BarCodeByte4) == 1)
    status = 1;
  return status;
}

// ---------------------------------------------------------------------------------------------
// Object classes, rules, violations, embedded objects.

int32_t TPCBObjectClass::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  const int32_t status = Pcb::QueryClass(mode, Handle, &Tag, &Opaque1, &Opaque2, &Name);
  return IsRead(mode) ? ReadMembers(status) : WriteMembers();
}

// Appends the editor's members to the list (which is not cleared first). The end of the list is
// not a failure: the result is the class query's status, or the status of a member query that
// failed otherwise.
int32_t TPCBObjectClass::ReadMembers(int32_t queryStatus) {
  for (int32_t index = 0; index < INT32_MAX; ++index) {
    PcbString255 member = {};
    const int32_t status = Pcb::GetMemberFromClassAt(Handle, index, &member);
    if (status == NoMoreMembers)
      break;
    if (status != 0)
      return status;
    Members.push_back(FromPcbString(member));
  }
  return queryStatus;
}

// Replaces the editor's members by the list; the status is the last one the editor returned.
int32_t TPCBObjectClass::WriteMembers() {
  int32_t status = Pcb::RemoveAllMembersFromClass(Handle);
  for (const std::string& name : Members) {
    PcbString255 member = {};
    ToPcbString(member, name);
    status = Pcb::AddMemberToClass(Handle, &member);
  }
  return status;
}

int32_t TPcbEmbedded::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryEmbedded(mode, Handle, &OpaqueText, &Data->Bytes);
}

int32_t TPcbRule::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  uint8_t* f1 = OpaqueFlags1;
  PcbString255* t1 = OpaqueTexts1;
  PcbString255* t2 = OpaqueTexts2;
  return Pcb::QueryRule(mode, Handle, &f1[0], &f1[1], &f1[2], &f1[3], &f1[4], &f1[5], &f1[6],
                        &t1[0], &t1[1], &t1[2], &t1[3], &OpaqueFlags2[0], &OpaqueFlags2[1],
                        &OpaqueValues[0], &OpaqueValues[1], &OpaqueValues[2], &OpaqueValues[3],
                        &t2[0], &t2[1], &t2[2], &t2[3], &t2[4], &t2[5]);
}

int32_t TPcbViolation::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryViolation(mode, Handle, &OpaqueText1, &OpaqueText2, &OpaqueValues[0],
                             &OpaqueValues[1], &OpaqueValues[2]);
}

// ---------------------------------------------------------------------------------------------
// Group objects.

int32_t TPcbCoordinate::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  int32_t* v = OpaqueValues;
  return Pcb::QueryCoordinate(mode, Handle, &StateFlags, &Tag, &Moveable, &X, &Y, &Layer, &v[0],
                              &v[1], &v[2], &v[3], &v[4], &v[5]);
}

// A dimension succeeds when both its record and its extension block were exchanged; the status
// of the first of them that failed is the result.
int32_t TPcbDimension::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  const int32_t status =
      Pcb::QueryDimension(mode, Handle, &StateFlags, &Tag, &Moveable, &X, &Y, &Opaque1, &Opaque2,
                          &Layer, &Opaque3, &Opaque4, &Opaque5, &Opaque6, &Opaque7, &Opaque8);
  ExchangeReferences(mode);
  int32_t* v = ExtValues;
  uint8_t* f = ExtFlags;
  const int32_t extensionStatus = Pcb::QueryExtDimension(
      mode, Handle, &DimensionKind, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8],
      &v[9], &v[10], &ExtAngle, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
  return status != 0 ? status : extensionStatus;
}

// The count is kept within the room of References both ways, whatever the editor answers.
void TPcbDimension::ExchangeReferences(uint8_t mode) {
  ReferenceCount = std::clamp(ReferenceCount, 0, MaxDimensionReferences);
  Pcb::References_Count(mode, Handle, &ReferenceCount);
  ReferenceCount = std::clamp(ReferenceCount, 0, MaxDimensionReferences);
  for (int32_t index = 0; index < ReferenceCount; ++index) {
    TDimensionReference& reference = References[index];
    Pcb::References_At(mode, Handle, index, &reference.Value1, &reference.Value2, &reference.Value3,
                       &reference.Value4);
  }
}

int32_t TPcbPolygon::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryPolygon(mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable, &Opaque1,
                           &Opaque2, &Opaque3, &Opaque4, &Opaque5, &Opaque6, &Opaque7, &Opaque8,
                           &Opaque9, &Opaque10, &Segments);
}

int32_t TPcbSplitPlane::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QuerySplitPlane(mode, Handle, &StateFlags, &Tag, &Layer, &NetHandle, &Moveable,
                              &Opaque1, &Opaque2, &Segments);
}

// The component record comes with five companions; the status is the record's.
int32_t TPcbComponent::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  Pcb::QueryComponentChannelOffset(mode, Handle, &ChannelOffset);
  Pcb::QueryComponentKind(mode, Handle, &ComponentKind);
  TLayerNumber layerNumber = LayerNumberFromId(Layer);
  const int32_t status = Pcb::QueryComponent(
      mode, Handle, &StateFlags, &Tag, &layerNumber, &Moveable, &NameTextHandle, &OpaqueHandle,
      &Footprint, &Opaque1, &Opaque2, &X, &Y, &GroupIndex, &Rotation, &Opaque3);
  Layer = LayerIdFromNumber(layerNumber);
  Pcb::QueryComponentEx(mode, Handle, &ExtValue, &ExtByte1, &ExtByte2, &ExtByte3);
  Pcb::QueryComponentSourceLinks(mode, Handle, &SourceLinks);
  Pcb::QueryDefaultPCB3DModel(mode, Handle, &DefaultModel);
  return status;
}

int32_t TPcbNet::Sync(uint8_t mode) {
  ExchangeBitFields(mode);
  return Pcb::QueryNet(mode, Handle, &Tag, &Name, &Opaque1, &Opaque2);
}
