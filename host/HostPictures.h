#pragma once

// Pictures of a board as a designer looks at it: the outline, the keep-outs, the footprints by
// side with their designators, locked parts marked, and the signal connections. Drawn from the
// JSON form of the board; one board, or two side by side (before and after).

#include <string>
#include <vector>

struct TBoardPicture {
  std::string Title;      // written above the board
  std::string BoardText;  // the board's JSON form
};

// Saves the boards side by side as SVG or PNG, by the file's extension (".png": PNG, else SVG).
// False with the reason when a board cannot be read or the file cannot be written.
bool SaveBoardPicture(const std::vector<TBoardPicture>& boards, const std::string& file,
                      std::string& error);
