// The engine's moves: displacing, swapping and turning whole groups of components, each keeping the
// cost terms up to date and leaving behind what the run loop needs to undo it exactly.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "FixedIndex.h"
#include "FootprintBox.h"
#include "PlaceObj.h"

namespace {

constexpr int MaxTriesPerMove = 2000;
constexpr int MaxPartnerDraws = 100;
constexpr int32_t CandidateLattice = 10000;  // displacement candidates lie on a 1-mil lattice

// Positions are moved with wrapping 32-bit arithmetic: a candidate drawn from an empty window may
// lie anywhere in the coordinate range, and wrapping keeps every move exactly reversible.
int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

int32_t WrapNegate(int32_t a) {
  return static_cast<int32_t>(0u - static_cast<uint32_t>(a));
}

TBox FixedFootprint(const TAutoPlacer& placer, int32_t i) {
  const TCompRecord& fixed = placer.Component(i);
  return CentredBox(fixed.CenterX, fixed.CenterY, fixed.Width, fixed.Height);
}

bool IsQuarterTurn(int32_t q) {
  return q == 1 || q == 3;
}

// Calls visit(m) for every member m of k's group ring, starting at k. A ring that leaves the
// records or does not come back to k within as many steps as there are records ends the walk.
template <class Visit>
void ForEachMember(TAutoPlacer& placer, int32_t k, Visit visit) {
  int32_t member = k;
  for (int32_t step = 0; step < placer.ComponentCount; ++step) {
    const int32_t next = placer.Component(member).GroupNext;
    visit(member);
    if (next == k || next < 1 || next > placer.ComponentCount) {
      return;
    }
    member = next;
  }
}

// Whether the footprints of k's group are all one-sided or all on both sides.
bool FootprintsOfOneKind(TAutoPlacer& placer, int32_t k) {
  const bool oneSided = placer.Component(k).SingleLayer == 1;
  bool same = true;
  ForEachMember(placer, k, [&placer, oneSided, &same](int32_t m) {
    same = same && (placer.Component(m).SingleLayer == 1) == oneSided;
  });
  return same;
}

// One of the lattice points lo, lo + lattice, ... below hi (lo itself when the window is narrower
// than one step). The count of an empty window (hi < lo) is negative; it is taken as an unsigned
// 32-bit count and the sum wraps, so the candidate may lie anywhere and only the legality test
// decides whether it is used.
int32_t DrawOnLattice(int64_t lo, int64_t hi) {
  const auto count = static_cast<uint32_t>((hi - lo) / CandidateLattice);
  const uint32_t steps = RandomIntUnsigned(count);
  return static_cast<int32_t>(static_cast<uint32_t>(lo) +
                              steps * static_cast<uint32_t>(CandidateLattice));
}

// Moves a candidate group position so that the component's own reference point would land on
// the move grid. Truncating division snaps positive coordinates down and negative ones up. A grid
// of 0 or less leaves the candidate as it is.
void SnapToGrid(const TCompRecord& component, int32_t grid, int32_t& x, int32_t& y) {
  if (grid <= 0) {
    return;
  }
  const int32_t refX = WrapAdd(WrapSub(x, component.CenterX), component.X);
  const int32_t refY = WrapAdd(WrapSub(y, component.CenterY), component.Y);
  x = WrapSub(x, refX % grid);
  y = WrapSub(y, refY % grid);
}

bool TryDisplacement(TAutoPlacer& placer, int32_t k) {
  int32_t x = 0;
  int32_t y = 0;
  if (!placer.ChooseDisplacement(k, x, y)) {
    return false;
  }
  placer.UndoX = placer.Component(k).GroupX;
  placer.UndoY = placer.Component(k).GroupY;
  placer.MoveGroupTo(k, x, y);
  placer.LastMoveKind = MoveDisplacement;
  return true;
}

void MakeRotation(TAutoPlacer& placer, int32_t k) {
  const int32_t q = placer.ChooseRotation(k);
  placer.UndoRotation = 4 - q;
  placer.RotateGroup(q, k);
  placer.LastMoveKind = MoveRotation;
}

bool TrySwap(TAutoPlacer& placer, int32_t k, int32_t& p) {
  p = placer.ChoosePartner(k);
  if (p == 0) {
    return false;
  }
  placer.SwapGroups(k, p);
  placer.LastMoveKind = MoveSwap;
  return true;
}

}  // namespace

