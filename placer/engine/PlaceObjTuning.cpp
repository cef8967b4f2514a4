// Runs beyond the standard schedule: more moves per pass (effort), and a refinement that starts
// from the board's own placement, runs only the cool end of the schedule and never hands back a
// placement with longer signal nets than it was given.

#include <algorithm>
#include <cmath>
#include <limits>

#include "PlaceObj.h"

namespace {

// A refinement starts at this pass of the schedule: the temperature is then low enough that the
// net-length cost of a part's usual move decides, and the move window is a few percent of the
// board, so parts stay near where the designer put them.
constexpr int32_t RefineFirstPass = 50;

// The largest per-pass cap: 71 passes of it still count in 32 bits.
constexpr int32_t LargestPassCap = std::numeric_limits<int32_t>::max() / 72;

int32_t ScaledCap(int32_t cap, double effort) {
  const double scaled = std::nearbyint(static_cast<double>(cap) * effort);
  if (!(scaled >= 0.0)) {
    return 0;
  }
  return scaled >= LargestPassCap ? LargestPassCap : static_cast<int32_t>(scaled);
}

TRecordPlacement PlacementOf(TCompRecord& record) {
  TRecordPlacement placement{&record,
                             record.X,
                             record.Y,
                             record.CenterX,
                             record.CenterY,
                             record.Width,
                             record.Height,
                             record.Rotation,
                             record.GroupX,
                             record.GroupY,
                             record.GroupWidth,
                             record.GroupHeight,
                             {},
                             {}};
  for (const auto& pin : record.Pins) {
    placement.PinX.push_back(pin->X);
    placement.PinY.push_back(pin->Y);
  }
  return placement;
}

void PutBack(const TRecordPlacement& placement) {
  TCompRecord& record = *placement.Record;
  record.X = placement.X;
  record.Y = placement.Y;
  record.CenterX = placement.CenterX;
  record.CenterY = placement.CenterY;
  record.Width = placement.Width;
  record.Height = placement.Height;
  record.Rotation = placement.Rotation;
  record.GroupX = placement.GroupX;
  record.GroupY = placement.GroupY;
  record.GroupWidth = placement.GroupWidth;
  record.GroupHeight = placement.GroupHeight;
  for (size_t i = 0; i < record.Pins.size() && i < placement.PinX.size(); ++i) {
    record.Pins[i]->X = placement.PinX[i];
    record.Pins[i]->Y = placement.PinY[i];
  }
}

}  // namespace

void TAutoPlacer::PrepareRefinement() {
  // The designer's supply capacitors stay parts like any other: no strips are reserved beside
  // powered parts and nothing is set aside to be placed at the end.
  for (const auto& record : Components) {
    record->Flags &= ~(FlagPowered | FlagBypass);
  }
}

void TAutoPlacer::ApplyTuning() {
  if (Tuning.Effort != 1.0) {
    MaxMovesPerPass = ScaledCap(MaxMovesPerPass, Tuning.Effort);
    MaxAcceptedPerPass = ScaledCap(MaxAcceptedPerPass, Tuning.Effort);
  }
  if (!Tuning.Refine) {
    return;
  }
  RefineStart.clear();
  for (const auto& record : Components) {
    RefineStart.push_back(PlacementOf(*record));
  }
  RefineStartLength = SignalHalfPerimeter();
  // Cool exactly as the passes before the first one would have.
  for (int32_t pass = 1; pass < RefineFirstPass; ++pass) {
    CoolDown();
  }
  PassNumber = RefineFirstPass;
  // The coarse alignment grid would pull the designer's parts off their places for nothing: a
  // refinement is judged by net length, density and overlap.
  UseAlignment = false;
  EvaluateAll();
}

void TAutoPlacer::KeepTheBetterPlacement() {
  if (!Tuning.Refine || RefineStart.empty() || SignalHalfPerimeter() <= RefineStartLength) {
    return;
  }
  for (const TRecordPlacement& placement : RefineStart) {
    PutBack(placement);
  }
  EvaluateAll();
}

double TAutoPlacer::SignalHalfPerimeter() const {
  double length = 0.0;
  for (const auto& net : Nets) {
    if (!net || net->Pins.empty() || net->Pins.front() == nullptr) {
      continue;
    }
    int64_t left = net->Pins.front()->X;
    int64_t right = left;
    int64_t bottom = net->Pins.front()->Y;
    int64_t top = bottom;
    for (const TPinRecord* pin : net->Pins) {
      if (pin == nullptr) {
        continue;
      }
      left = std::min<int64_t>(left, pin->X);
      right = std::max<int64_t>(right, pin->X);
      bottom = std::min<int64_t>(bottom, pin->Y);
      top = std::max<int64_t>(top, pin->Y);
    }
    length += static_cast<double>((right - left) + (top - bottom));
  }
  return length;
}
