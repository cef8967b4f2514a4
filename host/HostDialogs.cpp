#include "HostDialogs.h"

#include <platform_host.h>

#include <cstdio>
#include <iostream>
#include <string_view>

namespace {

constexpr const char* OkButton = "Ok";
constexpr const char* CancelButton = "Cancel";

// The first button: what a user confirming the box would press.
int FirstButton(UINT type) {
  switch (type & 0xFu) {
    case 2:
      return IDABORT;
    case 3:
    case 4:
      return IDYES;
    case 5:
      return IDRETRY;
    default:
      return IDOK;
  }
}

bool IsInformation(UINT type) {
  return (type & MB_ICONMASK) == MB_ICONINFORMATION;
}

int ShowBox(const char* text, const char* caption, UINT type, bool interactive, bool quiet) {
  if (quiet && IsInformation(type)) {
    return FirstButton(type);
  }
  std::fprintf(stdout, "%s: %s\n", caption != nullptr ? caption : "", text != nullptr ? text : "");
  std::fflush(stdout);
  if (interactive) {
    std::fprintf(stdout, "(press Enter) ");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
  }
  return FirstButton(type);
}

bool IsEditable(const PlatformControlDescription& control) {
  return control.Visible && control.Enabled &&
         (control.Kind == PlatformControlKind::Edit ||
          control.Kind == PlatformControlKind::CheckBox);
}

void PrintForm(HWND form) {
  PlatformFormDescription description;
  if (!PlatformDescribeForm(form, description)) {
    return;
  }
  std::printf("%s\n", description.Caption.c_str());
  for (const auto& control : description.Controls) {
    if (IsEditable(control)) {
      std::printf("  %-20s %-24s %s\n", control.Name.c_str(), control.Caption.c_str(),
                  control.Value.c_str());
    }
  }
  std::printf(
      "Type CONTROL=VALUE to change a control, an empty line for OK, \"cancel\" to cancel.\n");
}

int RunTextForm(HWND form) {
  PrintForm(form);
  std::string line;
  while (true) {
    std::printf("> ");
    std::fflush(stdout);
    if (!std::getline(std::cin, line) || line == "cancel") {
      PlatformSetControl(form, CancelButton, "");
      break;
    }
    if (line.empty()) {
      PlatformSetControl(form, OkButton, "");
      break;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos || !PlatformSetControl(form, line.substr(0, equals).c_str(),
                                                           line.substr(equals + 1).c_str())) {
      std::printf("cannot set: %s\n", line.c_str());
    }
  }
  return PlatformGetModalResult(form);
}

}  // namespace

bool RunScriptedForm(HWND form, const TDialogScript& script, std::string& error) {
  for (const std::string& setting : script.Settings) {
    const size_t equals = setting.find('=');
    const std::string name = setting.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : setting.substr(equals + 1);
    if (!PlatformSetControl(form, name.c_str(), value.c_str())) {
      error = "--set " + setting + ": no control of that name takes that value";
      PlatformSetControl(form, CancelButton, "");
      return false;
    }
  }
  PlatformSetControl(form, script.Cancel ? CancelButton : OkButton, "");
  return true;
}

void InstallDialogHandlers(const TDialogScript& script, TDialogState& state,
                           std::function<void(const std::string&)> afterBox) {
  PlatformSetMessageBoxHandler(
      [script, &state, afterBox](HWND, const char* text, const char* caption, UINT type) {
        const int answer = ShowBox(text, caption, type, script.Interactive, script.Quiet);
        state.Boxes.emplace_back(text != nullptr ? text : "");
        if (caption != nullptr && std::string_view(caption) == "Error") {
          state.Errors.push_back(state.Boxes.back());
        }
        if (afterBox) {
          afterBox(state.Boxes.back());
        }
        return answer;
      });
  PlatformSetModalHandler([script, &state](HWND form) {
    if (script.Interactive && script.Settings.empty() && !script.Cancel) {
      return RunTextForm(form);
    }
    if (!RunScriptedForm(form, script, state.ScriptError)) {
      state.ScriptFailed = true;
    }
    return PlatformGetModalResult(form);
  });
}