void TAutoPlacer::MakeRandomMove(int32_t& k, int32_t& p, uint8_t& kind) {
  k = 0;
  p = 0;
  kind = LastMoveKind;
  // The stop command may have arrived while messages were pumped just before this move. When
  // every movable component is a bypass capacitor there is nothing the moves may pick.
  if (StopRequested || MovableCount <= 0) {
    return;
  }
  for (int tries = 0; tries < MaxTriesPerMove; ++tries) {
    k = RandomInt(MovableCount) + 1;
    const double r = RandomUnit();
    bool made = false;
    if (r > 0.4) {
      made = TryDisplacement(*this, k);
    } else if (r <= 0.1 && RotateAllowed) {
      MakeRotation(*this, k);
      made = true;
    } else {
      made = TrySwap(*this, k, p);
    }
    if (made) {
      kind = LastMoveKind;
      return;
    }
  }
}

bool TAutoPlacer::ChooseDisplacement(int32_t k, int32_t& x, int32_t& y) {
  const TCompRecord& group = Component(k);
  // The window around the group, cut down so that the whole group stays on the placement area.
  const int64_t loX =
      std::max(int64_t{group.GroupX} - RangeX, int64_t{BoardLeft} + group.GroupWidth / 2);
  const int64_t hiX =
      std::min(int64_t{group.GroupX} + RangeX, int64_t{BoardRight} - group.GroupWidth / 2);
  const int64_t loY =
      std::max(int64_t{group.GroupY} - RangeY, int64_t{BoardBottom} + group.GroupHeight / 2);
  const int64_t hiY =
      std::min(int64_t{group.GroupY} + RangeY, int64_t{BoardTop} - group.GroupHeight / 2);
  x = DrawOnLattice(loX, hiX);
  y = DrawOnLattice(loY, hiY);
  SnapToGrid(group, MoveGrid, x, y);
  return !Blocked(x, y, group.GroupWidth, group.GroupHeight);
}

int32_t TAutoPlacer::ChooseRotation(int32_t k) {
  int32_t q = RandomInt(3) + 1;
  const TCompRecord& group = Component(k);
  // A quarter turn keeps the centre and exchanges the box's sides; the half turn keeps the box.
  if (IsQuarterTurn(q) &&
      Blocked(group.GroupX, group.GroupY, group.GroupHeight, group.GroupWidth)) {
    q = 2;
  }
  return q;
}

int32_t TAutoPlacer::ChoosePartner(int32_t k) {
  if (MovableCount <= 0) {
    return 0;
  }
  // Draws until the partner differs from k; the 100th draw ends the search without a partner.
  int32_t p = 0;
  for (int draws = 1;; ++draws) {
    p = RandomInt(MovableCount) + 1;
    if (draws == MaxPartnerDraws) {
      return 0;
    }
    if (p != k) {
      break;
    }
  }
  const TCompRecord& mine = Component(k);
  const TCompRecord& theirs = Component(p);
  if (Blocked(theirs.GroupX, theirs.GroupY, mine.GroupWidth, mine.GroupHeight) ||
      Blocked(mine.GroupX, mine.GroupY, theirs.GroupWidth, theirs.GroupHeight)) {
    return 0;
  }
  return p;
}

void TAutoPlacer::MoveGroupTo(int32_t k, int32_t x, int32_t y) {
  if (Component(k).GroupNext == k) {
    MoveSingleTo(k, x, y);
  } else {
    MoveRingTo(k, x, y);
  }
}

