#include "LayerTable.h"

#include <array>
#include <string>

namespace Tarnix {

namespace {

std::array<std::string, LayerCount + 1> MakeLayerNames() {
  std::array<std::string, LayerCount + 1> names;
  names[TopLayer] = "TopLayer";
  for (int n = MidLayer1; n <= MidLayer30; ++n)
    names[n] = "MidLayer" + std::to_string(n - MidLayer1 + 1);
  names[BottomLayer] = "BottomLayer";
  const std::array<const char*, 6> overlaysToSolders = {
      "TopOverlay", "BottomOverlay", "TopPaste", "BottomPaste", "TopSolder", "BottomSolder"};
  for (int i = 0; i < 6; ++i)
    names[TopOverlay + i] = overlaysToSolders[i];
  for (int n = InternalPlane1; n <= InternalPlane16; ++n)
    names[n] = "InternalPlane" + std::to_string(n - InternalPlane1 + 1);
  names[DrillGuide] = "DrillGuide";
  names[KeepOutLayer] = "KeepOutLayer";
  for (int n = Mechanical1; n <= Mechanical16; ++n)
    names[n] = "Mechanical" + std::to_string(n - Mechanical1 + 1);
  const std::array<const char*, 10> drillDrawingToViaHoles = {
      "DrillDrawing",   "MultiLayer", "ConnectLayer", "BackGroundLayer", "DRCErrorLayer",
      "HighlightLayer", "GridColor1", "GridColor10",  "PadHoleLayer",    "ViaHoleLayer"};
  for (int i = 0; i < 10; ++i)
    names[DrillDrawing + i] = drillDrawingToViaHoles[i];
  return names;
}

const std::array<std::string, LayerCount + 1>& LayerNames() {
  static const auto names = MakeLayerNames();
  return names;
}

}  // namespace

std::string_view LayerNameOf(unsigned layerNumber) {
  if (layerNumber == NoLayer || layerNumber > LastLayer)
    return {};
  return LayerNames()[layerNumber];
}

std::optional<TLayerNumber> LayerNumberOfName(std::string_view name) {
  for (int n = FirstLayer; n <= LastLayer; ++n)
    if (LayerNames()[n] == name)
      return static_cast<TLayerNumber>(n);
  return std::nullopt;
}

std::optional<TLayerNumber> LayerNumberOfId(TLayerId layerId) {
  if (layerId <= LastLayer)
    return static_cast<TLayerNumber>(layerId);
  const uint32_t layerClass = layerId >> 16;
  const uint32_t n = layerId & 0xFFFFu;
  if (layerClass == LayerClassSignal && n >= 2 && n <= MidLayer30)
    return static_cast<TLayerNumber>(n);
  if (layerClass == LayerClassInternalPlane && n >= 1 && n <= 16)
    return static_cast<TLayerNumber>(BottomSolder + n);
  if (layerClass == LayerClassMechanical && n >= 1 && n <= 16)
    return static_cast<TLayerNumber>(KeepOutLayer + n);
  return std::nullopt;
}

uint32_t DefaultLayerColor(TLayerNumber n) {
  if (n == TopLayer)
    return 0xFF0000;
  if (n == BottomLayer)
    return 0x0000FF;
  if (n >= MidLayer1 && n <= MidLayer30)
    return n % 2 == 0 ? 0xBCBC00 : 0x00BCBC;
  if (n >= InternalPlane1 && n <= InternalPlane16)
    return 0x00A000;
  if (n >= Mechanical1 && n <= Mechanical16)
    return 0xB000B0;
  switch (n) {
    case TopOverlay:
      return 0xFFFF00;
    case BottomOverlay:
      return 0x808000;
    case TopPaste:
    case BottomPaste:
      return 0x808080;
    case TopSolder:
    case BottomSolder:
      return 0x800080;
    case KeepOutLayer:
      return 0xFF00FF;
    case MultiLayer:
      return 0xC0C0C0;
    case ConnectLayer:
      return 0xFFFFFF;
    case BackGroundLayer:
      return 0x000000;
    case HighlightLayer:
      return 0x00FFFF;
    default:
      return 0x606060;
  }
}

}  // namespace Tarnix
