#pragma once

// The PCB editor's flat function interface, as the editor library "Tarnix.dll" exports it.
//
// This header is shared the way a vendor SDK header is: the editor defines every entry point below
// with C linkage, and the placer binds them by name at run time (pcb/PCBProcs.h) without linking
// against the editor. Each entry point also has a function-pointer type `<Name>_Fn`, so that both
// sides agree on one signature.
//
// Conventions of every entry point:
// - Objects, boards and iterators are 32-bit handles; 0 = none.
// - Query functions return a status: 0 = success, anything else = failure.
// - A query taking a mode byte exchanges the fields behind its pointer parameters with the editor's
//   object: mode 1 reads the object into the fields, mode 0 writes the fields into the object, mode
//   2 writes as well (used for a component's final position). The pointer parameters follow the
//   memory order of the mirrored record unless noted otherwise.
// - Coordinates and lengths are signed 32-bit counts of the editor's unit (10000 per mil), angles
// are
//   doubles in degrees, flags and layer numbers are bytes, layer ids are 32-bit.
// - Strings exchanged through pointers are length-prefixed single-byte strings without a
// terminator:
//   element 0 holds the length, the characters follow. A string of at most N characters takes N + 1
//   bytes (`PcbStringN`). Longer text is cut to the capacity, never rejected.

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define PCBAPI_CALL __stdcall
#else
#define PCBAPI_CALL
#endif

// The editor exports the entry points (it defines PCBAPI_EXPORTS when it builds); on Windows they
// are exported under their plain names (no stdcall decoration), as the placer looks them up.
#if defined(_WIN32) && defined(PCBAPI_EXPORTS)
#define PCBAPI_VISIBLE __declspec(dllexport)
#elif defined(_WIN32)
#define PCBAPI_VISIBLE
#elif defined(__GNUC__)
#define PCBAPI_VISIBLE __attribute__((visibility("default")))
#else
#define PCBAPI_VISIBLE
#endif

