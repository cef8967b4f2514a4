#pragma once

// The platform's texts are single-byte (Latin-1); pictures want UTF-8.

#include <string>

namespace platform {

// Latin-1 text as UTF-8; control characters become blanks.
inline std::string Latin1ToUtf8(const std::string& text) {
  std::string utf8;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) {
      utf8 += ' ';
    } else if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

}  // namespace platform
