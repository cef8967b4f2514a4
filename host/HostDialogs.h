#pragma once

// Message boxes and modal forms on a command line. A box prints "caption: text"; on a terminal it
// waits for Enter, otherwise it goes on with the box's first button; with Quiet an information box
// is answered with its first button without a word. (Unattended mode is decided
// by the plug-in's boxes before they reach the host.) The preferences dialog is filled from
// CONTROL=VALUE settings and confirmed, cancelled on request, or shown as a small text form on a
// terminal.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct TDialogScript {
  std::vector<std::string> Settings;  // CONTROL=VALUE
  bool Cancel = false;
  bool Interactive = false;  // standard input and output are a terminal
  bool Quiet = false;        // information boxes are neither printed nor waited for
};

struct TDialogState {
  std::vector<std::string> Boxes;   // the texts of the boxes shown, in order
  std::vector<std::string> Errors;  // those of them captioned "Error"
  bool ScriptFailed = false;        // a setting named no control or was refused
  std::string ScriptError;
};

// Installs both handlers. `afterBox` runs once a box is dismissed, with its text.
void InstallDialogHandlers(const TDialogScript& script, TDialogState& state,
                           std::function<void(const std::string&)> afterBox);

// Fills a form from settings and presses OK (or Cancel); false, with the reason, when a setting
// cannot be applied (Cancel is then pressed).
bool RunScriptedForm(HWND form, const TDialogScript& script, std::string& error);
