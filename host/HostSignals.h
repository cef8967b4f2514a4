#pragma once

// Ctrl-C during a run: the handler posts a message to the host's main window (all it may do in a
// signal handler); the window then stops the run as a user would.

#include <windows.h>

// The message posted to `window` on SIGINT (and SIGTERM).
void InstallStopSignals(HWND window, UINT message);
void RemoveStopSignals();

// Whether SIGINT or SIGTERM came since the handlers were installed; one that comes as the run ends
// still counts, though the run may have finished before it was seen.
bool StopSignalReceived();
