#include "ChipSupplyPads.h"

#include <algorithm>
#include <cmath>

namespace Tarnix {

namespace {

double Distance(TPoint a, TPoint b) {
  return std::hypot(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y);
}

bool ByX(const TPad* a, size_t orderA, const TPad* b, size_t orderB) {
  return a->Centre.X != b->Centre.X ? a->Centre.X < b->Centre.X : orderA < orderB;
}

}  // namespace

void TChipSupplyPads::Add(const TPad* pad, const std::string& net) {
  TByX& pads = Nets[net].Unserved;
  const TEntry entry{pad, Added++};
  pads.insert(std::upper_bound(pads.begin(), pads.end(), entry,
                               [](const TEntry& a, const TEntry& b) {
                                 return ByX(a.Pad, a.Order, b.Pad, b.Order);
                               }),
              entry);
}

// Adds to `nearest` (kept sorted by distance, then order, at most `count` long) the nearest of
// the pads. Along x both ways from the point: a pad further off in x than the last kept is
// further off than it, and so is every pad beyond it.
void TChipSupplyPads::Gather(const TByX& pads, TPoint from, size_t count,
                             std::vector<TEntry>& nearest) {
  const auto before = [from](const TEntry& a, const TEntry& b) {
    const double da = Distance(from, a.Pad->Centre), db = Distance(from, b.Pad->Centre);
    return da != db ? da < db : a.Order < b.Order;
  };
  const auto keep = [&](const TEntry& entry) {
    const double dx = std::fabs(static_cast<double>(entry.Pad->Centre.X) - from.X);
    if (nearest.size() == count && dx > Distance(from, nearest.back().Pad->Centre))
      return false;
    nearest.insert(std::upper_bound(nearest.begin(), nearest.end(), entry, before), entry);
    if (nearest.size() > count)
      nearest.pop_back();
    return true;
  };
  if (count == 0)
    return;
  const auto middle =
      std::lower_bound(pads.begin(), pads.end(), from.X,
                       [](const TEntry& entry, int32_t x) { return entry.Pad->Centre.X < x; });
  for (auto up = middle; up != pads.end() && keep(*up); ++up) {
  }
  for (auto down = middle; down != pads.begin() && keep(*std::prev(down)); --down) {
  }
}

const TPad* TChipSupplyPads::Nearest(const std::string& net, TPoint from) const {
  const auto found = Nets.find(net);
  if (found == Nets.end())
    return nullptr;
  std::vector<TEntry> nearest;
  Gather(found->second.Unserved, from, 1, nearest);
  Gather(found->second.Served, from, 1, nearest);
  return nearest.empty() ? nullptr : nearest.front().Pad;
}

std::vector<const TPad*> TChipSupplyPads::NearestUnservedFirst(const std::string& net, TPoint from,
                                                               size_t count) const {
  std::vector<const TPad*> pads;
  const auto found = Nets.find(net);
  if (found == Nets.end())
    return pads;
  std::vector<TEntry> unserved, served;
  Gather(found->second.Unserved, from, count, unserved);
  Gather(found->second.Served, from, count - unserved.size(), served);
  for (const auto* group : {&unserved, &served})
    for (const TEntry& entry : *group)
      pads.push_back(entry.Pad);
  return pads;
}

void TChipSupplyPads::Serve(const TPad* pad, const std::string& net) {
  const auto found = Nets.find(net);
  if (found == Nets.end())
    return;
  TByX& unserved = found->second.Unserved;
  const auto entry = std::find_if(unserved.begin(), unserved.end(),
                                  [pad](const TEntry& e) { return e.Pad == pad; });
  if (entry == unserved.end())
    return;
  TByX& served = found->second.Served;
  const TEntry moved = *entry;
  unserved.erase(entry);
  served.insert(std::upper_bound(served.begin(), served.end(), moved,
                                 [](const TEntry& a, const TEntry& b) {
                                   return ByX(a.Pad, a.Order, b.Pad, b.Order);
                                 }),
                moved);
}

}  // namespace Tarnix
