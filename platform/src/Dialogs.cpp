// Message boxes and modal forms go through handlers that the host installs.

#include "PlatformState.h"

using platform::GetState;

PlatformMessageBoxHandler PlatformSetMessageBoxHandler(PlatformMessageBoxHandler handler) {
  auto previous = std::move(GetState().MessageBoxHandler);
  GetState().MessageBoxHandler = std::move(handler);
  return previous;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  text = text == nullptr ? "" : text;
  caption = caption == nullptr ? "Error" : caption;  // Windows' caption when none is given
  // A copy: the handler may install another one while it runs.
  PlatformMessageBoxHandler handler = GetState().MessageBoxHandler;
  return handler ? handler(owner, text, caption, type)
                 : PlatformDefaultMessageBox(owner, text, caption, type);
}

void PlatformSetModalResult(HWND form, int result) {
  if (platform::Window* window = platform::LookUpWindow(form)) {
    window->ModalResult = result;
  }
}

int PlatformGetModalResult(HWND form) {
  platform::Window* window = platform::LookUpWindow(form);
  return window == nullptr ? 0 : window->ModalResult;
}

PlatformModalHandler PlatformSetModalHandler(PlatformModalHandler handler) {
  auto previous = std::move(GetState().ModalHandler);
  GetState().ModalHandler = std::move(handler);
  return previous;
}

int PlatformRunModal(HWND form) {
  PlatformSetModalResult(form, 0);
  PlatformModalHandler handler = GetState().ModalHandler;
  return handler ? handler(form) : PlatformRunModalLoop(form);
}
