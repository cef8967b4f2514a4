#pragma once

// How autoplace's default efforts shrink on large boards. The moves of a run grow with its parts,
// so that three times the standard moves and a polish at ten times would keep a board of 20,000
// parts busy for hours. Up to 1,000 movable parts the defaults hold; above, the run's effort is
// 3,000 / parts (at least 1: the standard run) and the polish's 10,000 / parts (at least 1.5).
// A unit of the polish's effort costs about a third of the run's in CPU time (it moves parts in
// the cool end of the schedule only; measured on generated boards of 2,000 and 5,000 parts), so
// that from about 6,700 parts a default run lasts about 1.5 times the standard one, never twice.
// Efforts given on the command line are kept as they are.

#include <string>

#include "HostOptions.h"

struct TDefaultEfforts {
  double Effort;        // of the run
  double RefineEffort;  // of the polish after it, and of --refine
};

inline constexpr int FullEffortParts = 1000;
inline constexpr double LeastScaledEffort = 1.0;
inline constexpr double LeastScaledRefineEffort = 1.5;

TDefaultEfforts DefaultEffortsFor(int movableParts);

// Sets the efforts the command line left to the defaults (none with --specified) for a board of
// that many movable parts. Returns what it chose in place of the defaults and why, for the
// summary; "" when the defaults hold.
std::string ApplyDefaultEfforts(THostOptions& options, int movableParts);
