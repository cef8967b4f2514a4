// The engine's cost: net length, connection density, footprint overlap and grid alignment, each
// kept up to date incrementally while components move and recomputed from scratch on request.
//
// Everything here runs for every move of the annealing, so the code avoids allocation, virtual
// calls and needless divisions. It also never trusts the records blindly: indices computed from
// coordinates are clamped to the grids, coordinate differences are taken in 64 bits, and net
// numbers or tree links that point nowhere are skipped rather than followed.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "ExtendedPrecision.h"
#include "PlaceObj.h"

namespace {

// Fixed weights of the net-length and density terms.
constexpr double NetLengthWeight = 0.000006;
constexpr double DensityWeight = 0.4;

// One unit of overlap weighs 16384 in a full evaluation but 4096 in an incremental update.
constexpr double FullOverlapScale = 16384.0;
constexpr double IncrementalOverlapScale = 4096.0;

constexpr auto AlignmentSpacing = static_cast<uint32_t>(TAutoPlacer::StandardAlignmentGrid);

int64_t Abs64(int64_t value) {
  return value < 0 ? -value : value;
}

// The overlap a cell holding v footprints contributes.
int32_t Overlap(int32_t v) {
  return v > 1 ? v - 1 : 0;
}

// The number of records a loop over 1..count may visit without leaving the array.
int32_t Bounded(int32_t count, size_t size) {
  if (count <= 0) {
    return 0;
  }
  return static_cast<size_t>(count) < size ? count : static_cast<int32_t>(size);
}

// Truncating division of a cell offset by a cell size. The engine's cell sizes are fixed, and a
// division by a constant compiles to a multiplication, several times faster than a divide.
uint32_t DivideByCellSize(uint32_t offset, uint32_t cellSize) {
  switch (cellSize) {
    case 2560000:
      return offset / 2560000u;
    case 640000:
      return offset / 640000u;
    default:
      return offset / cellSize;
  }
}

// The cell of a coordinate on a grid starting at origin: truncating division, then clamped to
// 0..highest. The offset is taken in 64 bits, so coordinates far off the board cannot overflow.
// Offsets below one cell, negative ones included, all land in cell 0; the others are divided
// unsigned, in 32 bits when they fit, as they do on any real board.
int32_t CellIndex(int64_t coordinate, int32_t origin, int32_t cellSize, int32_t highest) {
  const int64_t offset = coordinate - origin;
  if (offset < cellSize) {
    return 0;
  }
  const uint64_t cell =
      offset <= int64_t{UINT32_MAX}
          ? DivideByCellSize(static_cast<uint32_t>(offset), static_cast<uint32_t>(cellSize))
          : static_cast<uint64_t>(offset) / static_cast<uint64_t>(cellSize);
  return cell > static_cast<uint64_t>(highest) ? highest : static_cast<int32_t>(cell);
}

// Direct access to a grid's counters: the cell (col, row) is Cells[col * Stride + row], as
// TCellGrid lays them out. Saves recomputing the index for every cell of a walk.
struct TGridView {
  explicit TGridView(TCellGrid& grid)
      : Cells(&grid.At(0, 0)), Stride(static_cast<ptrdiff_t>(grid.Rows) + 1) {}
  int32_t* Column(int32_t col) const { return Cells + col * Stride; }
  int32_t* Cells;
  ptrdiff_t Stride;
};

// A grid may be indexed with 0..cols and 0..rows only when it was allocated with exactly those.
bool GridMatches(const TCellGrid& grid, int32_t cols, int32_t rows) {
  return cols >= 0 && rows >= 0 && grid.Allocated() && grid.Cols == cols && grid.Rows == rows;
}

bool OccupancyUsable(const TAutoPlacer& placer) {
  return placer.OccupancyCellSize > 0 &&
         GridMatches(placer.Occupancy[TopLayer], placer.OccupancyCols, placer.OccupancyRows) &&
         GridMatches(placer.Occupancy[BottomLayer], placer.OccupancyCols, placer.OccupancyRows);
}

bool DensityUsable(const TAutoPlacer& placer) {
  return placer.DensityCellSize > 0 &&
         GridMatches(placer.Density, placer.DensityCols, placer.DensityRows);
}

TCellRange FootprintCells(const TAutoPlacer& placer, const TCompRecord& component) {
  const int32_t halfWidth = component.Width / 2;
  const int32_t halfHeight = component.Height / 2;
  const int32_t size = placer.OccupancyCellSize;
  return TCellRange{CellIndex(int64_t{component.CenterX} - halfWidth, placer.BoardLeft, size,
                              placer.OccupancyCols),
                    CellIndex(int64_t{component.CenterX} + halfWidth, placer.BoardLeft, size,
                              placer.OccupancyCols),
                    CellIndex(int64_t{component.CenterY} - halfHeight, placer.BoardBottom, size,
                              placer.OccupancyRows),
                    CellIndex(int64_t{component.CenterY} + halfHeight, placer.BoardBottom, size,
                              placer.OccupancyRows)};
}

// No cell: excludes nothing.
constexpr TCellRange NoCells{0, -1, 0, -1};

// The change of a cell's overlap when its count v gains one (d = 1) or loses one (d = -1): a
// footprint added to a cell already covered adds one, one taken from a cell still covered after
// removes one. The same as Overlap(v + d) - Overlap(v), without the two clamps.
int32_t OverlapChange(int32_t v, int32_t d) {
  return d > 0 ? static_cast<int32_t>(v >= 1) : -static_cast<int32_t>(v >= 2);
}

// The rows first..last, at least one.
size_t RowCount(int32_t first, int32_t last) {
  return static_cast<size_t>(int64_t{last} - first + 1);
}

// Adds d (+1 or -1) to the rows first..last of one column of a single-sided footprint's grid and
// returns the change of overlap. While a move is recorded, the journal notes the run.
int64_t CoverRows(int32_t* column, int32_t first, int32_t last, int32_t d, TMoveJournal* journal) {
  if (first > last) {
    return 0;
  }
  if (journal != nullptr) {
    journal->NoteRun(column + first, static_cast<int32_t>(RowCount(first, last)), d);
  }
  int64_t delta = 0;
  for (int32_t row = first; row <= last; ++row) {
    const int32_t before = column[row];
    delta += OverlapChange(before, d);
    column[row] = before + d;
  }
  return delta;
}

// The same for a two-sided footprint: both grids change, the overlap follows the larger count.
int64_t CoverRowsBothSides(int32_t* top, int32_t* bottom, int32_t first, int32_t last, int32_t d,
                           TMoveJournal* journal) {
  if (first > last) {
    return 0;
  }
  if (journal != nullptr) {
    const auto count = static_cast<int32_t>(RowCount(first, last));
    journal->NoteRun(top + first, count, d);
    journal->NoteRun(bottom + first, count, d);
  }
  int64_t delta = 0;
  for (int32_t row = first; row <= last; ++row) {
    const int32_t before = std::max(top[row], bottom[row]);
    delta += OverlapChange(before, d);
    top[row] += d;
    bottom[row] += d;
  }
  return delta;
}

// Adds d (+1 or -1) to every occupancy cell of the range except those of keep, on the
// component's own side or on both sides, and returns the change of overlap as seen from each
// cell before and after. The caller has checked that the grids are usable.
int64_t CoverCells(TAutoPlacer& placer, const TCompRecord& component, const TCellRange& cells,
                   const TCellRange& keep, int32_t d) {
  TMoveJournal* journal = placer.Journal.Recording ? &placer.Journal : nullptr;
  const bool bothSides = component.SingleLayer != 1;
  const TGridView own(placer.Occupancy[component.Layer]);
  const TGridView top(placer.Occupancy[TopLayer]);
  const TGridView bottom(placer.Occupancy[BottomLayer]);
  const auto cover = [&](int32_t col, int32_t first, int32_t last) {
    return bothSides
               ? CoverRowsBothSides(top.Column(col), bottom.Column(col), first, last, d, journal)
               : CoverRows(own.Column(col), first, last, d, journal);
  };
  int64_t delta = 0;
  for (int32_t col = cells.FirstCol; col <= cells.LastCol; ++col) {
    if (col < keep.FirstCol || col > keep.LastCol || keep.FirstRow > keep.LastRow) {
      delta += cover(col, cells.FirstRow, cells.LastRow);
      continue;
    }
    // The rows below and above the kept ones.
    delta += cover(col, cells.FirstRow, std::min(cells.LastRow, keep.FirstRow - 1));
    delta += cover(col, std::max(cells.FirstRow, keep.LastRow + 1), cells.LastRow);
  }
  return delta;
}

int64_t CoverFootprint(TAutoPlacer& placer, const TCompRecord& component, int32_t d) {
  return CoverCells(placer, component, FootprintCells(placer, component), NoCells, d);
}

// The net a pin lies on, or null for a pin without a signal net or with a number out of range.
TNetRecord* NetOf(TAutoPlacer& placer, const TPinRecord& pin) {
  const uint32_t index = static_cast<uint32_t>(pin.NetNumber) - 1u;  // 0 wraps to out of range
  return index < placer.Nets.size() ? placer.Nets[index].get() : nullptr;
}

// Lists the distinct signal nets of a component's pins, in the order of their first pins.
void ListSignalNets(TAutoPlacer& placer, TCompRecord& component) {
  component.SignalNets.clear();
  for (const auto& pin : component.Pins) {
    TNetRecord* net = NetOf(placer, *pin);
    if (net != nullptr && std::find(component.SignalNets.begin(), component.SignalNets.end(),
                                    net) == component.SignalNets.end()) {
      component.SignalNets.push_back(net);
    }
  }
  component.SignalNetsListed = true;
}

const std::vector<TNetRecord*>& SignalNets(TAutoPlacer& placer, TCompRecord& component) {
  if (!component.SignalNetsListed) {
    ListSignalNets(placer, component);
  }
  return component.SignalNets;
}

// Which of a component's nets an update handles: those still marked Touched, when the members of
// a group share nets and each net is handled by the first member that reaches it, or every one,
// when the component moves alone.
enum class THandled { TouchedNets, EveryNet };

// Calls action(net) once for every net of the component's pins that the update handles, however
// many pins of the component lie on it.
template <class Action>
void ForEachHandledNet(TAutoPlacer& placer, TCompRecord& component, THandled handled,
                       Action action) {
  const bool every = handled == THandled::EveryNet;
  for (TNetRecord* net : SignalNets(placer, component)) {
    if (every || net->Touched != 0) {
      action(*net);
    }
  }
}

// The pins of a net that every one of its arrays holds.
int32_t UsablePins(const TNetRecord& net) {
  const size_t size = std::min({net.Pins.size(), net.Parent.size(), net.PinsOriginal.size()});
  return Bounded(net.PinCount, size);
}

int64_t Manhattan(const TPinRecord& a, const TPinRecord& b) {
  return Abs64(int64_t{a.X} - b.X) + Abs64(int64_t{a.Y} - b.Y);
}

// Sizes a net's working memory for count pins. Allocates only when the count changes, which
// during a run it never does.
void SizeWorkspace(TNetWorkspace& work, int32_t count) {
  if (work.Size == count) {
    return;
  }
  const auto size = static_cast<size_t>(count);
  work.Size = count;
  for (auto* keys : {&work.DistanceKey, &work.SumKey}) {
    keys->assign(size, 0);
  }
  work.Working.assign(size, TWorkingPin{});
  work.PinX.assign(size, 0);
  work.PinY.assign(size, 0);
  for (auto* indices : {&work.ByDistance, &work.BySum, &work.Order, &work.Position}) {
    indices->resize(size);
    for (size_t i = 0; i < size; ++i) {
      (*indices)[i] = static_cast<int32_t>(i);
    }
  }
}

// Brings the import positions in byKey into ascending key order (equal keys in any order). The
// list is kept from the previous build, when few pins have moved, so insertion sort takes about
// one pass.
void SortByKey(std::vector<int32_t>& byKey, const std::vector<int64_t>& key, int32_t count) {
  for (int32_t i = 1; i < count; ++i) {
    const int32_t moving = byKey[static_cast<size_t>(i)];
    const int64_t movingKey = key[static_cast<size_t>(moving)];
    int32_t j = i;
    for (; j > 0 && key[static_cast<size_t>(byKey[static_cast<size_t>(j - 1)])] > movingKey; --j) {
      byKey[static_cast<size_t>(j)] = byKey[static_cast<size_t>(j - 1)];
    }
    byKey[static_cast<size_t>(j)] = moving;
  }
}

// Puts the pin of import position e at working position i by exchanging it with the pin there,
// as one step of a selection sort does.
void ExchangeInto(TNetWorkspace& work, int32_t e, int32_t i) {
  const int32_t from = work.Position[static_cast<size_t>(e)];
  const int32_t displaced = work.Order[static_cast<size_t>(i)];
  work.Order[static_cast<size_t>(i)] = e;
  work.Order[static_cast<size_t>(from)] = displaced;
  work.Position[static_cast<size_t>(e)] = i;
  work.Position[static_cast<size_t>(displaced)] = from;
}

// Applies to Order exactly what a selection sort ascending by key does, where each step brings
// the first pin with the strictly smallest key of the rest to the front. Not stable, and the tree
// depends on exactly this order, so the steps are replayed rather than the order sorted: the
// smallest key of the rest is always the next one in byKey, so every step is one exchange, and
// among pins with equal keys the step takes the one at the lowest working position.
void ReplaySelectionSort(TNetWorkspace& work, const std::vector<int64_t>& key,
                         const std::vector<int32_t>& byKey, int32_t count) {
  int32_t i = 0;
  int32_t first = 0;
  while (first < count) {
    const int64_t groupKey = key[static_cast<size_t>(byKey[static_cast<size_t>(first)])];
    int32_t end = first + 1;
    while (end < count && key[static_cast<size_t>(byKey[static_cast<size_t>(end)])] == groupKey) {
      ++end;
    }
    for (int32_t placed = first; placed < end; ++placed) {
      // Pins already placed lie below i; the others at i or above.
      int32_t chosen = -1;
      int32_t chosenPosition = count;
      for (int32_t g = first; g < end; ++g) {
        const int32_t e = byKey[static_cast<size_t>(g)];
        const int32_t position = work.Position[static_cast<size_t>(e)];
        if (position >= i && position < chosenPosition) {
          chosen = e;
          chosenPosition = position;
        }
      }
      ExchangeInto(work, chosen, i);
      ++i;
    }
    first = end;
  }
}

// Joins every pin to the nearest earlier one (the first of equally near ones) and returns the
// tree's length. Parent holds 1-based positions. The Manhattan distance of two pins is the larger
// of the differences of their X + Y and of their X - Y, taken as magnitudes. The pins are in
// ascending X + Y, so the search runs backwards from the pin and stops once the difference of
// X + Y alone exceeds the nearest distance found; an equally near pin found later in that search
// lies earlier and wins.
int64_t JoinToNearestEarlier(TNetRecord& net, int32_t count) {
  const TNetWorkspace& work = net.Work;
  int64_t length = 0;
  net.Parent[0] = 1;
  const TWorkingPin* pins = work.Working.data();
  for (int32_t i = 1; i < count; ++i) {
    const auto u = static_cast<size_t>(i);
    const int64_t sum = pins[u].Sum;
    const int64_t diff = pins[u].Diff;
    int64_t nearestDistance = INT64_MAX;
    size_t nearest = u - 1;
    for (size_t c = u; c-- > 0;) {
      const int64_t sumDistance = sum - pins[c].Sum;  // never negative
      if (sumDistance > nearestDistance) {
        break;
      }
      // Selections rather than a branch: which candidate is nearer is close to random.
      const int64_t distance = std::max(sumDistance, Abs64(diff - pins[c].Diff));
      const bool nearer = distance <= nearestDistance;
      nearest = nearer ? c : nearest;
      nearestDistance = nearer ? distance : nearestDistance;
    }
    net.Parent[u] = static_cast<int32_t>(nearest) + 1;
    length += nearestDistance;
  }
  return length;
}

TWorkingPin WorkingPin(const TNetWorkspace& work, size_t e) {
  return TWorkingPin{work.SumKey[e], int64_t{work.PinX[e]} - work.PinY[e], work.PinX[e],
                     work.PinY[e]};
}

// Puts the pins in the working order of Order, with their coordinates, X + Y and X - Y.
void FillWorkingOrder(TNetRecord& net, int32_t count) {
  TNetWorkspace& work = net.Work;
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    const auto e = static_cast<size_t>(work.Order[i]);
    net.Pins[i] = net.PinsOriginal[e];
    work.Working[i] = WorkingPin(work, e);
  }
}

