// The board import: the driver that turns the board of a PCB document into the engine's records,
// in a fixed order of steps.

#include <cmath>

#include "import/PrePlace.h"
#include "import/PrePlaceGrouping.h"
#include "import/PrePlaceSteps.h"

namespace {

constexpr int32_t DensityCellSize = 2560000;   // 256 mil
constexpr int32_t OccupancyCellSize = 640000;  // 64 mil
constexpr double StartTemperature = 100000.0;
constexpr double ImportCoolingFactor = 0.85;

// The highest cell index of a grid over a length: round(length / cell size) + 1, ties to even.
int32_t HighestCell(int32_t length, int32_t cellSize) {
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(length) / cellSize)) + 1;
}

// A grid spans indices 0..cols and 0..rows. An area drawn backwards (a right edge left of the left
// edge) gives negative indices: that grid stays empty, and the engine leaves it unused.
void AllocateGrid(TCellGrid& grid, int32_t cols, int32_t rows) {
  if (cols >= 0 && rows >= 0)
    grid.Allocate(cols, rows);
}

void SetPlacementArea(TAutoPlacer& engine, const TPlacementArea& area) {
  engine.BoardLeft = area.X1;
  engine.BoardBottom = area.Y1;
  engine.BoardRight = area.X2;
  engine.BoardTop = area.Y2;
  engine.BoardWidth = Saturated(int64_t{area.X2} - area.X1);
  engine.BoardHeight = Saturated(int64_t{area.Y2} - area.Y1);
}

}  // namespace

void AllocateEngineArrays(int32_t keepOuts, int32_t nets, int32_t components) {
  TAutoPlacer& engine = *ImportContext().Engine;
  engine.KeepOutCount = keepOuts;
  engine.KeepOuts.resize(static_cast<size_t>(keepOuts));
  engine.NetCount = nets;
  engine.Nets.resize(static_cast<size_t>(nets));
  engine.ComponentCount = components;
  engine.Components.resize(static_cast<size_t>(components));

  engine.DensityCellSize = DensityCellSize;
  engine.DensityCols = HighestCell(engine.BoardWidth, DensityCellSize);
  engine.DensityRows = HighestCell(engine.BoardHeight, DensityCellSize);
  AllocateGrid(engine.Density, engine.DensityCols, engine.DensityRows);

  engine.OccupancyCellSize = OccupancyCellSize;
  engine.OccupancyCols = HighestCell(engine.BoardWidth, OccupancyCellSize);
  engine.OccupancyRows = HighestCell(engine.BoardHeight, OccupancyCellSize);
  AllocateGrid(engine.Occupancy[TopLayer], engine.OccupancyCols, engine.OccupancyRows);
  AllocateGrid(engine.Occupancy[BottomLayer], engine.OccupancyCols, engine.OccupancyRows);
}

void SetEngineParameters() {
  TAutoPlacer& engine = *ImportContext().Engine;
  engine.Temperature = StartTemperature;
  engine.CoolingFactor = ImportCoolingFactor;
  engine.RotateAllowed = engine.Board->RotateComponents;
  engine.MoveGrid = engine.Board->PlacementGrid;
}

void TAutoPlacer::ImportBoard(uint32_t boardHandle) {
  BeginImport(*this, boardHandle);
  DrawReady = false;
  Running = false;
  StopRequested = false;
  NothingToPlace = true;

  Board = MakeOwned<TBoard>(boardHandle);
  Board->Sync(PcbApi_ModeRead);
  SystemOptions = MakeOwned<TPcbSystemOptions>();
  SystemOptions->Sync(PcbApi_ModeRead);

  SetPlacementArea(*this, FindPlacementArea());
  ResetGroupIndices();
  // A refinement keeps the designer's arrangement: no groups are formed or moved aside.
  if (Board->GroupComponents && !Tuning.Refine)
    GroupComponents();

  NumberNets();
  NumberComponents();
  const int32_t keepOuts = CountKeepOuts();
  const int32_t components = CountComponents();
  const int32_t signalNets = ClassifyNets();
  AllocateEngineArrays(keepOuts, signalNets, components);
  // The records read the component, pad and net numbers kept in the Tags; the classification
  // then replaces the component numbers, so it comes after them.
  // The pin records note which pads are on supply nets, so the lists come first.
  BuildSupplyNetLists();
  BuildComponentRecords();
  BuildNetRecords();
  BuildKeepOutRects();
  ClassifyComponents();
  CopyComponentFlags();
  if (Tuning.Refine)
    PrepareRefinement();

  Setup();
  SetEngineParameters();
  ApplyTuning();
  Board->Sync(PcbApi_ModeWrite);
}
