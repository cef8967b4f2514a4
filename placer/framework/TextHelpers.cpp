#include "framework/TextHelpers.h"

namespace {

unsigned char ByteOf(char c) {
  return static_cast<unsigned char>(c);
}

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsPathOrDriveSeparator(char c) {
  return c == '\\' || c == '/' || c == ':';
}

}  // namespace

bool IsBlankOrControl(char c) {
  return ByteOf(c) <= 32;
}

std::string_view TrimWhere(std::string_view text, bool (*trimmed)(char)) {
  while (!text.empty() && trimmed(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && trimmed(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  return TrimWhere(text, &IsBlankOrControl);
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
      return false;
    }
  }
  return true;
}

bool SameTextTrimmed(std::string_view a, std::string_view b) {
  return a == b || SameText(TrimBlanks(a), TrimBlanks(b));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  std::size_t stemLength = fileName.size();
  for (std::size_t i = fileName.size(); i > 0; --i) {
    const char c = fileName[i - 1];
    if (IsPathOrDriveSeparator(c)) {
      break;
    }
    if (c == '.') {
      stemLength = i - 1;
      break;
    }
  }
  std::string result(fileName.substr(0, stemLength));
  result += extension;
  return result;
}

std::wstring WidenText(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (const char c : text) {
    wide.push_back(static_cast<wchar_t>(ByteOf(c)));
  }
  return wide;
}

std::string NarrowText(std::wstring_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (const wchar_t c : text) {
    const auto code = static_cast<unsigned long>(c);
    narrow.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
  }
  return narrow;
}
