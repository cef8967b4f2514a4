// The editor's entry points for the host.

#include <filesystem>
#include <string>

#include "BoardFile.h"
#include "Editor.h"
#include "FieldIo.h"
#include "Processes.h"
#include "TarnixHost.h"

using namespace Tarnix;

namespace {

void PutMessage(char* buffer, size_t size, const std::string& message) {
  if (buffer == nullptr || size == 0)
    return;
  const size_t length = std::min(message.size(), size - 1);
  message.copy(buffer, length);
  buffer[length] = '\0';
}

std::string AbsoluteName(const std::string& fileName) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(fileName, error);
  return error ? fileName : absolute.lexically_normal().string();
}

}  // namespace

extern "C" {

uint32_t Tarnix_OpenBoard(const char* FileName, char* Message, size_t MessageSize) {
  if (FileName == nullptr || *FileName == '\0') {
    PutMessage(Message, MessageSize, "no file name given");
    return 0;
  }
  try {
    const uint32_t board = Editor().Adopt(ReadBoardFile(FileName));
    if (board == 0)
      PutMessage(Message, MessageSize, std::string(FileName) + ": too many objects in the editor");
    return board;
  } catch (const EBoardFile& error) {
    PutMessage(Message, MessageSize, error.what());
  } catch (const std::exception& error) {
    PutMessage(Message, MessageSize, std::string(FileName) + ": " + error.what());
  }
  return 0;
}

uint32_t Tarnix_CreateBoard(const char* FileName) {
  try {
    auto board = std::make_unique<TBoard>();
    if (FileName != nullptr && *FileName != '\0')
      board->FileName = AbsoluteName(FileName);
    return Editor().Adopt(std::move(board));
  } catch (const std::exception&) {
    return 0;
  }
}

int32_t Tarnix_SaveBoard(uint32_t Board, const char* FileName, char* Message, size_t MessageSize) {
  const TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr) {
    PutMessage(Message, MessageSize, "no such board");
    return StatusFailed;
  }
  const std::string target =
      FileName != nullptr && *FileName != '\0' ? std::string(FileName) : board->FileName;
  if (target.empty()) {
    PutMessage(Message, MessageSize, "the board has no file name");
    return StatusFailed;
  }
  try {
    WriteBoardFile(*board, target);
    PutMessage(Message, MessageSize, "");
    return StatusOk;
  } catch (const std::exception& error) {
    PutMessage(Message, MessageSize, error.what());
    return StatusFailed;
  }
}

int32_t Tarnix_CloseBoard(uint32_t Board) {
  return Editor().Close(Board) ? StatusOk : StatusFailed;
}

int32_t Tarnix_RunProcess(const char* Process, const char* Parameters) {
  if (Process == nullptr)
    return StatusFailed;
  return RunProcess(Process, Parameters != nullptr ? Parameters : "");
}

int32_t Tarnix_GetConnectionLength(uint32_t Board, double* Length) {
  const TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Length == nullptr)
    return StatusFailed;
  *Length = board->ConnectionLength();
  return StatusOk;
}

int32_t Tarnix_GetRedrawCount(uint32_t Board, uint32_t* Count) {
  const TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Count == nullptr)
    return StatusFailed;
  *Count = board->RedrawCount;
  return StatusOk;
}

int32_t Tarnix_GetLayerColor(uint32_t Board, uint8_t LayerNumber, uint32_t* Rgb) {
  const TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Rgb == nullptr || LayerNumber < FirstLayer || LayerNumber > LastLayer)
    return StatusFailed;
  *Rgb = board->Settings.Layers[LayerNumber].Color;
  return StatusOk;
}

}  // extern "C"
