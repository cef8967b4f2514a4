#include "BoardSettings.h"

namespace Tarnix {

TBoardSettings::TBoardSettings() {
  for (int n = FirstLayer; n <= LastLayer; ++n) {
    const auto number = static_cast<TLayerNumber>(n);
    Layers[number].Name = std::string(LayerNameOf(number));
    Layers[number].Color = DefaultLayerColor(number);
  }
  // A two-layer stack: the top layer above the bottom layer, drilled through as one pair.
  Layers[TopLayer].NextLayer = BottomLayer;
  Layers[BottomLayer].PrevLayer = TopLayer;
  LayerPairs.push_back({LayerIdOf(TopLayer), LayerIdOf(BottomLayer), 0, 0});
  for (int n = FirstLayer; n <= LastLayer; ++n)
    Printer.CompositeLayers[n] = 1;
}

}  // namespace Tarnix
