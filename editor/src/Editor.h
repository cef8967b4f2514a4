#pragma once

// The editor's state for the whole process: the handle registry, the open boards, the current
// board, the iterators and the system options. The editor runs on its callers' thread and is not
// guarded against calls from several threads at once.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Board.h"
#include "Handles.h"
#include "Iterators.h"
#include "SystemOptions.h"

namespace Tarnix {

class TEditor {
 public:
  // Takes a board in: gives it handles, computes its connections and makes it current. 0, with the
  // board dropped, when the handles are used up.
  uint32_t Adopt(std::unique_ptr<TBoard> board);
  // Closes a board; false for a handle that is no open board.
  bool Close(uint32_t board);
  // The open board of a handle, or null.
  TBoard* BoardOf(uint32_t board) const;
  // The open board whose file name is the name given, or that name cut to Capacity characters.
  TBoard* BoardOfFileName(std::string_view fileName, size_t capacity) const;

  void SetCurrent(uint32_t board);
  uint32_t Current() const { return CurrentBoard; }

  // Member order matters: the boards go before the registry they are recorded in.
  THandles Handles;
  TIterators Iterators;
  TSystemOptions SystemOptions;

 private:
  std::vector<std::unique_ptr<TBoard>> Boards;
  uint32_t CurrentBoard = 0;
};

TEditor& Editor();

}  // namespace Tarnix
