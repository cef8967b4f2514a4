#pragma once

// A board's settings as the JSON object that a board file holds under "board" (display unit,
// component grid, layer colours, placer options), for files that keep the settings apart from
// the board.

#include <string>

#include "BoardJson.h"
#include "BoardSettings.h"

namespace Tarnix {

BoardJson::TJson BoardSettingsJson(const TBoardSettings& settings);

// Reads the settings object at Place of the file Name; throws EBoardFile naming the place.
TBoardSettings ReadBoardSettingsJson(const BoardJson::TJson& value, const std::string& name,
                                     const std::string& place);

}  // namespace Tarnix
