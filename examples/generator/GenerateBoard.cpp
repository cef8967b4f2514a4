// Writes an example board file.
//
//   generate_board small OUTPUT         the small example board
//   generate_board realistic OUTPUT     the realistic example board
//   generate_board components N OUTPUT  a board of N parts (N >= 20), for benchmarks
//   generate_board nets N OUTPUT        the realistic board with N more nets that no pad uses
//   generate_board widenet N OUTPUT     the realistic board with a signal net of N pins
//   generate_board bigpart N OUTPUT     the realistic board with a part of N pads
//
// OUTPUT "-" writes to the standard output. The same arguments always give the same file.

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "BoardJson.h"
#include "Circuits.h"

namespace {

int Usage() {
  std::cerr << "usage: generate_board small|realistic OUTPUT\n"
               "       generate_board components|nets|widenet|bigpart N OUTPUT\n";
  return 2;
}

int Write(const TBoardBuilder& board, const std::string& output) {
  const std::string text = Tarnix::BoardJson::Layout(board.ToJson());
  if (output == "-") {
    std::cout << text;
    return std::cout ? 0 : 1;
  }
  std::ofstream file(output, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) {
    std::cerr << "generate_board: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "small" && argc == 3)
      return Write(SmallBoard(), argv[2]);
    if (what == "realistic" && argc == 3)
      return Write(RealisticBoard(), argv[2]);
    if (what == "components" && argc == 4)
      return Write(SizedBoard(std::stoi(argv[2])), argv[3]);
    if (what == "nets" && argc == 4)
      return Write(ManyNetsBoard(std::stoi(argv[2])), argv[3]);
    if (what == "widenet" && argc == 4)
      return Write(WideNetBoard(std::stoi(argv[2])), argv[3]);
    if (what == "bigpart" && argc == 4)
      return Write(BigPartBoard(std::stoi(argv[2])), argv[3]);
    return Usage();
  } catch (const std::exception& error) {
    std::cerr << "generate_board: " << error.what() << "\n";
    return 1;
  }
}
