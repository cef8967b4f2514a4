#pragma once

// The placer's options of a board whose file has no place for them (a KiCad board) live in a
// small JSON file beside it: BOARD.placer.json for BOARD.kicad_pcb, holding
// {"format": "placer-options", "version": 1, "board": {...}} with the same "board" object as a
// JSON board file (display unit, component grid, layer colours, placer options).

#include <optional>
#include <string>

#include "BoardSettings.h"

namespace Tarnix {

std::string SidecarFileName(const std::string& boardFileName);

// The settings of the board's options file; nothing when there is none. Throws EBoardFile for a
// file that is there but cannot be read or is malformed.
std::optional<TBoardSettings> ReadSidecar(const std::string& boardFileName);

// The text of the options file, and writing it (through a temporary file and a rename).
std::string SidecarText(const TBoardSettings& settings);
void WriteSidecar(const std::string& boardFileName, const TBoardSettings& settings);

}  // namespace Tarnix
