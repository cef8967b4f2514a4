// The mirrors' memory layout on the 32-bit Windows target, checked when this file compiles.
//
// The editor writes through pointers into the mirrors' fields, and a host built with another
// compiler lays out the same records with natural alignment: a 4-byte table pointer first, then
// every field at a multiple of its own width (doubles at multiples of 8), the size rounded up to
// the widest field. The numbers below are that layout, worked out from the records' field lists,
// not taken from this compiler; a field added, moved or resized in a mirror breaks the build here.
// Other targets (64-bit pointers, 4-byte aligned doubles) lay the records out differently and are
// not checked. The dimension mirror's extension block is not listed field by field and is not
// checked either.

#include <cstddef>

#include "pcb/PcbclassObjects.h"

#if defined(_WIN32) && !defined(_WIN64)

// offsetof on a class with virtual functions is conditionally supported; GCC and Clang support
// it for classes without virtual bases, which is all these are.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

static_assert(sizeof(TPCBObject) == 44);
static_assert(offsetof(TPCBObject, Handle) == 4);
static_assert(offsetof(TPCBObject, ObjectKind) == 8);
static_assert(offsetof(TPCBObject, X) == 12);
static_assert(offsetof(TPCBObject, Y) == 16);
static_assert(offsetof(TPCBObject, StateFlags) == 20);
static_assert(offsetof(TPCBObject, BitField2) == 22);
static_assert(offsetof(TPCBObject, BitField3) == 24);
static_assert(offsetof(TPCBObject, Tag) == 26);
static_assert(offsetof(TPCBObject, Moveable) == 28);
static_assert(offsetof(TPCBObject, NetHandle) == 32);
static_assert(offsetof(TPCBObject, ComponentHandle) == 36);
static_assert(offsetof(TPCBObject, Layer) == 40);

static_assert(sizeof(TPcbTrack) == 68);
static_assert(offsetof(TPcbTrack, X2) == 44);
static_assert(offsetof(TPcbTrack, Y2) == 48);
static_assert(offsetof(TPcbTrack, Opaque1) == 52);
static_assert(offsetof(TPcbTrack, Opaque2) == 56);
static_assert(offsetof(TPcbTrack, Opaque3) == 60);
static_assert(offsetof(TPcbTrack, Opaque4) == 64);

static_assert(sizeof(TPcbFill) == 64);
static_assert(offsetof(TPcbFill, X2) == 44);
static_assert(offsetof(TPcbFill, Y2) == 48);
static_assert(offsetof(TPcbFill, Opaque1) == 52);
static_assert(offsetof(TPcbFill, Rotation) == 56);

static_assert(sizeof(TPcbArc) == 72);
static_assert(offsetof(TPcbArc, Radius) == 44);
static_assert(offsetof(TPcbArc, StartAngle) == 48);
static_assert(offsetof(TPcbArc, EndAngle) == 56);
static_assert(offsetof(TPcbArc, Opaque1) == 64);
static_assert(offsetof(TPcbArc, Width) == 68);

static_assert(sizeof(TPcbVia) == 56);
static_assert(offsetof(TPcbVia, Size) == 44);
static_assert(offsetof(TPcbVia, HoleSize) == 48);
static_assert(offsetof(TPcbVia, Opaque1) == 52);
static_assert(offsetof(TPcbVia, Opaque2) == 53);
static_assert(offsetof(TPcbVia, Opaque3) == 54);
static_assert(offsetof(TPcbVia, Opaque4) == 55);

static_assert(sizeof(TPCBRegion) == 72);
static_assert(offsetof(TPCBRegion, Opaque1) == 44);
static_assert(offsetof(TPCBRegion, Opaque2) == 48);
static_assert(offsetof(TPCBRegion, Opaque3) == 52);
static_assert(offsetof(TPCBRegion, Opaque4) == 56);
static_assert(offsetof(TPCBRegion, Opaque5) == 60);
static_assert(offsetof(TPCBRegion, Opaque6) == 64);
static_assert(offsetof(TPCBRegion, Opaque7) == 68);

static_assert(sizeof(TPcbEmbeddedBoard) == 328);
static_assert(offsetof(TPcbEmbeddedBoard, OpaqueText) == 44);
static_assert(offsetof(TPcbEmbeddedBoard, Opaque1) == 300);
static_assert(offsetof(TPcbEmbeddedBoard, Opaque2) == 304);
static_assert(offsetof(TPcbEmbeddedBoard, Opaque3) == 308);
static_assert(offsetof(TPcbEmbeddedBoard, Opaque4) == 312);
static_assert(offsetof(TPcbEmbeddedBoard, Opaque5) == 316);
static_assert(offsetof(TPcbEmbeddedBoard, Opaque6) == 324);
static_assert(offsetof(TPcbEmbeddedBoard, Opaque7) == 325);

