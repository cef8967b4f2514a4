// Ctrl-C during a run on Windows: the console's control handler runs on a thread of its own and
// posts the stop message to the host's main window (posting is safe from any thread).

#include <windows.h>

#include <atomic>

#include "HostSignals.h"

namespace {

HWND StopWindow = nullptr;
UINT StopMessage = 0;
std::atomic<bool> StopSignalled = false;

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  StopSignalled = true;
  PostMessageA(StopWindow, StopMessage, 0, 0);
  return TRUE;
}

}  // namespace

void InstallStopSignals(HWND window, UINT message) {
  StopWindow = window;
  StopMessage = message;
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void RemoveStopSignals() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

bool StopSignalReceived() {
  return StopSignalled;
}
