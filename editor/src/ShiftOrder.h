#pragma once

// The shifts worth trying along one axis, nearest to the one wanted first (ties: the lower
// first), each once: the one wanted, and every edge of an obstacle less an edge of the part, read
// lazily from sorted edges, so that a search that stops early reads only the edges near the part.

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace Tarnix {

class TShiftOrder {
 public:
  explicit TShiftOrder(int64_t wanted) : Wanted(wanted) { Shifts.push_back(wanted); }

  // The shifts `edge - offset` for every edge; `skip`, when given, is one edge not counted (the
  // part's own, where it stands among the obstacles). The edges must outlive the order.
  void AddEdges(const std::multiset<int64_t>& edges, int64_t offset,
                std::optional<int64_t> skip = std::nullopt);

  // Whether there is an i-th shift (reading on as far as it).
  bool Has(size_t i);
  // The i-th shift; Has(i) must be true.
  int64_t operator[](size_t i) const { return Shifts[i]; }

 private:
  // One run of edges read outwards from where the wanted shift falls among them.
  struct TRun {
    std::multiset<int64_t>::const_iterator Next, End;  // towards larger edges
    std::multiset<int64_t>::const_iterator Begin;      // towards smaller ones: Next is read back
    bool Upwards;
    int64_t Offset;
    std::optional<int64_t> Skip;
    bool Exhausted() const { return Upwards ? Next == End : Next == Begin; }
    int64_t Edge() const { return Upwards ? *Next : *std::prev(Next); }
    void Advance() { Upwards ? ++Next : --Next; }
  };
  bool ReadOne();
  bool Before(int64_t a, int64_t b) const;

  int64_t Wanted;
  std::vector<int64_t> Shifts;
  std::vector<TRun> Runs;
};

}  // namespace Tarnix