// Takes the working order from byKey, ascending X + Y, as long as no two pins have the same X + Y,
// and fills it in as it goes. Returns false at the first tie: a selection sort then decides.
bool TakeDistinctOrder(TNetRecord& net, const std::vector<int32_t>& byKey, int32_t count) {
  TNetWorkspace& work = net.Work;
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    const auto e = static_cast<size_t>(byKey[i]);
    if (i > 0 && work.SumKey[e] == work.SumKey[static_cast<size_t>(byKey[i - 1])]) {
      return false;
    }
    work.Order[i] = static_cast<int32_t>(e);  // Position serves only the tie-breaking replays
    net.Pins[i] = net.PinsOriginal[e];
    work.Working[i] = WorkingPin(work, e);
  }
  return true;
}

// Orders pins with equal X + Y as the two selection sorts do: a pre-sort by distance from the
// origin, then the sort by X + Y, each replayed from the import order.
void OrderWithTies(TNetRecord& net, int32_t count, bool keysAgree) {
  TNetWorkspace& work = net.Work;
  for (size_t e = 0; e < static_cast<size_t>(count); ++e) {
    work.Order[e] = static_cast<int32_t>(e);
    work.Position[e] = static_cast<int32_t>(e);
  }
  if (keysAgree) {
    // Both keys agree: the pins are in order after the first sort, and the second, which always
    // finds the smallest key of the rest in front, would exchange nothing.
    ReplaySelectionSort(work, work.SumKey, work.ByDistance, count);
  } else {
    for (size_t e = 0; e < static_cast<size_t>(count); ++e) {
      work.DistanceKey[e] = Abs64(work.PinX[e]) + Abs64(work.PinY[e]);
    }
    SortByKey(work.ByDistance, work.DistanceKey, count);
    ReplaySelectionSort(work, work.DistanceKey, work.ByDistance, count);
    ReplaySelectionSort(work, work.SumKey, work.BySum, count);
  }
  FillWorkingOrder(net, count);
}

