// The drawing each window keeps of its last paint.

#include "PlatformState.h"

using platform::LookUpWindow;

BOOL PlatformBeginDrawing(HWND hwnd) {
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  window->PendingDrawing = PlatformDrawing{window->Width, window->Height, {}};
  return TRUE;
}

BOOL PlatformAddPrimitive(HWND hwnd, const PlatformPrimitive& primitive) {
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr || !window->PendingDrawing) {
    return FALSE;
  }
  window->PendingDrawing->Primitives.push_back(primitive);
  return TRUE;
}

BOOL PlatformEndDrawing(HWND hwnd) {
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr || !window->PendingDrawing) {
    return FALSE;
  }
  window->Drawing = std::move(window->PendingDrawing);
  window->PendingDrawing.reset();
  return TRUE;
}

std::optional<PlatformDrawing> PlatformGetDrawing(HWND hwnd) {
  platform::Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    return std::nullopt;
  }
  return window->Drawing;
}
