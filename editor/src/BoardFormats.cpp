#include "BoardFormats.h"

#include "BoardFile.h"
#include "FileAccess.h"
#include "KicadFile.h"
#include "PlacerSidecar.h"

namespace Tarnix {

std::unique_ptr<TBoard> OpenBoardFile(const std::string& fileName) {
  std::string text = ReadFileText(fileName);
  std::unique_ptr<TBoard> board =
      IsKicadText(text) ? ReadKicadText(std::move(text), fileName, ReadSidecar(fileName))
                        : ReadBoardText(text, fileName);
  board->FileName = AbsoluteFileName(fileName);
  return board;
}

void SaveBoardFile(const TBoard& board, const std::string& fileName) {
  if (!board.Kicad) {
    WriteBoardFile(board, fileName);
    return;
  }
  // The board goes first: a save stopped there leaves both files as they were. Once the board is
  // in place its options follow without a stop, so that the two never disagree after a Ctrl-C.
  WriteFileAtomically(fileName, KicadFileText(board));
  if (board.Kicad->SettingsFromSidecar ||
      SidecarText(board.Settings) != board.Kicad->DerivedSettings) {
    const TSaveStopsHeld finishing;
    WriteSidecar(fileName, board.Settings);
  }
}

}  // namespace Tarnix