// Declares one entry point and its function-pointer type `Name_Fn`.
#define PCBAPI_ENTRY(Result, Name, Parameters)       \
  typedef Result(PCBAPI_CALL* Name##_Fn) Parameters; \
  PCBAPI_VISIBLE Result PCBAPI_CALL Name Parameters

// Exchange modes.
inline constexpr uint8_t PcbApi_ModeWrite = 0;
inline constexpr uint8_t PcbApi_ModeRead = 1;
inline constexpr uint8_t PcbApi_ModeWriteFinal = 2;

// Length-prefixed strings (capacity in characters = the number in the name).
typedef char PcbString20[21];
typedef char PcbString26[27];
typedef char PcbString250[251];
typedef char PcbString254[255];
typedef char PcbString255[256];

// Opaque byte blocks that the placer only carries.
typedef uint8_t PcbBytes5[5];
typedef uint8_t PcbBytes8[8];
typedef uint8_t PcbSegmentRecord[37];            // one segment of a polygon outline
typedef PcbSegmentRecord PcbSegmentBlock[5001];  // room for 5001 segments
typedef uint8_t PcbEmbeddedData[4096];           // data block of an embedded object
typedef PcbString255 PcbSourceLinks[8];          // a component's eight source links

extern "C" {

// ---------------------------------------------------------------------------------------------
// Boards: the current board and lookup by file name (FileName: length-prefixed, 255 characters).

PCBAPI_ENTRY(uint32_t, PcbApi_GetCurrentBoardHandle, ());
PCBAPI_ENTRY(void, PcbApi_SetCurrentBoardHandle, (uint32_t Board));
PCBAPI_ENTRY(uint32_t, PcbApi_GetBoardHandleFromFileName, (const PcbString255* FileName));

// ---------------------------------------------------------------------------------------------
// Iteration. Method 0 with a board walks that kind on one layer, method 2 with a net walks the
// net's members, method 0 with a net counts its pads on one layer. Layer is a layer id, 0 = every
// layer. GetFirstObject and GetNextObject return 0 at the end.

PCBAPI_ENTRY(uint32_t, PcbApi_CreateIterator,
             (uint32_t Parent, uint8_t ObjectKind, uint8_t Method, uint32_t Layer));
PCBAPI_ENTRY(uint32_t, PcbApi_GetFirstObject, (uint32_t Iterator));
PCBAPI_ENTRY(uint32_t, PcbApi_GetNextObject, (uint32_t Iterator));
PCBAPI_ENTRY(void, PcbApi_DestroyIterator, (uint32_t Iterator));

// ---------------------------------------------------------------------------------------------
// Objects in general.

// The object's kind in the low 7 bits of the result.
PCBAPI_ENTRY(uint32_t, PcbApi_GetObjectIdFromObjectHandle, (uint32_t Object));
PCBAPI_ENTRY(int32_t, PcbApi_QueryObjectBoundingRectangle,
             (uint32_t Object, int32_t* X1, int32_t* Y1, int32_t* X2, int32_t* Y2));
// 0 when the object was imported from the user.
PCBAPI_ENTRY(int32_t, PcbApi_QueryObjectImport_FromUser, (uint32_t Object));
PCBAPI_ENTRY(void, PcbApi_QueryObjectGraphicallyInvalidate, (uint32_t Object));
PCBAPI_ENTRY(int32_t, PcbApi_GetObjectBitField2, (uint8_t Mode, uint32_t Object, uint8_t* Bits));
PCBAPI_ENTRY(int32_t, PcbApi_GetObjectBitField3, (uint8_t Mode, uint32_t Object, uint16_t* Bits));
PCBAPI_ENTRY(int32_t, PcbApi_QueryPrimitive,
             (uint8_t Mode, uint32_t Object, uint16_t* StateFlags, uint16_t* Tag, uint32_t* Layer,
              uint32_t* NetHandle, uint32_t* ComponentHandle, uint8_t* Moveable));

// ---------------------------------------------------------------------------------------------
// Tracks, fills, arcs, vias, regions (Layer: layer id; the via exchanges a layer number byte).

PCBAPI_ENTRY(int32_t, PcbApi_QueryTrack,
             (uint8_t Mode, uint32_t Track, uint16_t* StateFlags, uint16_t* Tag, uint32_t* Layer,
              uint32_t* NetHandle, uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X1,
              int32_t* Y1, int32_t* X2, int32_t* Y2, int32_t* Opaque1, int32_t* Opaque2,
              int32_t* Opaque3, int32_t* Opaque4));
PCBAPI_ENTRY(int32_t, PcbApi_QueryFill,
             (uint8_t Mode, uint32_t Fill, uint16_t* StateFlags, uint16_t* Tag, uint32_t* Layer,
              uint32_t* NetHandle, uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X1,
              int32_t* Y1, int32_t* X2, int32_t* Y2, int32_t* Opaque1, double* Rotation));
PCBAPI_ENTRY(int32_t, PcbApi_QueryArc,
             (uint8_t Mode, uint32_t Arc, uint16_t* StateFlags, uint16_t* Tag, uint32_t* Layer,
              uint32_t* NetHandle, uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* CenterX,
              int32_t* CenterY, int32_t* Radius, double* StartAngle, double* EndAngle,
              int32_t* Opaque1, int32_t* Width));
PCBAPI_ENTRY(int32_t, PcbApi_QueryVia,
             (uint8_t Mode, uint32_t Via, uint16_t* StateFlags, uint16_t* Tag, uint8_t* LayerNumber,
              uint32_t* NetHandle, uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X,
              int32_t* Y, int32_t* Size, int32_t* HoleSize, uint8_t* Opaque1, uint8_t* Opaque2,
              uint8_t* Opaque3, uint8_t* Opaque4));
PCBAPI_ENTRY(int32_t, PcbApi_QueryRegion,
             (uint8_t Mode, uint32_t Region, uint8_t* Opaque1, uint16_t* StateFlags, uint16_t* Tag,
              uint32_t* Layer, uint32_t* NetHandle, uint8_t* Moveable, uint32_t* ComponentHandle,
              int32_t* Opaque2, int32_t* Opaque3, int32_t* Opaque4, int32_t* Opaque5,
              int32_t* Opaque6, int32_t* Opaque7));

// ---------------------------------------------------------------------------------------------
// Polygons, split planes, coordinates, dimensions, embedded boards and embedded objects.

PCBAPI_ENTRY(int32_t, PcbApi_QueryPolygon,
             (uint8_t Mode, uint32_t Polygon, uint16_t* StateFlags, uint16_t* Tag, uint32_t* Layer,
              uint32_t* NetHandle, uint8_t* Moveable, uint8_t* Opaque1, uint8_t* Opaque2,
              uint8_t* Opaque3, int32_t* Opaque4, int32_t* Opaque5, uint8_t* Opaque6,
              uint8_t* Opaque7, int32_t* Opaque8, uint8_t* Opaque9, int32_t* Opaque10,
              PcbSegmentBlock* Segments));
PCBAPI_ENTRY(int32_t, PcbApi_QuerySplitPlane,
             (uint8_t Mode, uint32_t SplitPlane, uint16_t* StateFlags, uint16_t* Tag,
              uint32_t* Layer, uint32_t* NetHandle, uint8_t* Moveable, uint8_t* Opaque1,
              int32_t* Opaque2, PcbSegmentBlock* Segments));
PCBAPI_ENTRY(int32_t, PcbApi_QueryCoordinate,
             (uint8_t Mode, uint32_t Coordinate, uint16_t* StateFlags, uint16_t* Tag,
              uint8_t* Moveable, int32_t* X, int32_t* Y, uint32_t* Layer, int32_t* Opaque1,
              int32_t* Opaque2, int32_t* Opaque3, int32_t* Opaque4, int32_t* Opaque5,
              int32_t* Opaque6));
PCBAPI_ENTRY(int32_t, PcbApi_QueryDimension,
             (uint8_t Mode, uint32_t Dimension, uint16_t* StateFlags, uint16_t* Tag,
              uint8_t* Moveable, int32_t* X, int32_t* Y, int32_t* Opaque1, int32_t* Opaque2,
              uint32_t* Layer, int32_t* Opaque3, int32_t* Opaque4, int32_t* Opaque5,
              int32_t* Opaque6, int32_t* Opaque7, uint8_t* Opaque8));
// A dimension's reference points: up to 200 references, indexed from 0.
PCBAPI_ENTRY(int32_t, PcbApi_References_Count, (uint8_t Mode, uint32_t Dimension, int32_t* Count));
PCBAPI_ENTRY(int32_t, PcbApi_References_At,
             (uint8_t Mode, uint32_t Dimension, int32_t Index, int32_t* Value1, int32_t* Value2,
              int32_t* Value3, int32_t* Value4));
// The dimension's kind byte (8 by default) and 18 further fields: eleven i32, one f64, six u8.
PCBAPI_ENTRY(int32_t, PcbApi_QueryExtDimension,
             (uint8_t Mode, uint32_t Dimension, uint8_t* DimensionKind, int32_t* Value1,
              int32_t* Value2, int32_t* Value3, int32_t* Value4, int32_t* Value5, int32_t* Value6,
              int32_t* Value7, int32_t* Value8, int32_t* Value9, int32_t* Value10, int32_t* Value11,
              double* Angle, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3, uint8_t* Flag4,
              uint8_t* Flag5, uint8_t* Flag6));
// Name: 255 characters.
PCBAPI_ENTRY(int32_t, PcbApi_QueryEmbeddedBoard,
             (uint8_t Mode, uint32_t EmbeddedBoard, uint16_t* StateFlags, uint16_t* Tag,
              uint8_t* Moveable, int32_t* X, int32_t* Y, PcbString255* Name, int32_t* Opaque1,
              int32_t* Opaque2, int32_t* Opaque3, int32_t* Opaque4, PcbBytes8* Opaque5,
              uint8_t* Opaque6, uint8_t* Opaque7));
// Name: 255 characters; Data: the object's 4096-byte data block.
PCBAPI_ENTRY(int32_t, PcbApi_QueryEmbedded,
             (uint8_t Mode, uint32_t Embedded, PcbString255* Name, PcbEmbeddedData* Data));

// ---------------------------------------------------------------------------------------------
// Nets and connections (names and texts: 255 characters).

PCBAPI_ENTRY(int32_t, PcbApi_QueryNet,
             (uint8_t Mode, uint32_t Net, uint16_t* Tag, PcbString255* Name, uint8_t* Opaque1,
              uint8_t* Opaque2));
PCBAPI_ENTRY(int32_t, PcbApi_QueryFromTo,
             (uint8_t Mode, uint32_t FromTo, uint16_t* Tag, int32_t* X1, int32_t* Y1,
              uint8_t* Opaque1, int32_t* X2, int32_t* Y2, uint8_t* Opaque2, uint32_t* NetHandle));
PCBAPI_ENTRY(int32_t, PcbApi_QueryManualFromTo,
             (uint8_t Mode, uint32_t FromTo, uint16_t* Tag, PcbString255* Text1,
              PcbString255* Text2, PcbString255* Text3, int32_t* Opaque1));

// ---------------------------------------------------------------------------------------------
// Components. The component's side is its layer number byte: TopLayer (1) or BottomLayer (32).

PCBAPI_ENTRY(int32_t, PcbApi_QueryComponentChannelOffset,
             (uint8_t Mode, uint32_t Component, int32_t* ChannelOffset));
PCBAPI_ENTRY(int32_t, PcbApi_QueryComponentKind,
             (uint8_t Mode, uint32_t Component, uint32_t* ComponentKind));
// Footprint: 250 characters.
PCBAPI_ENTRY(int32_t, PcbApi_QueryComponent,
             (uint8_t Mode, uint32_t Component, uint16_t* StateFlags, uint16_t* Tag,
              uint8_t* LayerNumber, uint8_t* Moveable, uint32_t* NameTextHandle,
              uint32_t* OpaqueHandle, PcbString250* Footprint, uint8_t* Opaque1, uint8_t* Opaque2,
              int32_t* X, int32_t* Y, int32_t* GroupIndex, double* Rotation, uint8_t* Opaque3));
PCBAPI_ENTRY(int32_t, PcbApi_QueryComponentEx,
             (uint8_t Mode, uint32_t Component, int32_t* Opaque1, uint8_t* Opaque2,
              uint8_t* Opaque3, uint8_t* Opaque4));
// Eight links of 255 characters each, in one block.
PCBAPI_ENTRY(int32_t, PcbApi_QueryComponentSourceLinks,
             (uint8_t Mode, uint32_t Component, PcbSourceLinks* SourceLinks));
// Model: 255 characters.
PCBAPI_ENTRY(int32_t, PcbApi_QueryDefaultPCB3DModel,
             (uint8_t Mode, uint32_t Component, PcbString255* Model));
// The Index-th child (from 1) of that kind in *Child, 0 past the end.
PCBAPI_ENTRY(int32_t, PcbApi_QueryComponent_GetObjectAt,
             (uint32_t Component, uint8_t* ObjectKind, uint16_t* Index, uint32_t* Child));

// ---------------------------------------------------------------------------------------------
// Pads. Names and the opaque strings: 20 characters. LayerNumber: 0 to 82.

PCBAPI_ENTRY(int32_t, PcbApi_QueryPad,
             (uint8_t Mode, uint32_t Pad, uint16_t* StateFlags, uint16_t* Tag, uint32_t* Layer,
              uint32_t* NetHandle, uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X,
              int32_t* Y, int32_t* TopSizeX, int32_t* TopSizeY, int32_t* MidSizeX,
              int32_t* MidSizeY, int32_t* BottomSizeX, int32_t* BottomSizeY, int32_t* HoleSize,
              uint8_t* TopShape, uint8_t* MidShape, uint8_t* BottomShape, PcbString20* Name,
              uint8_t* OpaqueByteBeforeRotation, uint8_t* OpaqueByteAfterRotation, double* Rotation,
              PcbString20* OpaqueString1, PcbString20* OpaqueString2, int32_t* OpaqueValue,
              PcbString20* OpaqueString3, uint8_t* Tail1, uint8_t* Tail2, int32_t* Tail3,
              PcbBytes8* Tail4, int32_t* Tail5, int32_t* Tail6, int32_t* Tail7, uint8_t* Tail8,
              uint8_t* Tail9));
// 2 = a full stack with sizes and shapes per layer.
PCBAPI_ENTRY(int32_t, PcbApi_QueryPadStackMode, (uint8_t Mode, uint32_t Pad, uint8_t* StackMode));
PCBAPI_ENTRY(int32_t, PcbApi_QueryPadOrViaShapeOnLayer,
             (uint32_t PadOrVia, uint8_t LayerNumber, uint8_t* Shape));
PCBAPI_ENTRY(int32_t, PcbApi_QueryPadOrViaSizeOnLayer,
             (uint32_t PadOrVia, uint8_t LayerNumber, int32_t* SizeX, int32_t* SizeY));
PCBAPI_ENTRY(int32_t, PcbApi_QueryPadCornerRadiusOnLayer,
             (uint32_t Pad, uint8_t LayerNumber, int32_t* CornerRadius));
PCBAPI_ENTRY(int32_t, PcbApi_QueryPadCRPercentageOnLayer,
             (uint32_t Pad, uint8_t LayerNumber, uint8_t* CornerPercent));
PCBAPI_ENTRY(int32_t, PcbApi_SetPadShapeOnLayer,
             (uint32_t Pad, uint8_t LayerNumber, uint8_t Shape));
PCBAPI_ENTRY(int32_t, PcbApi_SetPadSizeOnLayer,
             (uint32_t Pad, uint8_t LayerNumber, int32_t SizeX, int32_t SizeY));
PCBAPI_ENTRY(int32_t, PcbApi_SetCRPctOnLayer,
             (uint32_t Pad, uint8_t LayerNumber, uint8_t CornerPercent));
// *IsPowerOrGround nonzero when the pad is a power or ground pad.
PCBAPI_ENTRY(int32_t, PcbApi_QueryPad_PwrGnd, (uint32_t Pad, uint8_t* IsPowerOrGround));

// ---------------------------------------------------------------------------------------------
// Texts. Text: 254 characters; FontName: 255 characters.

PCBAPI_ENTRY(int32_t, PcbApi_QueryText,
             (uint8_t Mode, uint32_t Text, uint16_t* StateFlags, uint16_t* Tag, uint32_t* Layer,
              uint32_t* NetHandle, uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X,
              int32_t* Y, int32_t* Opaque1, int32_t* Opaque2, double* Rotation, uint8_t* Opaque3,
              PcbString254* TextString, int32_t* Opaque4, int32_t* Opaque5, int32_t* Opaque6));
PCBAPI_ENTRY(int32_t, PcbApi_QueryTrueTypeTextInfo,
             (uint8_t Mode, uint32_t Text, uint8_t* UseTrueType, PcbString255* FontName,
              uint8_t* Opaque1, uint8_t* Opaque2, uint8_t* Opaque3, int32_t* Opaque4));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBarCodeTextInfo,
             (uint8_t Mode, uint32_t Text, uint8_t* Opaque1, uint8_t* Opaque2, uint8_t* Opaque3,
              uint8_t* Opaque4));
// The text as displayed, in a 255-character buffer (the buffer comes first).
PCBAPI_ENTRY(int32_t, PcbApi_GetDesignatorDisplayString, (PcbString255 * Buffer, uint32_t Text));

// ---------------------------------------------------------------------------------------------
// Object classes, rules and violations (names and texts: 255 characters).

PCBAPI_ENTRY(int32_t, PcbApi_QueryClass,
             (uint8_t Mode, uint32_t Class, uint16_t* Tag, uint8_t* Opaque1, uint8_t* Opaque2,
              PcbString255* Name));
// Returns 1 when Index (from 0) lies past the last member.
PCBAPI_ENTRY(int32_t, PcbApi_GetMemberFromClassAt,
             (uint32_t Class, int32_t Index, PcbString255* Member));
PCBAPI_ENTRY(int32_t, PcbApi_AddMemberToClass, (uint32_t Class, const PcbString255* Member));
PCBAPI_ENTRY(int32_t, PcbApi_RemoveAllMembersFromClass, (uint32_t Class));
PCBAPI_ENTRY(int32_t, PcbApi_QueryRule,
             (uint8_t Mode, uint32_t Rule, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3,
              uint8_t* Flag4, uint8_t* Flag5, uint8_t* Flag6, uint8_t* Flag7, PcbString255* Text1,
              PcbString255* Text2, PcbString255* Text3, PcbString255* Text4, uint8_t* Flag8,
              uint8_t* Flag9, int32_t* Value1, int32_t* Value2, int32_t* Value3, int32_t* Value4,
              PcbString255* Text5, PcbString255* Text6, PcbString255* Text7, PcbString255* Text8,
              PcbString255* Text9, PcbString255* Text10));
PCBAPI_ENTRY(int32_t, PcbApi_QueryViolation,
             (uint8_t Mode, uint32_t Violation, PcbString255* Text1, PcbString255* Text2,
              int32_t* Value1, int32_t* Value2, int32_t* Value3));

// ---------------------------------------------------------------------------------------------
// Board settings. Board: the board handle. FileName: 255 characters. CurrentLayer: a layer id.

PCBAPI_ENTRY(int32_t, PcbApi_QueryBoard,
             (uint8_t Mode, uint32_t Board, uint32_t* OpaqueWord1, PcbString255* FileName,
              uint8_t* OpaqueByte, int32_t* OpaqueValue1, int32_t* OpaqueValue2,
              int32_t* OpaqueValue3, int32_t* OpaqueValue4, uint8_t* DisplayUnitImperial,
              uint32_t* CurrentLayer, int32_t* OpaqueWord2));
// Per layer number 1 to 82.
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardLayerInfo,
             (uint8_t Mode, uint32_t Board, uint8_t LayerNumber, uint8_t* Opaque1, uint8_t* Opaque2,
              int32_t* LayerInfo));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardSplitPlaneMode,
             (uint8_t Mode, uint32_t Board, uint8_t* SplitPlaneMode));
