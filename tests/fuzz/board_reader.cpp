// Board files as bytes: reading either fails with a board file error or gives a board that saves
// to a text that reads back as the same board, and saves to that same text again.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "BoardFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<Tarnix::TBoard> board;
  try {
    board = Tarnix::ReadBoardText(text, "fuzz.pcb");
  } catch (const Tarnix::EBoardFile&) {
    return 0;
  }
  const std::string saved = Tarnix::BoardFileText(*board);
  std::unique_ptr<Tarnix::TBoard> again;
  try {
    again = Tarnix::ReadBoardText(saved, "saved.pcb");
  } catch (const Tarnix::EBoardFile&) {
    std::abort();  // a board the editor read must save to a file it reads
  }
  if (Tarnix::BoardFileText(*again) != saved)
    std::abort();  // and to the same file each time
  return 0;
}
