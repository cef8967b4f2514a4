#pragma once

// Texts crossing the framework's interfaces are wide; the editor and the platform take narrow
// texts. Board files and names here are plain ASCII or UTF-8 bytes carried one to one.

#include <string>

std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);
