#pragma once

// Synthetic boards for the engine's consistency tests and benchmarks: a mix of small two-pad
// parts, mid-size ICs and a few large ones, mostly on nets of 2 to 5 pins with a few nets of 30
// and more pins, some locked components and keep-outs. Built from a fixed seed with a generator of
// our own, so that every machine builds the same board.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "EngineBuilder.h"
#include "engine/PlaceObj.h"

class TSyntheticBoard {
 public:
  TSyntheticBoard(int32_t componentCount, uint32_t seed) : Count(componentCount), State(seed) {}

  // Puts every single-sided component on the top side (two-sided ones stay).
  TSyntheticBoard& TopSideOnly() {
    BottomSideAllowed = false;
    return *this;
  }

  // Makes about one net in ten a large one, of 20 to 59 pins.
  TSyntheticBoard& LargeNets() {
    LargeNetShare = 10;
    return *this;
  }

  // Lays the board out around the origin, so that pins have negative coordinates too.
  TSyntheticBoard& AroundOrigin() {
    Centred = true;
    return *this;
  }

  // Fills a fresh engine: records laid out as after the setup (movable, then fixed), each
  // component a group of one, the cost evaluated, the engine's defaults set.
  void Build(TAutoPlacer& placer) {
    TEngineBuilder builder(placer);
    // About 40 % of the area is covered by footprints.
    const int64_t side = static_cast<int64_t>(std::sqrt(Count * 36000.0 / 0.4)) * Mil;
    const auto edge = static_cast<int32_t>(side);
    Shift = Centred ? -(edge / 2) : 0;
    builder.Area(Shift, Shift, Shift + edge, Shift + edge).Defaults();
    std::vector<TPinRecord*> pins;
    const int32_t fixedCount = Count / 30;
    for (int32_t i = 0; i < Count; ++i) {
      AddComponent(builder, edge, i >= Count - fixedCount, pins);
    }
    const int32_t keepOut = Shift + edge / 10;
    builder.KeepOut(keepOut, keepOut, keepOut + 200 * Mil, keepOut + 200 * Mil);
    ConnectNets(placer, pins);
    builder.Partitioned();
    placer.EvaluateAll();
  }

 private:
  uint32_t Next() {
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    return State;
  }
  int32_t Below(int32_t n) { return static_cast<int32_t>(Next() % static_cast<uint32_t>(n)); }

  void AddComponent(TEngineBuilder& builder, int32_t edge, bool fixed,
                    std::vector<TPinRecord*>& pins) {
    const int32_t kind = Below(100);
    int32_t width = 60 * Mil, height = 30 * Mil, pinCount = 2;
    if (kind >= 97) {
      width = height = 600 * Mil;
      pinCount = 48;
    } else if (kind >= 80) {
      width = 300 * Mil;
      height = 200 * Mil;
      pinCount = 8 + 2 * Below(5);
    }
    const int32_t margin = 700 * Mil;
    const int32_t x = Shift + margin + Below(std::max(1, (edge - 2 * margin) / Mil)) * Mil;
    const int32_t y = Shift + margin + Below(std::max(1, (edge - 2 * margin) / Mil)) * Mil;
    const bool twoSided = Below(5) == 0;
    const int32_t k = builder.Component(
        {x, y, width, height, Below(4) == 0 && BottomSideAllowed ? BottomLayer : TopLayer,
         !twoSided, !fixed});
    for (int32_t p = 0; p < pinCount; ++p) {
      const int32_t px = x - width / 2 + (p % (pinCount / 2 + 1)) * (width / (pinCount / 2 + 1));
      const int32_t py = p < pinCount / 2 ? y - height / 2 : y + height / 2;
      pins.push_back(&builder.Pin(k, px, py));
    }
  }

  // Nets of 2 to 5 pins from neighbouring pins of the pool, a few of 30 and more.
  void ConnectNets(TAutoPlacer& placer, std::vector<TPinRecord*>& pins) {
    int32_t net = 0;
    size_t next = 0;
    std::vector<size_t> order(pins.size());
    for (size_t i = 0; i < order.size(); ++i) {
      order[i] = i;
    }
    for (size_t i = order.size(); i > 1; --i) {
      std::swap(order[i - 1], order[static_cast<size_t>(Below(static_cast<int32_t>(i)))]);
    }
    while (next + 1 < order.size()) {
      int32_t size = Below(100) == 0 ? 30 + Below(20) : 2 + Below(4);
      if (LargeNetShare > 0 && Below(100) < LargeNetShare) {
        size = 20 + Below(40);
      }
      ++net;
      for (int32_t j = 0; j < size && next < order.size(); ++j) {
        pins[order[next++]]->NetNumber = net;
      }
      if (Below(10) == 0) {
        ++next;  // some pins stay unconnected
      }
    }
    TEngineBuilder(placer).Nets(net);
  }

  int32_t Count;
  uint32_t State;
  bool BottomSideAllowed = true;
  int32_t LargeNetShare = 0;  // percent of nets made large on top of the usual few
  bool Centred = false;
  int32_t Shift = 0;  // added to every coordinate
};
