#pragma once

// The process-wide state behind the window and message functions. Main thread only; the one
// exception, posting from a signal handler, has its own lock-free ring (SignalRing.h).

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform_drawing.h"
#include "platform_host.h"

namespace platform {

using Clock = std::chrono::steady_clock;

struct Window {
  HWND Handle = nullptr;
  std::string ClassName;
  std::string Title;
  HWND Parent = nullptr;
  int X = 0;
  int Y = 0;
  int Width = 0;  // client size: windows have no frame here
  int Height = 0;
  WNDPROC Proc = nullptr;
  LONG_PTR UserData = 0;
  LONG_PTR Id = 0;
  bool Visible = false;
  bool Invalid = false;     // needs a paint
  bool Destroying = false;  // DestroyWindow is under way
  int ModalResult = 0;
  std::optional<PlatformDrawing> Drawing;         // the last finished drawing
  std::optional<PlatformDrawing> PendingDrawing;  // the drawing being recorded
};

struct WindowClass {
  std::string Name;
  WNDPROC Proc = nullptr;
};

struct Timer {
  HWND Window = nullptr;  // null: a thread timer, identified by its generated id
  UINT_PTR Id = 0;
  std::chrono::milliseconds Interval{0};
  TIMERPROC Proc = nullptr;
  Clock::time_point Due;
};

struct State {
  // Keyed by handle value: handles grow with creation and are never reused, so the map's order
  // is the creation order.
  std::map<uintptr_t, std::unique_ptr<Window>> Windows;
  std::vector<WindowClass> Classes;
  std::deque<MSG> Queue;
  std::vector<Timer> Timers;
  bool QuitRequested = false;
  int QuitCode = 0;
  uintptr_t NextHandle = 0x10000;
  UINT_PTR NextThreadTimerId = 0x7F00;
  PlatformMessageBoxHandler MessageBoxHandler;
  PlatformModalHandler ModalHandler;
};

State& GetState();

// The live window with that handle, or null (also for a handle of a destroyed window).
Window* LookUpWindow(HWND hwnd);

// Windows compares class names and titles without regard to ASCII case.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// Moves the messages posted from signal handlers into the queue (main thread only).
void DrainSignalRing();
// Blocks until a signal-safe post arrives, a signal interrupts, or the deadline passes.
void WaitForWakeUp(std::optional<Clock::time_point> deadline);
// Forgets the messages posted from signal handlers that were not drained yet.
void DiscardSignalRing();

}  // namespace platform
