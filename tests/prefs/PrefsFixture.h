#pragma once

#include <gtest/gtest.h>
#include <platform_host.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "TarnixHost.h"
#include "engine/PlacerBoard.h"
#include "pcb/PcbApi.h"

// A new board in the editor and a clean platform for every test; the board's options are set and
// read through mirrors of their own, apart from the dialog's.
class PrefsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformResetForTests();
    Board = Tarnix_CreateBoard(nullptr);
    ASSERT_NE(Board, 0u);
  }

  void TearDown() override {
    PlatformResetForTests();
    if (Board != 0) {
      Tarnix_CloseBoard(Board);
    }
  }

  // Reads the board, lets `change` edit the mirror and writes it.
  void ChangeBoard(const std::function<void(TBoard&)>& change) const {
    TBoard board(Board);
    ASSERT_EQ(board.Sync(PcbApi_ModeRead), 0);
    change(board);
    board.Sync(PcbApi_ModeWrite);
  }

  // What a fresh read of the board gives.
  std::unique_ptr<TBoard> ReadBoard() const {
    auto board = std::make_unique<TBoard>(Board);
    board->Sync(PcbApi_ModeRead);
    return board;
  }

  // Every modal form is answered by `answer`, which gets the form's window only.
  static void AnswerModalForms(std::function<void(HWND)> answer) {
    PlatformSetModalHandler([answer = std::move(answer)](HWND form) {
      answer(form);
      return PlatformGetModalResult(form);
    });
  }

  uint32_t Board = 0;
};
