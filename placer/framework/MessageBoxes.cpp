#include "framework/MessageBoxes.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <windows.h>

namespace {

// The key "\Software\Quenor\TestMode" of the local machine. RegOpenKeyEx takes the path below
// the root without the leading separator: Windows refuses a sub-key that begins with one.
constexpr const char* UnattendedModeKey = "Software\\Quenor\\TestMode";

bool UnattendedMode() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UnattendedModeKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

[[noreturn]] void ReportUnattendedAndExit(const std::string& caption, std::string_view text) {
  std::cout.flush();
  const std::string line = "ShowDialogWithCaption with" + caption + " " + std::string(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
  std::_Exit(1);
}

int ShowMessageBox(std::string_view text, std::string_view caption, const char* defaultCaption,
                   UINT icon) {
  const std::string boxCaption(caption.empty() ? std::string_view(defaultCaption) : caption);
  if (UnattendedMode()) {
    ReportUnattendedAndExit(boxCaption, text);
  }
  const std::string boxText(text);
  return MessageBoxA(nullptr, boxText.c_str(), boxCaption.c_str(), MB_OK | icon | MB_APPLMODAL);
}

}  // namespace

int ShowError(std::string_view text, std::string_view caption) {
  return ShowMessageBox(text, caption, "Error", MB_ICONERROR);
}

int ShowInformation(std::string_view text, std::string_view caption) {
  return ShowMessageBox(text, caption, "Information", MB_ICONINFORMATION);
}

int ShowWarning(std::string_view text, std::string_view caption) {
  return ShowMessageBox(text, caption, "Warning", MB_ICONWARNING);
}