void TAutoPlacer::MoveSingleTo(int32_t k, int32_t x, int32_t y) {
  TCompRecord& component = Component(k);
  const int32_t centreX = WrapAdd(WrapSub(x, component.GroupX), component.CenterX);
  const int32_t centreY = WrapAdd(WrapSub(y, component.GroupY), component.CenterY);
  component.GroupX = x;
  component.GroupY = y;
  component.Visited = 1;
  WithdrawAlone(k);
  PlaceCentreAt(k, centreX, centreY);
  RestoreAlone(k);
}

void TAutoPlacer::MoveRingTo(int32_t k, int32_t x, int32_t y) {
  // Every member's nets are marked before any is removed, and unmarked by the member that removes
  // them, so a net shared by several members is taken out and put back once.
  const bool oneKind = FootprintsOfOneKind(*this, k);
  ForEachMember(*this, k, [this](int32_t m) { MarkNets(m); });
  ForEachMember(*this, k, [this, oneKind](int32_t m) {
    if (oneKind) {
      WithdrawMember(m);
    } else {
      WithdrawContribution(m);
    }
    UnmarkNets(m);
  });
  ShiftGroupTo(k, x, y);
  ForEachMember(*this, k, [this](int32_t m) { MarkNets(m); });
  ForEachMember(*this, k, [this, oneKind](int32_t m) {
    if (oneKind) {
      RestoreMember(m);
    } else {
      RestoreContribution(m);
    }
    UnmarkNets(m);
  });
}

void TAutoPlacer::SwapGroups(int32_t a, int32_t b) {
  const int32_t ax = Component(a).GroupX;
  const int32_t ay = Component(a).GroupY;
  MoveGroupTo(a, Component(b).GroupX, Component(b).GroupY);
  MoveGroupTo(b, ax, ay);
}

void TAutoPlacer::RotateGroup(int32_t q, int32_t k) {
  if (Component(k).GroupNext == k) {
    RotateSingle(q, k);
  } else {
    RotateRing(q, k);
  }
}

void TAutoPlacer::RotateSingle(int32_t q, int32_t k) {
  TCompRecord& component = Component(k);
  if (IsQuarterTurn(q)) {
    std::swap(component.GroupWidth, component.GroupHeight);
  }
  component.Visited = 1;
  WithdrawAlone(k);
  RotateAboutGroup(q, k);
  RestoreAlone(k);
}

void TAutoPlacer::RotateRing(int32_t q, int32_t k) {
  // Every member's nets are marked before any is removed, and unmarked by the member that removes
  // them, so a net shared by several members is taken out and put back once.
  const bool oneKind = FootprintsOfOneKind(*this, k);
  ForEachMember(*this, k, [this](int32_t m) { MarkNets(m); });
  ForEachMember(*this, k, [this, oneKind](int32_t m) {
    if (oneKind) {
      WithdrawMember(m);
    } else {
      WithdrawContribution(m);
    }
    UnmarkNets(m);
  });
  TurnGroup(q, k);
  ForEachMember(*this, k, [this](int32_t m) { MarkNets(m); });
  ForEachMember(*this, k, [this, oneKind](int32_t m) {
    if (oneKind) {
      RestoreMember(m);
    } else {
      RestoreContribution(m);
    }
    UnmarkNets(m);
  });
}

void TAutoPlacer::ShiftGroupTo(int32_t k, int32_t x, int32_t y) {
  ForEachMember(*this, k, [this, x, y](int32_t m) {
    TCompRecord& member = Component(m);
    member.Visited = 1;
    const int32_t centreX = WrapAdd(WrapSub(x, member.GroupX), member.CenterX);
    const int32_t centreY = WrapAdd(WrapSub(y, member.GroupY), member.CenterY);
    member.GroupX = x;
    member.GroupY = y;
    PlaceCentreAt(m, centreX, centreY);
  });
}

