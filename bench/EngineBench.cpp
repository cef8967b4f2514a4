// Moves per second of the annealing engine on synthetic boards, and whole runs with the share of
// time that goes into pumping the message queue between moves.

#include <benchmark/benchmark.h>
#include <platform_host.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <new>

#include "SyntheticBoard.h"
#include "engine/PlaceObj.h"

// Every allocation of the process is counted, so that the benchmark can show how many the moves
// make.
namespace {
std::atomic<uint64_t> Allocations{0};
}  // namespace

// The replacements pair malloc with free themselves; GCC, seeing them inlined into callers that
// use new and delete, would take that for a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) {
    return memory;
  }
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t /*size*/) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t /*size*/) noexcept {
  std::free(memory);
}
#pragma GCC diagnostic pop

namespace {

constexpr uint32_t BoardSeed = 20261209;

// Anneals the board for a number of passes, as the run loop does but without pumping messages,
// and with a tenth of the moves per pass, which is enough to bring the connections together.
void AnnealPasses(TAutoPlacer& placer, int passes) {
  placer.MaxMovesPerPass = 10 * placer.MovableCount;
  placer.MaxAcceptedPerPass = placer.MovableCount;
  for (int pass = 0; pass < passes; ++pass) {
    placer.MovesInPass = placer.RejectedInPass = 0;
    while (!placer.PassFinished()) {
      ++placer.MovesInPass;
      placer.AnnealStep();
    }
    placer.CoolDown();
  }
}

// One random move plus the run loop's decision to keep or undo it, on the board as it was built
// (random placement, long connections, the widest window) and after 35 and 60 passes of annealing
// (shorter connections, narrower windows, more moves undone): the late passes make most of the
// moves of a run. Counts the allocations the moves make, too.
void BM_Moves(benchmark::State& state) {
  TAutoPlacer placer;
  TSyntheticBoard(static_cast<int32_t>(state.range(0)), BoardSeed).Build(placer);
  SetRandomSeed(1);
  AnnealPasses(placer, static_cast<int>(state.range(1)));
  placer.RejectedInPass = 0;
  const uint64_t allocationsBefore = Allocations.load();
  for (auto _ : state) {
    placer.AnnealStep();
  }
  state.counters["allocs/move"] = static_cast<double>(Allocations.load() - allocationsBefore) /
                                  static_cast<double>(state.iterations());
  state.counters["moves/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["undone"] =
      static_cast<double>(placer.RejectedInPass) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Moves)
    ->ArgsProduct({{100, 1000}, {0, 35, 60}})
    ->Args({5000, 0})
    ->Args({5000, 35})
    ->ArgNames({"components", "passes"})
    ->Unit(benchmark::kMicrosecond);

// The pins of the signal nets of a movable component picked at random, as a move picks it: what
// the cost of one move should grow with, rather than with the size of the board.
double MeanNetPinsPerPick(const TAutoPlacer& placer) {
  double pins = 0;
  for (int32_t k = 1; k <= placer.MovableCount; ++k) {
    for (const TNetRecord* net : placer.Component(k).SignalNets) {
      pins += net->PinCount;
    }
  }
  return placer.MovableCount > 0 ? pins / placer.MovableCount : 0.0;
}

// The mean number of density cells a tree connection crosses: every cell holds the number of
// connections crossing it.
double MeanCellsPerConnection(const TAutoPlacer& placer) {
  double crossings = 0;
  for (int32_t col = 0; col <= placer.Density.Cols; ++col) {
    for (int32_t row = 0; row <= placer.Density.Rows; ++row) {
      crossings += placer.Density.At(col, row);
    }
  }
  double connections = 0;
  for (const auto& net : placer.Nets) {
    connections += net->PinCount > 1 ? net->PinCount - 1 : 0;
  }
  return connections > 0 ? crossings / connections : 0.0;
}

// Moves against the size of the board, from 100 to 20,000 components, fresh and after 20 passes:
// the time of a move divided by the pins of the picked component's nets should stay level.
void BM_MovesScaling(benchmark::State& state) {
  TAutoPlacer placer;
  TSyntheticBoard(static_cast<int32_t>(state.range(0)), BoardSeed).Build(placer);
  SetRandomSeed(1);
  AnnealPasses(placer, static_cast<int>(state.range(1)));
  const double netPins = MeanNetPinsPerPick(placer);
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    placer.AnnealStep();
  }
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  const auto moves = static_cast<double>(state.iterations());
  state.counters["moves/s"] = benchmark::Counter(moves, benchmark::Counter::kIsRate);
  state.counters["net pins"] = netPins;
  state.counters["ns/pin"] = seconds * 1e9 / (moves * netPins);  // CPU time per move and net pin
  // Retracing a connection costs a step per cell: on these boards, whose nets join pins spread
  // over the whole board, connections grow with the board's side.
  state.counters["cells/link"] = MeanCellsPerConnection(placer);
}
BENCHMARK(BM_MovesScaling)
    ->ArgsProduct({{100, 1000, 5000, 20000}, {0, 20}})
    ->ArgNames({"components", "passes"})
    ->Unit(benchmark::kMicrosecond);

LRESULT CALLBACK ViewProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeView() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ViewProcedure;
    windowClass.lpszClassName = "BenchView";
    RegisterClassA(&windowClass);
    registered = true;
  }
  return CreateWindowExA(0, "BenchView", "", 0, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
}

// The cost of one PumpMessages on a quiet queue with the view's repaint timer running.
double PumpSeconds(TAutoPlacer& placer) {
  constexpr int Calls = 200000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < Calls; ++i) {
    placer.PumpMessages();
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / Calls;
}

// A whole run of 70 passes, the setup included.
void BM_Run(benchmark::State& state) {
  const HWND view = MakeView();
  SetTimer(view, 1, 2500, nullptr);
  double moves = 0;
  double pumpShare = 0;
  for (auto _ : state) {
    TAutoPlacer placer;
    TSyntheticBoard(static_cast<int32_t>(state.range(0)), BoardSeed).Build(placer);
    placer.ViewHandle = view;
    placer.Seed = 7;
    const auto start = std::chrono::steady_clock::now();
    placer.Setup();
    placer.Run();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    moves = placer.MovesTotal;
    pumpShare = PumpSeconds(placer) * moves / seconds;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  KillTimer(view, 1);
  DestroyWindow(view);
  state.counters["moves"] = moves;
  state.counters["pump share"] = pumpShare;
}
BENCHMARK(BM_Run)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
