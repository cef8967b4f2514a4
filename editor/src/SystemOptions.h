#pragma once

// The editor's system-wide options, not tied to a board, and its component type map. The editor
// keeps every field for its callers; none of them changes how it works.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "LayerTable.h"

namespace Tarnix {

struct TSystemOptions {
  TSystemOptions();

  // General block: Flag1, a 26-character text, Value1, Flags 2 to 12, Value2, Flag13.
  std::array<uint8_t, 14> GeneralFlags{};  // Flag1 to Flag13 at indices 1 to 13
  std::string GeneralText;
  std::array<int32_t, 3> GeneralValues{};  // Value1, Value2 at indices 1 and 2

  // Placing arrays.
  std::array<uint8_t, 5> PlaceArrayFlags{};  // indices 1 to 4
  std::array<double, 3> PlaceArrayValues{};
  int32_t PlaceArrayCount = 0;
  std::string PlaceArrayText;

  std::array<std::array<uint8_t, 5>, 4> Ports{};

  // Miscellaneous block: 27 flags (indices 1 to 27), two values and two words.
  std::array<uint8_t, 28> MiscFlags{};
  std::array<int32_t, 2> MiscValues{};
  std::array<uint32_t, 2> MiscWords{};

  std::array<uint8_t, LayerCount + 1> LayerDrawingOrder{};  // indices 0 to 82

  int32_t PolygonValue = 0;
  std::array<uint8_t, 2> PolygonFlags{};

  int32_t MiscExValue = 0;
  std::array<uint8_t, 4> MiscExFlags{};

  uint8_t Protection = 0;

  // Pattern (at most 255 characters) and component type.
  std::vector<std::pair<std::string, uint8_t>> ComponentTypeMappings;
};

}  // namespace Tarnix