void TAutoPlacer::TurnGroup(int32_t q, int32_t k) {
  ForEachMember(*this, k, [this, q](int32_t m) {
    TCompRecord& member = Component(m);
    if (IsQuarterTurn(q)) {
      std::swap(member.GroupWidth, member.GroupHeight);
    }
    member.Visited = 1;
    RotateAboutGroup(q, m);
  });
}

void TAutoPlacer::RotateAboutGroup(int32_t q, int32_t m) {
  // Bring the group centre to the origin, turn there, and bring it back.
  TCompRecord& member = Component(m);
  PlaceCentreAt(m, WrapSub(member.CenterX, member.GroupX), WrapSub(member.CenterY, member.GroupY));
  RotateAboutOrigin(q, m);
  PlaceCentreAt(m, WrapAdd(member.CenterX, member.GroupX), WrapAdd(member.CenterY, member.GroupY));
}

void TAutoPlacer::RotateAboutOrigin(int32_t q, int32_t m) {
  TCompRecord& component = Component(m);
  component.Rotation = static_cast<int32_t>(
      (static_cast<uint32_t>(component.Rotation) + static_cast<uint32_t>(q)) % 4u);
  if (IsQuarterTurn(q)) {
    std::swap(component.Width, component.Height);
  }
  for (auto& pin : component.Pins) {
    RotatePoint(pin->X, pin->Y, q);
  }
  RotatePoint(component.X, component.Y, q);
  RotatePoint(component.CenterX, component.CenterY, q);
}

void TAutoPlacer::PlaceCentreAt(int32_t k, int32_t cx, int32_t cy) {
  TCompRecord& component = Component(k);
  const int32_t dx = WrapSub(cx, component.CenterX);
  const int32_t dy = WrapSub(cy, component.CenterY);
  for (auto& pin : component.Pins) {
    pin->X = WrapAdd(pin->X, dx);
    pin->Y = WrapAdd(pin->Y, dy);
  }
  component.X = WrapAdd(component.X, dx);
  component.Y = WrapAdd(component.Y, dy);
  component.CenterX = cx;
  component.CenterY = cy;
}

void TAutoPlacer::IndexFixedComponents() {
  std::vector<TBox> footprints;
  for (int32_t i = MovableCount + 1; i <= MovableCount + FixedCount; ++i) {
    footprints.push_back(FixedFootprint(*this, i));
  }
  if (!FixedIndex) {
    FixedIndex = std::make_unique<TFixedIndex>();
  }
  FixedIndex->Build(footprints, MovableCount, FixedCount);
}

bool TAutoPlacer::Blocked(int32_t x, int32_t y, int32_t w, int32_t h) const {
  const TBox box = CentredBox(x, y, w, h);
  if (FixedIndex && FixedIndex->Covers(MovableCount, FixedCount)) {
    if (FixedIndex->Overlaps(box)) {
      return true;
    }
  } else {
    for (int32_t i = MovableCount + 1; i <= MovableCount + FixedCount; ++i) {
      if (Overlap(box, FixedFootprint(*this, i))) {
        return true;
      }
    }
  }
  if (box.Left < BoardLeft || box.Right > BoardRight || box.Bottom < BoardBottom ||
      box.Top > BoardTop) {
    return true;
  }
  for (const auto& keepOut : KeepOuts) {
    if (Overlap(box, TBox{keepOut->X1, keepOut->Y1, keepOut->X2, keepOut->Y2})) {
      return true;
    }
  }
  return false;
}

void RotatePoint(int32_t& x, int32_t& y, int32_t q) {
  const int32_t oldX = x;
  const int32_t oldY = y;
  switch (q) {
    case 1:
      x = WrapNegate(oldY);
      y = oldX;
      break;
    case 2:
      x = WrapNegate(oldX);
      y = WrapNegate(oldY);
      break;
    case 3:
      x = oldY;
      y = WrapNegate(oldX);
      break;
    default:
      break;
  }
}
