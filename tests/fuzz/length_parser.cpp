// Length texts as typed into the preferences dialog, as bytes (the first byte chooses the unit of
// a bare number): parsing never fails or overflows, and the text of the length read reads back as
// a length within one unit of the text's rounding.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "pcb/PCBProcsUnits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  uint8_t imperial = data[0] & 1;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  int32_t coord = 0;
  ParseLength(text, coord, imperial);
  if (imperial > 1)
    std::abort();
  // Formatting rounds to a thousandth of a mil or a ten-thousandth of a millimetre.
  const std::string formatted = FormatLength(coord, imperial);
  int32_t again = 0;
  uint8_t unit = imperial;
  ParseLength(formatted, again, unit);
  const int64_t difference = int64_t{again} - coord;
  if (unit != imperial || difference > 40 || difference < -40)
    std::abort();
  return 0;
}
