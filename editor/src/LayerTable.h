#pragma once

// The editor's layers: names, ids and default colours of the layer numbers 1 to 82. The numbers are
// those of the shared layer module (pcb/Layers.h, used here for its constants only).

#include <cstdint>
#include <optional>
#include <string_view>

#include "pcb/PcbLayers.h"

namespace Tarnix {

inline constexpr int LayerCount = LastLayer;  // layer numbers 1 to 82

// "TopLayer", "MidLayer7", ...; empty for 0 and numbers past the last layer.
std::string_view LayerNameOf(unsigned layerNumber);

// The layer number of an editor's layer name (1 to 82); nothing for any other text.
std::optional<TLayerNumber> LayerNumberOfName(std::string_view name);

// The id the editor hands out for a layer number: the number itself.
inline TLayerId LayerIdOf(TLayerNumber layerNumber) {
  return layerNumber;
}

// The layer number an id names: ids 0 to 82 name that number; ids of signal layers 2 to 31,
// internal planes 1 to 16 and mechanical layers 1 to 16 name their layer. Nothing for any other id.
std::optional<TLayerNumber> LayerNumberOfId(TLayerId layerId);

// Default colour of a layer number as 0xRRGGBB.
uint32_t DefaultLayerColor(TLayerNumber layerNumber);

}  // namespace Tarnix
