#pragma once

// The supply pads of a board's chips, by net, found nearest first from a point: each net's pads
// sorted by their x, read outwards from the point's x until no pad further along can be nearer.
// A pad that a capacitor serves is kept apart from those none serves yet.

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "Objects.h"

namespace Tarnix {

class TChipSupplyPads {
 public:
  // Pads are told apart by the order they were added in: of two as near, the earlier is first.
  void Add(const TPad* pad, const std::string& net);

  // The pad nearest to the point of those on the net (null when none is), served or not.
  const TPad* Nearest(const std::string& net, TPoint from) const;

  // The `count` pads on the net nearest to the point, those that no capacitor serves yet first,
  // each group nearest first.
  std::vector<const TPad*> NearestUnservedFirst(const std::string& net, TPoint from,
                                                size_t count) const;

  // A capacitor serves the pad (one of the net's).
  void Serve(const TPad* pad, const std::string& net);

 private:
  struct TEntry {
    const TPad* Pad;
    size_t Order;
  };
  // Sorted by x, then by the order added.
  using TByX = std::vector<TEntry>;
  struct TNetPads {
    TByX Unserved, Served;
  };
  static void Gather(const TByX& pads, TPoint from, size_t count, std::vector<TEntry>& nearest);

  std::unordered_map<std::string, TNetPads> Nets;
  size_t Added = 0;
};

}  // namespace Tarnix
