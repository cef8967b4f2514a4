// The main thread's message queue. Posted messages come first, then the quit request, then due
// timers, then paints; WM_PAINT is never queued but produced for an invalidated window.

#include <algorithm>

#include "PlatformState.h"

using platform::Clock;
using platform::GetState;
using platform::LookUpWindow;

namespace {

// PeekMessage's window filter: null takes everything, (HWND)-1 only thread messages.
const HWND ThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

struct Filter {
  HWND Window;
  UINT Min;
  UINT Max;

  bool AcceptsWindow(HWND hwnd) const {
    if (Window == nullptr) {
      return true;
    }
    return Window == ThreadMessagesOnly ? hwnd == nullptr : hwnd == Window;
  }
  bool AcceptsMessage(UINT message) const {
    return (Min == 0 && Max == 0) || (message >= Min && message <= Max);
  }
  bool Accepts(HWND hwnd, UINT message) const {
    return AcceptsWindow(hwnd) && AcceptsMessage(message);
  }
};

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return {hwnd, message, wParam, lParam, GetTickCount(), {0, 0}};
}

// A message for a window is still deliverable while its window lives.
bool IsDeliverable(const MSG& msg) {
  return msg.hwnd == nullptr || LookUpWindow(msg.hwnd);
}

bool TakePosted(const Filter& filter, bool remove, MSG& out) {
  auto& queue = GetState().Queue;
  if (queue.empty()) {
    return false;  // the common case of a loop that peeks between steps of work
  }
  std::erase_if(queue, [](const MSG& msg) { return !IsDeliverable(msg); });
  auto found = std::find_if(queue.begin(), queue.end(), [&filter](const MSG& msg) {
    return filter.Accepts(msg.hwnd, msg.message);
  });
  if (found == queue.end()) {
    return false;
  }
  out = *found;
  if (remove) {
    queue.erase(found);
  }
  return true;
}

// As on Windows, the quit request passes every filter.
bool TakeQuit(bool remove, MSG& out) {
  auto& state = GetState();
  if (!state.QuitRequested) {
    return false;
  }
  out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(state.QuitCode), 0);
  if (remove) {
    state.QuitRequested = false;
  }
  return true;
}

// The earliest due timer; taking it re-arms it one interval from now (missed ticks do not pile up).
bool TakeTimer(const Filter& filter, bool remove, MSG& out) {
  if (!filter.AcceptsMessage(WM_TIMER) || GetState().Timers.empty()) {
    return false;  // no timer: the clock need not be read
  }
  auto now = Clock::now();
  platform::Timer* earliest = nullptr;
  for (auto& timer : GetState().Timers) {
    if (timer.Due <= now && filter.AcceptsWindow(timer.Window) &&
        (earliest == nullptr || timer.Due < earliest->Due)) {
      earliest = &timer;
    }
  }
  if (earliest == nullptr) {
    return false;
  }
  out = MakeMessage(earliest->Window, WM_TIMER, earliest->Id,
                    reinterpret_cast<LPARAM>(earliest->Proc));
  if (remove) {
    earliest->Due = now + earliest->Interval;
  }
  return true;
}

// A paint stays pending until the window is validated, whether or not it was "removed".
bool TakePaint(const Filter& filter, MSG& out) {
  if (!filter.AcceptsMessage(WM_PAINT)) {
    return false;
  }
  for (const auto& [key, window] : GetState().Windows) {
    if (window->Invalid && filter.AcceptsWindow(window->Handle)) {
      out = MakeMessage(window->Handle, WM_PAINT, 0, 0);
      return true;
    }
  }
  return false;
}

bool Take(const Filter& filter, bool remove, MSG& out) {
  platform::DrainSignalRing();
  return TakePosted(filter, remove, out) || TakeQuit(remove, out) ||
         TakeTimer(filter, remove, out) || TakePaint(filter, out);
}

std::optional<Clock::time_point> NextTimerDue(const Filter& filter) {
  std::optional<Clock::time_point> next;
  if (!filter.AcceptsMessage(WM_TIMER)) {
    return next;
  }
  for (const auto& timer : GetState().Timers) {
    if (filter.AcceptsWindow(timer.Window) && (!next || timer.Due < *next)) {
      next = timer.Due;
    }
  }
  return next;
}

// Blocks until the filter accepts something; returns it without removing it when asked to.
void WaitFor(const Filter& filter, bool remove, MSG& out) {
  while (!Take(filter, remove, out)) {
    platform::WaitForWakeUp(NextTimerDue(filter));
  }
}

TIMERPROC RegisteredTimerProc(LPARAM lParam) {
  for (const auto& timer : GetState().Timers) {
    if (timer.Proc != nullptr && reinterpret_cast<LPARAM>(timer.Proc) == lParam) {
      return timer.Proc;
    }
  }
  return nullptr;
}

// Validates before calling, so that an invalidation made during the paint asks for another one.
LRESULT Paint(HWND hwnd) {
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    return 0;
  }
  WNDPROC proc = window->Proc;
  window->Invalid = false;
  return proc(hwnd, WM_PAINT, 0, 0);
}

}  // namespace

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd != nullptr && LookUpWindow(hwnd) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  GetState().Queue.push_back(MakeMessage(hwnd, message, wParam, lParam));
  return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  WNDPROC proc = window->Proc;  // the window may be gone when the call returns
  return proc(hwnd, message, wParam, lParam);
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  MSG found;
  if (!Take({hwnd, filterMin, filterMax}, (removeFlags & PM_REMOVE) != 0, found)) {
    return FALSE;
  }
  if (msg != nullptr) {
    *msg = found;
  }
  return TRUE;
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  WaitFor({hwnd, filterMin, filterMax}, true, *msg);
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
  MSG ignored;
  WaitFor({nullptr, 0, 0}, false, ignored);
  return TRUE;
}

// There is no keyboard, so there are no key messages to translate.
BOOL TranslateMessage(const MSG* /*msg*/) {
  return FALSE;
}

BOOL TranslateMDISysAccel(HWND /*mdiClient*/, LPMSG /*msg*/) {
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || !IsDeliverable(*msg)) {
    return 0;
  }
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    // Only a procedure that a timer was set with is called, never an arbitrary lParam.
    if (TIMERPROC proc = RegisteredTimerProc(msg->lParam)) {
      proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    }
    return 0;
  }
  if (msg->hwnd == nullptr) {
    return 0;
  }
  if (msg->message == WM_PAINT) {
    return Paint(msg->hwnd);
  }
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
  auto& state = GetState();
  state.QuitRequested = true;
  state.QuitCode = exitCode;
}

BOOL InvalidateRect(HWND hwnd, const RECT* /*rect*/, BOOL /*erase*/) {
  auto& windows = GetState().Windows;
  if (hwnd == nullptr) {  // every window, as on Windows
    for (auto& [key, window] : windows) {
      window->Invalid = true;
    }
    return TRUE;
  }
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  window->Invalid = true;
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* /*rect*/) {
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  window->Invalid = false;
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (window->Invalid) {
    Paint(hwnd);
  }
  return TRUE;
}