static_assert(sizeof(TPcbFromTo) == 60);
static_assert(offsetof(TPcbFromTo, Opaque1) == 44);
static_assert(offsetof(TPcbFromTo, X2) == 48);
static_assert(offsetof(TPcbFromTo, Y2) == 52);
static_assert(offsetof(TPcbFromTo, Opaque2) == 56);

static_assert(sizeof(TPcbManualFromTo) == 816);
static_assert(offsetof(TPcbManualFromTo, OpaqueText1) == 44);
static_assert(offsetof(TPcbManualFromTo, OpaqueText2) == 300);
static_assert(offsetof(TPcbManualFromTo, OpaqueText3) == 556);
static_assert(offsetof(TPcbManualFromTo, Opaque1) == 812);

static_assert(sizeof(TPcbNet) == 304);
static_assert(offsetof(TPcbNet, Name) == 44);
static_assert(offsetof(TPcbNet, Opaque1) == 300);
static_assert(offsetof(TPcbNet, Opaque2) == 301);

static_assert(offsetof(TPCBObjectClass, Opaque1) == 44);
static_assert(offsetof(TPCBObjectClass, Opaque2) == 45);
static_assert(offsetof(TPCBObjectClass, Name) == 46);

static_assert(sizeof(TPcbEmbedded) == 304);
static_assert(offsetof(TPcbEmbedded, OpaqueText) == 44);
static_assert(offsetof(TPcbEmbedded, Data) == 300);

static_assert(sizeof(TPcbRule) == 2632);
static_assert(offsetof(TPcbRule, OpaqueFlags1) == 44);
static_assert(offsetof(TPcbRule, OpaqueTexts1) == 51);
static_assert(offsetof(TPcbRule, OpaqueFlags2) == 1075);
static_assert(offsetof(TPcbRule, OpaqueValues) == 1080);
static_assert(offsetof(TPcbRule, OpaqueTexts2) == 1096);

static_assert(sizeof(TPcbViolation) == 568);
static_assert(offsetof(TPcbViolation, OpaqueText1) == 44);
static_assert(offsetof(TPcbViolation, OpaqueText2) == 300);
static_assert(offsetof(TPcbViolation, OpaqueValues) == 556);

static_assert(sizeof(TPcbCoordinate) == 68);
static_assert(offsetof(TPcbCoordinate, OpaqueValues) == 44);

static_assert(sizeof(TPcbPolygon) == 185112);
static_assert(offsetof(TPcbPolygon, Opaque1) == 44);
static_assert(offsetof(TPcbPolygon, Opaque2) == 45);
static_assert(offsetof(TPcbPolygon, Opaque3) == 46);
static_assert(offsetof(TPcbPolygon, Opaque4) == 48);
static_assert(offsetof(TPcbPolygon, Opaque5) == 52);
static_assert(offsetof(TPcbPolygon, Opaque6) == 56);
static_assert(offsetof(TPcbPolygon, Opaque7) == 57);
static_assert(offsetof(TPcbPolygon, Opaque8) == 60);
static_assert(offsetof(TPcbPolygon, Opaque9) == 64);
static_assert(offsetof(TPcbPolygon, Opaque10) == 68);
static_assert(offsetof(TPcbPolygon, Segments) == 72);

static_assert(sizeof(TPcbSplitPlane) == 185092);
static_assert(offsetof(TPcbSplitPlane, Opaque1) == 44);
static_assert(offsetof(TPcbSplitPlane, Opaque2) == 48);
static_assert(offsetof(TPcbSplitPlane, Segments) == 52);

static_assert(sizeof(TPcbText) == 856);
static_assert(offsetof(TPcbText, LeadingValue1) == 44);
static_assert(offsetof(TPcbText, LeadingValue2) == 48);
static_assert(offsetof(TPcbText, Rotation) == 56);
static_assert(offsetof(TPcbText, OpaqueByte) == 64);
static_assert(offsetof(TPcbText, Text) == 65);
static_assert(offsetof(TPcbText, TrailingValue1) == 320);
static_assert(offsetof(TPcbText, TrailingValue2) == 324);
static_assert(offsetof(TPcbText, TrailingValue3) == 328);
static_assert(offsetof(TPcbText, DisplayText) == 332);
static_assert(offsetof(TPcbText, TrueTypeFlag) == 587);
static_assert(offsetof(TPcbText, FontName) == 588);
static_assert(offsetof(TPcbText, TrueTypeByte1) == 844);
static_assert(offsetof(TPcbText, TrueTypeByte2) == 845);
static_assert(offsetof(TPcbText, TrueTypeByte3) == 846);
static_assert(offsetof(TPcbText, TrueTypeValue) == 848);
static_assert(offsetof(TPcbText, BarCodeByte1) == 852);
static_assert(offsetof(TPcbText, BarCodeByte2) == 853);
static_assert(offsetof(TPcbText, BarCodeByte3) == 854);
static_assert(offsetof(TPcbText, BarCodeByte4) == 855);

