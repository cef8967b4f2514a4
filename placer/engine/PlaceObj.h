#pragma once

// TAutoPlacer: the placement engine. One object holds the whole state of one placement run; the
// import fills its records, the run loop anneals them, the document reads the result back.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "CellGrid.h"
#include "MoveJournal.h"
#include "OwnedPtr.h"
#include "PlaceObjRecords.h"
#include "RunTuning.h"
#include "framework/TimeStamps.h"

// Window handles are opaque pointers, declared the way the platform header declares them.
struct HWND__;
using HWND = HWND__*;

class TBoard;
class TPcbSystemOptions;
class TCanvas;
class TFixedIndex;
class TBypassObstacles;

// Move kinds, the values of TAutoPlacer::LastMoveKind.
inline constexpr uint8_t MoveRotation = 0;
inline constexpr uint8_t MoveSwap = 1;
inline constexpr uint8_t MoveDisplacement = 2;

struct TDrawRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// The process-wide random generator: a 32-bit linear congruential generator.
void SetRandomSeed(uint32_t seed);
uint32_t RandomSeed();
int32_t RandomInt(int32_t n);            // 0..n-1; 0 when n is 0
uint32_t RandomIntUnsigned(uint32_t n);  // the same draw for a count taken as unsigned
double RandomUnit();                     // [0, 1)
void SeedFromClock();

class TAutoPlacer {
 public:
  TAutoPlacer();
  ~TAutoPlacer();
  TAutoPlacer(const TAutoPlacer&) = delete;
  TAutoPlacer& operator=(const TAutoPlacer&) = delete;

  // Records by their 1-based numbers (positions after the setup's reordering).
  TCompRecord& Component(int32_t k) { return *Components[static_cast<size_t>(k - 1)]; }
  const TCompRecord& Component(int32_t k) const { return *Components[static_cast<size_t>(k - 1)]; }
  TNetRecord& Net(int32_t n) { return *Nets[static_cast<size_t>(n - 1)]; }
  const TNetRecord& Net(int32_t n) const { return *Nets[static_cast<size_t>(n - 1)]; }

  // Board import: reads the board of a PCB document into this fresh engine.
  void ImportBoard(uint32_t boardHandle);

  // Setup and run loop.
  void Setup();
  void Run();
  void PumpMessages();
  bool PassFinished() const;
  void LogPass();
  void UpdateElapsed();
  void SortMovable();
  void BuildGroups();
  void CentreGroups();

  // One step of a pass: a random move, kept or undone by its change of cost and the acceptance
  // test. Counts a rejected move in RejectedInPass.
  void AnnealStep();

  // Cost.
  double TotalCost() const;
  double NetLengthTerm() const;
  double DensityTerm() const;
  double OverlapTerm() const;
  double AlignmentTerm() const;
  void EvaluateAll();
  void EvaluateOverlap();
  void MarkNets(int32_t k);
  void UnmarkNets(int32_t k);
  void RemoveContribution(int32_t k);
  void AddContribution(int32_t k);
  void UpdateOccupancy(int32_t k, bool add);
  void BuildNetTree(int32_t n);
  void TraceConnection(int32_t n, int32_t j, bool add);
  double AlignDist(int32_t k) const;

  // Moves and undo.
  void MakeRandomMove(int32_t& k, int32_t& p, uint8_t& kind);
  bool ChooseDisplacement(int32_t k, int32_t& x, int32_t& y);
  int32_t ChooseRotation(int32_t k);
  int32_t ChoosePartner(int32_t k);
  void MoveGroupTo(int32_t k, int32_t x, int32_t y);
  void MoveSingleTo(int32_t k, int32_t x, int32_t y);
  void MoveRingTo(int32_t k, int32_t x, int32_t y);
  void SwapGroups(int32_t a, int32_t b);
  void RotateGroup(int32_t q, int32_t k);
  void RotateSingle(int32_t q, int32_t k);
  void RotateRing(int32_t q, int32_t k);
  void RotateAboutGroup(int32_t q, int32_t m);
  void RotateAboutOrigin(int32_t q, int32_t m);
  void PlaceCentreAt(int32_t k, int32_t cx, int32_t cy);
  bool Blocked(int32_t x, int32_t y, int32_t w, int32_t h) const;
  // Bins the fixed footprints for Blocked; done by every full evaluation. Fixed records do not
  // move, so the bins hold until the records are partitioned again.
  void IndexFixedComponents();

