// Ctrl-C during a run on Windows: the console's control handler runs on a thread of its own and
// posts the stop message to the host's main window (posting is safe from any thread).

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "HostOptions.h"
#include "HostSignals.h"

namespace {

HWND StopWindow = nullptr;
UINT StopMessage = 0;
std::atomic<bool> StopSignalled = false;
std::atomic<TStopMode> Mode = TStopMode::EndProcess;

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  StopSignalled = true;
  const TStopMode mode = Mode;
  if (mode == TStopMode::EndProcess) {
    std::fputs("\nautoplace: stopped; nothing was saved\n", stderr);
    ExitProcess(ExitStopped);
  }
  if (mode == TStopMode::AskRun) {
    PostMessageA(StopWindow, StopMessage, 0, 0);
    // The handler runs on a thread of its own: it can wait out the grace itself.
    Sleep(StopGraceSeconds * 1000);
    if (Mode == TStopMode::AskRun) {
      std::fputs("\nautoplace: stopped; nothing was saved\n", stderr);
      ExitProcess(ExitStopped);
    }
  }
  return TRUE;
}

}  // namespace

void InstallStopSignals(HWND window, UINT message) {
  StopWindow = window;
  StopMessage = message;
  Mode = TStopMode::EndProcess;
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void RemoveStopSignals() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

void SetStopMode(TStopMode mode) {
  Mode = mode;
}

bool StopSignalReceived() {
  return StopSignalled;
}