// Rebuilds a net's tree from the import order: a pre-sort by distance from the origin, which only
// decides the order of pins whose X + Y is equal, then the sort by X + Y, both selection sorts,
// then every pin joined to its nearest predecessor. count is the net's UsablePins.
void BuildTree(TNetRecord& net, int32_t count) {
  if (count == 2) {
    net.Length = static_cast<double>(Manhattan(*net.Pins[0], *net.Pins[1]));
    return;
  }
  if (count < 2) {
    return;  // a lone pin keeps its length
  }
  TNetWorkspace& work = net.Work;
  SizeWorkspace(work, count);
  // With no negative coordinate, distance from the origin and X + Y agree.
  bool keysAgree = true;
  for (size_t e = 0; e < static_cast<size_t>(count); ++e) {
    const TPinRecord& pin = *net.PinsOriginal[e];
    work.PinX[e] = pin.X;
    work.PinY[e] = pin.Y;
    work.SumKey[e] = int64_t{pin.X} + int64_t{pin.Y};
    keysAgree = keysAgree && pin.X >= 0 && pin.Y >= 0;
  }
  // With keys that agree, one sort gives the order of both.
  std::vector<int32_t>& bySum = keysAgree ? work.ByDistance : work.BySum;
  SortByKey(bySum, work.SumKey, count);
  // Without equal X + Y the last sort alone decides the order: ascending X + Y.
  if (!TakeDistinctOrder(net, bySum, count)) {
    OrderWithTies(net, count, keysAgree);
  }
  net.Length = static_cast<double>(JoinToNearestEarlier(net, count));
}

