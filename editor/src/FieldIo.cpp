#include "FieldIo.h"

namespace Tarnix {

bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    uint32_t lowest = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      lowest = 0x10000;
    } else {
      return false;
    }
    if (i + length > text.size())
      return false;
    uint32_t code = lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80)
        return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

}  // namespace Tarnix
