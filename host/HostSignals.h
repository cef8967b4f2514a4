#pragma once

// Ctrl-C during a run: the handler posts a message to the host's main window (all it may do in a
// signal handler); the window then stops the run as a user would.

#include <windows.h>

// The message posted to `window` on SIGINT (and SIGTERM).
void InstallStopSignals(HWND window, UINT message);
void RemoveStopSignals();
