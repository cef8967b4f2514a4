// The editor's entry points for the host.

#include <filesystem>
#include <string>
#include <vector>

#include "BoardFile.h"
#include "BoardFormats.h"
#include "DecouplingPlace.h"
#include "DetailPlace.h"
#include "Editor.h"
#include "FieldIo.h"
#include "FileAccess.h"
#include "Legalise.h"
#include "PartsInside.h"
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

int32_t PutText(const std::string& text, char* buffer, size_t size, size_t* needed) {
  if (needed != nullptr)
    *needed = text.size();
  if (buffer == nullptr || size <= text.size())
    return StatusFailed;
  text.copy(buffer, text.size());
  buffer[text.size()] = '\0';
  return StatusOk;
}

constexpr size_t PlacerNetListCapacity = 255;

std::string BlankSeparated(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names)
    text += (text.empty() ? "" : " ") + name;
  return text;
}

}  // namespace

extern "C" {

uint32_t Tarnix_OpenBoard(const char* FileName, char* Message, size_t MessageSize) {
  if (FileName == nullptr || *FileName == '\0') {
    PutMessage(Message, MessageSize, "no file name given");
    return 0;
  }
  try {
    const uint32_t board = Editor().Adopt(OpenBoardFile(FileName));
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
      board->FileName = AbsoluteFileName(FileName);
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
    SaveBoardFile(*board, target);
    PutMessage(Message, MessageSize, "");
    return StatusOk;
  } catch (const std::exception& error) {
    PutMessage(Message, MessageSize, error.what());
    return StatusFailed;
  }
}

void Tarnix_SetSaveStop(int (*Stopped)(void)) {
  if (Stopped == nullptr)
    SetSaveObserver({});
  else
    SetSaveObserver([Stopped](TSaveStep) { return Stopped() != 0; });
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

int32_t Tarnix_GetBoardText(uint32_t Board, char* Buffer, size_t Size, size_t* Needed) {
  const TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr)
    return StatusFailed;
  try {
    return PutText(BoardFileText(*board), Buffer, Size, Needed);
  } catch (const std::exception&) {
    return StatusFailed;
  }
}

int32_t Tarnix_GetBoardNotes(uint32_t Board, char* Buffer, size_t Size, size_t* Needed) {
  const TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr)
    return StatusFailed;
  std::string notes;
  for (const std::string& note : board->Notes)
    notes += note + "\n";
  return PutText(notes, Buffer, Size, Needed);
}

int32_t Tarnix_SetSupplyNets(uint32_t Board, const char* PowerNets, const char* GroundNets,
                             char* Message, size_t MessageSize) {
  TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || PowerNets == nullptr || GroundNets == nullptr) {
    PutMessage(Message, MessageSize, "no such board");
    return StatusFailed;
  }
  const std::string power(PowerNets), ground(GroundNets);
  if (power.size() > PlacerNetListCapacity || ground.size() > PlacerNetListCapacity) {
    PutMessage(Message, MessageSize, "the list of supply nets is longer than 255 characters");
    return StatusFailed;
  }
  board->Settings.Placer.PowerNets = power;
  board->Settings.Placer.GroundNets = ground;
  return StatusOk;
}

int32_t Tarnix_HoldEdgeParts(uint32_t Board, int32_t* Count, char* Names, size_t NamesSize) {
  TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Count == nullptr)
    return StatusFailed;
  const std::vector<std::string> held = HoldEdgeParts(*board);
  *Count = static_cast<int32_t>(held.size());
  PutMessage(Names, NamesSize, BlankSeparated(held));
  return StatusOk;
}

int32_t Tarnix_ReleaseHeldParts(uint32_t Board) {
  TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr)
    return StatusFailed;
  ReleaseHeldParts(*board);
  return StatusOk;
}

int32_t Tarnix_PullPartsInside(uint32_t Board, int32_t* Pulled, int32_t* Stuck, char* StuckNames,
                               size_t StuckNamesSize) {
  TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Pulled == nullptr || Stuck == nullptr)
    return StatusFailed;
  const TPullResult result = PullPartsInside(*board);
  *Pulled = static_cast<int32_t>(result.Pulled.size());
  *Stuck = static_cast<int32_t>(result.Stuck.size());
  PutMessage(StuckNames, StuckNamesSize, BlankSeparated(result.Stuck));
  return StatusOk;
}

int32_t Tarnix_LegalisePlacement(uint32_t Board, int32_t* Moved, int32_t* NoRoom, char* NoRoomNames,
                                 size_t NoRoomNamesSize) {
  TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Moved == nullptr || NoRoom == nullptr)
    return StatusFailed;
  const TLegaliseResult result = LegalisePlacement(*board);
  *Moved = static_cast<int32_t>(result.Moved.size());
  *NoRoom = static_cast<int32_t>(result.NoRoom.size());
  PutMessage(NoRoomNames, NoRoomNamesSize, BlankSeparated(result.NoRoom));
  return StatusOk;
}

int32_t Tarnix_PlaceCapacitorsBesideChips(uint32_t Board, int32_t NearDistance, int32_t* Moved,
                                          int32_t* Capacitors) {
  TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Moved == nullptr || Capacitors == nullptr || NearDistance < 0)
    return StatusFailed;
  const TDecouplingResult result = PlaceCapacitorsBesideChips(*board, NearDistance);
  *Moved = static_cast<int32_t>(result.Moved.size());
  *Capacitors = result.Capacitors;
  return StatusOk;
}

int32_t Tarnix_PlaceInDetail(uint32_t Board, int32_t NearDistance, int32_t* Changes,
                             int32_t* Rounds) {
  TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Changes == nullptr || Rounds == nullptr || NearDistance < 0)
    return StatusFailed;
  const TDetailResult result = PlaceInDetail(*board, NearDistance);
  *Changes = result.Changes;
  *Rounds = result.Rounds;
  return StatusOk;
}

int32_t Tarnix_CountPartsOutside(uint32_t Board, int32_t* Count) {
  const TBoard* board = Editor().BoardOf(Board);
  if (board == nullptr || Count == nullptr)
    return StatusFailed;
  *Count = CountPartsOutside(*board);
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
