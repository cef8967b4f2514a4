#include "SettledFootprints.h"

#include <algorithm>

#include "BoardRegion.h"

namespace Tarnix {

namespace {

// A footprint reaching into more cells than this is judged against every spot instead.
constexpr int64_t MaxCellsListed = 64;

int64_t FloorDivide(int64_t value, int64_t divisor) {
  const int64_t quotient = value / divisor;
  return quotient * divisor > value ? quotient - 1 : quotient;
}

void EraseOne(std::multiset<int64_t>& values, int64_t value) {
  const auto found = values.find(value);
  if (found != values.end())
    values.erase(found);
}

void EraseOne(std::vector<const TFootprint*>& parts, const TFootprint* part) {
  const auto found = std::find(parts.begin(), parts.end(), part);
  if (found != parts.end()) {
    *found = parts.back();
    parts.pop_back();
  }
}

// The smallest cell: footprints of a few mil would otherwise make a grid of very many cells.
constexpr int64_t MinimumCell = 100000;

}  // namespace

int64_t SettledCellSize(const TBoard& board) {
  if (board.Components.empty())
    return MinimumCell;
  double sides = 0;
  for (const auto& component : board.Components) {
    const TRect box = FootprintBox(*component);
    sides += static_cast<double>(std::max(int64_t{box.X2} - box.X1, int64_t{box.Y2} - box.Y1));
  }
  const double mean = sides / static_cast<double>(board.Components.size());
  return std::max(MinimumCell, static_cast<int64_t>(2 * mean));
}

void TBoxEdges::Add(const TBox64& box) {
  X1.insert(box.X1);
  X2.insert(box.X2);
  Y1.insert(box.Y1);
  Y2.insert(box.Y2);
}

void TBoxEdges::Remove(const TBox64& box) {
  EraseOne(X1, box.X1);
  EraseOne(X2, box.X2);
  EraseOne(Y1, box.Y1);
  EraseOne(Y2, box.Y2);
}

TSettledFootprints::TSettledFootprints(int64_t cellSize)
    : CellSize(std::max<int64_t>(cellSize, 1)) {}

int64_t TSettledFootprints::TCellRange::Count() const {
  // Ranges of boxes far off the board can be wider than any grid: counted without wrapping.
  const auto width = static_cast<uint64_t>(X2 - X1) + 1,
             height = static_cast<uint64_t>(Y2 - Y1) + 1;
  constexpr uint64_t Many = uint64_t{1} << 62;
  return width > Many / height ? static_cast<int64_t>(Many) : static_cast<int64_t>(width * height);
}

TSettledFootprints::TCellRange TSettledFootprints::CellsOf(const TBox64& box) const {
  return {FloorDivide(box.X1, CellSize), FloorDivide(box.Y1, CellSize),
          FloorDivide(box.X2, CellSize), FloorDivide(box.Y2, CellSize)};
}

uint64_t TSettledFootprints::Key(int64_t x, int64_t y) {
  return (static_cast<uint64_t>(x) << 32) ^ (static_cast<uint64_t>(y) & 0xffffffffu);
}

void TSettledFootprints::Add(const TFootprint& part) {
  if (!Members.insert(&part).second)
    return;
  const TCellRange cells = CellsOf(part.Grown);
  if (cells.Count() > MaxCellsListed) {
    Large.push_back(&part);
  } else {
    for (int64_t x = cells.X1; x <= cells.X2; ++x)
      for (int64_t y = cells.Y1; y <= cells.Y2; ++y)
        Cells[Key(x, y)].push_back(&part);
  }
  GrownEdges[part.Component->Layer].Add(part.Grown);
  BareEdges[part.Component->Layer].Add(part.Bare);
}

void TSettledFootprints::Remove(const TFootprint& part) {
  if (Members.erase(&part) == 0)
    return;
  const TCellRange cells = CellsOf(part.Grown);
  if (cells.Count() > MaxCellsListed) {
    EraseOne(Large, &part);
  } else {
    for (int64_t x = cells.X1; x <= cells.X2; ++x)
      for (int64_t y = cells.Y1; y <= cells.Y2; ++y)
        EraseOne(Cells[Key(x, y)], &part);
  }
  GrownEdges[part.Component->Layer].Remove(part.Grown);
  BareEdges[part.Component->Layer].Remove(part.Bare);
}

bool TSettledFootprints::Blocks(const TFootprint* other, const TFootprint& part, const TBox64& box,
                                bool clearances) const {
  return other != &part && other->Component->Layer == part.Component->Layer &&
         BoxesOverlap(box, other->Box(clearances));
}

bool TSettledFootprints::AnyOverlap(const TFootprint& part, const TBox64& box,
                                    bool clearances) const {
  // Every box a footprint has lies within its grown box, so only the footprints listed in the
  // cells the box reaches into can overlap it.
  const TCellRange cells = CellsOf(box);
  if (cells.Count() > static_cast<int64_t>(Members.size()))
    return std::any_of(Members.begin(), Members.end(), [&](const TFootprint* other) {
      return Blocks(other, part, box, clearances);
    });
  for (const TFootprint* other : Large)
    if (Blocks(other, part, box, clearances))
      return true;
  for (int64_t x = cells.X1; x <= cells.X2; ++x)
    for (int64_t y = cells.Y1; y <= cells.Y2; ++y) {
      const auto cell = Cells.find(Key(x, y));
      if (cell != Cells.end())
        for (const TFootprint* other : cell->second)
          if (Blocks(other, part, box, clearances))
            return true;
    }
  return false;
}

const TBoxEdges* TSettledFootprints::Edges(TLayerNumber side, bool clearances) const {
  const auto& edges = clearances ? GrownEdges : BareEdges;
  const auto found = edges.find(side);
  return found != edges.end() ? &found->second : nullptr;
}

}  // namespace Tarnix
