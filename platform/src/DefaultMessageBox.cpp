// The default answer to a message box when the host installed no handler: the box as a line on
// standard error, answered with its first button. Shared by the Linux and the Windows backends.

#include <platform_host.h>

#include <cstdio>

namespace {

int FirstButton(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
      return IDYES;
    case MB_RETRYCANCEL:
      return IDRETRY;
    default:
      return IDOK;
  }
}

}  // namespace

int PlatformDefaultMessageBox(HWND /*owner*/, const char* text, const char* caption, UINT type) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
  std::fflush(stderr);
  return FirstButton(type);
}