// Materials: 255 characters.
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardExternalDielectrics,
             (uint8_t Mode, uint32_t Board, PcbString255* TopMaterial, uint8_t* TopType,
              double* TopConstant, int32_t* TopHeight, PcbString255* BottomMaterial,
              uint8_t* BottomType, double* BottomConstant, int32_t* BottomHeight));
// The placer's options: net name lists of 255 characters each and four switches.
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardAdvancedPlacerOptions,
             (uint8_t Mode, uint32_t Board, PcbString255* PowerNets, PcbString255* GroundNets,
              uint8_t* RotateComponents, uint8_t* ExtraFlag1, uint8_t* ExtraFlag2,
              uint8_t* GroupComponents));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardAdvancedPlacerOptionsExt,
             (uint8_t Mode, uint32_t Board, int32_t* LargeComponentClearance,
              int32_t* SmallComponentClearance));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardEngineeringChangeOrderOptions,
             (uint8_t Mode, uint32_t Board, uint8_t* Opaque1, uint8_t* Opaque2));

// ---------------------------------------------------------------------------------------------
// Grids: the byte that ends the board's grid block, the three that begin it, D1, D2, D4, D5, the
// grid tail (i32, u8), D6, D7, D9 (the component grid's source), D10.

PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardGridsEx,
             (uint8_t Mode, uint32_t Board, uint8_t* GridByte4, uint8_t* GridByte1,
              uint8_t* GridByte2, uint8_t* GridByte3, double* D1, double* D2, double* D4,
              double* D5, int32_t* TailValue, uint8_t* TailByte, double* D6, double* D7, double* D9,
              double* D10));

