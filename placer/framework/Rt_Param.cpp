#include "framework/Rt_Param.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/TextHelpers.h"

namespace {

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 32;
}

// Parameter names are compared without their surrounding control characters; blanks count.
bool SameParameterName(std::string_view stored, std::string_view wanted) {
  return SameText(TrimWhere(stored, &IsControl), TrimWhere(wanted, &IsControl));
}

// The shared list behind GetParameter, with a copy of the string it was parsed from.
struct TSharedParameters {
  TParameterList List;
  std::string LastText;
  bool Parsed = false;
};

TSharedParameters& SharedParameters() {
  static TSharedParameters shared;
  return shared;
}

void ParseParameterText(TParameterList& list, std::string_view text) {
  list.Clear();
  std::size_t start = 0;
  bool inName = true;
  std::string_view name;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool atEnd = i == text.size();
    const char c = atEnd ? '\0' : text[i];
    if (c == '=' && inName) {
      name = text.substr(start, i - start);
      start = i + 1;
      inName = false;
    } else if (c == '|' || atEnd) {
      if (!inName) {
        AddParameter(list, name, text.substr(start, i - start));
      }
      start = i + 1;
      inName = true;
    }
  }
}

}  // namespace

void TParameterList::Append(std::string name, std::string value) {
  Items.push_back(std::make_unique<TParameter>(TParameter{std::move(name), std::move(value)}));
}

void ParseParameters(TParameterList& list, const char* text) {
  ParseParameterText(list, text == nullptr ? std::string_view() : std::string_view(text));
}

void AddParameter(TParameterList& list, std::string_view name, std::string_view value) {
  const std::string_view trimmedName = TrimBlanks(name);
  if (trimmedName.empty()) {
    return;
  }
  list.Append(std::string(trimmedName), std::string(TrimBlanks(value)));
}

const TParameter* FindParameter(const TParameterList& list, std::string_view name) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (SameParameterName(list.Item(i).Name, name)) {
      return &list.Item(i);
    }
  }
  return nullptr;
}

TParameter* FindParameter(TParameterList& list, std::string_view name) {
  return const_cast<TParameter*>(FindParameter(std::as_const(list), name));
}

std::string ComposeParameters(const TParameterList& list) {
  std::string text;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const TParameter& parameter = list.Item(i);
    if (i > 0) {
      text += '|';
    }
    text += parameter.Name;
    text += '=';
    text += parameter.Value.empty() ? std::string(" ") : parameter.Value;
  }
  return text;
}

void ComposeParameters(const TParameterList& list, char* buffer, std::size_t bufferSize) {
  if (buffer == nullptr || bufferSize == 0) {
    return;
  }
  const std::string text = ComposeParameters(list);
  const std::size_t length = std::min(text.size(), bufferSize - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

bool GetParameter(const char* text, std::string_view name, std::string& value) {
  value.clear();
  if (text == nullptr || *text == '\0') {
    return false;
  }
  TSharedParameters& shared = SharedParameters();
  if (!shared.Parsed || shared.LastText != text) {
    shared.LastText = text;
    ParseParameterText(shared.List, shared.LastText);
    shared.Parsed = true;
  }
  const TParameter* found = FindParameter(shared.List, name);
  if (found == nullptr) {
    return false;
  }
  value = found->Value;
  return true;
}

bool GetShortParameter(const char* text, std::string_view name, std::string& value) {
  const bool found = GetParameter(text, name, value);
  if (value.size() > MaxShortParameterLength) {
    value.resize(MaxShortParameterLength);
  }
  return found;
}

void SetParameter(char* buffer, std::size_t bufferSize, std::string_view name,
                  std::string_view value) {
  if (buffer == nullptr || bufferSize == 0) {
    return;
  }
  TParameterList list;
  const void* terminator = std::memchr(buffer, '\0', bufferSize);
  const std::size_t length =
      terminator == nullptr
          ? bufferSize
          : static_cast<std::size_t>(static_cast<const char*>(terminator) - buffer);
  ParseParameterText(list, std::string_view(buffer, length));
  if (TParameter* existing = FindParameter(list, name)) {
    existing->Value = std::string(TrimBlanks(value));
  } else {
    AddParameter(list, name, value);
  }
  ComposeParameters(list, buffer, bufferSize);
}
