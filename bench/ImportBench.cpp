// The board import on the realistic example board and on a generated board of 500 parts, with the
// grouping on and off. Each import gets the board freshly opened from its file: the import changes
// the PCB document (tags, group numbers, and with grouping the positions of grouped parts).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "TarnixHost.h"
#include "engine/PlacerBoard.h"
#include "import/PrePlace.h"

namespace {

uint32_t OpenBoard(const std::string& fileName, bool grouping) {
  char message[512] = {};
  const uint32_t handle = Tarnix_OpenBoard(fileName.c_str(), message, sizeof message);
  if (handle == 0)
    return 0;
  TBoard board(handle);
  board.Sync(PcbApi_ModeRead);
  board.GroupComponents = grouping;
  board.Sync(PcbApi_ModeWrite);
  return handle;
}

// state.range(0): grouping off (0) or on (1).
void ImportFile(benchmark::State& state, const std::string& fileName) {
  const bool grouping = state.range(0) != 0;
  int32_t components = 0;
  int32_t nets = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const uint32_t handle = OpenBoard(fileName, grouping);
    if (handle == 0) {
      state.SkipWithError(("cannot open " + fileName).c_str());
      break;
    }
    auto engine = std::make_unique<TAutoPlacer>();
    engine->Seed = 1;
    state.ResumeTiming();

    engine->ImportBoard(handle);

    state.PauseTiming();
    components = engine->ComponentCount;
    nets = engine->NetCount;
    engine.reset();
    Tarnix_CloseBoard(handle);
    state.ResumeTiming();
  }
  state.counters["components"] = components;
  state.counters["nets"] = nets;
}

void BM_ImportRealistic(benchmark::State& state) {
  ImportFile(state, EXAMPLES_DIR "/realistic.pcb");
}
BENCHMARK(BM_ImportRealistic)->ArgName("grouping")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Import500(benchmark::State& state) {
  ImportFile(state, BOARD500_PATH);
}
BENCHMARK(BM_Import500)->ArgName("grouping")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
