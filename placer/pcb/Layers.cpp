#include "pcb/Layers.h"

#include <array>
#include <string_view>

namespace {

constexpr uint64_t LargestClassNumber = 0xFFFF;

// Names of the layer numbers that are not numbered members of a series.
constexpr std::array<std::string_view, 6> FixedNamesFrom33 = {
    "TopOverlay", "BottomOverlay", "TopPaste", "BottomPaste", "TopSolder", "BottomSolder"};
constexpr std::array<std::string_view, 10> FixedNamesFrom73 = {
    "DrillDrawing",   "MultiLayer", "ConnectLayer", "BackGroundLayer", "DRCErrorLayer",
    "HighlightLayer", "GridColor1", "GridColor10",  "PadHoleLayer",    "ViaHoleLayer"};

TLayerId IdOfClass(uint32_t layerClass, uint64_t n) {
  return (layerClass << 16) | static_cast<TLayerId>(n);
}

// The message names the number by its low 32 bits, read as a signed value.
[[noreturn]] void RaiseOutOfRange(const char* constructor, int64_t n) {
  const auto low32 = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(n)));
  throw ELayerException(std::string("Creating ") + constructor + "(" + std::to_string(low32) + ")");
}

}  // namespace

std::string LayerName(int64_t layerNumber) {
  const int64_t n = layerNumber;
  if (n == NoLayer)
    return "NoLayer";
  if (n == TopLayer)
    return "TopLayer";
  if (n >= MidLayer1 && n <= MidLayer30)
    return "MidLayer" + std::to_string(n - MidLayer1 + 1);
  if (n == BottomLayer)
    return "BottomLayer";
  if (n >= TopOverlay && n <= BottomSolder)
    return std::string(FixedNamesFrom33[static_cast<size_t>(n - TopOverlay)]);
  if (n >= InternalPlane1 && n <= InternalPlane16)
    return "InternalPlane" + std::to_string(n - InternalPlane1 + 1);
  if (n == DrillGuide)
    return "DrillGuide";
  if (n == KeepOutLayer)
    return "KeepOutLayer";
  if (n >= Mechanical1 && n <= Mechanical16)
    return "Mechanical" + std::to_string(n - Mechanical1 + 1);
  if (n >= DrillDrawing && n <= ViaHoleLayer)
    return std::string(FixedNamesFrom73[static_cast<size_t>(n - DrillDrawing)]);
  return "";
}

TLayerId LayerIdFromNumber(int64_t layerNumber) {
  if (layerNumber < NoLayer || layerNumber > LastLayer)
    return 0;
  return static_cast<TLayerId>(layerNumber);
}

TLayerNumber LayerNumberFromId(TLayerId layerId) {
  const uint32_t layerClass = layerId >> 16;
  const uint32_t n = layerId & 0xFFFFu;
  switch (layerClass) {
    case LayerClassNumber: {
      const uint32_t lowByte = layerId & 0xFFu;
      return lowByte <= LastLayer ? static_cast<TLayerNumber>(lowByte) : NoLayer;
    }
    case LayerClassSignal:
      return static_cast<TLayerNumber>(n <= MidLayer30 ? n : MidLayer30);
    case LayerClassInternalPlane:
      return static_cast<TLayerNumber>(n <= 16 ? BottomSolder + n : InternalPlane16);
    case LayerClassMechanical:
      return static_cast<TLayerNumber>(n <= 16 ? KeepOutLayer + n : Mechanical16);
    default:
      return NoLayer;
  }
}

TLayerId SignalLayer(int64_t n) {
  const auto number = static_cast<uint64_t>(n);  // negative numbers count as too large
  if (number > LargestClassNumber)
    RaiseOutOfRange("SignalLayer", n);
  if (number == 1)
    return TopLayer;
  if (number == LargestClassNumber)
    return BottomLayer;
  if (number >= MidLayer1 && number <= MidLayer30)
    return static_cast<TLayerId>(number);
  return IdOfClass(LayerClassSignal, number);
}

TLayerId InternalPlaneLayer(int64_t n) {
  const auto number = static_cast<uint64_t>(n);
  if (number == 0 || number > LargestClassNumber)
    RaiseOutOfRange("InternalPlaneLayer", n);
  if (number <= 16)
    return static_cast<TLayerId>(BottomSolder + number);
  return IdOfClass(LayerClassInternalPlane, number);
}

TLayerId MechanicalLayer(int64_t n) {
  const auto number = static_cast<uint64_t>(n);
  if (number == 0 || number > LargestClassNumber)
    RaiseOutOfRange("MechanicalLayer", n);
  if (number <= 16)
    return static_cast<TLayerId>(KeepOutLayer + number);
  return IdOfClass(LayerClassMechanical, number);
}
