#include "SignalNets.h"

#include <algorithm>
#include <unordered_map>

#include "SupplyNets.h"

namespace Tarnix {

namespace {

// A net of at most this many pads is walked whole for each move: its cached box would save little.
constexpr size_t WalkedWhole = 16;

void Extend(TBox64& box, size_t& pads, TPoint point) {
  if (pads++ == 0) {
    box = {point.X, point.Y, point.X, point.Y};
    return;
  }
  box.X1 = std::min<int64_t>(box.X1, point.X);
  box.Y1 = std::min<int64_t>(box.Y1, point.Y);
  box.X2 = std::max<int64_t>(box.X2, point.X);
  box.Y2 = std::max<int64_t>(box.Y2, point.Y);
}

int64_t HalfPerimeter(const TBox64& box, size_t pads) {
  return pads >= 2 ? (box.X2 - box.X1) + (box.Y2 - box.Y1) : 0;
}

// Which edges of the box the point lies on: left, right, bottom, top.
std::array<bool, 4> EdgesOf(const TBox64& box, TPoint point) {
  return {point.X == box.X1, point.X == box.X2, point.Y == box.Y1, point.Y == box.Y2};
}

const TPadsAt* Find(const std::vector<TPadsAt>& moved, size_t part) {
  for (const TPadsAt& pads : moved)
    if (pads.Part == part)
      return &pads;
  return nullptr;
}

}  // namespace

TSignalNets::TSignalNets(const TBoard& board)
    : Board(board), PartNets(board.Components.size()), PadNets(board.Components.size()) {
  auto supply = NetNamesOfList(board.Settings.Placer.PowerNets);
  supply.merge(NetNamesOfList(board.Settings.Placer.GroundNets));
  std::unordered_map<const TNet*, int32_t> indexOfNet;
  const auto indexOf = [&](const TNet* net) -> int32_t {
    if (net == nullptr || net->Name.empty() || supply.count(net->Name) != 0)
      return -1;
    const auto [found, added] = indexOfNet.try_emplace(net, static_cast<int32_t>(Nets.size()));
    if (added)
      Nets.emplace_back();
    return found->second;
  };
  for (size_t part = 0; part < board.Components.size(); ++part) {
    const auto& pads = board.Components[part]->Pads;
    for (size_t pad = 0; pad < pads.size(); ++pad) {
      const int32_t net = indexOf(pads[pad]->Net);
      PadNets[part].push_back(net);
      if (net < 0)
        continue;
      Nets[net].Pins.push_back({static_cast<uint32_t>(part), static_cast<uint32_t>(pad)});
      auto& nets = PartNets[part];
      if (std::find(nets.begin(), nets.end(), static_cast<uint32_t>(net)) == nets.end())
        nets.push_back(static_cast<uint32_t>(net));
    }
  }
  for (uint32_t net = 0; net < Nets.size(); ++net) {
    Measure(net);
    Total += Nets[net].Length;
  }
}

TPoint TSignalNets::Centre(TPin pin) const {
  return Board.Components[pin.Part]->Pads[pin.Pad]->Centre;
}

void TSignalNets::Measure(uint32_t net) {
  TNetBox& measured = Nets[net];
  size_t pads = 0;
  for (const TPin& pin : measured.Pins)
    Extend(measured.Box, pads, Centre(pin));
  measured.OnEdge = {};
  for (const TPin& pin : measured.Pins) {
    const auto edges = EdgesOf(measured.Box, Centre(pin));
    for (size_t edge = 0; edge < 4; ++edge)
      measured.OnEdge[edge] += edges[edge] ? 1 : 0;
  }
  measured.Length = HalfPerimeter(measured.Box, pads);
}

bool TSignalNets::CachedBoxHolds(uint32_t net, const std::vector<TPadsAt>& moved) const {
  const TNetBox& cached = Nets[net];
  if (cached.Pins.size() <= WalkedWhole)
    return false;
  std::array<int, 4> leaving{};
  for (const TPadsAt& pads : moved) {
    const auto& padNets = PadNets[pads.Part];
    for (size_t pad = 0; pad < padNets.size(); ++pad) {
      if (padNets[pad] != static_cast<int32_t>(net))
        continue;
      const auto edges = EdgesOf(
          cached.Box, Centre({static_cast<uint32_t>(pads.Part), static_cast<uint32_t>(pad)}));
      for (size_t edge = 0; edge < 4; ++edge)
        leaving[edge] += edges[edge] ? 1 : 0;
    }
  }
  for (size_t edge = 0; edge < 4; ++edge)
    if (leaving[edge] >= cached.OnEdge[edge])
      return false;
  return true;
}

TSignalNets::TCounted TSignalNets::BoxOf(uint32_t net, const std::vector<TPadsAt>& moved,
                                         bool withMoved) const {
  const TNetBox& cached = Nets[net];
  TCounted counted;
  size_t movedPads = 0;
  for (const TPadsAt& pads : moved)
    movedPads += static_cast<size_t>(std::count(
        PadNets[pads.Part].begin(), PadNets[pads.Part].end(), static_cast<int32_t>(net)));
  if (CachedBoxHolds(net, moved)) {
    counted = {cached.Box, cached.Pins.size() - movedPads};
  } else {
    for (const TPin& pin : cached.Pins)
      if (Find(moved, pin.Part) == nullptr)
        Extend(counted.Box, counted.Pads, Centre(pin));
  }
  if (withMoved)
    for (const TPadsAt& pads : moved)
      for (size_t pad = 0; pad < pads.Centres.size(); ++pad)
        if (PadNets[pads.Part][pad] == static_cast<int32_t>(net))
          Extend(counted.Box, counted.Pads, pads.Centres[pad]);
  return counted;
}

std::optional<TBox64> TSignalNets::BoxWithout(uint32_t net, size_t part) const {
  const TCounted counted = BoxOf(net, {TPadsAt{part, {}}}, false);
  if (counted.Pads == 0)
    return std::nullopt;
  return counted.Box;
}

int64_t TSignalNets::Change(const std::vector<TPadsAt>& moved) const {
  std::vector<uint32_t> nets;
  for (const TPadsAt& pads : moved)
    nets.insert(nets.end(), PartNets[pads.Part].begin(), PartNets[pads.Part].end());
  std::sort(nets.begin(), nets.end());
  nets.erase(std::unique(nets.begin(), nets.end()), nets.end());
  int64_t change = 0;
  for (const uint32_t net : nets) {
    const TCounted counted = BoxOf(net, moved, true);
    change += HalfPerimeter(counted.Box, counted.Pads) - Nets[net].Length;
  }
  return change;
}

void TSignalNets::Moved(size_t part) {
  for (const uint32_t net : PartNets[part]) {
    Total -= Nets[net].Length;
    Measure(net);
    Total += Nets[net].Length;
  }
}

}  // namespace Tarnix