// ---------------------------------------------------------------------------------------------
// Output, gerber and printer settings, carried unchanged by the placer. Layer indices 1 to 109 for
// plot and flip flags, pens 1 to 8, composite layers by layer number 1 to 82.

PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardOutputOptions,
             (uint8_t Mode, uint32_t Board, int32_t* Value1, int32_t* Value2, uint8_t* Flag1,
              uint8_t* Flag2, uint8_t* Flag3, uint8_t* Flag4, uint8_t* Flag5, uint8_t* Flag6,
              uint8_t* Flag7, uint8_t* Flag8, uint8_t* Flag9, uint8_t* Flag10, uint8_t* Flag11,
              uint8_t* Flag12, uint8_t* Flag13, uint8_t* Flag14, uint8_t* Flag15, uint8_t* Flag16,
              uint8_t* Flag17, uint8_t* Flag18, uint8_t* Flag19, uint8_t* Flag20, uint8_t* Flag21,
              uint8_t* Flag22));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardOutputOptionsPlotLayers,
             (uint8_t Mode, uint32_t Board, uint8_t LayerIndex, uint8_t* Plot));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardOutputOptionsFlipLayers,
             (uint8_t Mode, uint32_t Board, uint8_t LayerIndex, uint8_t* Flip));
// 19 fields: twelve u8 flags, then seven i32 values.
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardGerberOptions,
             (uint8_t Mode, uint32_t Board, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3,
              uint8_t* Flag4, uint8_t* Flag5, uint8_t* Flag6, uint8_t* Flag7, uint8_t* Flag8,
              uint8_t* Flag9, uint8_t* Flag10, uint8_t* Flag11, uint8_t* Flag12, int32_t* Value1,
              int32_t* Value2, int32_t* Value3, int32_t* Value4, int32_t* Value5, int32_t* Value6,
              int32_t* Value7));
