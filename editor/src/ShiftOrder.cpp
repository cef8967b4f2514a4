#include "ShiftOrder.h"

#include <iterator>

namespace Tarnix {

void TShiftOrder::AddEdges(const std::multiset<int64_t>& edges, int64_t offset,
                           std::optional<int64_t> skip) {
  // Shifts at or above the one wanted come from edges at or above wanted + offset.
  const auto middle = edges.lower_bound(Wanted + offset);
  Runs.push_back({middle, edges.end(), edges.begin(), true, offset, skip});
  Runs.push_back({middle, edges.end(), edges.begin(), false, offset, skip});
}

bool TShiftOrder::Before(int64_t a, int64_t b) const {
  const int64_t da = a < Wanted ? Wanted - a : a - Wanted;
  const int64_t db = b < Wanted ? Wanted - b : b - Wanted;
  return da != db ? da < db : a < b;
}

// Reads the next shift that differs from the last one; false when every edge is read.
bool TShiftOrder::ReadOne() {
  while (true) {
    TRun* nearest = nullptr;
    for (TRun& run : Runs) {
      // The part's own edge counts as no obstacle: passed over once.
      if (!run.Exhausted() && run.Skip && run.Edge() == *run.Skip) {
        run.Advance();
        run.Skip.reset();
      }
      if (!run.Exhausted() && (nearest == nullptr ||
                               Before(run.Edge() - run.Offset, nearest->Edge() - nearest->Offset)))
        nearest = &run;
    }
    if (nearest == nullptr)
      return false;
    const int64_t shift = nearest->Edge() - nearest->Offset;
    nearest->Advance();
    if (shift != Shifts.back()) {
      Shifts.push_back(shift);
      return true;
    }
  }
}

bool TShiftOrder::Has(size_t i) {
  while (Shifts.size() <= i)
    if (!ReadOne())
      return false;
  return true;
}

}  // namespace Tarnix
