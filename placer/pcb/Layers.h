#pragma once

// The placer's side of layers: sets of layer numbers and the conversions between numbers, ids and
// names. The numbers and id classes themselves are the editor's (pcb/PcbLayers.h).

#include <cstdint>
#include <stdexcept>
#include <string>

#include "pcb/PcbLayers.h"

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