// Bresenham's walk of a line whose major axis has the longer extent: major cells in all, the
// far end left out. From the start cell p, majorStep moves one cell along the major axis and
// minorStep one cell along the minor axis. Adds d to every cell visited and returns the sum of
// their values before. With Noting, each cell and its value before are noted in notes.
template <bool Noting>
int64_t WalkBresenham(int32_t* p, ptrdiff_t majorStep, ptrdiff_t minorStep, int32_t major,
                      int32_t minor, int32_t d, TCellChange* notes) {
  int64_t sum = 0;
  int32_t e = 2 * minor - major;
  const int32_t diagonalError = 2 * (minor - major);
  const int32_t straightError = 2 * minor;
  for (int32_t i = 0; i < major; ++i) {
    if constexpr (Noting) {
      *notes++ = TCellChange{p, *p};
    }
    sum += *p;
    *p += d;
    // Written as selections rather than a branch: the decision follows the line's slope and
    // would be mispredicted about every other step.
    const bool diagonal = e >= 0;
    p += majorStep + (diagonal ? minorStep : 0);
    e += diagonal ? diagonalError : straightError;
  }
  return sum;
}

// A run of count cells (at least one) from p, one step apart, ends included. The pointer never
// steps beyond the last cell, which may be the last of the grid.
template <bool Noting>
int64_t WalkStraight(int32_t* p, ptrdiff_t step, int32_t count, int32_t d, TCellChange* notes) {
  int64_t sum = 0;
  for (int32_t i = 1;; ++i) {
    if constexpr (Noting) {
      *notes++ = TCellChange{p, *p};
    }
    sum += *p;
    *p += d;
    if (i == count) {
      return sum;
    }
    p += step;
  }
}

// Adds d (+1 or -1) to the density cells of the line from cell (x0, y0) to cell (x1, y1): every
// cell of a vertical or horizontal line, both ends included, otherwise Bresenham's cells from
// the end with the smaller coordinate along the longer axis, the far end left out. Then adds the
// change of the sum of squares to DensityCost. With Noting, the journal notes every cell written.
template <bool Noting>
void TraceCellsOf(TAutoPlacer& placer, const TGridView& grid, int32_t x0, int32_t y0, int32_t x1,
                  int32_t y1, int32_t d) {
  const auto notes = [&placer](int32_t count) {
    return Noting ? placer.Journal.CellRoom(static_cast<size_t>(count)) : nullptr;
  };
  int64_t sum = 0;
  int32_t cells = 0;
  // Each kind of walk is called from one place, so that it is compiled into this function.
  if (x0 == x1 || y0 == y1) {
    const bool vertical = x0 == x1;
    cells = (vertical ? std::abs(y1 - y0) : std::abs(x1 - x0)) + 1;
    int32_t* first =
        vertical ? grid.Column(x0) + std::min(y0, y1) : grid.Column(std::min(x0, x1)) + y0;
    sum = WalkStraight<Noting>(first, vertical ? 1 : grid.Stride, cells, d, notes(cells));
  } else {
    // From the end with the smaller coordinate along the longer axis.
    const bool alongX = std::abs(y1 - y0) <= std::abs(x1 - x0);
    if (alongX ? x1 < x0 : y1 < y0) {
      std::swap(x0, x1);
      std::swap(y0, y1);
    }
    cells = alongX ? x1 - x0 : y1 - y0;
    const ptrdiff_t majorStep = alongX ? grid.Stride : 1;
    const ptrdiff_t minorStep =
        alongX ? (y1 >= y0 ? 1 : -1) : (x1 >= x0 ? grid.Stride : -grid.Stride);
    const int32_t minor = alongX ? std::abs(y1 - y0) : std::abs(x1 - x0);
    sum = WalkBresenham<Noting>(grid.Column(x0) + y0, majorStep, minorStep, cells, minor, d,
                                notes(cells));
  }
  // Each crossing changes its cell's square by (v + d)^2 - v^2 = 2dv + 1. The field is 32-bit
  // and wraps rather than overflows.
  const int64_t change = 2 * d * sum + cells;
  placer.DensityCost = static_cast<int32_t>(static_cast<uint32_t>(placer.DensityCost) +
                                            static_cast<uint32_t>(change));
}

void TraceCells(TAutoPlacer& placer, const TGridView& grid, int32_t x0, int32_t y0, int32_t x1,
                int32_t y1, int32_t d) {
  if (placer.Journal.Recording) {
    TraceCellsOf<true>(placer, grid, x0, y0, x1, y1, d);
  } else {
    TraceCellsOf<false>(placer, grid, x0, y0, x1, y1, d);
  }
}

// Traces the connection from the pin at 1-based working position j of a net to its tree parent.
// The caller has checked the grid and that j lies within the net's usable pins.
void TraceConnectionOf(TAutoPlacer& placer, const TGridView& grid, const TNetRecord& net,
                       int32_t count, int32_t j, int32_t d) {
  const int32_t parent = net.Parent[static_cast<size_t>(j - 1)];
  if (parent < 1 || parent > count) {
    return;  // a tree that was never built
  }
  const TPinRecord& from = *net.Pins[static_cast<size_t>(j - 1)];
  const TPinRecord& to = *net.Pins[static_cast<size_t>(parent - 1)];
  const int32_t size = placer.DensityCellSize;
  TraceCells(placer, grid, CellIndex(from.X, placer.BoardLeft, size, placer.DensityCols),
             CellIndex(from.Y, placer.BoardBottom, size, placer.DensityRows),
             CellIndex(to.X, placer.BoardLeft, size, placer.DensityCols),
             CellIndex(to.Y, placer.BoardBottom, size, placer.DensityRows), d);
}

// Traces every connection of a net's tree on a usable density grid.
void TraceNet(TAutoPlacer& placer, const TNetRecord& net, int32_t d) {
  const int32_t count = UsablePins(net);
  if (count < 2) {
    return;
  }
  const TGridView grid(placer.Density);
  for (int32_t j = 2; j <= count; ++j) {
    TraceConnectionOf(placer, grid, net, count, j, d);
  }
}

// What decides the density cell of a point: the board corner, the cell size, the highest indices.
void DensityGeometry(const TAutoPlacer& placer, int32_t (&geometry)[5]) {
  geometry[0] = placer.BoardLeft;
  geometry[1] = placer.BoardBottom;
  geometry[2] = placer.DensityCellSize;
  geometry[3] = placer.DensityCols;
  geometry[4] = placer.DensityRows;
}

void SizeTraceArrays(TNetWorkspace& work, int32_t count) {
  const auto size = static_cast<size_t>(count);
  if (work.TracedPins.size() < size) {
    work.TracedPins.resize(size);
  }
  work.NewCol.resize(std::max(work.NewCol.size(), size));
  work.NewRow.resize(std::max(work.NewRow.size(), size));
  work.Changed.resize(std::max(work.Changed.size(), size));
}

bool ValidLink(int32_t parent, int32_t count) {
  return parent >= 1 && parent <= count;
}

// Whether the net's working order was set by a build of its tree for count pins. Its traced
// connections are then kept by import position, which a rebuild does not change.
bool BuiltFor(const TNetWorkspace& work, int32_t count) {
  return count > 2 && work.Size == count;
}

