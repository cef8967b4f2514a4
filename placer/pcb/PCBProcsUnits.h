#pragma once

// The length unit of every coordinate: a signed 32-bit count of 1/10000 mil (1 mil = 10000 units,
// 1 mm = 10000 / 0.0254 units). Conversions to and from mil and millimetres, and the text form of
// a length in edit fields ("12.5mil", "0.3175mm").

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr double CoordsPerMil = 10000.0;

double DegToRad(double degrees);

// The nearest unit count (ties to even). Values beyond the 32-bit range give its nearest end, a
// value that is not a number gives 0.
int32_t NearestCoord(double units);

int32_t MilsToCoord(double mils);
int32_t MMToCoord(double millimetres);

// A count in mil rounded to 3 decimals, and in millimetres rounded to 5 decimals.
double CoordToMils(int32_t coord);
double CoordToMM(int32_t coord);

// The text of a length: in mil with up to 3 decimals and the suffix "mil" when Imperial is
// nonzero, else in millimetres with up to 4 decimals and the suffix "mm". Trailing zeros and a
// trailing "." are dropped; the decimal separator is always ".".
std::string FormatLength(int32_t coord, uint8_t imperial);

// Reads a length typed into an edit field. Spaces are ignored; "mm" or "mil" in any case names the
// unit (mm first), a bare number is read in the unit of Imperial. Reading a number sets Imperial
// to its unit. A text that is empty or begins with a letter gives 0 and leaves Imperial alone.
void ParseLength(std::string_view text, int32_t& coord, uint8_t& imperial);
