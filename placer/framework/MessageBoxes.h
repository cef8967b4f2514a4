#pragma once

#include <string_view>

// Modal message boxes with one OK button. Each returns the box's modal result (IDOK).
//
// Unattended mode: when the registry key "\Software\Quenor\TestMode" of the local machine can be
// opened, a box shows nothing; it writes "ShowDialogWithCaption with<caption> <text>" and a line
// end to the standard output, flushes it and ends the process at once with exit code 1.

// An empty caption stands for the box's default: "Error", "Information", "Warning".
int ShowError(std::string_view text, std::string_view caption = {});
int ShowInformation(std::string_view text, std::string_view caption = {});
int ShowWarning(std::string_view text, std::string_view caption = {});