// The key of the traced connection of the pin at working position j.
size_t TraceKey(const TNetWorkspace& work, bool built, size_t j) {
  return built ? static_cast<size_t>(work.Order[j]) : j;
}

// The position of the pin at working position j of a tree just built or left as it was: a
// rebuilt tree has the coordinates of its working order at hand, next to each other.
struct TPinPoint {
  int32_t X;
  int32_t Y;
};
TPinPoint PinPoint(const TNetRecord& net, bool built, size_t j) {
  if (built) {
    return TPinPoint{net.Work.Working[j].X, net.Work.Working[j].Y};
  }
  return TPinPoint{net.Pins[j]->X, net.Pins[j]->Y};
}

// Whether a pin lies where its connection was traced.
bool LiesWhereTraced(TPinPoint pin, const TTracedPin& traced) {
  return pin.X == traced.X && pin.Y == traced.Y;
}

// Notes the density cell of a point at working position j, found by division.
void NoteCellOfPoint(const TAutoPlacer& placer, TNetWorkspace& work, size_t j, TPinPoint pin) {
  work.NewCol[j] = CellIndex(pin.X, placer.BoardLeft, placer.DensityCellSize, placer.DensityCols);
  work.NewRow[j] = CellIndex(pin.Y, placer.BoardBottom, placer.DensityCellSize, placer.DensityRows);
}

// Notes the density cell of the pin at working position j of the tree about to be traced, built
// or left as it was. With reuse, a pin that lies where it was traced keeps the cell it was traced
// in, without a division; returns whether it lies there.
template <bool Built>
bool NoteNewCell(const TAutoPlacer& placer, TNetRecord& net, size_t j, bool reuse) {
  TNetWorkspace& work = net.Work;
  const TPinPoint pin = PinPoint(net, Built, j);
  const TTracedPin& traced = work.TracedPins[TraceKey(work, Built, j)];
  if (reuse && LiesWhereTraced(pin, traced)) {
    work.NewCol[j] = traced.Col;
    work.NewRow[j] = traced.Row;
    return true;
  }
  NoteCellOfPoint(placer, work, j, pin);
  return false;
}

// NoteNewCell for every pin of the tree.
template <bool Built>
void NoteNewCellsOf(const TAutoPlacer& placer, TNetRecord& net, int32_t count, bool reuse) {
  for (size_t j = 0; j < static_cast<size_t>(count); ++j) {
    NoteNewCell<Built>(placer, net, j, reuse);
  }
}

void NoteNewCells(const TAutoPlacer& placer, TNetRecord& net, int32_t count, bool built,
                  bool reuse) {
  if (built) {
    NoteNewCellsOf<true>(placer, net, count, reuse);
  } else {
    NoteNewCellsOf<false>(placer, net, count, reuse);
  }
}

// The key of the pin the pin at working position j is linked to in the tree, or -1.
int32_t LinkKey(const TNetRecord& net, int32_t count, bool built, size_t j) {
  const int32_t parent = net.Parent[j];
  return j >= 1 && ValidLink(parent, count)
             ? static_cast<int32_t>(TraceKey(net.Work, built, static_cast<size_t>(parent - 1)))
             : -1;
}

// Traces the connection of the tree being traced at working position j to its parent p.
void TraceNew(TAutoPlacer& placer, const TGridView& grid, const TNetWorkspace& work, size_t j,
              size_t p) {
  TraceCells(placer, grid, work.NewCol[j], work.NewRow[j], work.NewCol[p], work.NewRow[p], 1);
}

// Takes a traced connection off the grid.
void UntraceOld(TAutoPlacer& placer, const TGridView& grid, const TNetWorkspace& work,
                const TTracedPin& traced) {
  const TTracedPin& parent = work.TracedPins[static_cast<size_t>(traced.Link)];
  TraceCells(placer, grid, traced.Col, traced.Row, parent.Col, parent.Row, -1);
}

// The traced entry of the pin at working position j of the tree just traced.
TTracedPin TracedNow(const TNetRecord& net, int32_t count, bool built, size_t j) {
  const TPinPoint pin = PinPoint(net, built, j);
  return TTracedPin{pin.X, pin.Y, net.Work.NewCol[j], net.Work.NewRow[j],
                    LinkKey(net, count, built, j)};
}

// Rewrites a traced entry, its old value noted in the journal while a move is recorded.
void RewriteTracedPin(TMoveJournal* journal, TNetWorkspace& work, size_t key,
                      const TTracedPin& now) {
  if (journal != nullptr) {
    journal->NoteTrace(work, static_cast<int32_t>(key));
  }
  work.TracedPins[key] = now;
}

// Makes the tree just traced the traced one: each pin's entry is rewritten where it changed.
void CommitTracedPin(TMoveJournal* journal, TNetRecord& net, int32_t count, bool built, size_t j) {
  const TTracedPin now = TracedNow(net, count, built, j);
  const size_t key = TraceKey(net.Work, built, j);
  if (net.Work.TracedPins[key] != now) {
    RewriteTracedPin(journal, net.Work, key, now);
  }
}

void MarkTraced(const TAutoPlacer& placer, TNetWorkspace& work, int32_t count, bool built) {
  work.Traced = true;
  work.TracedByImport = built;
  work.TracedCount = count;
  DensityGeometry(placer, work.TracedGrid);
}

void CommitTrace(TAutoPlacer& placer, TNetRecord& net, int32_t count, bool built) {
  TMoveJournal* journal = placer.Journal.Recording ? &placer.Journal : nullptr;
  for (size_t j = 0; j < static_cast<size_t>(count); ++j) {
    CommitTracedPin(journal, net, count, built, j);
  }
  MarkTraced(placer, net.Work, count, built);
}

// Adds every connection of a net's tree to the density grid and keeps what was traced.
void TraceNetKept(TAutoPlacer& placer, TNetRecord& net) {
  TNetWorkspace& work = net.Work;
  work.Deferred = false;
  const int32_t count = UsablePins(net);
  if (count < 2 || !DensityUsable(placer)) {
    work.Traced = false;
    return;
  }
  SizeTraceArrays(work, count);
  const bool built = BuiltFor(work, count);
  NoteNewCells(placer, net, count, built, false);
  const TGridView grid(placer.Density);
  for (size_t j = 1; j < static_cast<size_t>(count); ++j) {
    const int32_t parent = net.Parent[j];
    if (ValidLink(parent, count)) {
      TraceNew(placer, grid, work, j, static_cast<size_t>(parent - 1));
    }
  }
  CommitTrace(placer, net, count, built);
}

