#pragma once

// Layers as the PCB editor names them. The mirrors use a layer number (a byte, 0 to 82, with the
// editor's fixed names); the editor's functions exchange a 32-bit layer id, whose high 16 bits hold
// a class and whose low 16 bits a number within that class.

#include <cstdint>

using TLayerNumber = uint8_t;
using TLayerId = uint32_t;

inline constexpr TLayerNumber NoLayer = 0;
inline constexpr TLayerNumber TopLayer = 1;
inline constexpr TLayerNumber MidLayer1 = 2;
inline constexpr TLayerNumber MidLayer30 = 31;
inline constexpr TLayerNumber BottomLayer = 32;
inline constexpr TLayerNumber TopOverlay = 33;
inline constexpr TLayerNumber BottomOverlay = 34;
inline constexpr TLayerNumber TopPaste = 35;
inline constexpr TLayerNumber BottomPaste = 36;
inline constexpr TLayerNumber TopSolder = 37;
inline constexpr TLayerNumber BottomSolder = 38;
inline constexpr TLayerNumber InternalPlane1 = 39;
inline constexpr TLayerNumber InternalPlane16 = 54;
inline constexpr TLayerNumber DrillGuide = 55;
inline constexpr TLayerNumber KeepOutLayer = 56;
inline constexpr TLayerNumber Mechanical1 = 57;
inline constexpr TLayerNumber Mechanical16 = 72;
inline constexpr TLayerNumber DrillDrawing = 73;
inline constexpr TLayerNumber MultiLayer = 74;
inline constexpr TLayerNumber ConnectLayer = 75;
inline constexpr TLayerNumber BackGroundLayer = 76;
inline constexpr TLayerNumber DRCErrorLayer = 77;
inline constexpr TLayerNumber HighlightLayer = 78;
inline constexpr TLayerNumber GridColor1 = 79;
inline constexpr TLayerNumber GridColor10 = 80;
inline constexpr TLayerNumber PadHoleLayer = 81;
inline constexpr TLayerNumber ViaHoleLayer = 82;

inline constexpr TLayerNumber FirstLayer = TopLayer;
inline constexpr TLayerNumber LastLayer = ViaHoleLayer;

// Classes of layer ids (the high 16 bits).
inline constexpr uint32_t LayerClassNumber = 0x0000;  // the low byte is a layer number
inline constexpr uint32_t LayerClassSignal = 0x0101;
inline constexpr uint32_t LayerClassInternalPlane = 0x0104;
inline constexpr uint32_t LayerClassMechanical = 0x0400;
