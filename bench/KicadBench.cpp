// Reading and writing the largest KiCad demo board (about 7 MB, 189 footprints): opening it into
// the editor, and saving it after every footprint was moved and turned a quarter, as a placement
// does.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TarnixHost.h"
#include "pcb/PCBProcs.h"
#include "pcb/PcbclassObjects.h"

namespace {

const std::string BoardFile = "/usr/share/kicad/demos/video/video.kicad_pcb";

uint32_t Open() {
  char message[512] = {};
  return Tarnix_OpenBoard(BoardFile.c_str(), message, sizeof message);
}

std::vector<uint32_t> Components(uint32_t board) {
  std::vector<uint32_t> handles;
  for (const TLayerNumber side : {TopLayer, BottomLayer}) {
    const uint32_t iterator = Pcb::CreateIterator(board, ComponentObject, 0, side);
    for (uint32_t handle = PcbApi_GetFirstObject(iterator); handle != 0;
         handle = PcbApi_GetNextObject(iterator))
      handles.push_back(handle);
    Pcb::DestroyIterator(iterator);
  }
  return handles;
}

void BM_ReadLargestDemoBoard(benchmark::State& state) {
  for (auto _ : state) {
    const uint32_t board = Open();
    if (board == 0) {
      state.SkipWithError(("cannot open " + BoardFile).c_str());
      break;
    }
    state.PauseTiming();
    Tarnix_CloseBoard(board);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(BoardFile)));
}
BENCHMARK(BM_ReadLargestDemoBoard)->Unit(benchmark::kMillisecond);

void BM_WriteLargestDemoBoardPlaced(benchmark::State& state) {
  const uint32_t board = Open();
  if (board == 0) {
    state.SkipWithError(("cannot open " + BoardFile).c_str());
    return;
  }
  for (const uint32_t handle : Components(board)) {
    TPcbComponent component(handle);
    component.Sync(PcbApi_ModeRead);
    component.X += 1270000;  // 127 mil
    component.Rotation += 90;
    component.Sync(PcbApi_ModeWriteFinal);
  }
  const std::string target =
      (std::filesystem::temp_directory_path() / "kicad_bench.kicad_pcb").string();
  for (auto _ : state) {
    char message[512] = {};
    if (Tarnix_SaveBoard(board, target.c_str(), message, sizeof message) != 0) {
      state.SkipWithError(message);
      break;
    }
  }
  Tarnix_CloseBoard(board);
  std::filesystem::remove(target);
}
BENCHMARK(BM_WriteLargestDemoBoardPlaced)->Unit(benchmark::kMillisecond);

}  // namespace
