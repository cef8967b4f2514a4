#pragma once

// Board files: JSON text of the format "pcb-board", version 1. Reading checks the whole file before
// a board exists, so that a bad file opens nothing; writing puts out every object and setting that
// the file format holds, so that loading, saving and loading again gives the same board.

#include <memory>
#include <stdexcept>
#include <string>

#include "Board.h"

namespace Tarnix {

// A file that cannot be read or written. The message names the file and, for a bad file, the
// place in it: "board.pcb: components[3].pads[1].nett: unknown key".
class EBoardFile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a board file. The board's file name is the file's absolute path; Name is the file as
// messages call it.
std::unique_ptr<TBoard> ReadBoardFile(const std::string& fileName);

// Reads a board from the text of a board file; messages call the file Name.
std::unique_ptr<TBoard> ReadBoardText(const std::string& text, const std::string& name);

// The text of the board's file.
std::string BoardFileText(const TBoard& board);

// Writes the board's file to a temporary file in the target's folder and renames it over the
// target.
void WriteBoardFile(const TBoard& board, const std::string& fileName);

}  // namespace Tarnix
