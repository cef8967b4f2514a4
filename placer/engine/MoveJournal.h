#pragma once

// What one annealing move changed in the cost, kept so that a rejected move is taken back by
// writing the old values back, or subtracting what was added, instead of updating the cost a
// second time. Every term is exact (whole numbers in doubles, integer cells), so the restored
// state is bit for bit the one an incremental undo would reach.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "PlaceObjRecords.h"

// A grid counter and the value it held before the move wrote it.
struct TCellChange {
  int32_t* Cell;
  int32_t Old;
};

// A run of grid counters, one after the other, that all had the same amount added.
struct TRunChange {
  int32_t* First;
  int32_t Count;
  int32_t Added;
};

// A net's traced connection and what it held before the move rewrote it.
struct TTracedChange {
  TNetWorkspace* Work;
  int32_t Key;
  TTracedPin Old;
};

class TMoveJournal {
 public:
  // Starts a move: forgets the previous one. Keeps its memory, so that after the first moves
  // recording allocates nothing.
  void Begin(int32_t densityCost, double netLengthCost, double alignmentCost, double overlapCost) {
    Recording = true;
    ++Generation;
    CellCount = 0;
    Runs.clear();
    Nets.clear();
    Traces.clear();
    DensityCost = densityCost;
    NetLengthCost = netLengthCost;
    AlignmentCost = alignmentCost;
    OverlapCost = overlapCost;
  }
  void End() { Recording = false; }

  // Room for the notes of the next count grid counters a walk writes; the walk fills every one
  // of them through the pointer, without a check per counter. The caller checks Recording first.
  TCellChange* CellRoom(size_t count) {
    if (Cells.size() - CellCount < count) {
      Cells.resize(std::max(2 * Cells.size(), CellCount + count));
    }
    TCellChange* room = Cells.data() + CellCount;
    CellCount += count;
    return room;
  }

  // Keeps room for count cell notes, so that moves that write fewer allocate nothing.
  void ReserveCells(size_t count) { Cells.resize(std::max(Cells.size(), count)); }

  // Puts every noted cell back, the last written first, and forgets them.
  void RestoreCells() {
    while (CellCount > 0) {
      const TCellChange& change = Cells[--CellCount];
      *change.Cell = change.Old;
    }
  }

  // Notes that count counters from first have had added added to each; the caller checks
  // Recording first. Taking the move back subtracts it again. A grid whose counters are noted
  // this way must not also have single counters noted: the two kinds are put back apart.
  void NoteRun(int32_t* first, int32_t count, int32_t added) {
    Runs.push_back(TRunChange{first, count, added});
  }

  // Takes every noted run's addition back, the last added first, and forgets them.
  void RestoreRuns() {
    for (auto run = Runs.rbegin(); run != Runs.rend(); ++run) {
      // Copies, since the counters written might otherwise be taken to alias the note.
      int32_t* counter = run->First;
      const int32_t count = run->Count;
      const int32_t added = run->Added;
      for (int32_t i = 0; i < count; ++i) {
        counter[i] -= added;
      }
    }
    Runs.clear();
  }

  // Notes a traced connection about to be rewritten; the caller checks Recording first.
  void NoteTrace(TNetWorkspace& work, int32_t key) {
    Traces.push_back(TTracedChange{&work, key, work.TracedPins[static_cast<size_t>(key)]});
  }

  // Puts every noted traced connection back, the last written first, and forgets them.
  void RestoreTraces() {
    for (auto change = Traces.rbegin(); change != Traces.rend(); ++change) {
      change->Work->TracedPins[static_cast<size_t>(change->Key)] = change->Old;
    }
    Traces.clear();
  }

  bool Recording = false;
  uint32_t Generation = 0;  // the move being recorded; a net saved in it carries the same number
  int32_t DensityCost = 0;
  double NetLengthCost = 0.0;
  double AlignmentCost = 0.0;
  double OverlapCost = 0.0;
  std::vector<TCellChange> Cells;  // the first CellCount hold the notes of the move
  size_t CellCount = 0;
  std::vector<TRunChange> Runs;   // the occupancy grids' runs of the move
  std::vector<TNetRecord*> Nets;  // nets whose trees were saved in this move
  std::vector<TTracedChange> Traces;
};
