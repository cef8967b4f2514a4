#pragma once

// Extensions of this platform beyond the Windows interface: what the host installs (message box
// and modal-form handlers), a post that is safe inside a signal handler, and a reset for tests.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

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
// Form automation: a host handed a form's window (by its modal handler, for example) can read the
// form's controls and fill them in by name, as a user would: scripted answers, or the form shown as
// text in a terminal. Two private messages, answered by every window the form library makes; any
// other window answers 0.
//
//   SendMessageA(form, WM_PLATFORM_DESCRIBEFORM, 0, (LPARAM)&description)
//     fills a PlatformFormDescription (its previous contents are replaced) and returns TRUE.
//   SendMessageA(form, WM_PLATFORM_SETCONTROL, 0, (LPARAM)&setting)
//     sets one control and returns TRUE, or changes nothing and returns FALSE: no control of that
//     name (names compare exactly), a control that is hidden or disabled, or one that takes no
//     value. What a value does, by kind:
//       edit        the text (cut to the edit's maximum length, when it has one);
//       memo        the lines, separated by "\n" (not a read-only memo);
//       check box   "on", "checked", "true", "yes" or "1" checks it, "off", "unchecked", "false",
//                   "no" or "0" unchecks it, in any case; any other value fails;
//       button      pressed, as by a click (its modal result ends a modal run); the value is
//                   ignored.
//     The setting's Name and Value must point to terminated texts; a null Value counts as "".
//
// PlatformDescribeForm and PlatformSetControl below send them.

#define WM_PLATFORM_DESCRIBEFORM 0xBF00
#define WM_PLATFORM_SETCONTROL 0xBF01

enum class PlatformControlKind { Other, Button, CheckBox, Edit, Label, GroupBox, Memo, Panel };

struct PlatformControlDescription {
  std::string Name;
  PlatformControlKind Kind = PlatformControlKind::Other;
  std::string Parent;    // the name of the control it lies in; empty: the form itself
  std::string Caption;   // what the control shows as its label
  std::string Value;     // edit: text; memo: lines joined by "\n"; check box: "on" or "off"
  bool Checked = false;  // check box only
  bool Enabled = true;
  bool Visible = true;         // the control and every control it lies in
  RECT Bounds = {0, 0, 0, 0};  // in the form's client coordinates
};

struct PlatformFormDescription {
  std::string Caption;
  int ClientWidth = 0;
  int ClientHeight = 0;
  std::vector<PlatformControlDescription> Controls;  // parents before the controls inside them
};

struct PlatformControlSetting {
  const char* Name = nullptr;
  const char* Value = nullptr;
};

// "button", "check box", "edit", "label", "group box", "memo", "panel" or "control".
const char* PlatformControlKindName(PlatformControlKind kind);

// Send the messages above; false when the window does not answer (not a form, or gone).
bool PlatformDescribeForm(HWND form, PlatformFormDescription& description);
bool PlatformSetControl(HWND form, const char* name, const char* value);

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
