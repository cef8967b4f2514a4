// Command parameter strings as bytes: the first line is a name, the rest a parameter string.
// Parsing, looking up, composing and setting never read or write out of bounds, and a string
// composed from a list parses back to the same names and values.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Rt_Param.h"

namespace {

bool SameLists(TParameterList& a, TParameterList& b) {
  if (a.Count() != b.Count())
    return false;
  for (std::size_t i = 0; i < a.Count(); ++i)
    if (a.Item(i).Name != b.Item(i).Name || a.Item(i).Value != b.Item(i).Value)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t newline = input.find('\n');
  const std::string name = input.substr(0, newline);
  const std::string text = newline == std::string::npos ? "" : input.substr(newline + 1);

  TParameterList list;
  ParseParameters(list, text.c_str());
  std::string value;
  GetParameter(text.c_str(), name, value);
  GetShortParameter(text.c_str(), name, value);
  if (value.size() > MaxShortParameterLength)
    std::abort();

  // Values without "|" compose into a string that parses back to the same list.
  bool composable = true;
  for (std::size_t i = 0; i < list.Count(); ++i)
    composable = composable && list.Item(i).Name.find_first_of("|=") == std::string::npos &&
                 list.Item(i).Value.find('|') == std::string::npos;
  if (composable) {
    TParameterList again;
    ParseParameters(again, ComposeParameters(list).c_str());
    if (!SameLists(list, again))
      std::abort();
  }

  // Setting into buffers of every small size and of one that is not terminated.
  for (const std::size_t bufferSize : {std::size_t{0}, std::size_t{1}, std::size_t{7}, size + 1}) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.resize(bufferSize, '\0');
    SetParameter(buffer.data(), buffer.size(), name, "value");
  }
  return 0;
}
