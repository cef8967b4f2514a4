#include "HostSignals.h"

#include <platform_host.h>

#include <csignal>

namespace {

HWND StopWindow = nullptr;
UINT StopMessage = 0;
volatile std::sig_atomic_t StopSignalled = 0;

extern "C" void OnStopSignal(int) {
  StopSignalled = 1;
  PlatformPostMessageFromSignal(StopWindow, StopMessage, 0, 0);
}

}  // namespace

void InstallStopSignals(HWND window, UINT message) {
  StopWindow = window;
  StopMessage = message;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void RemoveStopSignals() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}

bool StopSignalReceived() {
  return StopSignalled != 0;
}