// Whether the grid holds exactly the connections of the net's tree as it stands: traced for the
// current tree, on a grid of the same geometry, with every pin still where it was traced (pins
// may be moved without the cost, by the bypass placement or a restored placement).
bool TracedTreeStands(const TAutoPlacer& placer, const TNetRecord& net, int32_t count) {
  const TNetWorkspace& work = net.Work;
  const bool built = BuiltFor(work, count);
  int32_t geometry[5];
  DensityGeometry(placer, geometry);
  if (!work.Traced || work.TracedCount != count || work.TracedByImport != built ||
      !std::equal(geometry, geometry + 5, work.TracedGrid)) {
    return false;
  }
  const std::vector<TPinRecord*>& pins = built ? net.PinsOriginal : net.Pins;
  for (size_t e = 0; e < static_cast<size_t>(count); ++e) {
    if (pins[e]->X != work.TracedPins[e].X || pins[e]->Y != work.TracedPins[e].Y) {
      return false;
    }
  }
  return true;
}

// The first half of a net's density update in a move, on a usable density grid: when the traced
// connections are those of the current tree, they stay on the grid until the second half knows
// which of them change; otherwise they are taken off at once.
void WithdrawNetLines(TAutoPlacer& placer, TNetRecord& net) {
  const int32_t count = UsablePins(net);
  if (count < 2) {
    return;
  }
  net.Work.Deferred = TracedTreeStands(placer, net, count);
  if (!net.Work.Deferred) {
    TraceNet(placer, net, -1);
    net.Work.Traced = false;
  }
}

// Whether a net of two pins has the one connection such a net is traced with, from its second pin
// to its first, both now and as traced.
bool OneConnection(const TNetRecord& net, int32_t count) {
  return count == 2 && net.Parent[1] == 1 && net.Work.TracedPins[0].Link == -1 &&
         net.Work.TracedPins[1].Link == 0;
}

// The second half for a net of one connection, about half of the nets a move updates on the
// example boards: the steps of the general case below for its two pins, without the loop's
// bookkeeping.
void RestoreOneConnection(TAutoPlacer& placer, TNetRecord& net) {
  TNetWorkspace& work = net.Work;
  const TTracedPin& first = work.TracedPins[0];
  const TTracedPin& second = work.TracedPins[1];
  const bool firstStayed = LiesWhereTraced(PinPoint(net, false, 0), first);
  const bool secondStayed = LiesWhereTraced(PinPoint(net, false, 1), second);
  NoteNewCellsOf<false>(placer, net, 2, true);
  if (first.Col != work.NewCol[0] || first.Row != work.NewRow[0] || second.Col != work.NewCol[1] ||
      second.Row != work.NewRow[1]) {
    const TGridView grid(placer.Density);
    UntraceOld(placer, grid, work, second);
    TraceNew(placer, grid, work, 1, 0);
  }
  TMoveJournal* journal = placer.Journal.Recording ? &placer.Journal : nullptr;
  if (!firstStayed) {
    RewriteTracedPin(journal, work, 0, TracedNow(net, 2, false, 0));
  }
  if (!secondStayed) {
    RewriteTracedPin(journal, work, 1, TracedNow(net, 2, false, 1));
  }
  MarkTraced(placer, work, 2, false);
}

// Re-traces the connections of a tree whose new cells are noted: each pin's connection stays where
// it joins the same cells as before; otherwise its old connection is taken off and its new one
// added. Lists the working positions of the pins that moved or changed links in Changed and
// returns how many there are.
template <bool Built>
size_t RetraceChanges(TAutoPlacer& placer, TNetRecord& net, int32_t count) {
  TNetWorkspace& work = net.Work;
  const TGridView grid(placer.Density);
  size_t changed = 0;
  for (size_t j = 0; j < static_cast<size_t>(count); ++j) {
    const TTracedPin& old = work.TracedPins[TraceKey(work, Built, j)];
    const bool stayed = LiesWhereTraced(PinPoint(net, Built, j), old);
    const int32_t link = LinkKey(net, count, Built, j);
    const auto p = static_cast<size_t>(net.Parent[j] - 1);
    if (!stayed || link != old.Link) {
      work.Changed[changed++] = static_cast<int32_t>(j);
    }
    if (old.Link >= 0) {
      const TTracedPin& oldParent = work.TracedPins[static_cast<size_t>(old.Link)];
      if (link >= 0 && old.Col == work.NewCol[j] && old.Row == work.NewRow[j] &&
          oldParent.Col == work.NewCol[p] && oldParent.Row == work.NewRow[p]) {
        continue;
      }
      UntraceOld(placer, grid, work, old);
    }
    if (link >= 0) {
      TraceNew(placer, grid, work, j, p);
    }
  }
  return changed;
}

// Re-traces a tree built or left as it was and makes it the traced one.
template <bool Built>
void RetraceTree(TAutoPlacer& placer, TNetRecord& net, int32_t count) {
  NoteNewCellsOf<Built>(placer, net, count, true);
  const size_t changed = RetraceChanges<Built>(placer, net, count);
  // Only the entries of pins that moved or changed links differ from the traced ones, and those
  // differ for certain.
  TNetWorkspace& work = net.Work;
  TMoveJournal* journal = placer.Journal.Recording ? &placer.Journal : nullptr;
  for (size_t c = 0; c < changed; ++c) {
    const auto j = static_cast<size_t>(work.Changed[c]);
    RewriteTracedPin(journal, work, TraceKey(work, Built, j), TracedNow(net, count, Built, j));
  }
  MarkTraced(placer, work, count, Built);
}

// The second half, after the tree has been rebuilt, on a usable density grid: the new cells of all
// pins first, then only the connections whose cells change are re-traced. Taking off and adding a
// line are exact inverses on the grid and on DensityCost, so the result is the same as taking
// every old line off and adding every new one. count is the net's UsablePins.
void RestoreNetLines(TAutoPlacer& placer, TNetRecord& net, int32_t count) {
  TNetWorkspace& work = net.Work;
  if (!work.Deferred) {
    TraceNetKept(placer, net);
    return;
  }
  work.Deferred = false;
  if (count < 2) {
    work.Traced = false;
    return;
  }
  if (OneConnection(net, count)) {
    RestoreOneConnection(placer, net);
    return;
  }
  if (BuiltFor(work, count)) {
    RetraceTree<true>(placer, net, count);
  } else {
    RetraceTree<false>(placer, net, count);
  }
}

// Distance of a coordinate from the nearest line of a grid g: the quotient rounded to the nearest
// whole number, ties to even, times g, less the coordinate. That is the smaller of the remainder
// and g less the remainder, taken as magnitudes, which needs no floating point: a quotient of two
// 32-bit values is never rounded across a half in double precision, and at a tie both lines lie
// g / 2 away. The engine's grid is fixed, and a remainder by a constant is a multiplication.
int64_t GridOffset(int32_t value, int32_t g) {
  if (g == 0) {
    return 0;  // no grid: every point is on it
  }
  const uint32_t magnitude =
      value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  const uint32_t spacing = g < 0 ? 0u - static_cast<uint32_t>(g) : static_cast<uint32_t>(g);
  const uint32_t remainder =
      spacing == AlignmentSpacing ? magnitude % AlignmentSpacing : magnitude % spacing;
  return std::min(remainder, spacing - remainder);
}

