#pragma once

// The save observer of FileAccess.h, shared by the file writers of both platforms.

#include "FileAccess.h"

namespace Tarnix {

// Thrown inside a writer when the observer stops a save; the writer removes its temporary file.
class ESaveStopped {};

// Tells the observer the step of the save under way; true when it stops the save there.
bool SaveStopsAt(TSaveStep step);

}  // namespace Tarnix