// 26 fields: eighteen u8 flags, six i32 values, two f64 scales.
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardPrinterOptions,
             (uint8_t Mode, uint32_t Board, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3,
              uint8_t* Flag4, uint8_t* Flag5, uint8_t* Flag6, uint8_t* Flag7, uint8_t* Flag8,
              uint8_t* Flag9, uint8_t* Flag10, uint8_t* Flag11, uint8_t* Flag12, uint8_t* Flag13,
              uint8_t* Flag14, uint8_t* Flag15, uint8_t* Flag16, uint8_t* Flag17, uint8_t* Flag18,
              int32_t* Value1, int32_t* Value2, int32_t* Value3, int32_t* Value4, int32_t* Value5,
              int32_t* Value6, double* Scale1, double* Scale2));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardPrinterOptionsPlotterPen,
             (uint8_t Mode, uint32_t Board, uint8_t Pen, uint8_t* Used, int32_t* Width));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardPrinterOptionsCompositeLayer,
             (uint8_t Mode, uint32_t Board, uint8_t LayerNumber, uint8_t* Print));

// ---------------------------------------------------------------------------------------------
// Layers and the layer stack. Layer numbers 1 to 82; PrevLayer and NextLayer are the numbers of
// the neighbours in the stack, 0 = none. Names, materials and plane net names: 255 characters.