// Keeps a net's length and traced flags as they were before the move being recorded, once per
// move and before the move's first change to the net. The traced connections are noted one by one
// as they change (CommitTrace), the tree by KeepTree.
void SaveTree(TMoveJournal& journal, TNetRecord& net) {
  TNetWorkspace& work = net.Work;
  if (!journal.Recording || work.SavedGeneration == journal.Generation) {
    return;
  }
  work.SavedGeneration = journal.Generation;
  work.SavedTree = false;
  work.SavedLength = net.Length;
  work.SavedTraced = work.Traced;
  work.SavedTracedByImport = work.TracedByImport;
  work.SavedTracedCount = work.TracedCount;
  std::copy_n(work.TracedGrid, 5, work.SavedTracedGrid);
  journal.Nets.push_back(&net);
}

// Keeps a net's tree, just before the move's first rebuild of it. A tree of two pins or fewer is
// never reordered or relinked. A rebuild writes every working position, so when the arrays hold
// exactly the tree's pins the kept ones are exchanged with the tree's rather than copied. count is
// the net's UsablePins.
void KeepTree(const TMoveJournal& journal, TNetRecord& net, int32_t count) {
  TNetWorkspace& work = net.Work;
  if (!journal.Recording || work.SavedTree || count <= 2) {
    return;
  }
  work.SavedTree = true;
  const auto size = static_cast<size_t>(count);
  if (net.Pins.size() == size && net.Parent.size() == size && work.SavedPins.size() == size &&
      work.SavedParent.size() == size) {
    std::swap(net.Pins, work.SavedPins);
    std::swap(net.Parent, work.SavedParent);
  } else {
    work.SavedPins.assign(net.Pins.begin(), net.Pins.end());
    work.SavedParent.assign(net.Parent.begin(), net.Parent.end());
  }
}

// Gives a net back the tree and traced flags SaveTree and KeepTree kept.
void RestoreTree(TNetRecord& net) {
  TNetWorkspace& work = net.Work;
  if (work.SavedTree) {
    std::swap(net.Pins, work.SavedPins);
    std::swap(net.Parent, work.SavedParent);
    work.SavedTree = false;
  }
  net.Length = work.SavedLength;
  work.Deferred = false;
  work.Traced = work.SavedTraced;
  work.TracedByImport = work.SavedTracedByImport;
  work.TracedCount = work.SavedTracedCount;
  std::copy_n(work.SavedTracedGrid, 5, work.TracedGrid);
}

// Sizes the journal and every net's saved tree, so that the moves that follow allocate nothing
// (the journal grows only for a move that writes more than any before).
void ReserveJournal(TAutoPlacer& placer) {
  constexpr size_t JournalCells = 4096;
  placer.Journal.ReserveCells(JournalCells);
  placer.Journal.Runs.reserve(JournalCells);
  placer.Journal.Nets.reserve(placer.Nets.size());
  size_t pins = 0;
  for (const auto& net : placer.Nets) {
    net->Work.SavedPins.reserve(net->Pins.size());
    net->Work.SavedParent.reserve(net->Parent.size());
    pins += net->Pins.size();
  }
  placer.Journal.Traces.reserve(std::max(JournalCells, pins));
}

// Takes component k's share out of every term. With deferLines the density lines of its nets
// stay on the grid until AddShare has rebuilt their trees (see WithdrawNetLines).
void RemoveShare(TAutoPlacer& placer, int32_t k, bool deferLines, bool footprint,
                 THandled handled = THandled::TouchedNets) {
  TCompRecord& component = placer.Component(k);
  if (footprint) {
    placer.UpdateOccupancy(k, false);
  }
  if (placer.UseAlignment) {
    placer.AlignmentCost -= placer.AlignDist(k);
  }
  // Each net's length and lines in one visit: the terms are sums of whole numbers, so the order
  // in which nets and terms are taken does not change them. A grid that cannot be used takes no
  // lines, and is looked at once for all the nets.
  const bool usable = placer.UseDensity && DensityUsable(placer);
  ForEachHandledNet(placer, component, handled, [&placer, deferLines, usable](TNetRecord& net) {
    SaveTree(placer.Journal, net);
    if (placer.UseNetLength) {
      placer.NetLengthCost -= net.Length;
    }
    if (!placer.UseDensity) {
      return;
    }
    if (deferLines) {
      if (usable) {
        WithdrawNetLines(placer, net);
      }
    } else {
      net.Work.Deferred = false;
      if (usable) {
        TraceNet(placer, net, -1);
      }
      net.Work.Traced = false;
    }
  });
}

// Puts component k's share into every term; the density lines of its nets are re-traced where
// they were left on the grid, traced in full otherwise.
void AddShare(TAutoPlacer& placer, int32_t k, bool footprint,
              THandled handled = THandled::TouchedNets) {
  TCompRecord& component = placer.Component(k);
  if (footprint) {
    placer.UpdateOccupancy(k, true);
  }
  if (placer.UseAlignment) {
    placer.AlignmentCost += placer.AlignDist(k);
  }
  if (!placer.UseDensity && !placer.UseNetLength) {
    return;
  }
  const bool usable = placer.UseDensity && DensityUsable(placer);
  ForEachHandledNet(placer, component, handled, [&placer, usable](TNetRecord& net) {
    SaveTree(placer.Journal, net);
    // Neither keeping nor rebuilding the tree resizes its arrays.
    const int32_t count = UsablePins(net);
    KeepTree(placer.Journal, net, count);
    BuildTree(net, count);
    if (placer.UseNetLength) {
      placer.NetLengthCost += net.Length;
    }
    if (usable) {
      RestoreNetLines(placer, net, count);
    } else {
      net.Work.Deferred = false;
      net.Work.Traced = false;  // the tree may have changed under its traced connections
    }
  });
}

// Takes component k's share out of every term but the occupancy, whose cells it notes.
void WithdrawLeavingFootprint(TAutoPlacer& placer, int32_t k, THandled handled) {
  TCompRecord& component = placer.Component(k);
  if (OccupancyUsable(placer)) {
    component.CellsBefore = FootprintCells(placer, component);
  }
  RemoveShare(placer, k, true, false, handled);
}

// Puts component k's share back into every term after WithdrawLeavingFootprint. Each cell in both
// footprints would lose one count and get it back, its overlap change undone exactly; the cells of
// only one footprint change as they would have. The overlap changes are whole numbers, so their
// sum is priced exactly as the two separate updates would price it.
void RestoreFootprintDifference(TAutoPlacer& placer, int32_t k, THandled handled) {
  AddShare(placer, k, false, handled);
  if (!OccupancyUsable(placer)) {
    return;
  }
  const TCompRecord& component = placer.Component(k);
  const TCellRange before = component.CellsBefore;
  const TCellRange after = FootprintCells(placer, component);
  if (after == before) {
    return;  // a move within the cells the footprint left changes no cell
  }
  const int64_t delta = CoverCells(placer, component, before, after, -1) +
                        CoverCells(placer, component, after, before, 1);
  placer.OverlapCost += static_cast<double>(delta) * IncrementalOverlapScale;
}

}  // namespace

