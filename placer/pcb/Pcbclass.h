#pragma once

// The mirrors of the PCB access layer in one include: the primitive mirrors, and the board with
// its layer stack and the system options as they arrive.

#include "pcb/PcbclassObjects.h"
#include "pcb/PcbclassBoard.h"
#include "pcb/PcbclassOptions.h"
