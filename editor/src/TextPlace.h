#pragma once

// Places in a text as messages name them.

#include <string>
#include <string_view>

namespace Tarnix {

// "line L, column C" of a byte of the text (both counted from 1; Offset from 0).
std::string LineAndColumnOf(std::string_view text, size_t offset);

}  // namespace Tarnix
