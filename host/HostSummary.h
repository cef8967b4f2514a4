#pragma once

// What the host can tell about a board from the text of its JSON form: components (movable, locked,
// capacitors between a power net and a ground net, the ones the placer may set aside beside a
// powered part) and overlapping footprints (pairs on the same side whose bounding rectangles
// intersect).

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "HostDecoupling.h"

struct TBoardFigures {
  std::string PowerNets;  // the placer's supply nets, names separated by blanks
  std::string GroundNets;
  int Components = 0;
  int Movable = 0;
  int Locked = 0;
  int SupplyCapacitors = 0;
  int Overlaps = 0;
  TDecouplingFigures Decoupling;
  int Outside = -1;  // parts not whole inside the outline, as the editor judges; -1 unknown
  // Every component's place and whether it is locked, in board order.
  struct TPlace {
    bool Locked;
    double X, Y, Rotation;
    bool operator==(const TPlace&) const = default;
  };
  std::vector<TPlace> Places;
};

// The locked components whose place or rotation differs between two measures of one board.
int LockedPartsChanged(const TBoardFigures& before, const TBoardFigures& after);

// What the host did about the board's outline around the run.
struct TOutlineSteps {
  bool EdgePartsHeld = false;  // false with --move-edge-parts
  int Held = 0;
  std::string HeldNames;
  int Pulled = 0;
  int Stuck = 0;
  std::string StuckNames;
  bool Legalised = false;  // the clean finish ran
  int Moved = 0;           // parts it moved off others
  int NoRoom = 0;          // parts it found no room for, left overlapping
  std::string NoRoomNames;
  bool Detailed = false;       // the detailed placement ran
  int DetailChanges = 0;       // moves, turns and swaps it kept
  int DetailRounds = 0;        // rounds over the parts
  bool Decoupled = false;      // supply capacitors were moved beside their chips where far
  int CapacitorsMoved = 0;     // of them, moved
  int CapacitorsWithChip = 0;  // supply capacitors with a chip on their power net
};

// The figures of a board's text, parsed (a discarded value when it could not be); false when it
// is not a board.
bool MeasureParsedBoard(const nlohmann::json& board, TBoardFigures& figures);

struct TRunSummary {
  TBoardFigures Before;
  TBoardFigures After;
  double LengthBefore = 0;  // mils
  double LengthAfter = 0;
  std::string Progress;  // the placer's last progress text (elapsed, optimization, moves)
  double Seconds = 0;
  std::string Output;
  std::string Notes;  // what reading the board approximated, a note a line
  TOutlineSteps Outline;
};

void PrintSummary(std::FILE* stream, const TRunSummary& summary);
