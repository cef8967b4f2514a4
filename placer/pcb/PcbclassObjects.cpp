// The primitive mirrors apart from their exchange and geometry: editor services, flag bits, names
// and texts, a component's children, and the factory.

#include "pcb/PcbclassObjects.h"

#include <limits>

#include "pcb/PCBProcs.h"
#include "pcb/PcbStrings.h"

namespace {

// Coordinates move with wrap-around, never with signed overflow.
int32_t Shifted(int32_t value, int32_t delta) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

// The bounding rectangle as the editor reports it; zero when it cannot.
struct TRectangle {
  int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

TRectangle BoundsOf(const TPCBObject& object) {
  TRectangle rectangle;
  object.BoundingRectangle(rectangle.X1, rectangle.Y1, rectangle.X2, rectangle.Y2);
  return rectangle;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Editor services and flag bits.

int32_t TPCBObject::BoundingRectangle(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const {
  return Pcb::QueryObjectBoundingRectangle(Handle, &x1, &y1, &x2, &y2);
}

void TPCBObject::MoveBy(int32_t dx, int32_t dy) {
  X = Shifted(X, dx);
  Y = Shifted(Y, dy);
}

bool TPCBObject::IsImportedFromUser() const {
  return Pcb::QueryObjectImport_FromUser(Handle) == 0;
}

void TPCBObject::Invalidate() const {
  Pcb::QueryObjectGraphicallyInvalidate(Handle);
}

void TPCBObject::StoreStateBit0008(bool on) {
  ChangeStateBit(0x0008, on);
  Sync(PcbApi_ModeWrite);
}

void TPCBObject::StoreStateBit0100Clear(bool clear) {
  ChangeStateBit(0x0100, !clear);
  Sync(PcbApi_ModeWrite);
}

void TPCBObject::ChangeStateBit(uint16_t bit, bool on) {
  StateFlags = static_cast<uint16_t>(on ? StateFlags | bit : StateFlags & ~bit);
}

void TPCBObject::ChangeBitField3Bits(uint16_t bits, bool on) {
  BitField3 = static_cast<uint16_t>(on ? BitField3 | bits : BitField3 & ~bits);
}

int32_t TPCBObject::GetBoundsX1() const {
  return BoundsOf(*this).X1;
}
int32_t TPCBObject::GetBoundsY1() const {
  return BoundsOf(*this).Y1;
}
int32_t TPCBObject::GetBoundsX2() const {
  return BoundsOf(*this).X2;
}
int32_t TPCBObject::GetBoundsY2() const {
  return BoundsOf(*this).Y2;
}

// ---------------------------------------------------------------------------------------------
// Tracks and fills move both corners.

void TPcbTrack::MoveBy(int32_t dx, int32_t dy) {
  TPCBObject::MoveBy(dx, dy);
  X2 = Shifted(X2, dx);
  Y2 = Shifted(Y2, dy);
}

void TPcbFill::MoveBy(int32_t dx, int32_t dy) {
  TPCBObject::MoveBy(dx, dy);
  X2 = Shifted(X2, dx);
  Y2 = Shifted(Y2, dy);
}

// ---------------------------------------------------------------------------------------------
// Vias ask the editor for their size and shape on a layer; 0 when it cannot tell.

int32_t TPcbVia::SizeOnLayer(TLayerNumber layer) const {
  int32_t sizeX = 0;
  int32_t sizeY = 0;
  if (Pcb::QueryPadOrViaSizeOnLayer(Handle, layer, &sizeX, &sizeY) != 0)
    return 0;
  return sizeX;
}

int32_t TPcbVia::ShapeOnLayer(TLayerNumber layer) const {
  uint8_t shape = 0;
  if (Pcb::QueryPadOrViaShapeOnLayer(Handle, layer, &shape) != 0)
    return 0;
  return shape;
}

// ---------------------------------------------------------------------------------------------
// Names and texts (cut to the capacity of their buffers).

std::string TPcbPad::GetName() const {
  return FromPcbString(Name);
}

void TPcbPad::SetName(std::string_view value) {
  ToPcbString(Name, value);
}

TPcbText::TPcbText(uint32_t handle) : TPCBObject(handle, TextObject) {
  ToPcbString(FontName, "Arial");
}

std::string TPcbText::GetText() const {
  return FromPcbString(Text);
}

void TPcbText::SetText(std::string_view value) {
  ToPcbString(Text, value);
}

std::string TPcbNet::GetName() const {
  return FromPcbString(Name);
}

void TPcbNet::SetName(std::string_view value) {
  ToPcbString(Name, value);
}

// ---------------------------------------------------------------------------------------------
// Components.

std::string TPcbComponent::GetName() const {
  return TextOf(NameTextHandle);
}

uint32_t TPcbComponent::ChildAt(TObjectKind kind, uint16_t index) const {
  uint32_t child = 0;
  if (Pcb::QueryComponent_GetObjectAt(Handle, &kind, &index, &child) != 0)
    return 0;
  return child;
}

// Indices are 16-bit: the count stops at the largest index even if the editor still answers.
uint16_t TPcbComponent::ChildCountPlusOne(TObjectKind kind) const {
  uint16_t index = 1;
  while (index < std::numeric_limits<uint16_t>::max() && ChildAt(kind, index) != 0)
    ++index;
  return index;
}

// ---------------------------------------------------------------------------------------------
// Factory.

std::unique_ptr<TPCBObject> CreateMirrorOfKind(TObjectKind kind, uint32_t handle) {
  switch (kind) {
    case ArcObject:
      return std::make_unique<TPcbArc>(handle);
    case PadObject:
      return std::make_unique<TPcbPad>(handle);
    case ViaObject:
      return std::make_unique<TPcbVia>(handle);
    case TrackObject:
      return std::make_unique<TPcbTrack>(handle);
    case TextObject:
      return std::make_unique<TPcbText>(handle);
    case FillObject:
      return std::make_unique<TPcbFill>(handle);
    case FromToObject:
      return std::make_unique<TPcbFromTo>(handle);
    case NetObject:
      return std::make_unique<TPcbNet>(handle);
    case ComponentObject:
      return std::make_unique<TPcbComponent>(handle);
    case PolygonObject:
      return std::make_unique<TPcbPolygon>(handle);
    case RegionObject:
      return std::make_unique<TPCBRegion>(handle);
    case ComponentBodyObject:
      return std::make_unique<TPcbComponentBody>(handle);
    case DimensionObject:
      return std::make_unique<TPcbDimension>(handle);
    case CoordinateObject:
      return std::make_unique<TPcbCoordinate>(handle);
    case ClassObject:
      return std::make_unique<TPCBObjectClass>(handle);
    case RuleObject:
      return std::make_unique<TPcbRule>(handle);
    case ManualFromToObject:
      return std::make_unique<TPcbManualFromTo>(handle);
    case DifferentialPairObject:
      return std::make_unique<TPcbDifferentialPair>(handle);
    case ViolationObject:
      return std::make_unique<TPcbViolation>(handle);
    case EmbeddedObject:
      return std::make_unique<TPcbEmbedded>(handle);
    case EmbeddedBoardObject:
      return std::make_unique<TPcbEmbeddedBoard>(handle);
    case SplitPlaneObject:
      return std::make_unique<TPcbSplitPlane>(handle);
    case BoardOutlineObject:
      return std::make_unique<TPcbBoardOutline>(handle);
    default:
      return nullptr;
  }
}

std::unique_ptr<TPCBObject> MirrorOf(uint32_t handle) {
  if (handle == 0)
    return nullptr;
  const auto kind = static_cast<TObjectKind>(Pcb::GetObjectIdFromObjectHandle(handle) & 0x7Fu);
  std::unique_ptr<TPCBObject> mirror = CreateMirrorOfKind(kind, handle);
  if (mirror != nullptr)
    mirror->Sync(PcbApi_ModeRead);
  return mirror;
}

uint32_t OwnerComponentOf(uint32_t handle) {
  const std::unique_ptr<TPCBObject> mirror = MirrorOf(handle);
  return mirror != nullptr ? mirror->GetComponentHandle() : 0;
}

std::string TextOf(uint32_t handle) {
  const std::unique_ptr<TPCBObject> mirror = MirrorOf(handle);
  return mirror != nullptr ? mirror->GetText() : std::string();
}

void SetTagOf(uint32_t handle, uint16_t tag) {
  const std::unique_ptr<TPCBObject> mirror = MirrorOf(handle);
  if (mirror == nullptr)
    return;
  mirror->SetTag(tag);
  mirror->Sync(PcbApi_ModeWrite);
}