double TAutoPlacer::NetLengthTerm() const {
  return NetLengthCost * NetLengthWeight;
}

double TAutoPlacer::DensityTerm() const {
  return DensityCost * DensityWeight;
}

double TAutoPlacer::OverlapTerm() const {
  return OverlapCost * OverlapWeight;
}

double TAutoPlacer::AlignmentTerm() const {
  return UseAlignment ? AlignmentCost * AlignmentWeight : 0.0;
}

double TAutoPlacer::TotalCost() const {
  const std::array<double, 4> terms{NetLengthTerm(), DensityTerm(), OverlapTerm(), AlignmentTerm()};
  // A move begins with the sum the previous one ended with, or with the one before it when the
  // move was taken back: the same terms, bit for bit, give the same sum.
  if (LastCostKnown && std::memcmp(terms.data(), LastCostTerms.data(), sizeof terms) == 0) {
    return LastCostSum;
  }
  // Each term is a double; the sum is taken in extended precision and rounded once.
  const TExtendedPrecision extended;
  long double sum = terms[0];
  sum += terms[1];
  sum += terms[2];
  sum += terms[3];
  LastCostKnown = true;
  LastCostTerms = terms;
  LastCostSum = static_cast<double>(sum);
  return LastCostSum;
}

void TAutoPlacer::MarkNets(int32_t k) {
  for (TNetRecord* net : SignalNets(*this, Component(k))) {
    net->Touched = 1;
  }
}

void TAutoPlacer::UnmarkNets(int32_t k) {
  for (TNetRecord* net : SignalNets(*this, Component(k))) {
    net->Touched = 0;
  }
}

void TAutoPlacer::UpdateOccupancy(int32_t k, bool add) {
  if (!OccupancyUsable(*this)) {
    return;
  }
  const int64_t delta = CoverFootprint(*this, Component(k), add ? 1 : -1);
  // delta is a whole number, so the product needs no rounding.
  OverlapCost += static_cast<double>(delta) * IncrementalOverlapScale;
}

void TAutoPlacer::EvaluateOverlap() {
  if (!OccupancyUsable(*this)) {
    OverlapCost = 0.0;
    return;
  }
  TCellGrid& top = Occupancy[TopLayer];
  TCellGrid& bottom = Occupancy[BottomLayer];
  top.Clear();
  bottom.Clear();
  const int32_t movable = Bounded(MovableCount, Components.size());
  for (int32_t k = 1; k <= movable; ++k) {
    CoverFootprint(*this, Component(k), 1);
  }
  int64_t overlap = 0;
  for (int32_t col = 0; col <= OccupancyCols; ++col) {
    for (int32_t row = 0; row <= OccupancyRows; ++row) {
      overlap += Overlap(std::max(top.At(col, row), bottom.At(col, row)));
    }
  }
  OverlapCost = static_cast<double>(overlap) * FullOverlapScale;
}

void TAutoPlacer::BuildNetTree(int32_t n) {
  if (n >= 1 && static_cast<size_t>(n) <= Nets.size()) {
    BuildTree(Net(n), UsablePins(Net(n)));
    Net(n).Work.Traced = false;  // the grid holds the connections of the tree before
  }
}

void TAutoPlacer::TraceConnection(int32_t n, int32_t j, bool add) {
  if (n < 1 || static_cast<size_t>(n) > Nets.size() || !DensityUsable(*this)) {
    return;
  }
  const TNetRecord& net = Net(n);
  const int32_t count = UsablePins(net);
  if (j >= 1 && j <= count) {
    TraceConnectionOf(*this, TGridView(Density), net, count, j, add ? 1 : -1);
  }
}

double TAutoPlacer::AlignDist(int32_t k) const {
  const TCompRecord& component = Component(k);
  return static_cast<double>(GridOffset(component.X, AlignmentGrid) +
                             GridOffset(component.Y, AlignmentGrid));
}

void TAutoPlacer::RemoveContribution(int32_t k) {
  RemoveShare(*this, k, false, true);
}

void TAutoPlacer::AddContribution(int32_t k) {
  AddShare(*this, k, true);
}

void TAutoPlacer::WithdrawContribution(int32_t k) {
  RemoveShare(*this, k, true, true);
}

void TAutoPlacer::RestoreContribution(int32_t k) {
  AddShare(*this, k, true);
}

void TAutoPlacer::WithdrawAlone(int32_t k) {
  WithdrawLeavingFootprint(*this, k, THandled::EveryNet);
}

void TAutoPlacer::RestoreAlone(int32_t k) {
  RestoreFootprintDifference(*this, k, THandled::EveryNet);
}

void TAutoPlacer::WithdrawMember(int32_t k) {
  WithdrawLeavingFootprint(*this, k, THandled::TouchedNets);
}

void TAutoPlacer::RestoreMember(int32_t k) {
  RestoreFootprintDifference(*this, k, THandled::TouchedNets);
}

void TAutoPlacer::RollBackCost() {
  Journal.RestoreCells();
  Journal.RestoreRuns();
  Journal.RestoreTraces();
  for (TNetRecord* net : Journal.Nets) {
    RestoreTree(*net);
  }
  Journal.Nets.clear();
  DensityCost = Journal.DensityCost;
  NetLengthCost = Journal.NetLengthCost;
  AlignmentCost = Journal.AlignmentCost;
  OverlapCost = Journal.OverlapCost;
}

void TAutoPlacer::EvaluateAll() {
  for (auto& component : Components) {
    ListSignalNets(*this, *component);
  }
  IndexFixedComponents();
  ReserveJournal(*this);
  EvaluateOverlap();

  const int32_t nets = Bounded(NetCount, Nets.size());
  if (UseNetLength || UseDensity) {
    for (int32_t n = 1; n <= nets; ++n) {
      TNetRecord& net = Net(n);
      net.Touched = 1;
      net.Length = 0.0;
      std::fill(net.Parent.begin(), net.Parent.end(), 1);
      BuildTree(net, UsablePins(net));
    }
  }

  NetLengthCost = 0.0;
  if (UseNetLength) {
    for (int32_t n = 1; n <= nets; ++n) {
      NetLengthCost += Net(n).Length;
    }
  }

  AlignmentCost = 0.0;
  if (UseAlignment) {
    const int32_t placed = Bounded(ComponentCount - BypassCount, Components.size());
    for (int32_t k = 1; k <= placed; ++k) {
      AlignmentCost += AlignDist(k);
    }
  }

  Density.Clear();
  DensityCost = 0;
  for (int32_t n = 1; n <= nets; ++n) {
    Net(n).Work.Traced = false;
  }
  if (UseDensity) {
    for (int32_t n = 1; n <= nets; ++n) {
      TraceNetKept(*this, Net(n));
    }
  }
}
