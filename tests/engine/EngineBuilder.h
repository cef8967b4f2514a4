#pragma once

// Builds small engines for the tests: a placement area with its grids, component records with
// their pins, and net records that share those pins, laid out as the setup leaves them (movable
// records first, then the fixed ones, then the bypass capacitors), each component a group of one.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "engine/PlaceObj.h"

inline constexpr int32_t Mil = 10000;

class TEngineBuilder {
 public:
  explicit TEngineBuilder(TAutoPlacer& placer) : Placer(placer) {}

  // The placement area and the grids sized for it, as the import allocates them.
  TEngineBuilder& Area(int32_t left, int32_t bottom, int32_t right, int32_t top) {
    Placer.BoardLeft = left;
    Placer.BoardBottom = bottom;
    Placer.BoardRight = right;
    Placer.BoardTop = top;
    Placer.BoardWidth = right - left;
    Placer.BoardHeight = top - bottom;
    Placer.DensityCellSize = 2560000;
    Placer.DensityCols = CellCount(Placer.BoardWidth, Placer.DensityCellSize);
    Placer.DensityRows = CellCount(Placer.BoardHeight, Placer.DensityCellSize);
    Placer.Density.Allocate(Placer.DensityCols, Placer.DensityRows);
    Placer.OccupancyCellSize = 640000;
    Placer.OccupancyCols = CellCount(Placer.BoardWidth, Placer.OccupancyCellSize);
    Placer.OccupancyRows = CellCount(Placer.BoardHeight, Placer.OccupancyCellSize);
    Placer.Occupancy[TopLayer].Allocate(Placer.OccupancyCols, Placer.OccupancyRows);
    Placer.Occupancy[BottomLayer].Allocate(Placer.OccupancyCols, Placer.OccupancyRows);
    return *this;
  }

  // The engine's defaults after the setup: all terms on, the standard weights and grids.
  TEngineBuilder& Defaults() {
    Placer.UseNetLength = Placer.UseDensity = Placer.UseAlignment = true;
    Placer.OverlapWeight = 0.08;
    Placer.AlignmentWeight = 0.00005;
    Placer.AlignmentGrid = 5000000;
    Placer.MoveGrid = 200000;
    Placer.RotateAllowed = true;
    Placer.Temperature = 100000.0;
    Placer.CoolingFactor = 0.85;
    Placer.LogT0 = 5.0;
    Placer.RangeFactor = 1.0;
    Placer.RangeX = Placer.BoardWidth;
    Placer.RangeY = Placer.BoardHeight;
    return *this;
  }

  struct TComponentShape {
    int32_t CenterX = 0;
    int32_t CenterY = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t Layer = TopLayer;
    bool SingleLayer = true;
    bool Movable = true;
    int32_t Flags = 0;
  };

  // Adds a component whose reference point is its centre; returns its 1-based number.
  int32_t Component(const TComponentShape& shape) {
    auto record = std::make_unique<TCompRecord>();
    record->CenterX = record->X = record->GroupX = shape.CenterX;
    record->CenterY = record->Y = record->GroupY = shape.CenterY;
    record->Width = record->GroupWidth = shape.Width;
    record->Height = record->GroupHeight = shape.Height;
    record->Layer = shape.Layer;
    record->SingleLayer = shape.SingleLayer ? 1 : 0;
    record->Movable = shape.Movable ? 1 : 0;
    record->Flags = shape.Flags | (shape.Movable ? 0 : FlagFixed);
    Placer.Components.push_back(std::move(record));
    const auto k = static_cast<int32_t>(Placer.Components.size());
    Placer.Component(k).GroupNext = Placer.Component(k).GroupPrev = k;
    Placer.ComponentCount = k;
    return k;
  }

  // Adds a pin to component k at an absolute position; net 0 = no signal net.
  TPinRecord& Pin(int32_t k, int32_t x, int32_t y, int32_t net = 0) {
    auto pin = std::make_unique<TPinRecord>();
    pin->X = x;
    pin->Y = y;
    pin->NetNumber = net;
    pin->ComponentNumber = k;
    TCompRecord& component = Placer.Component(k);
    component.Pins.push_back(std::move(pin));
    component.PinCount = static_cast<int32_t>(component.Pins.size());
    return *component.Pins.back();
  }

  // Creates the net records 1..count from the pins that name them, in component order.
  TEngineBuilder& Nets(int32_t count) {
    Placer.Nets.clear();
    for (int32_t n = 1; n <= count; ++n) {
      Placer.Nets.push_back(std::make_unique<TNetRecord>());
    }
    Placer.NetCount = count;
    for (auto& component : Placer.Components) {
      for (auto& pin : component->Pins) {
        if (pin->NetNumber > 0) {
          TNetRecord& net = Placer.Net(pin->NetNumber);
          net.PinsOriginal.push_back(pin.get());
          net.Pins.push_back(pin.get());
          net.Parent.push_back(1);
          net.PinCount = static_cast<int32_t>(net.Pins.size());
        }
      }
    }
    return *this;
  }

  // Links the given components into one group ring, in the order given, and gives every member
  // the bounding box of all their footprints, as the setup does for a group.
  TEngineBuilder& Group(std::initializer_list<int32_t> members) {
    const std::vector<int32_t> ring(members);
    int32_t left = INT32_MAX, bottom = INT32_MAX, right = INT32_MIN, top = INT32_MIN;
    for (const int32_t k : ring) {
      const TCompRecord& member = Placer.Component(k);
      left = std::min(left, member.CenterX - member.Width / 2);
      right = std::max(right, member.CenterX + member.Width / 2);
      bottom = std::min(bottom, member.CenterY - member.Height / 2);
      top = std::max(top, member.CenterY + member.Height / 2);
    }
    const size_t size = ring.size();
    for (size_t i = 0; i < size; ++i) {
      TCompRecord& member = Placer.Component(ring[i]);
      member.GroupNext = ring[(i + 1) % size];
      member.GroupPrev = ring[(i + size - 1) % size];
      member.GroupX = right / 2 + left / 2;
      member.GroupY = top / 2 + bottom / 2;
      member.GroupWidth = right - left;
      member.GroupHeight = top - bottom;
    }
    return *this;
  }

  TEngineBuilder& KeepOut(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Placer.KeepOuts.push_back(std::make_unique<TKeepOutRect>(TKeepOutRect{x1, y1, x2, y2}));
    Placer.KeepOutCount = static_cast<int32_t>(Placer.KeepOuts.size());
    return *this;
  }

  // Counts the records as the setup's partition leaves them; the caller adds movable records
  // first, then fixed ones, then bypass capacitors.
  TEngineBuilder& Partitioned() {
    Placer.FixedCount = Placer.BypassCount = 0;
    for (auto& component : Placer.Components) {
      if (component->Flags & FlagBypass) {
        ++Placer.BypassCount;
      } else if (component->Movable == 0) {
        ++Placer.FixedCount;
      }
    }
    Placer.MovableCount = Placer.ComponentCount - Placer.FixedCount - Placer.BypassCount;
    return *this;
  }

 private:
  static int32_t CellCount(int32_t length, int32_t cell) {
    return static_cast<int32_t>(std::nearbyint(static_cast<double>(length) / cell)) + 1;
  }

  TAutoPlacer& Placer;
};
