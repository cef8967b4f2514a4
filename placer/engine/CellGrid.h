#pragma once

#include <cstdint>
#include <vector>

// A grid of 32-bit counters indexed [0..Cols][0..Rows] inclusive; Cols and Rows are the highest
// indices, as the engine's density and occupancy grids are defined.
class TCellGrid {
 public:
  void Allocate(int32_t cols, int32_t rows) {
    Cols = cols;
    Rows = rows;
    Cells.assign(static_cast<size_t>(cols + 1) * static_cast<size_t>(rows + 1), 0);
  }
  void Clear() { Cells.assign(Cells.size(), 0); }
  bool Allocated() const { return !Cells.empty(); }

  int32_t& At(int32_t col, int32_t row) {
    return Cells[static_cast<size_t>(col) * static_cast<size_t>(Rows + 1) +
                 static_cast<size_t>(row)];
  }
  int32_t At(int32_t col, int32_t row) const {
    return Cells[static_cast<size_t>(col) * static_cast<size_t>(Rows + 1) +
                 static_cast<size_t>(row)];
  }

  int32_t Cols = 0;
  int32_t Rows = 0;

 private:
  std::vector<int32_t> Cells;
};

// A block of cells, bounds inclusive; empty when a first index lies beyond its last.
struct TCellRange {
  int32_t FirstCol;
  int32_t LastCol;
  int32_t FirstRow;
  int32_t LastRow;
  bool operator==(const TCellRange&) const = default;
};

// The occupancy grids, indexed by layer number: only TopLayer and BottomLayer exist.
class TLayerGrids {
 public:
  TCellGrid& operator[](uint8_t layer) { return layer == 32 ? Bottom : Top; }
  const TCellGrid& operator[](uint8_t layer) const { return layer == 32 ? Bottom : Top; }

 private:
  TCellGrid Top;
  TCellGrid Bottom;
};