static_assert(sizeof(TPcbComponent) == 2648);
static_assert(offsetof(TPcbComponent, ChannelOffset) == 44);
static_assert(offsetof(TPcbComponent, ComponentKind) == 48);
static_assert(offsetof(TPcbComponent, NameTextHandle) == 52);
static_assert(offsetof(TPcbComponent, OpaqueHandle) == 56);
static_assert(offsetof(TPcbComponent, Footprint) == 60);
static_assert(offsetof(TPcbComponent, Opaque1) == 311);
static_assert(offsetof(TPcbComponent, Opaque2) == 312);
static_assert(offsetof(TPcbComponent, GroupIndex) == 316);
static_assert(offsetof(TPcbComponent, Rotation) == 320);
static_assert(offsetof(TPcbComponent, Opaque3) == 328);
static_assert(offsetof(TPcbComponent, ExtValue) == 332);
static_assert(offsetof(TPcbComponent, ExtByte1) == 336);
static_assert(offsetof(TPcbComponent, ExtByte2) == 337);
static_assert(offsetof(TPcbComponent, ExtByte3) == 338);
static_assert(offsetof(TPcbComponent, SourceLinks) == 339);
static_assert(offsetof(TPcbComponent, DefaultModel) == 2387);

static_assert(sizeof(TPcbPad) == 1384);
static_assert(offsetof(TPcbPad, TopSizeX) == 44);
static_assert(offsetof(TPcbPad, TopSizeY) == 48);
static_assert(offsetof(TPcbPad, MidSizeX) == 52);
static_assert(offsetof(TPcbPad, MidSizeY) == 56);
static_assert(offsetof(TPcbPad, BottomSizeX) == 60);
static_assert(offsetof(TPcbPad, BottomSizeY) == 64);
static_assert(offsetof(TPcbPad, HoleSize) == 68);
static_assert(offsetof(TPcbPad, TopShape) == 72);
static_assert(offsetof(TPcbPad, MidShape) == 73);
static_assert(offsetof(TPcbPad, BottomShape) == 74);
static_assert(offsetof(TPcbPad, TopCornerPercent) == 75);
static_assert(offsetof(TPcbPad, MidCornerPercent) == 76);
static_assert(offsetof(TPcbPad, BottomCornerPercent) == 77);
static_assert(offsetof(TPcbPad, Name) == 78);
static_assert(offsetof(TPcbPad, OpaqueByteBeforeRotation) == 99);
static_assert(offsetof(TPcbPad, Rotation) == 104);
static_assert(offsetof(TPcbPad, OpaqueByteAfterRotation) == 112);
static_assert(offsetof(TPcbPad, OpaqueString1) == 113);
static_assert(offsetof(TPcbPad, OpaqueString2) == 134);
static_assert(offsetof(TPcbPad, OpaqueValue) == 156);
static_assert(offsetof(TPcbPad, OpaqueString3) == 160);
static_assert(offsetof(TPcbPad, LayerSizeX) == 184);
static_assert(offsetof(TPcbPad, LayerSizeY) == 516);
static_assert(offsetof(TPcbPad, LayerShape) == 848);
static_assert(offsetof(TPcbPad, LayerCornerRadius) == 932);
static_assert(offsetof(TPcbPad, LayerCornerPercent) == 1264);
static_assert(offsetof(TPcbPad, StackMode) == 1347);
static_assert(offsetof(TPcbPad, Tail1) == 1348);
static_assert(offsetof(TPcbPad, Tail2) == 1349);
static_assert(offsetof(TPcbPad, Tail3) == 1352);
static_assert(offsetof(TPcbPad, Tail4) == 1356);
static_assert(offsetof(TPcbPad, Tail5) == 1360);
static_assert(offsetof(TPcbPad, Tail6) == 1364);
static_assert(offsetof(TPcbPad, Tail7) == 1372);
static_assert(offsetof(TPcbPad, Tail8) == 1376);
static_assert(offsetof(TPcbPad, Tail9) == 1377);

#pragma GCC diagnostic pop

#endif
