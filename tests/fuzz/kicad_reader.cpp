// KiCad boards as bytes: reading either fails with a board file error or gives a board that saves
// unchanged to the very bytes it was read from, and, with every footprint moved and turned, to a
// text that reads again.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "BoardFile.h"
#include "KicadFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<Tarnix::TBoard> board;
  try {
    board = Tarnix::ReadKicadText(text, "fuzz.kicad_pcb");
  } catch (const Tarnix::EBoardFile&) {
    return 0;
  }
  if (Tarnix::KicadFileText(*board) != text)
    std::abort();  // a board saved unchanged is the file read
  for (const auto& component : board->Components) {
    const Tarnix::TPoint reference = component->Data.Reference;
    component->MoveTo({reference.X / 2 + 1270000, reference.Y / 2}, component->Data.Rotation + 90);
  }
  try {
    Tarnix::ReadKicadText(Tarnix::KicadFileText(*board), "moved.kicad_pcb");
  } catch (const Tarnix::EBoardFile&) {
    std::abort();  // a placement edited in reads back
  }
  return 0;
}
