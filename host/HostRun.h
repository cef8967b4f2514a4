#pragma once

// One autoplace run from the command line: open the board, run the placer on it, write the result
// back, save it and the picture, and tell how it went. Returns the program's exit code.

#include "HostOptions.h"

int RunAutoplace(const THostOptions& options);
