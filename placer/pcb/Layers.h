#pragma once

// Layers as the PCB editor names them. The mirrors use a layer number (a byte, 0 to 82, with the
// editor's fixed names); the editor's functions exchange a 32-bit layer id, whose high 16 bits hold
// a class and whose low 16 bits a number within that class.

#include <cstdint>
#include <stdexcept>
#include <string>

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

// A set of layer numbers (0 to 82); numbers beyond that are never members.
class TLayerSet {
 public:
  constexpr TLayerSet() = default;

  // This set with the layer numbers First to Last added.
  constexpr TLayerSet With(TLayerNumber first, TLayerNumber last) const {
    TLayerSet result = *this;
    for (unsigned n = first; n <= last && n <= LastLayer; ++n)
      result.Words[n / 64] |= uint64_t{1} << (n % 64);
    return result;
  }

  constexpr bool Contains(int64_t layerNumber) const {
    if (layerNumber < NoLayer || layerNumber > LastLayer)
      return false;
    const auto n = static_cast<unsigned>(layerNumber);
    return (Words[n / 64] >> (n % 64) & 1u) != 0;
  }

 private:
  uint64_t Words[2] = {0, 0};
};

// The copper layers: the signal layers TopLayer to BottomLayer and the sixteen internal planes.
inline constexpr TLayerSet ElectricalLayers =
    TLayerSet().With(TopLayer, BottomLayer).With(InternalPlane1, InternalPlane16);

inline constexpr bool IsElectricalLayer(int64_t layerNumber) {
  return ElectricalLayers.Contains(layerNumber);
}

inline constexpr bool IsInternalPlane(int64_t layerNumber) {
  return layerNumber >= InternalPlane1 && layerNumber <= InternalPlane16;
}

// Raised by the layer id constructors for a number outside their range.
class ELayerException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The editor's name of a layer number ("TopLayer", "MidLayer7", ...); empty beyond ViaHoleLayer.
std::string LayerName(int64_t layerNumber);

// The id of a layer number: the number itself for 0 to 82, 0 (no layer) for any other value.
TLayerId LayerIdFromNumber(int64_t layerNumber);

// The layer number of an id: class-0 ids whose low byte is 0 to 82 give that byte; signal layer n
// gives n up to 31 (larger n give 31, the last middle layer); internal plane n gives 38 + n, at
// most InternalPlane16; mechanical layer n gives 56 + n, at most Mechanical16. Anything else is 0.
TLayerNumber LayerNumberFromId(TLayerId layerId);

// Ids of the n-th signal layer, internal plane and mechanical layer. Layers that have a layer
// number get the id of that number (signal layer 1 is TopLayer, 65535 BottomLayer); the others get
// an id of their class. Numbers out of range (negative ones included) raise ELayerException.
TLayerId SignalLayer(int64_t n);         // 0 to 65535
TLayerId InternalPlaneLayer(int64_t n);  // 1 to 65535
TLayerId MechanicalLayer(int64_t n);     // 1 to 65535
