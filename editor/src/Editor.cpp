#include "Editor.h"

#include <algorithm>
#include <filesystem>

namespace Tarnix {

TEditor& Editor() {
  static TEditor editor;
  return editor;
}

THandles& Handles() {
  return Editor().Handles;
}

uint32_t TEditor::Adopt(std::unique_ptr<TBoard> board) {
  if (!board->Register())
    return 0;
  if (!board->RecomputeConnections()) {
    board->Unregister();
    return 0;
  }
  const uint32_t handle = board->Handle;
  Boards.push_back(std::move(board));
  CurrentBoard = handle;
  return handle;
}

bool TEditor::Close(uint32_t handle) {
  const auto found = std::find_if(Boards.begin(), Boards.end(),
                                  [&](const auto& board) { return board->Handle == handle; });
  if (handle == 0 || found == Boards.end())
    return false;
  (*found)->Unregister();
  Boards.erase(found);
  if (CurrentBoard == handle)
    CurrentBoard = 0;
  return true;
}

TBoard* TEditor::BoardOf(uint32_t handle) const {
  return handle == 0 ? nullptr : Handles.Board(handle);
}

// A name that matches no board as it stands is tried again as an absolute, normal path.
TBoard* TEditor::BoardOfFileName(std::string_view fileName, size_t capacity) const {
  const auto named = [&](std::string_view name) -> TBoard* {
    for (const auto& board : Boards) {
      const std::string_view own = board->FileName;
      if (!own.empty() && (own == name || own.substr(0, capacity) == name))
        return board.get();
    }
    return nullptr;
  };
  if (TBoard* board = named(fileName))
    return board;
  std::error_code error;
  const auto absolute = std::filesystem::absolute(std::string(fileName), error);
  return error || fileName.empty() ? nullptr : named(absolute.lexically_normal().string());
}

void TEditor::SetCurrent(uint32_t handle) {
  if (handle == 0 || BoardOf(handle) != nullptr)
    CurrentBoard = handle;
}

}  // namespace Tarnix
