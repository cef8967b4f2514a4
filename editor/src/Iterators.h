#pragma once

// The editor's iterators over (parent, kind, method, layer). An iterator takes its list of objects
// when it is asked for its first object, and hands them out in that order.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Objects.h"

namespace Tarnix {

class TIterators {
 public:
  // Method 0 or 2 over a board, a component or a net of an open board; layer id 0 = every layer.
  // 0 for a parent that is none of these, another method, or an id that names no layer.
  uint32_t Create(uint32_t parent, uint8_t kind, uint8_t method, uint32_t layerId);
  uint32_t First(uint32_t iterator);
  uint32_t Next(uint32_t iterator);
  void Destroy(uint32_t iterator);

 private:
  struct TIterator {
    uint32_t Parent = 0;
    TKind Kind = TKind::None;
    TLayerNumber Layer = NoLayer;
    std::vector<uint32_t> Objects;
    size_t Position = 0;
    bool Started = false;
  };

  uint32_t NewHandle();

  std::unordered_map<uint32_t, TIterator> Live;
  uint32_t LastSerial = 0;
};

}  // namespace Tarnix
