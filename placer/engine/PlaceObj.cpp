#include "PlaceObj.h"

#include "FixedIndex.h"

namespace {
// The generator's state is process-wide, as every engine of the process draws from one sequence.
uint32_t Seed = 0;

void Step() {
  Seed = Seed * 134775813u + 1u;
}
}  // namespace

void SetRandomSeed(uint32_t seed) {
  Seed = seed;
}

uint32_t RandomSeed() {
  return Seed;
}

uint32_t RandomIntUnsigned(uint32_t n) {
  Step();
  return static_cast<uint32_t>((static_cast<uint64_t>(Seed) * n) >> 32);
}

int32_t RandomInt(int32_t n) {
  if (n <= 0) {
    Step();
    return 0;
  }
  return static_cast<int32_t>(RandomIntUnsigned(static_cast<uint32_t>(n)));
}

double RandomUnit() {
  Step();
  return static_cast<double>(Seed) / 4294967296.0;
}

TAutoPlacer::TAutoPlacer() = default;

TAutoPlacer::~TAutoPlacer() = default;

void TAutoPlacer::AnnealStep() {
  CostBefore = TotalCost();
  int32_t k = 0;
  int32_t p = 0;
  Journal.Begin(DensityCost, NetLengthCost, AlignmentCost, OverlapCost);
  MakeRandomMove(k, p, LastMoveKind);
  Journal.End();
  CostDelta = TotalCost() - CostBefore;
  // A move that leaves the cost as it was or lowers it always stands.
  if (CostDelta > 0 && !AcceptWorse()) {
    ++RejectedInPass;
    UndoMove(k, p);
  }
}

// The same as making the inverse move (a displacement back, the swap again, the remaining quarter
// turns), which would bring every record and term back exactly, at a fraction of its cost.
void TAutoPlacer::UndoMove(int32_t k, int32_t p) {
  switch (LastMoveKind) {
    case MoveDisplacement:
      ShiftGroupTo(k, UndoX, UndoY);
      break;
    case MoveSwap: {
      TCompRecord& partner = Component(p);
      const int32_t px = partner.GroupX;
      const int32_t py = partner.GroupY;
      ShiftGroupTo(p, Component(k).GroupX, Component(k).GroupY);
      ShiftGroupTo(k, px, py);
      break;
    }
    case MoveRotation:
      TurnGroup(UndoRotation, k);
      break;
    default:
      return;
  }
  RollBackCost();
}
