// The default modal run: a nested message loop until the form has a result. It uses only Windows
// calls and the modal result, and is shared by the Linux and the Windows backends.

#include <platform_host.h>

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
  int result = PlatformGetModalResult(form);
  return result != 0 ? result : IDCANCEL;
}
