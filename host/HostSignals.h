#pragma once

// Ctrl-C during a run. While the placer's run listens, the handler posts a message to the host's
// main window (all it may do in a signal handler) and the window stops the run as a user would.
// Before anything is written the process simply ends; while the outputs are written the save asks
// whether to give up. Every way out of a stopped run exits with ExitStopped and saves nothing.

#include <windows.h>

// What a stop signal does at this point of the run.
enum class TStopMode {
  EndProcess,  // nothing is written yet: the process ends at once
  AskRun,      // the run listens for the stop message; one that has not ended StopGraceSeconds
               // after the signal (an import or write-back under way) ends as above
  Saving,      // the outputs are being written: the save sees StopSignalReceived and gives up
};

inline constexpr unsigned StopGraceSeconds = 2;

// The message posted to `window` on SIGINT (and SIGTERM) in AskRun mode. The mode starts as
// EndProcess.
void InstallStopSignals(HWND window, UINT message);
void RemoveStopSignals();
void SetStopMode(TStopMode mode);

// Whether SIGINT or SIGTERM came since the handlers were installed; one that comes as the run ends
// still counts, though the run may have finished before it was seen.
bool StopSignalReceived();
