// Message boxes on Windows. The plug-in calls the real MessageBoxA; a host that installs a handler
// answers the boxes of its thread itself: a hook sees each message box dialog as it is set up,
// hands its caption, text and buttons to the handler, and presses the button the handler answers,
// before the box is ever waited on.

#include <cstring>

#include "platform_host.h"

namespace {

PlatformMessageBoxHandler& InstalledHandler() {
  static PlatformMessageBoxHandler handler;
  return handler;
}

HHOOK& Hook() {
  static HHOOK hook = nullptr;
  return hook;
}

bool IsMessageBoxDialog(HWND window) {
  char className[16] = {};
  return GetClassNameA(window, className, sizeof className) > 0 &&
         std::strcmp(className, "#32770") == 0;
}

// The box's text: its static control has the id 0xFFFF on Windows (100 in some versions).
std::string BoxText(HWND box) {
  char text[4096] = {};
  if (GetDlgItemTextA(box, 0xFFFF, text, sizeof text) == 0) {
    GetDlgItemTextA(box, 100, text, sizeof text);
  }
  return text;
}

// The buttons, told by the ones the box holds.
UINT BoxType(HWND box) {
  if (GetDlgItem(box, IDYES) != nullptr) {
    return GetDlgItem(box, IDCANCEL) != nullptr ? MB_YESNOCANCEL : MB_YESNO;
  }
  if (GetDlgItem(box, IDRETRY) != nullptr) {
    return GetDlgItem(box, IDABORT) != nullptr ? MB_ABORTRETRYIGNORE : MB_RETRYCANCEL;
  }
  return GetDlgItem(box, IDCANCEL) != nullptr ? MB_OKCANCEL : MB_OK;
}

void AnswerBox(HWND box) {
  char caption[512] = {};
  GetWindowTextA(box, caption, sizeof caption);
  const std::string text = BoxText(box);
  PlatformMessageBoxHandler handler = InstalledHandler();  // a copy: it may install another one
  const int answer = handler(GetParent(box), text.c_str(), caption, BoxType(box));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
}

LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call != nullptr && call->message == WM_INITDIALOG &&
      InstalledHandler() && IsMessageBoxDialog(call->hwnd)) {
    AnswerBox(call->hwnd);
  }
  return CallNextHookEx(Hook(), code, wParam, lParam);
}

}  // namespace

PlatformMessageBoxHandler PlatformSetMessageBoxHandler(PlatformMessageBoxHandler handler) {
  auto previous = std::move(InstalledHandler());
  InstalledHandler() = std::move(handler);
  if (InstalledHandler() && Hook() == nullptr) {
    Hook() =
        SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProcedure, nullptr, GetCurrentThreadId());
  } else if (!InstalledHandler() && Hook() != nullptr) {
    UnhookWindowsHookEx(Hook());
    Hook() = nullptr;
  }
  return previous;
}

BOOL PlatformPostMessageFromSignal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(hwnd, message, wParam, lParam);
}
