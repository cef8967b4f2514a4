// Modal forms on Windows. A form's modal result is a property of its window, so that every module
// of the process reads and sets the same one. Each module has its own copy of this file; the host
// program exports PlatformHostRunModal (below), so that a plug-in's forms go through the handler
// the host installed, as on Linux, where both share one platform library. Without that export a
// form runs its own modal loop, as a real dialog of the plug-in would.

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

// Runs this module's handler, or the default loop.
extern "C" int PlatformHostRunModal(HWND form) {
  PlatformModalHandler handler = InstalledHandler();  // a copy: the handler may replace itself
  return handler ? handler(form) : PlatformRunModalLoop(form);
}

int PlatformRunModal(HWND form) {
  PlatformSetModalResult(form, 0);
  using TRunModal = int (*)(HWND);
  const auto host = reinterpret_cast<TRunModal>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "PlatformHostRunModal")));
  return !InstalledHandler() && host != nullptr ? host(form) : PlatformHostRunModal(form);
}