PCBAPI_ENTRY(int32_t, PcbApi_QueryLayer,
             (uint8_t Mode, uint8_t LayerNumber, uint32_t Board, PcbString255* Name,
              int32_t* CopperThickness, uint8_t* Flag1, uint8_t* Flag2, uint8_t* PrevLayer,
              uint8_t* NextLayer, uint8_t* Flag3));
// Internal planes (layer numbers 39 to 54): the plane's net name in place of the last flag.
PCBAPI_ENTRY(int32_t, PcbApi_QueryInternalPlane,
             (uint8_t Mode, uint8_t LayerNumber, uint32_t Board, PcbString255* Name,
              int32_t* CopperThickness, uint8_t* Flag1, uint8_t* Flag2, uint8_t* PrevLayer,
              uint8_t* NextLayer, PcbString255* PlaneNetName));
PCBAPI_ENTRY(int32_t, PcbApi_QueryLayerDielectric,
             (uint8_t Mode, uint8_t LayerNumber, uint32_t Board, PcbString255* Material,
              uint8_t* Type, double* Constant, int32_t* Height));
// Drill layer pairs. The count comes with the mode last: 1 reads it, 0 writes it. Layer1 and
// Layer2 are layer ids; Index from 0.
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardLayerPairsCount,
             (uint32_t Board, int32_t* Count, uint8_t Mode));
