#pragma once

// Board files of every format the editor knows, told apart by their content: KiCad boards (a text
// that starts with `(kicad_pcb`) and the editor's own JSON boards.

#include <memory>
#include <string>

#include "Board.h"

namespace Tarnix {

// Reads a board file of either format. Throws EBoardFile naming the file and the place.
std::unique_ptr<TBoard> OpenBoardFile(const std::string& fileName);

// Saves a board in the format it was read from: a KiCad board by editing its original text (its
// placer options go beside it when they differ from what the file alone gives), any other as a
// JSON board.
void SaveBoardFile(const TBoard& board, const std::string& fileName);

}  // namespace Tarnix
