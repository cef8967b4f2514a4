// Window classes and windows: creation, destruction, properties and the default procedure.

#include <algorithm>
#include <cstring>

#include "PlatformState.h"

using platform::GetState;
using platform::LookUpWindow;
using platform::Window;

namespace {

constexpr WPARAM SizeRestored = 0;

const platform::WindowClass* FindClass(const char* name) {
  for (const auto& windowClass : GetState().Classes) {
    if (platform::SameTextIgnoringCase(windowClass.Name, name)) {
      return &windowClass;
    }
  }
  return nullptr;
}

Window* LookUpOrFail(HWND hwnd) {
  Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  }
  return window;
}

bool IsSelfOrAncestor(HWND candidate, HWND window) {
  for (HWND current = window; current != nullptr;) {
    if (current == candidate) {
      return true;
    }
    Window* found = LookUpWindow(current);
    current = found == nullptr ? nullptr : found->Parent;
  }
  return false;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (const auto& [key, window] : GetState().Windows) {
    if (window->Parent == parent) {
      children.push_back(window->Handle);
    }
  }
  return children;
}

int CopyText(const std::string& text, LPSTR buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize <= 0) {
    return 0;
  }
  size_t count = std::min(text.size(), static_cast<size_t>(bufferSize) - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

// Removes the window's record; whatever still refers to the handle finds nothing from now on.
void ForgetWindow(HWND hwnd) {
  auto& state = GetState();
  std::erase_if(state.Timers,
                [hwnd](const platform::Timer& timer) { return timer.Window == hwnd; });
  state.Windows.erase(reinterpret_cast<uintptr_t>(hwnd));
}

// Changes the client size; a new size is announced with WM_SIZE and needs a paint.
void Resize(HWND hwnd, int width, int height) {
  Window* window = LookUpWindow(hwnd);
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (window == nullptr || (window->Width == width && window->Height == height)) {
    return;
  }
  window->Width = width;
  window->Height = height;
  window->Invalid = true;
  SendMessageA(hwnd, WM_SIZE, SizeRestored, MAKELPARAM(width, height));
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* wndClass) {
  if (wndClass == nullptr || wndClass->lpszClassName == nullptr ||
      wndClass->lpszClassName[0] == '\0' || wndClass->lpfnWndProc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (FindClass(wndClass->lpszClassName) != nullptr) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto& classes = GetState().Classes;
  classes.push_back({wndClass->lpszClassName, wndClass->lpfnWndProc});
  // Atoms of registered classes live in 0xC000..0xFFFF on Windows.
  return static_cast<ATOM>(0xC000u + (classes.size() & 0x3FFFu));
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE /*instance*/) {
  auto& state = GetState();
  const platform::WindowClass* windowClass = className == nullptr ? nullptr : FindClass(className);
  if (windowClass == nullptr) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return FALSE;
  }
  for (const auto& [key, window] : state.Windows) {
    if (platform::SameTextIgnoringCase(window->ClassName, className)) {
      return FALSE;  // still in use
    }
  }
  std::erase_if(state.Classes,
                [windowClass](const platform::WindowClass& c) { return &c == windowClass; });
  return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  const platform::WindowClass* windowClass = className == nullptr ? nullptr : FindClass(className);
  if (windowClass == nullptr) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (parent != nullptr && LookUpOrFail(parent) == nullptr) {
    return nullptr;
  }
  auto& state = GetState();
  auto window = std::make_unique<Window>();
  HWND hwnd = reinterpret_cast<HWND>(state.NextHandle);
  state.NextHandle += 4;
  window->Handle = hwnd;
  window->ClassName = windowClass->Name;
  window->Title = windowName == nullptr ? "" : windowName;
  window->Parent = parent;
  window->X = x == CW_USEDEFAULT ? 0 : x;
  window->Y = y == CW_USEDEFAULT ? 0 : y;
  window->Width = width == CW_USEDEFAULT ? 0 : std::max(width, 0);
  window->Height = height == CW_USEDEFAULT ? 0 : std::max(height, 0);
  window->Proc = windowClass->Proc;
  window->Visible = (style & static_cast<DWORD>(WS_VISIBLE)) != 0;
  window->Invalid = window->Visible;
  state.Windows.emplace(reinterpret_cast<uintptr_t>(hwnd), std::move(window));

  CREATESTRUCTA create = {
      param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
      windowName, className, exStyle};
  LPARAM createParam = reinterpret_cast<LPARAM>(&create);
  if (SendMessageA(hwnd, WM_NCCREATE, 0, createParam) == FALSE) {
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    ForgetWindow(hwnd);
    return nullptr;
  }
  if (SendMessageA(hwnd, WM_CREATE, 0, createParam) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  // The procedure may have destroyed the window while it was being created.
  return LookUpWindow(hwnd) == nullptr ? nullptr : hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr || window->Destroying) {
    return FALSE;
  }
  window->Destroying = true;
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  for (HWND child : ChildrenOf(hwnd)) {
    DestroyWindow(child);
  }
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  ForgetWindow(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  return LookUpWindow(hwnd) != nullptr ? TRUE : FALSE;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window = LookUpWindow(hwnd);
  if (window == nullptr) {
    return 0;
  }
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT:  // already validated by whoever sent it; an invalidation since then stays
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT:
      window->Title = lParam == 0 ? "" : reinterpret_cast<const char*>(lParam);
      return TRUE;
    case WM_GETTEXT:
      return CopyText(window->Title, reinterpret_cast<LPSTR>(lParam),
                      static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF)));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window->Title.size());
    default:
      return 0;
  }
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc == nullptr ? 0 : proc(hwnd, message, wParam, lParam);
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr) {
    return 0;
  }
  switch (index) {
    case GWLP_USERDATA:
      return window->UserData;
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(window->Proc);
    case GWLP_ID:
      return window->Id;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr) {
    return 0;
  }
  LONG_PTR previous = GetWindowLongPtrA(hwnd, index);
  switch (index) {
    case GWLP_USERDATA:
      window->UserData = value;
      break;
    case GWLP_WNDPROC:
      if (value != 0) {
        window->Proc = reinterpret_cast<WNDPROC>(value);
      }
      break;
    case GWLP_ID:
      window->Id = value;
      break;
    default:
      return 0;
  }
  return previous;
}