PCBAPI_ENTRY(int32_t, PcbApi_QueryBoardLayerPairAt,
             (uint8_t Mode, uint32_t Board, int32_t Index, uint32_t* Layer1, uint32_t* Layer2,
              uint8_t* Opaque2, uint8_t* Opaque1));

// ---------------------------------------------------------------------------------------------
// System-wide options of the editor, not tied to a board.

// Opaque1: 26 characters.
PCBAPI_ENTRY(int32_t, PcbApi_QuerySystemOptions,
             (uint8_t Mode, uint8_t* Flag1, PcbString26* Opaque1, int32_t* Value1, uint8_t* Flag2,
              uint8_t* Flag3, uint8_t* Flag4, uint8_t* Flag5, uint8_t* Flag6, uint8_t* Flag7,
              uint8_t* Flag8, uint8_t* Flag9, uint8_t* Flag10, uint8_t* Flag11, uint8_t* Flag12,
              int32_t* Value2, uint8_t* Flag13));
// Text: 255 characters.
PCBAPI_ENTRY(int32_t, PcbApi_QuerySystemOptionsPlaceArray,
             (uint8_t Mode, uint8_t* Flag1, uint8_t* Flag2, double* Value1, double* Value2,
              double* Value3, uint8_t* Flag3, uint8_t* Flag4, int32_t* Count, PcbString255* Text));
