#pragma once

// Extensions of this platform beyond the Windows interface: what the host installs (message box
// and modal-form handlers), a post that is safe inside a signal handler, and a reset for tests.

#include <windows.h>

#include <functional>

// ---------------------------------------------------------------------------------------------
// Message boxes: every MessageBoxA goes through the installed handler, which returns the button
// pressed (IDOK, IDCANCEL, IDYES, ...). The host decides: a terminal prompt, scripted answers,
// or the default.

using PlatformMessageBoxHandler =
    std::function<int(HWND owner, const char* text, const char* caption, UINT type)>;

// Installs a handler (an empty one restores the default) and returns the one it replaces.
PlatformMessageBoxHandler PlatformSetMessageBoxHandler(PlatformMessageBoxHandler handler);

// The default: writes "caption: text" and a line break to standard error and answers the box's
// first button (IDOK for MB_OK and MB_OKCANCEL, IDYES for MB_YESNO, ...).
int PlatformDefaultMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// ---------------------------------------------------------------------------------------------
// Modal forms: a form shown modally calls PlatformRunModal with its window. The window carries a
// modal result (0 = none yet); setting it ends the modal run.

void PlatformSetModalResult(HWND form, int result);
int PlatformGetModalResult(HWND form);  // 0 for an unknown window

using PlatformModalHandler = std::function<int(HWND form)>;

// Installs a handler (an empty one restores the default) and returns the one it replaces.
// A handler may answer at once (set the result and return it), or prepare the form and then
// call PlatformRunModalLoop.
PlatformModalHandler PlatformSetModalHandler(PlatformModalHandler handler);

// Clears the form's modal result, then runs the installed handler (by default
// PlatformRunModalLoop) and returns its answer.
int PlatformRunModal(HWND form);

// The default: a nested message loop (GetMessage, TranslateMessage, DispatchMessage) until the
// form's modal result is nonzero; returns it. Returns IDCANCEL when the form is destroyed without
// a result, and when WM_QUIT arrives (the quit message is posted again for the outer loop).
int PlatformRunModalLoop(HWND form);

// ---------------------------------------------------------------------------------------------
// Posting from a signal handler (or from another thread): only async-signal-safe operations (a
// lock-free ring of fixed size and a write to an event descriptor). The message joins the queue
// at the next PeekMessage/GetMessage, and a blocked GetMessage or WaitMessage wakes up. Returns
// FALSE when the ring is full (the message is dropped). errno is preserved.

BOOL PlatformPostMessageFromSignal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------------------------------------
// Tests: forgets every window (without calling its procedure), class, timer, queued message,
// drawing and the quit request, and restores the default handlers.

void PlatformResetForTests();