BOOL ShowWindow(HWND hwnd, int command) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  BOOL wasVisible = window->Visible ? TRUE : FALSE;
  bool show = command != SW_HIDE;
  if (show && !window->Visible) {
    window->Invalid = true;  // a window that appears needs its first paint
  }
  window->Visible = show;
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
  Window* window = LookUpWindow(hwnd);
  return window != nullptr && window->Visible ? TRUE : FALSE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr || rect == nullptr) {
    return FALSE;
  }
  *rect = {0, 0, window->Width, window->Height};
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr || rect == nullptr) {
    return FALSE;
  }
  // Relative to the parent's client area: there is no screen.
  *rect = {window->X, window->Y, window->X + window->Width, window->Y + window->Height};
  return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND /*insertAfter*/, int x, int y, int width, int height,
                  UINT flags) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  if ((flags & SWP_NOMOVE) == 0) {
    window->X = x;
    window->Y = y;
  }
  if ((flags & SWP_NOSIZE) == 0) {
    Resize(hwnd, width, height);
  }
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  if (SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER) == FALSE) {
    return FALSE;
  }
  if (repaint != FALSE) {
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  return TRUE;
}

HWND GetParent(HWND hwnd) {
  Window* window = LookUpOrFail(hwnd);
  return window == nullptr ? nullptr : window->Parent;
}

HWND SetParent(HWND child, HWND newParent) {
  Window* window = LookUpOrFail(child);
  if (window == nullptr || (newParent != nullptr && LookUpOrFail(newParent) == nullptr)) {
    return nullptr;
  }
  if (newParent != nullptr && IsSelfOrAncestor(child, newParent)) {
    SetLastError(ERROR_INVALID_PARAMETER);  // would make a cycle
    return nullptr;
  }
  HWND previous = window->Parent;
  window->Parent = newParent;
  return previous;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  for (const auto& [key, window] : GetState().Windows) {
    if (window->Parent != nullptr) {
      continue;
    }
    if (className != nullptr && !platform::SameTextIgnoringCase(window->ClassName, className)) {
      continue;
    }
    if (windowName != nullptr && !platform::SameTextIgnoringCase(window->Title, windowName)) {
      continue;
    }
    return window->Handle;
  }
  return nullptr;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int bufferSize) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr) {
    if (buffer != nullptr && bufferSize > 0) {
      buffer[0] = '\0';
    }
    return 0;
  }
  return CopyText(window->Title, buffer, bufferSize);
}

int GetWindowTextLengthA(HWND hwnd) {
  Window* window = LookUpOrFail(hwnd);
  return window == nullptr ? 0 : static_cast<int>(window->Title.size());
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  Window* window = LookUpOrFail(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  window->Title = text == nullptr ? "" : text;
  return TRUE;
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int bufferSize) {
  Window* window = LookUpOrFail(hwnd);
  return window == nullptr ? 0 : CopyText(window->ClassName, buffer, bufferSize);
}
