// The frame of a placement run: the setup that orders the records, builds the groups and takes
// the first cost, and the annealing loop that keeps the host responsive between moves.

#include <windows.h>

#include <cmath>
#include <memory>
#include <utility>

#include "PlaceObj.h"
#include "framework/MessageBoxes.h"
#include "framework/TimeHelpers.h"

namespace {

constexpr int32_t PassCount = 70;
constexpr double StartTemperature = 100000.0;
constexpr WPARAM cmPlacerStopped = 9997;
constexpr WPARAM cmPlacerFinished = 9998;

int32_t Round(double value) {
  return static_cast<int32_t>(std::nearbyint(value));
}

// The decimal logarithm the schedule works with: ln x over a constant slightly above ln 10.
double ScheduleLog10(double x) {
  return std::log(x) / 2.3025851;
}

}  // namespace

void SeedFromClock() {
  LARGE_INTEGER counter{};
  if (QueryPerformanceCounter(&counter)) {
    SetRandomSeed(static_cast<uint32_t>(static_cast<uint64_t>(counter.QuadPart)));
  } else {
    SetRandomSeed(GetTickCount());
  }
}

void TAutoPlacer::Setup() {
  if (Seed) {
    SetRandomSeed(*Seed);
  } else {
    SeedFromClock();
  }
  OverlapWeight = 0.08;
  AlignmentWeight = 0.00005;
  Finished = false;
  StartTime = CaptureTime();
  StartDate = CaptureDate();
  DecideNothingToPlace();
  SetRunDefaults();
  BypassExtents();
  ReserveBypassSpace();
  PartitionComponents();
  SortMovable();
  BuildGroups();
  EvaluateAll();
  CentreGroups();
  MaxMovesPerPass = Round(MovableCount * 100.0);
  MaxAcceptedPerPass = Round(MovableCount * 10.0);
  DrawReady = true;
  LogT0 = ScheduleLog10(Temperature);
  RangeFactor = 1.0;
  RangeX = Round(BoardWidth * 1.0);
  RangeY = Round(BoardHeight * 1.0);
}

void TAutoPlacer::DecideNothingToPlace() {
  NothingToPlace = true;
  for (const auto& record : Components) {
    if (record->Movable == 1) {
      NothingToPlace = false;
    }
  }
  if (ComponentCount < 2) {
    NothingToPlace = true;
  }
}

void TAutoPlacer::SetRunDefaults() {
  AcceptedTotal = 0;
  PassNumber = 1;
  MovesInPass = RejectedInPass = MovesTotal = 0;
  Temperature = StartTemperature;
  UseNetLength = UseDensity = UseAlignment = true;
  CoolingFactor = 0.9;
  RotateAllowed = true;
  AlignmentGrid = StandardAlignmentGrid;
  MoveGrid = 200000;
}

void TAutoPlacer::ExchangeComponents(int32_t a, int32_t b) {
  std::swap(Components[static_cast<size_t>(a - 1)], Components[static_cast<size_t>(b - 1)]);
}

void TAutoPlacer::PartitionComponents() {
  // Bypass capacitors to the end. A locked part that looks like a capacitor (a two-pad part between
  // a power and a ground net, a connector for instance) stays with the fixed records: it must not
  // be placed beside a powered component, and the moves must keep off it.
  BypassCount = 0;
  int32_t i = ComponentCount;
  for (int32_t j = 1; j <= i;) {
    if ((Component(j).Flags & FlagBypass) && Component(j).Movable != 0) {
      ++BypassCount;
      ExchangeComponents(i, j);
      --i;
    } else {
      ++j;
    }
  }
  // Fixed records just before them.
  FixedCount = 0;
  i = ComponentCount - BypassCount;
  for (int32_t j = 1; j <= i;) {
    if (Component(j).Movable != 0) {
      ++j;
    } else {
      ++FixedCount;
      ExchangeComponents(i, j);
      --i;
    }
  }
  MovableCount = ComponentCount - FixedCount - BypassCount;
}

void TAutoPlacer::SortMovable() {
  for (int32_t i = 1; i <= MovableCount; ++i) {
    int32_t smallest = i;
    for (int32_t j = i + 1; j <= MovableCount; ++j) {
      if (Component(j).SortKey < Component(smallest).SortKey) {
        smallest = j;
      }
    }
    ExchangeComponents(i, smallest);
  }
}

void TAutoPlacer::BuildGroups() {
  for (int32_t i = 1; i <= MovableCount; ++i) {
    Component(i).Visited = 0;
  }
  for (int32_t i = 1; i <= MovableCount; ++i) {
    TCompRecord& first = Component(i);
    if (first.Visited) {
      continue;
    }
    first.Visited = 1;
    first.GroupNext = first.GroupPrev = i;
    if (first.GroupId != 0) {
      LinkGroupMembers(i);
    }
    SetGroupBox(i);
  }
}

