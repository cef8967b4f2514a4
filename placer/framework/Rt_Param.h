#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Parameter strings: named arguments of commands and host processes in one zero-terminated string,
// "Name=Value" pairs separated by "|", for example "Optimize=All" or
// "Batch=False|UseAutoPCBUpdate=True". Within a pair the first "=" separates name and value; a
// segment without "=" carries no parameter. Names and values are kept trimmed of characters 0 to 32
// at both ends.

struct TParameter {
  std::string Name;   // trimmed, never empty
  std::string Value;  // trimmed, may be empty
};

// An ordered list that owns its parameters. Duplicate names stay, in order of appearance.
class TParameterList {
 public:
  std::size_t Count() const { return Items.size(); }
  const TParameter& Item(std::size_t index) const { return *Items.at(index); }
  TParameter& Item(std::size_t index) { return *Items.at(index); }
  void Append(std::string name, std::string value);
  void Clear() { Items.clear(); }

 private:
  std::vector<std::unique_ptr<TParameter>> Items;
};

// Clears `list` and fills it from the zero-terminated `text` (null reads as empty).
void ParseParameters(TParameterList& list, const char* text);

// Appends the trimmed pair unless the trimmed name is empty.
void AddParameter(TParameterList& list, std::string_view name, std::string_view value);

// The first parameter whose name matches `name`: both are stripped of control characters (codes
// below 32, blanks stay) at both ends, then compared ignoring the case of ASCII letters. Null when
// none.
const TParameter* FindParameter(const TParameterList& list, std::string_view name);
TParameter* FindParameter(TParameterList& list, std::string_view name);

// The list as a parameter string; an empty value is written as one blank.
std::string ComposeParameters(const TParameterList& list);

// Writes the list into `buffer` of `bufferSize` bytes as a zero-terminated string. Never writes
// past the buffer: a string that does not fit is cut to bufferSize - 1 characters plus the
// terminator. A buffer size of 0 writes nothing.
void ComposeParameters(const TParameterList& list, char* buffer, std::size_t bufferSize);

// Looks `name` up in the zero-terminated parameter string `text`. Returns whether it was found and
// sets `value` to its value (empty when not found). Repeated lookups in the same string parse it
// only once: the last string parsed is kept with its list, process-wide. Main thread only.
bool GetParameter(const char* text, std::string_view name, std::string& value);

// As GetParameter, with the value cut to at most MaxShortParameterLength characters.
constexpr std::size_t MaxShortParameterLength = 255;
bool GetShortParameter(const char* text, std::string_view name, std::string& value);

// Sets `name` to the trimmed `value` in the parameter string held in `buffer` (`bufferSize` bytes),
// or appends the pair when the name is not there yet, and writes the string back in place. The
// buffer is read up to its terminator or its size, whichever comes first, and never written past
// its size (see ComposeParameters).
void SetParameter(char* buffer, std::size_t bufferSize, std::string_view name,
                  std::string_view value);
