#include "PlatformState.h"

#include <cctype>

namespace platform {

namespace {

// Holds a value that is never destroyed: windows and timers stay usable from other libraries'
// exit-time destructors, whatever the order in which those run.
template <typename T>
union NeverDestroyed {
  T Value;
  NeverDestroyed() : Value() {}
  ~NeverDestroyed() {}
};

}  // namespace

State& GetState() {
  static NeverDestroyed<State> state;
  return state.Value;
}

Window* LookUpWindow(HWND hwnd) {
  auto& windows = GetState().Windows;
  auto found = windows.find(reinterpret_cast<uintptr_t>(hwnd));
  return found == windows.end() ? nullptr : found->second.get();
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace platform

namespace {
thread_local DWORD lastError = 0;
}

DWORD GetLastError() {
  return lastError;
}

void SetLastError(DWORD error) {
  lastError = error;
}

void PlatformResetForTests() {
  auto& state = platform::GetState();
  state.Windows.clear();
  state.Classes.clear();
  state.Queue.clear();
  state.Timers.clear();
  state.QuitRequested = false;
  state.QuitCode = 0;
  state.MessageBoxHandler = nullptr;
  state.ModalHandler = nullptr;
  platform::DiscardSignalRing();
}
