#include "DetailPlace.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "BoardRegion.h"
#include "DecouplingPlace.h"
#include "FreeSpots.h"
#include "PartGrid.h"
#include "SignalNets.h"

namespace Tarnix {

namespace {

// A round that shortens the nets by less than this part of their length is the last.
constexpr double SmallestRoundGain = 0.0005;
constexpr int MaxRounds = 20;
// Free spots judged for each quarter turn of a part, nearest to its target first.
constexpr size_t SpotsPerTurn = 8;
// Parts near the target tried for a swap, and how much larger either side of one may be.
constexpr size_t SwapsTried = 16;
constexpr double LikeSize = 1.25;
// Boxes are judged one unit larger, so that a turn's rounding of a box edge cannot make an overlap.
constexpr int64_t Margin = 1;

struct TPoint64 {
  int64_t X = 0, Y = 0;
};

TPoint64 CentreOf(const TBox64& box) {
  return {box.X1 + (box.X2 - box.X1) / 2, box.Y1 + (box.Y2 - box.Y1) / 2};
}

TBox64 Grown(const TBox64& box, int64_t by) {
  return {box.X1 - by, box.Y1 - by, box.X2 + by, box.Y2 + by};
}

// An offset turned counter-clockwise by quarter turns, as a component's MoveTo turns it.
TPoint64 Turn(TPoint64 offset, int quarters) {
  switch (quarters) {
    case 1:
      return {-offset.Y, offset.X};
    case 2:
      return {-offset.X, -offset.Y};
    case 3:
      return {offset.Y, -offset.X};
    default:
      return offset;
  }
}

TPoint64 TurnPoint(TPoint64 point, TPoint64 about, int quarters) {
  const TPoint64 turned = Turn({point.X - about.X, point.Y - about.Y}, quarters);
  return {about.X + turned.X, about.Y + turned.Y};
}

TBox64 TurnBox(const TBox64& box, TPoint64 about, int quarters) {
  const TPoint64 a = TurnPoint(TPoint64{box.X1, box.Y1}, about, quarters);
  const TPoint64 b = TurnPoint(TPoint64{box.X2, box.Y2}, about, quarters);
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// A part where a change would put it.
struct TPlaced {
  size_t Part = 0;
  double Rotation = 0;
  TPoint64 Reference;
  TBox64 Bare{}, Grown{};
  std::vector<TPoint64> Pads;  // centres, in the order of its pads
};

TPoint64 ReferenceOf(const TFootprint& part) {
  return {part.Component->Data.Reference.X, part.Component->Data.Reference.Y};
}

// The part turned by quarter turns about a point (its reference, or that of the chip it moves
// with), as MoveTo would turn it.
TPlaced Turned(const TFootprint& part, size_t index, int quarters, TPoint64 about) {
  const TComponent& component = *part.Component;
  TPlaced placed;
  placed.Part = index;
  placed.Rotation = component.Data.Rotation + 90.0 * quarters;
  if (placed.Rotation >= 360.0)
    placed.Rotation -= 360.0;
  placed.Reference = TurnPoint(ReferenceOf(part), about, quarters);
  for (const auto& pad : component.Pads)
    placed.Pads.push_back(TurnPoint(TPoint64{pad->Centre.X, pad->Centre.Y}, about, quarters));
  placed.Bare = TurnBox(part.Bare, about, quarters);
  const int64_t low = part.Bare.X1 - part.Grown.X1, high = part.Grown.X2 - part.Bare.X2;
  placed.Grown = {placed.Bare.X1 - low, placed.Bare.Y1 - low, placed.Bare.X2 + high,
                  placed.Bare.Y2 + high};
  return placed;
}

TPlaced Shifted(TPlaced placed, TShift shift) {
  placed.Reference = {placed.Reference.X + shift.X, placed.Reference.Y + shift.Y};
  placed.Bare = Shifted(placed.Bare, shift);
  placed.Grown = Shifted(placed.Grown, shift);
  for (TPoint64& pad : placed.Pads)
    pad = {pad.X + shift.X, pad.Y + shift.Y};
  return placed;
}

TShift Between(TPoint64 from, TPoint64 to) {
  return {to.X - from.X, to.Y - from.Y};
}

double DistanceSquared(TShift a, TShift b) {
  const double dx = static_cast<double>(a.X - b.X), dy = static_cast<double>(a.Y - b.Y);
  return dx * dx + dy * dy;
}

// The new pad centres of a placed part; none when a point leaves the 32-bit range.
std::optional<TPadsAt> PadsOf(const TPlaced& placed) {
  if (!FitsInt32(placed.Reference.X) || !FitsInt32(placed.Reference.Y))
    return std::nullopt;
  TPadsAt pads{placed.Part, {}};
  for (const TPoint64& pad : placed.Pads) {
    if (!FitsInt32(pad.X) || !FitsInt32(pad.Y))
      return std::nullopt;
    pads.Centres.push_back({static_cast<int32_t>(pad.X), static_cast<int32_t>(pad.Y)});
  }
  return pads;
}

// Both sides of the boxes within LikeSize of each other.
bool LikeSized(const TBox64& a, const TBox64& b) {
  const auto near = [](int64_t x, int64_t y) {
    const double low = static_cast<double>(std::min(x, y)) + 1;
    return static_cast<double>(std::max(x, y)) + 1 <= LikeSize * low;
  };
  return near(a.X2 - a.X1, b.X2 - b.X1) && near(a.Y2 - a.Y1, b.Y2 - b.Y1);
}

// The change with the greatest gain found so far.
struct TChoice {
  int64_t Change = 0;
  std::vector<TPlaced> Parts;
};

class TDetailPlacer {
 public:
  TDetailPlacer(TBoard& board, int64_t nearDistance)
      : Board(board), Region(board), Parts(FootprintsOf(board)), Grid(Parts), Nets(board) {
    std::unordered_map<const TComponent*, size_t> indexOf;
    for (size_t part = 0; part < Parts.size(); ++part)
      indexOf[Parts[part].Component] = part;
    Followers.resize(Parts.size());
    for (const auto& [chip, capacitor] : CapacitorsBesideChips(board, nearDistance))
      Followers[indexOf[chip]].push_back(indexOf[capacitor]);
    for (size_t part = 0; part < Parts.size(); ++part) {
      const auto locked = [&](size_t index) { return Parts[index].Component->Moveable == 0; };
      Movable.push_back(!locked(part) && !Nets.NetsOf(part).empty() &&
                        std::none_of(Followers[part].begin(), Followers[part].end(), locked));
      BothSides.push_back(locked(part) ||
                          std::any_of(Parts[part].Component->Pads.begin(),
                                      Parts[part].Component->Pads.end(),
                                      [](const auto& pad) { return pad->Layer == MultiLayer; }));
    }
  }

  TDetailResult Run() {
    TDetailResult result;
    while (result.Rounds < MaxRounds) {
      const int64_t start = Nets.Length();
      for (size_t part = 0; part < Parts.size(); ++part)
        if (Movable[part] && Improve(part))
          ++result.Changes;
      ++result.Rounds;
      const int64_t gain = start - Nets.Length();
      if (static_cast<double>(gain) <= SmallestRoundGain * static_cast<double>(start))
        break;
    }
    if (result.Changes > 0)
      Board.NetsChanged();
    return result;
  }

 private:
  static std::vector<TFootprint> FootprintsOf(TBoard& board) {
    std::vector<TFootprint> parts;
    for (const auto& component : board.Components)
      parts.push_back(FootprintOf(*component, board.Settings.Placer));
    return parts;
  }

  bool Improve(size_t part) {
    std::vector<size_t> group{part};
    group.insert(group.end(), Followers[part].begin(), Followers[part].end());
    TChoice best;
    for (int quarters = 0; quarters < 4; ++quarters) {
      std::vector<TPlaced> members;
      for (const size_t member : group)
        members.push_back(Turned(Parts[member], member, quarters, ReferenceOf(Parts[part])));
      const auto target = Target(members.front());
      if (!target)
        return false;
      TryTurn(members, group, *target, best);
      if (quarters == 0)
        TrySwaps(part, *target, best);
    }
    return best.Change < 0 && Apply(best);
  }

  // Where the turned part's centre would make its nets shortest, taken alone: the point nearest
  // to where it stands of the median range of the edges of its nets' boxes without it, each edge
  // less the offset of the part's pad on that net from its centre.
  std::optional<TPoint64> Target(const TPlaced& turned) const {
    const TPoint64 centre = CentreOf(turned.Bare);
    std::vector<int64_t> xs, ys;
    std::unordered_map<uint32_t, std::optional<TBox64>> boxes;
    for (size_t pad = 0; pad < turned.Pads.size(); ++pad) {
      const int32_t net = Nets.NetOfPad(turned.Part, pad);
      if (net < 0)
        continue;
      const auto [found, added] = boxes.try_emplace(static_cast<uint32_t>(net));
      if (added)
        found->second = Nets.BoxWithout(static_cast<uint32_t>(net), turned.Part);
      if (!found->second)
        continue;
      const TBox64& box = *found->second;
      const int64_t dx = turned.Pads[pad].X - centre.X, dy = turned.Pads[pad].Y - centre.Y;
      xs.insert(xs.end(), {box.X1 - dx, box.X2 - dx});
      ys.insert(ys.end(), {box.Y1 - dy, box.Y2 - dy});
    }
    if (xs.empty())
      return std::nullopt;
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    const size_t middle = xs.size() / 2;
    const TPoint64 stands = CentreOf(Parts[turned.Part].Bare);
    return TPoint64{std::clamp(stands.X, xs[middle - 1], xs[middle]),
                    std::clamp(stands.Y, ys[middle - 1], ys[middle])};
  }

  // The turned part (with the capacitors beside it, if a chip) at the free spots nearest to the
  // target (the target itself, and the spots beside, above, below and at the corners of each
  // footprint around it), and where it stands or part of the way there, should the way's end be
  // taken.
  void TryTurn(const std::vector<TPlaced>& members, const std::vector<size_t>& group,
               TPoint64 target, TChoice& best) {
    const TPoint64 centre = CentreOf(members.front().Bare);
    const TShift wanted = Between(centre, target);
    const TShift stay = Between(centre, CentreOf(Parts[group.front()].Bare));
    for (const int64_t quarter : {0, 1, 2, 3})
      TryShift(
          members, group,
          {stay.X + (wanted.X - stay.X) * quarter / 4, stay.Y + (wanted.Y - stay.Y) * quarter / 4},
          best);
    size_t judged = 0;
    for (const TShift shift : SpotsNear(members.front(), group, wanted))
      if (judged < SpotsPerTurn && TryShift(members, group, shift, best))
        ++judged;
  }

  // The shifts that bring the part to the target or against a footprint around it, nearest to
  // the target first.
  std::vector<TShift> SpotsNear(const TPlaced& turned, const std::vector<size_t>& group,
                                TShift wanted) const {
    std::vector<TShift> shifts{wanted};
    const TBox64& own = turned.Grown;
    const int64_t reach = 2 * std::max(own.X2 - own.X1, own.Y2 - own.Y1);
    for (const size_t other : Grid.Near(Grown(Shifted(own, wanted), reach))) {
      const TBox64& box = Parts[other].Grown;
      if (std::find(group.begin(), group.end(), other) != group.end() ||
          !Conflict(turned.Part, other))
        continue;
      for (const int64_t x : {box.X1 - own.X2 - Margin, wanted.X, box.X2 - own.X1 + Margin})
        for (const int64_t y : {box.Y1 - own.Y2 - Margin, wanted.Y, box.Y2 - own.Y1 + Margin})
          shifts.push_back({x, y});
    }
    std::sort(shifts.begin(), shifts.end(), [&](TShift a, TShift b) {
      return std::tuple(DistanceSquared(a, wanted), a.X, a.Y) <
             std::tuple(DistanceSquared(b, wanted), b.X, b.Y);
    });
    shifts.erase(std::unique(shifts.begin(), shifts.end(),
                             [](TShift a, TShift b) { return a.X == b.X && a.Y == b.Y; }),
                 shifts.end());
    return shifts;
  }

  // Judges the group shifted; false when it would not lie legally there.
  bool TryShift(const std::vector<TPlaced>& members, const std::vector<size_t>& group, TShift shift,
                TChoice& best) const {
    std::vector<TPlaced> placed;
    for (const TPlaced& member : members)
      placed.push_back(Shifted(member, shift));
    if (!std::all_of(placed.begin(), placed.end(),
                     [&](const TPlaced& member) { return Legal(member, group); }))
      return false;
    Consider(std::move(placed), best);
    return true;
  }

  // The part and one of like size near its target trade places, each centred where the other was.
  void TrySwaps(size_t part, TPoint64 target, TChoice& best) {
    if (!Swappable(part))
      return;
    const TFootprint& own = Parts[part];
    const int64_t reach = std::max(own.Grown.X2 - own.Grown.X1, own.Grown.Y2 - own.Grown.Y1);
    const TBox64 around{target.X - reach, target.Y - reach, target.X + reach, target.Y + reach};
    std::vector<std::pair<double, size_t>> near;
    for (const size_t other : Grid.Near(around))
      if (other != part && Swappable(other) &&
          Parts[other].Component->Layer == own.Component->Layer &&
          LikeSized(own.Bare, Parts[other].Bare))
        near.emplace_back(DistanceSquared(Between(target, CentreOf(Parts[other].Bare)), TShift{}),
                          other);
    std::sort(near.begin(), near.end());
    near.resize(std::min(near.size(), SwapsTried));
    for (const auto& [distance, other] : near) {
      const TPoint64 here = CentreOf(own.Bare), there = CentreOf(Parts[other].Bare);
      const TPlaced moved = Shifted(Turned(own, part, 0, ReferenceOf(own)), Between(here, there));
      const TPlaced back =
          Shifted(Turned(Parts[other], other, 0, ReferenceOf(Parts[other])), Between(there, here));
      if (Legal(moved, {part, other}) && Legal(back, {part, other}) &&
          !BoxesOverlap(Grown(moved.Grown, Margin), back.Grown))
        Consider({moved, back}, best);
    }
  }

  bool Swappable(size_t part) const { return Movable[part] && Followers[part].empty(); }

  // Whether two parts may not share area: on the same side, or either locked (the placer keeps
  // every part off a locked one) or with pads through the board.
  bool Conflict(size_t a, size_t b) const {
    return Parts[a].Component->Layer == Parts[b].Component->Layer || BothSides[a] || BothSides[b];
  }

  // Inside the outline, off the keep-outs and clear of every footprint it conflicts with but
  // those that move with it.
  bool Legal(const TPlaced& placed, const std::vector<size_t>& moving) const {
    const auto bare = AsRect(Grown(placed.Bare, Margin));
    if (!bare || !Region.Allows(*bare))
      return false;
    for (const size_t other : Grid.Near(Grown(placed.Grown, Margin)))
      if (std::find(moving.begin(), moving.end(), other) == moving.end() &&
          Conflict(placed.Part, other))
        return false;
    return true;
  }

  void Consider(std::vector<TPlaced> placed, TChoice& best) const {
    std::vector<TPadsAt> pads;
    for (const TPlaced& part : placed) {
      auto at = PadsOf(part);
      if (!at)
        return;
      pads.push_back(std::move(*at));
    }
    const int64_t change = Nets.Change(pads);
    if (change < best.Change)
      best = {change, std::move(placed)};
  }

  // Makes the change on the board. Should the nets come out no shorter after all, everything is
  // put back as it was.
  bool Apply(const TChoice& choice) {
    const int64_t before = Nets.Length();
    std::vector<std::pair<TPoint, double>> was;
    for (const TPlaced& placed : choice.Parts) {
      const TComponent& component = *Parts[placed.Part].Component;
      was.emplace_back(component.Data.Reference, component.Data.Rotation);
    }
    for (const TPlaced& placed : choice.Parts)
      Place(placed.Part,
            {static_cast<int32_t>(placed.Reference.X), static_cast<int32_t>(placed.Reference.Y)},
            placed.Rotation);
    if (Nets.Length() < before)
      return true;
    for (size_t i = 0; i < choice.Parts.size(); ++i)
      Place(choice.Parts[i].Part, was[i].first, was[i].second);
    return false;
  }

  void Place(size_t part, TPoint reference, double rotation) {
    Grid.Remove(part);
    TComponent& component = *Parts[part].Component;
    component.MoveTo(reference, rotation);
    Parts[part] = FootprintOf(component, Board.Settings.Placer);
    Grid.Insert(part);
    Nets.Moved(part);
  }

  TBoard& Board;
  const TBoardRegion Region;
  std::vector<TFootprint> Parts;
  TPartGrid Grid;
  TSignalNets Nets;
  std::vector<std::vector<size_t>> Followers;  // the capacitors beside each chip
  std::vector<bool> Movable;
  std::vector<bool> BothSides;  // locked, or with pads through the board
};

}  // namespace

TDetailResult PlaceInDetail(TBoard& board, int64_t nearDistance) {
  return TDetailPlacer(board, nearDistance).Run();
}

}  // namespace Tarnix
