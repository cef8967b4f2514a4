#include "pcb/PCBProcsUnits.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr double RadiansPerDegree = 0.017453292519943295769;

// Splits v into its integral part and its fraction (of the same sign) and rounds the fraction to
// Scale steps, ties to even.
double RoundFraction(double v, double scale) {
  const double whole = std::trunc(v);
  return whole + std::nearbyint((v - whole) * scale) / scale;
}

// The text of a value with exactly Decimals decimals, without trailing zeros and trailing ".".
std::string FixedWithoutTrailingZeros(double value, int decimals) {
  if (value == 0.0)
    value = 0.0;  // no "-0" for a negative length that rounds to zero
  char text[64];
  const auto [end, error] =
      std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed, decimals);
  if (error != std::errc())
    return "0";
  std::string result(text, end);
  if (result.find('.') != std::string::npos) {
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.')
      result.pop_back();
  }
  return result;
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A decimal number (sign, fraction, exponent) at the start of the text; what follows it is
// ignored, and a text that does not start with one reads as 0.
double ReadDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
      return 0.0;
  }
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  (void)end;
  return error == std::errc() ? value : 0.0;
}

}  // namespace

double DegToRad(double degrees) {
  return degrees * RadiansPerDegree;
}

int32_t NearestCoord(double units) {
  if (std::isnan(units))
    return 0;
  const double rounded = std::nearbyint(units);
  if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(rounded);
}

int32_t MilsToCoord(double mils) {
  return NearestCoord(mils * CoordsPerMil);
}

int32_t MMToCoord(double millimetres) {
  return NearestCoord(millimetres * CoordsPerMil / 0.0254);
}

double CoordToMils(int32_t coord) {
  const double v = coord / CoordsPerMil;
  return RoundFraction(v, 1000.0);
}

double CoordToMM(int32_t coord) {
  const double v = coord * 0.0254 / CoordsPerMil;
  return RoundFraction(v, 100000.0);
}

std::string FormatLength(int32_t coord, uint8_t imperial) {
  if (imperial != 0)
    return FixedWithoutTrailingZeros(CoordToMils(coord), 3) + "mil";
  return FixedWithoutTrailingZeros(CoordToMM(coord), 4) + "mm";
}

void ParseLength(std::string_view text, int32_t& coord, uint8_t& imperial) {
  coord = 0;
  std::string compact;
  for (const char c : text) {
    if (c != ' ')
      compact.push_back(AsciiUpper(c));
  }
  if (compact.empty() || IsAsciiLetter(compact.front()))
    return;
  bool metric = imperial == 0;
  if (const auto mm = compact.find("MM"); mm != std::string::npos) {
    compact.resize(mm);
    metric = true;
  } else if (const auto mil = compact.find("MIL"); mil != std::string::npos) {
    compact.resize(mil);
    metric = false;
  }
  const double number = ReadDecimal(compact);
  coord = metric ? MMToCoord(number) : MilsToCoord(number);
  imperial = metric ? 0 : 1;
}
