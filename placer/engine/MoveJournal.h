#pragma once

// What one annealing move changed in the cost, kept so that a rejected move is taken back by
// writing the old values back instead of updating the cost a second time. Every term is exact
// (whole numbers in doubles, integer cells), so the restored state is bit for bit the one an
// incremental undo would reach.

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
  std::vector<TNetRecord*> Nets;  // nets whose trees were saved in this move
  std::vector<TTracedChange> Traces;
};
