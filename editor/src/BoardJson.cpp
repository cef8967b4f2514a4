#include "BoardJson.h"

#include <algorithm>
#include <cmath>

namespace Tarnix::BoardJson {

namespace {

constexpr size_t LineWidth = 100;
constexpr size_t IndentStep = 2;

// Scalars as JSON text. Text that is not UTF-8 (possible only in values handed to the editor
// through its functions) has its bad bytes replaced rather than failing the save.
std::string Scalar(const TJson& value) {
  return value.dump(-1, ' ', false, TJson::error_handler_t::replace);
}

std::string Compact(const TJson& value) {
  if (!value.is_structured())
    return Scalar(value);
  std::string text(1, value.is_object() ? '{' : '[');
  bool first = true;
  for (auto member = value.begin(); member != value.end(); ++member) {
    if (!first)
      text += ", ";
    first = false;
    if (value.is_object())
      text += Scalar(TJson(member.key())) + ": ";
    text += Compact(member.value());
  }
  text += value.is_object() ? '}' : ']';
  return text;
}

// The length of the value's compact text, counted no further than just past `room`: a board's
// whole list of components is never written out only to learn that it does not fit on a line.
size_t CompactLength(const TJson& value, size_t room) {
  if (!value.is_structured())
    return Scalar(value).size();
  size_t length = 2;  // the brackets
  bool first = true;
  for (auto member = value.begin(); member != value.end() && length <= room; ++member) {
    length += first ? 0 : 2;
    first = false;
    if (value.is_object())
      length += Scalar(TJson(member.key())).size() + 2;
    length += CompactLength(member.value(), room > length ? room - length : 0);
  }
  return length;
}

bool AllScalars(const TJson& value) {
  for (const TJson& member : value)
    if (member.is_structured())
      return false;
  return true;
}

// An object whose members are scalars or arrays of scalars.
bool Flat(const TJson& value) {
  if (!value.is_object())
    return false;
  for (const TJson& member : value)
    if (member.is_object() || (member.is_array() && !AllScalars(member)))
      return false;
  return true;
}

// An array of scalars, as many on each line as fit.
void EmitFilled(const TJson& array, size_t indent, std::string& out) {
  const size_t inner = indent + IndentStep;
  out += "[\n";
  out.append(inner, ' ');
  size_t column = inner;
  bool first = true;
  for (const TJson& member : array) {
    const std::string text = Scalar(member);
    if (!first) {
      if (column + 2 + text.size() + 1 > LineWidth) {
        out += ",\n";
        out.append(inner, ' ');
        column = inner;
      } else {
        out += ", ";
        column += 2;
      }
    }
    first = false;
    out += text;
    column += text.size();
  }
  out += '\n';
  out.append(indent, ' ');
  out += ']';
}

// Appends Value, which starts after Lead characters of its line. Small objects (a pad, a point)
// stay on one line even when it is long.
void Emit(const TJson& value, size_t indent, size_t lead, std::string& out) {
  if (!value.is_structured() || value.empty() || Flat(value) ||
      lead + CompactLength(value, LineWidth) + 1 <= LineWidth) {
    out += Compact(value);
    return;
  }
  if (value.is_array() && AllScalars(value)) {
    EmitFilled(value, indent, out);
    return;
  }
  out += value.is_object() ? "{\n" : "[\n";
  const size_t inner = indent + IndentStep;
  bool first = true;
  for (auto member = value.begin(); member != value.end(); ++member) {
    if (!first)
      out += ",\n";
    first = false;
    out.append(inner, ' ');
    std::string key;
    if (value.is_object())
      key = Scalar(TJson(member.key())) + ": ";
    out += key;
    Emit(member.value(), inner, inner + key.size(), out);
  }
  out += '\n';
  out.append(indent, ' ');
  out += value.is_object() ? '}' : ']';
}

}  // namespace

TJson Length(int64_t units) {
  if (units % 10000 == 0)
    return units / 10000;
  return static_cast<double>(units) / UnitsPerMil;
}

TJson Angle(double degrees) {
  constexpr double LargestWhole = 9007199254740992.0;  // 2^53
  if (std::isfinite(degrees) && std::trunc(degrees) == degrees && std::abs(degrees) < LargestWhole)
    return static_cast<int64_t>(degrees);
  return degrees;
}

std::string Layout(const TJson& value) {
  std::string text;
  Emit(value, 0, 0, text);
  text += '\n';
  return text;
}

}  // namespace Tarnix::BoardJson
