// Modal forms on Windows. A form's modal result is a property of its window, so that every module
// of the process reads and sets the same one. The modal handler is this module's: a host cannot
// install one into a plug-in here, and a plug-in's forms run their own modal loop, as a real dialog
// of the plug-in would.

#include <functional>

#include "platform_host.h"

namespace {

constexpr const char* ModalResultProperty = "PlatformModalResult";

PlatformModalHandler& InstalledHandler() {
  static PlatformModalHandler handler;
  return handler;
}

}  // namespace

void PlatformSetModalResult(HWND form, int result) {
  if (form != nullptr && IsWindow(form)) {
    // The property holds the number itself, not a handle.
    SetPropA(form, ModalResultProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(result)));
  }
}

int PlatformGetModalResult(HWND form) {
  if (form == nullptr || !IsWindow(form)) {
    return 0;
  }
  return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(form, ModalResultProperty)));
}

PlatformModalHandler PlatformSetModalHandler(PlatformModalHandler handler) {
  auto previous = std::move(InstalledHandler());
  InstalledHandler() = std::move(handler);
  return previous;
}

int PlatformRunModal(HWND form) {
  PlatformSetModalResult(form, 0);
  PlatformModalHandler handler = InstalledHandler();  // a copy: the handler may replace itself
  return handler ? handler(form) : PlatformRunModalLoop(form);
}

int PlatformRunModalLoop(HWND form) {
  MSG msg;
  while (IsWindow(form) && PlatformGetModalResult(form) == 0) {
    if (GetMessageA(&msg, nullptr, 0, 0) == FALSE) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      return IDCANCEL;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  const int result = PlatformGetModalResult(form);
  return result != 0 ? result : IDCANCEL;
}
