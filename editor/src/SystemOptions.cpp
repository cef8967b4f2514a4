#include "SystemOptions.h"

namespace Tarnix {

TSystemOptions::TSystemOptions() {
  // Layers are drawn in the order of their numbers.
  for (int i = 0; i <= LayerCount; ++i)
    LayerDrawingOrder[i] = static_cast<uint8_t>(i);
}

}  // namespace Tarnix
