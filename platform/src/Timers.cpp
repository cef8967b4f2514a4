// Timers: each produces WM_TIMER when due (see the queue), at most one pending tick at a time.

#include <algorithm>

#include "PlatformState.h"

using platform::GetState;

namespace {

platform::Timer* FindTimer(HWND hwnd, UINT_PTR id) {
  for (auto& timer : GetState().Timers) {
    if (timer.Window == hwnd && timer.Id == id) {
      return &timer;
    }
  }
  return nullptr;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR idEvent, UINT elapse, TIMERPROC timerProc) {
  auto& state = GetState();
  if (hwnd != nullptr && platform::LookUpWindow(hwnd) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  platform::Timer* timer = FindTimer(hwnd, idEvent);
  if (timer == nullptr) {
    if (hwnd == nullptr) {  // a new thread timer gets an id of its own
      do {
        idEvent = state.NextThreadTimerId++;
      } while (idEvent == 0 || FindTimer(nullptr, idEvent) != nullptr);
    }
    timer = &state.Timers.emplace_back();
    timer->Window = hwnd;
    timer->Id = idEvent;
  }
  timer->Interval =
      std::chrono::milliseconds(std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
  timer->Proc = timerProc;
  timer->Due = platform::Clock::now() + timer->Interval;
  // A window timer's id is the caller's; Windows answers nonzero even for id 0.
  return idEvent != 0 ? idEvent : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR idEvent) {
  auto& timers = GetState().Timers;
  auto removed = std::erase_if(timers, [hwnd, idEvent](const platform::Timer& timer) {
    return timer.Window == hwnd && timer.Id == idEvent;
  });
  return removed > 0 ? TRUE : FALSE;
}