  // Acceptance and schedule.
  double AcceptanceProbability() const;
  bool AcceptWorse();
  void CoolDown();

  // Tuning of a run beyond the standard schedule (effort, refinement).
  void PrepareRefinement();
  void ApplyTuning();
  void KeepTheBetterPlacement();
  double SignalHalfPerimeter() const;

  // Bypass capacitors.
  void BypassExtents();
  void ReserveBypassSpace();
  bool StripFitsArea(const TCompRecord& component) const;
  void PlaceBypassCapacitors();

  // Progress drawing: the placement onto the view's canvas, scaled to the view's client area, and
  // the progress line in the host's status bar. Board coordinates are taken as 64-bit values so
  // that cells and footprints at the edge of the range cannot overflow.
  void Draw(TCanvas* canvas);
  void ShowProgressText();
  void FitDrawRect();
  void DrawBoardRect(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
  void DrawBoardLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
  void DrawDensityCell(int32_t c, int32_t r);
  uint32_t LayerColor(uint8_t layer) const;  // a colour value in the platform's RGB layout

  // Fields, in the order the engine's state is described.
  HWND ViewHandle = nullptr;
  TOwnedPtr<TBoard> Board = NoOwnedObject<TBoard>();
  bool DrawReady = false;
  int32_t BoardLeft = 0;
  int32_t BoardBottom = 0;
  int32_t BoardRight = 0;
  int32_t BoardTop = 0;
  int32_t BoardWidth = 0;
  int32_t BoardHeight = 0;
  int32_t KeepOutCount = 0;
  std::vector<std::unique_ptr<TKeepOutRect>> KeepOuts;
  int32_t NetCount = 0;
  std::vector<std::unique_ptr<TNetRecord>> Nets;
  int32_t ComponentCount = 0;
  int32_t FixedCount = 0;
  int32_t MovableCount = 0;
  int32_t BypassCount = 0;
  std::vector<std::unique_ptr<TCompRecord>> Components;
  int32_t DensityCellSize = 0;
  int32_t DensityCols = 0;
  int32_t DensityRows = 0;
  TCellGrid Density;
  int32_t OccupancyCellSize = 0;
  int32_t OccupancyCols = 0;
  int32_t OccupancyRows = 0;
  TLayerGrids Occupancy;
  TOwnedPtr<TPcbSystemOptions> SystemOptions = NoOwnedObject<TPcbSystemOptions>();
  std::vector<std::unique_ptr<TPlacerLogRecord>> Log;
  bool UseAutoPcbUpdate = false;
  bool Running = false;
  bool StopRequested = false;
  bool UseNetLength = false;
  bool UseDensity = false;
  bool UseAlignment = false;
  bool RotateAllowed = false;
  static constexpr int32_t StandardAlignmentGrid = 5000000;  // what every run sets
  int32_t AlignmentGrid = 0;
  int32_t MoveGrid = 0;
  double LogT0 = 0.0;
  double RangeFactor = 0.0;
  double CoolingFactor = 0.0;
  double Temperature = 0.0;
  int32_t DensityCost = 0;
  double NetLengthCost = 0.0;
  double AlignmentCost = 0.0;
  double OverlapCost = 0.0;
  double CostBefore = 0.0;
  // The terms TotalCost last summed, and their sum.
  mutable bool LastCostKnown = false;
  mutable std::array<double, 4> LastCostTerms{};
  mutable double LastCostSum = 0.0;
  double OverlapWeight = 0.0;
  double AlignmentWeight = 0.0;
  double CostDelta = 0.0;
  int32_t MaxMovesPerPass = 0;
  int32_t MaxAcceptedPerPass = 0;
  int32_t RejectedInPass = 0;
  int32_t AcceptedTotal = 0;
  int32_t MovesInPass = 0;
  int32_t MovesTotal = 0;
  int32_t PassNumber = 0;
  int32_t UndoRotation = 0;
  int32_t UndoX = 0;
  int32_t UndoY = 0;
  int32_t RangeX = 0;
  int32_t RangeY = 0;
  int32_t BypassLong = 0;
  int32_t BypassShort = 0;
  int32_t MarginX = 0;
  int32_t MarginY = 0;
  uint8_t LastMoveKind = 0;
  bool Finished = false;
  bool NothingToPlace = false;
  double ScaleX = 0.0;
  double ScaleY = 0.0;
  TDrawRect DrawRect;
  TElapsedTime Elapsed;
  TTimeStamp StartTime;
  TDateStamp StartDate;
  TCanvas* Canvas = nullptr;  // borrowed from the view for one Draw call

  // A fixed seed for repeatable runs; without one the setup seeds from the clock.
  std::optional<uint32_t> Seed;
  TRunTuning Tuning;
  // The placement a refinement started from, and its signal half-perimeter length.
  std::vector<TRecordPlacement> RefineStart;
  double RefineStartLength = 0.0;

  // What the move of the current annealing step changed in the cost, for taking it back.
  TMoveJournal Journal;
  std::unique_ptr<TFixedIndex> FixedIndex;  // made by the first full evaluation

 private:
  // Steps of the setup and the run loop.
  void DecideNothingToPlace();
  void SetRunDefaults();
  void ExchangeComponents(int32_t a, int32_t b);
  void PartitionComponents();
  void LinkGroupMembers(int32_t i);
  void SetGroupBox(int32_t i);
  void WaitForStop();
  void RunPass();
  void UndoMove(int32_t k, int32_t p);

  // Taking a rejected move back: the groups are put back by the inverse change of positions alone
  // (integer arithmetic, exact), the cost by writing back what the journal kept.
  void ShiftGroupTo(int32_t k, int32_t x, int32_t y);
  void TurnGroup(int32_t q, int32_t k);
  void RollBackCost();

  // RemoveContribution and AddContribution as a move uses them, always in pairs around the change
  // of positions: the nets' density lines are left on the grid by the first and only those whose
  // cells change are re-traced by the second. The terms come out exactly the same.
  void WithdrawContribution(int32_t k);
  void RestoreContribution(int32_t k);
  // The same for a lone component, whose footprint comes off and goes back with nothing else
  // changing in between: only the occupancy cells it leaves or enters are counted, the others
  // would lose and regain one footprint with no change of overlap.
  void WithdrawAlone(int32_t k);
  void RestoreAlone(int32_t k);
  // The same for a member of a group whose footprints are all one-sided or all on both sides:
  // the overlap change of a cell then depends only on its counts before and after the move, not
  // on the order in which the members' footprints come off and go back.
  void WithdrawMember(int32_t k);
  void RestoreMember(int32_t k);

  // The capacitors placed so far in the strip beside one powered component: slots a capacitor's
  // long side apart, from the middle of the strip outward, each end growing until it meets
  // something.
  struct TStripRow {
    bool MiddleTried = false;
    int32_t Next[2] = {1, 1};  // slot numbers away from the middle: towards +X or +Y, and back
    bool Open[2] = {true, true};
  };
  bool PlaceInStrip(int32_t c, int32_t host, TStripRow& row);
  bool SlotTaken(int32_t host, int32_t x, int32_t y, int32_t w, int32_t h) const;
  void PlaceBesideNetNeighbours(int32_t c, const std::vector<uint32_t>& nets);
  bool SpotTaken(int32_t c, int32_t x, int32_t y) const;
  void PlaceOnFreeSpot(int32_t c, int32_t x, int32_t y);
  // What the capacitor being placed may not land on; set while PlaceBypassCapacitors runs.
  const TBypassObstacles* BypassObstacles = nullptr;
};

// Turns (x, y) by q quarter turns counter-clockwise about the origin; other q leave it unchanged.
void RotatePoint(int32_t& x, int32_t& y, int32_t q);
