#pragma once

// Conversions between text and the editor's length-prefixed string buffers (element 0 holds the
// length, the characters follow). Text longer than a buffer holds is cut, never rejected.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// The text of a buffer. A length beyond the buffer's capacity is read as the capacity.
template <std::size_t Size>
std::string FromPcbString(const char (&buffer)[Size]) {
  static_assert(Size >= 1);
  const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(buffer[0]), Size - 1);
  return std::string(buffer + 1, length);
}

// Stores text in a buffer, cut to its capacity; the bytes after the text are left as they were.
template <std::size_t Size>
void ToPcbString(char (&buffer)[Size], std::string_view text) {
  static_assert(Size >= 1 && Size <= 256);
  const std::size_t length = std::min(text.size(), Size - 1);
  buffer[0] = static_cast<char>(static_cast<unsigned char>(length));
  if (length > 0)
    std::memcpy(buffer + 1, text.data(), length);
}
