#include "BoardJson.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace Tarnix::BoardJson {

namespace {

constexpr size_t LineWidth = 100;
constexpr size_t IndentStep = 2;

// Scalars as JSON text. Text that is not UTF-8 (possible only in values handed to the editor
// through its functions) has its bad bytes replaced rather than failing the save.
std::string Scalar(const TJson& value) {
  return value.dump(-1, ' ', false, TJson::error_handler_t::replace);
}

// Printable ASCII without a quote or a backslash: written as it stands between quotes. Nearly
// every name and string of a board is such text.
bool PlainText(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c >= 0x20 && c < 0x7f && c != '"' && c != '\\'; });
}

// The text of an integer scalar, written without the allocations of a dump; empty for others.
std::string_view IntegerText(const TJson& value, std::array<char, 24>& buffer) {
  std::to_chars_result result{buffer.data(), std::errc{}};
  if (value.is_number_unsigned()) {
    result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                           value.get_ref<const TJson::number_unsigned_t&>());
  } else if (value.is_number_integer()) {
    result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                           value.get_ref<const TJson::number_integer_t&>());
  }
  return std::string_view(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
}

void AppendString(const std::string& text, std::string& out) {
  if (PlainText(text)) {
    out += '"';
    out += text;
    out += '"';
  } else {
    out += Scalar(TJson(text));
  }
}

void AppendScalar(const TJson& value, std::string& out) {
  std::array<char, 24> buffer;
  if (value.is_string()) {
    AppendString(value.get_ref<const std::string&>(), out);
  } else if (const std::string_view integer = IntegerText(value, buffer); !integer.empty()) {
    out += integer;
  } else {
    out += Scalar(value);
  }
}

size_t StringLength(const std::string& text) {
  return PlainText(text) ? text.size() + 2 : Scalar(TJson(text)).size();
}

size_t ScalarLength(const TJson& value) {
  std::array<char, 24> buffer;
  if (value.is_string()) {
    return StringLength(value.get_ref<const std::string&>());
  }
  const std::string_view integer = IntegerText(value, buffer);
  return integer.empty() ? Scalar(value).size() : integer.size();
}

void AppendCompact(const TJson& value, std::string& out) {
  if (!value.is_structured()) {
    AppendScalar(value, out);
    return;
  }
  out += value.is_object() ? '{' : '[';
  bool first = true;
  for (auto member = value.begin(); member != value.end(); ++member) {
    if (!first)
      out += ", ";
    first = false;
    if (value.is_object()) {
      AppendString(member.key(), out);
      out += ": ";
    }
    AppendCompact(member.value(), out);
  }
  out += value.is_object() ? '}' : ']';
}

// The length of the value's compact text, counted no further than just past `room`: a board's
// whole list of components is never written out only to learn that it does not fit on a line.
size_t CompactLength(const TJson& value, size_t room) {
  if (!value.is_structured())
    return ScalarLength(value);
  size_t length = 2;  // the brackets
  bool first = true;
  for (auto member = value.begin(); member != value.end() && length <= room; ++member) {
    length += first ? 0 : 2;
    first = false;
    if (value.is_object())
      length += StringLength(member.key()) + 2;
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
    const size_t length = ScalarLength(member);
    if (!first) {
      if (column + 2 + length + 1 > LineWidth) {
        out += ",\n";
        out.append(inner, ' ');
        column = inner;
      } else {
        out += ", ";
        column += 2;
      }
    }
    first = false;
    AppendScalar(member, out);
    column += length;
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
    AppendCompact(value, out);
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
    const size_t keyStart = out.size();
    if (value.is_object()) {
      AppendString(member.key(), out);
      out += ": ";
    }
    Emit(member.value(), inner, inner + (out.size() - keyStart), out);
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
