#include "DecouplingPlace.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include "ChipSupplyPads.h"
#include "FreeSpots.h"
#include "SupplyNets.h"

namespace Tarnix {

namespace {

// Supply pads of the chips tried for one capacitor, nearest first.
constexpr size_t PadsTriedPerCapacitor = 8;

// A designator of the prefix and a number (U1, IC12).
bool Numbered(const std::string& designator, const std::string& prefix) {
  return designator.size() > prefix.size() && designator.compare(0, prefix.size(), prefix) == 0 &&
         std::isdigit(static_cast<unsigned char>(designator[prefix.size()])) != 0;
}

std::string NetOf(const TObject* pad) {
  return pad->Net != nullptr ? pad->Net->Name : std::string();
}

double Distance(TPoint a, TPoint b) {
  return std::hypot(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y);
}

struct TCapacitor {
  TFootprint* Part;
  const TPad* PowerPad;
  std::string Net;
};

class TDecoupling {
 public:
  TDecoupling(TBoard& board, int64_t nearDistance)
      : Spots(board), Near(static_cast<double>(nearDistance)) {
    const auto power = NetNamesOfList(board.Settings.Placer.PowerNets);
    const auto ground = NetNamesOfList(board.Settings.Placer.GroundNets);
    Parts.reserve(board.Components.size());
    for (const auto& component : board.Components)
      Parts.push_back(FootprintOf(*component, board.Settings.Placer));
    for (TFootprint& part : Parts) {
      const auto pads = part.Component->Children(TKind::Pad);
      const std::string designator = DesignatorOf(*part.Component);
      if ((Numbered(designator, "U") || Numbered(designator, "IC")) && pads.size() >= 3)
        for (const TObject* pad : pads)
          if (power.count(NetOf(pad)) != 0)
            ChipPads.Add(static_cast<const TPad*>(pad), NetOf(pad));
      if (!designator.empty() && designator[0] == 'C' && pads.size() == 2)
        for (size_t i = 0; i < 2; ++i)
          if (power.count(NetOf(pads[i])) != 0 && ground.count(NetOf(pads[1 - i])) != 0)
            Capacitors.push_back({&part, static_cast<const TPad*>(pads[i]), NetOf(pads[i])});
    }
  }

  TDecouplingResult Run() {
    // Capacitors already beside a chip, and those of no chip, keep their places.
    TDecouplingResult result;
    std::vector<const TCapacitor*> far;
    for (const TCapacitor* capacitor : CountServed(result.Capacitors))
      if (capacitor->Part->Component->Moveable != 0)
        far.push_back(capacitor);
    // Every footprint stands where it is, the capacitors to move too: one that finds no spot
    // stays, and none may land on it. A part is never judged against itself.
    for (TFootprint& part : Parts)
      Spots.Settle(part);
    for (const TCapacitor* capacitor : far)
      if (MoveBesideChip(*capacitor))
        result.Moved.push_back(DesignatorOf(*capacitor->Part->Component));
    return result;
  }

  std::vector<TCapacitorBeside> CapacitorsBeside() {
    int capacitors = 0;
    std::vector<TCapacitorBeside> beside;
    CountServed(capacitors, &beside);
    return beside;
  }

 private:
  // Counts the capacitors beside each chip's supply pad and those with a chip on their net;
  // returns those of a chip that lie far from it, and gives those beside one with their chips.
  std::vector<const TCapacitor*> CountServed(int& withChip,
                                             std::vector<TCapacitorBeside>* beside = nullptr) {
    std::vector<const TCapacitor*> far;
    for (const TCapacitor& capacitor : Capacitors) {
      const TPad* nearest = ChipPads.Nearest(capacitor.Net, capacitor.PowerPad->Centre);
      if (nearest == nullptr)
        continue;
      ++withChip;
      if (Distance(capacitor.PowerPad->Centre, nearest->Centre) <= Near) {
        ChipPads.Serve(nearest, capacitor.Net);
        if (beside != nullptr)
          beside->push_back({nearest->Owner, capacitor.Part->Component});
      } else {
        far.push_back(&capacitor);
      }
    }
    return far;
  }

  // Supply pads that no capacitor serves yet are tried first, the nearest of each kind first.
  bool MoveBesideChip(const TCapacitor& capacitor) {
    const TPoint from = capacitor.PowerPad->Centre;
    for (const TPad* pad :
         ChipPads.NearestUnservedFirst(capacitor.Net, from, PadsTriedPerCapacitor)) {
      const TShift wanted{int64_t{pad->Centre.X} - from.X, int64_t{pad->Centre.Y} - from.Y};
      auto shift = Spots.Nearest(*capacitor.Part, wanted, true);
      if (!shift)
        shift = Spots.Nearest(*capacitor.Part, wanted, false);
      if (!shift)
        continue;
      const TPoint landed{static_cast<int32_t>(from.X + shift->X),
                          static_cast<int32_t>(from.Y + shift->Y)};
      if (Distance(landed, pad->Centre) <= Near && Spots.Move(*capacitor.Part, *shift)) {
        ChipPads.Serve(pad, capacitor.Net);
        return true;
      }
    }
    return false;
  }

  TFreeSpots Spots;
  double Near;
  std::vector<TFootprint> Parts;
  TChipSupplyPads ChipPads;
  std::vector<TCapacitor> Capacitors;
};

}  // namespace

TDecouplingResult PlaceCapacitorsBesideChips(TBoard& board, int64_t nearDistance) {
  TDecouplingResult result = TDecoupling(board, nearDistance).Run();
  if (!result.Moved.empty())
    board.NetsChanged();
  return result;
}

std::vector<TCapacitorBeside> CapacitorsBesideChips(TBoard& board, int64_t nearDistance) {
  return TDecoupling(board, nearDistance).CapacitorsBeside();
}

}  // namespace Tarnix
