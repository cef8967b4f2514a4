#include "HostSignals.h"

#include <platform_host.h>
#include <unistd.h>

#include <csignal>

#include "HostOptions.h"

namespace {

HWND StopWindow = nullptr;
UINT StopMessage = 0;
volatile std::sig_atomic_t StopSignalled = 0;
volatile std::sig_atomic_t Mode = static_cast<int>(TStopMode::EndProcess);

// Only what is safe in a signal handler: write and _exit.
void EndStoppedProcess() {
  static const char message[] = "\nautoplace: stopped; nothing was saved\n";
  const ssize_t ignored = ::write(STDERR_FILENO, message, sizeof message - 1);
  (void)ignored;
  ::_exit(ExitStopped);
}

extern "C" void OnStopSignal(int) {
  StopSignalled = 1;
  switch (static_cast<TStopMode>(Mode)) {
    case TStopMode::EndProcess:
      EndStoppedProcess();
      break;
    case TStopMode::AskRun:
      PlatformPostMessageFromSignal(StopWindow, StopMessage, 0, 0);
      ::alarm(StopGraceSeconds);
      break;
    case TStopMode::Saving:
      break;
  }
}

// The grace after a stop asked of the run is over: the run did not come back to listen.
extern "C" void OnStopGraceOver(int) {
  if (static_cast<TStopMode>(Mode) != TStopMode::Saving)
    EndStoppedProcess();
}

}  // namespace

void InstallStopSignals(HWND window, UINT message) {
  StopWindow = window;
  StopMessage = message;
  Mode = static_cast<int>(TStopMode::EndProcess);
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaddset(&action.sa_mask, SIGALRM);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  struct sigaction grace {};
  grace.sa_handler = OnStopGraceOver;
  sigemptyset(&grace.sa_mask);
  sigaction(SIGALRM, &grace, nullptr);
}

void RemoveStopSignals() {
  ::alarm(0);
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGALRM, SIG_DFL);
}

void SetStopMode(TStopMode mode) {
  Mode = static_cast<int>(mode);
}

bool StopSignalReceived() {
  return StopSignalled != 0;
}
