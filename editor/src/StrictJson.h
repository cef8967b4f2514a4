#pragma once

// Reading JSON text more strictly than JSON itself asks: a board file that says two things, or
// that holds more than its one value, is refused rather than guessed at.

#include <string>

#include "BoardJson.h"

namespace Tarnix {

// The value of the text. Throws EBoardFile with "NAME: line L, column C: what" when the text is
// not valid JSON, holds a NUL byte anywhere or any byte but blanks after its value, repeats a
// key within an object, holds a number beyond the range of double or nests deeper than a board
// file ever does.
BoardJson::TJson ParseStrictJson(const std::string& text, const std::string& name);

}  // namespace Tarnix