PCBAPI_ENTRY(int32_t, PcbApi_QuerySystemOptionsPorts,
             (uint8_t Mode, PcbBytes5* Port1, PcbBytes5* Port2, PcbBytes5* Port3,
              PcbBytes5* Port4));
// 31 fields: 24 u8, u8, u8, i32, i32, u8, then two 4-byte words.
PCBAPI_ENTRY(int32_t, PcbApi_QuerySystemOptionsMiscellaneous,
             (uint8_t Mode, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3, uint8_t* Flag4,
              uint8_t* Flag5, uint8_t* Flag6, uint8_t* Flag7, uint8_t* Flag8, uint8_t* Flag9,
              uint8_t* Flag10, uint8_t* Flag11, uint8_t* Flag12, uint8_t* Flag13, uint8_t* Flag14,
              uint8_t* Flag15, uint8_t* Flag16, uint8_t* Flag17, uint8_t* Flag18, uint8_t* Flag19,
              uint8_t* Flag20, uint8_t* Flag21, uint8_t* Flag22, uint8_t* Flag23, uint8_t* Flag24,
              uint8_t* Flag25, uint8_t* Flag26, int32_t* Value1, int32_t* Value2, uint8_t* Flag27,
              uint32_t* Word1, uint32_t* Word2));
// The drawing-order entry at Index 0 to 82.
PCBAPI_ENTRY(int32_t, PcbApi_QuerySystemOptionsLayerDrawingOrder,
             (uint8_t Mode, int32_t Index, uint8_t* Entry));
PCBAPI_ENTRY(int32_t, PcbApi_QuerySystemOptionsPolygon,
             (uint8_t Mode, int32_t* Value1, uint8_t* Flag1, uint8_t* Flag2));
PCBAPI_ENTRY(int32_t, PcbApi_QuerySystemOptionsMiscellaneousEx,
             (uint8_t Mode, int32_t* Value1, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3,
              uint8_t* Flag4));
PCBAPI_ENTRY(int32_t, PcbApi_QuerySystemOptionsProtection, (uint8_t Mode, uint8_t* Flag1));

// ---------------------------------------------------------------------------------------------
// Component type map of the system options: pattern (255 characters) to component type byte.

PCBAPI_ENTRY(void, PcbApi_SetState_DeleteAllComponentTypeMappings, ());
PCBAPI_ENTRY(void, PcbApi_SetState_AddComponentTypeMapping,
             (const PcbString255* Pattern, uint8_t ComponentType));
PCBAPI_ENTRY(int32_t, PcbApi_GetState_ComponentTypeMappingsCount, ());
PCBAPI_ENTRY(int32_t, PcbApi_GetState_ComponentTypeMappingAt,
             (int32_t Index, PcbString255* Pattern, uint8_t* ComponentType));

// ---------------------------------------------------------------------------------------------
// Commands: a process name and its parameter text, zero-terminated; the editor reads at most
// ParametersLength characters of the parameters (callers pass 255). Reserved is 0.

PCBAPI_ENTRY(int32_t, PcbApi_SendCommand,
             (const char* Process, const char* Parameters, int32_t ParametersLength,
              int32_t Reserved));

}  // extern "C"
