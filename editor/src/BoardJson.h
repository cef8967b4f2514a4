#pragma once

// The text form of board files, shared by the editor and the example board generator: numbers
// in mil that read back to the same board units, and a layout that keeps short objects and
// arrays on one line.

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace Tarnix::BoardJson {

using TJson = nlohmann::ordered_json;

inline constexpr double UnitsPerMil = 10000.0;

// A length in board units as a number in mil: an integer when whole, otherwise the shortest
// decimal that reads back to the same units.
TJson Length(int64_t units);

// An angle in degrees: an integer when whole, otherwise the shortest decimal that reads back to
// the same double.
TJson Angle(double degrees);

// The file text of a JSON value, ending in a line break: objects and arrays that fit in 100
// columns stay on one line, and so do objects of scalars and flat arrays (a pad); arrays of
// scalars that do not fit fill their lines; others put each member on a line of its own,
// indented by two.
std::string Layout(const TJson& value);

}  // namespace Tarnix::BoardJson
