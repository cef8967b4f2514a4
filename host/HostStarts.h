#pragma once

// Several independent runs of one board from consecutive seeds, each in a process of its own (the
// engine's random generator belongs to its process), a few at a time; the run with the lowest
// final cost is kept: its board, pictures, report and summary become this run's.

#include "HostOptions.h"

// Returns the program's exit code.
int RunStarts(const THostOptions& options);