void TAutoPlacer::LinkGroupMembers(int32_t i) {
  TCompRecord& first = Component(i);
  for (int32_t j = 1; j <= MovableCount; ++j) {
    TCompRecord& member = Component(j);
    if (member.Visited || member.GroupId != first.GroupId) {
      continue;
    }
    // Link j right after i.
    member.GroupNext = first.GroupNext;
    Component(first.GroupNext).GroupPrev = j;
    first.GroupNext = j;
    member.GroupPrev = i;
    member.Visited = 1;
  }
}

void TAutoPlacer::SetGroupBox(int32_t i) {
  const TCompRecord& first = Component(i);
  int32_t right = first.CenterX + first.Width / 2;
  int32_t top = first.CenterY + first.Height / 2;
  int32_t left = first.CenterX - first.Width / 2;
  int32_t bottom = first.CenterY - first.Height / 2;
  for (int32_t m = first.GroupNext; m != i; m = Component(m).GroupNext) {
    const TCompRecord& member = Component(m);
    const double memberRight = member.CenterX + member.Width / 2.0;
    const double memberTop = member.CenterY + member.Height / 2.0;
    const double memberLeft = member.CenterX - member.Width / 2.0;
    const double memberBottom = member.CenterY - member.Height / 2.0;
    if (right < memberRight) {
      right = Round(memberRight);
    }
    if (top < memberTop) {
      top = Round(memberTop);
    }
    if (left > memberLeft) {
      left = Round(memberLeft);
    }
    if (bottom > memberBottom) {
      bottom = Round(memberBottom);
    }
  }
  int32_t m = i;
  do {
    TCompRecord& member = Component(m);
    member.GroupX = right / 2 + left / 2;
    member.GroupY = top / 2 + bottom / 2;
    member.GroupWidth = right - left;
    member.GroupHeight = top - bottom;
    m = member.GroupNext;
  } while (m != i);
}

void TAutoPlacer::CentreGroups() {
  for (int32_t k = 1; k <= MovableCount; ++k) {
    Component(k).Visited = 0;
  }
  const int32_t centreX = BoardLeft / 2 + BoardRight / 2;
  const int32_t centreY = BoardBottom / 2 + BoardTop / 2;
  for (int32_t k = 1; k <= MovableCount; ++k) {
    const TCompRecord& record = Component(k);
    if (!record.Visited && record.GroupId != 0) {
      MoveGroupTo(k, centreX, centreY);
    }
  }
}

void TAutoPlacer::Run() {
  Running = true;
  if (NothingToPlace) {
    WaitForStop();
  } else {
    while (!Finished && !StopRequested) {
      RunPass();
    }
  }
  if (!StopRequested && ViewHandle != nullptr) {
    // Paint the final state at once.
    InvalidateRect(ViewHandle, nullptr, TRUE);
    UpdateWindow(ViewHandle);
  }
  Running = false;
  PostMessageA(ViewHandle, WM_COMMAND, Finished ? cmPlacerFinished : cmPlacerStopped, 0);
}

void TAutoPlacer::WaitForStop() {
  ShowInformation("Auto Place cannot run. No un-locked components.");
  // Keep the host responsive without spinning: sleep in the queue until something arrives.
  PumpMessages();
  while (!StopRequested) {
    WaitMessage();
    PumpMessages();
  }
}

void TAutoPlacer::RunPass() {
  LogPass();
  MovesInPass = 0;
  RejectedInPass = 0;
  while (!PassFinished() && !StopRequested) {
    PumpMessages();
    ++MovesInPass;
    ++MovesTotal;
    AnnealStep();
  }
  if (PassNumber >= PassCount) {
    Finished = true;
  } else {
    ++PassNumber;
  }
  AcceptedTotal += MovesInPass - RejectedInPass;
  if (!StopRequested) {
    CoolDown();
  }
}

bool TAutoPlacer::PassFinished() const {
  return MovesInPass - RejectedInPass > MaxAcceptedPerPass || MovesInPass > MaxMovesPerPass;
}

void TAutoPlacer::PumpMessages() {
  if (StopRequested) {
    return;
  }
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_PAINT) {
      UpdateWindow(message.hwnd);
    } else if (!TranslateMDISysAccel(GetParent(GetParent(ViewHandle)), &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

void TAutoPlacer::LogPass() {
  UpdateElapsed();
  auto record = std::make_unique<TPlacerLogRecord>();
  record->PassNumber = PassNumber;
  record->MovesInPass = MovesInPass;
  record->RejectedInPass = RejectedInPass;
  record->MovesTotal = MovesTotal;
  record->TotalCost = TotalCost();
  record->DensityTerm = DensityTerm();
  record->AlignmentTerm = AlignmentTerm();
  record->OverlapTerm = OverlapTerm();
  record->NetLengthTerm = NetLengthTerm();
  record->Temperature = Temperature;
  record->RangeFactor = RangeFactor;
  record->ElapsedSeconds = Elapsed.Hours * 3600 + Elapsed.Minutes * 60 + Elapsed.Seconds;
  Log.push_back(std::move(record));
}

void TAutoPlacer::UpdateElapsed() {
  if (Finished) {
    return;
  }
  Elapsed = ElapsedSince(StartTime, StartDate, CaptureTime(), CaptureDate());
}
