#pragma once

// The fixture of the shell tests: a folder of the test's own for its boards, the test host's client
// exported to the real plug-in, whose module ServerFactory makes; message boxes recorded and
// answered OK, modal dialogs counted and cancelled. At the end every document, board and queued
// message goes.

#include <gtest/gtest.h>
#include <platform_host.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TestHost.h"
#include "engine/PlaceObj.h"

inline const std::string SmallBoard = std::string(EXAMPLES_DIR) + "/small.pcb";

struct TBox {
  std::string Caption;
  std::string Text;
};

class TShellFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HRESULT Launch(const char* command, const char* parameters, IUnknown* context);

  // A board file opened in the editor as a PCB document (null, with a failure, when it cannot be).
  TComPtr<TPcbDocument> OpenBoard(const std::string& fileName);
  // The same for a copy of a board file in the test's folder.
  TComPtr<TPcbDocument> OpenBoardCopy(const std::string& source,
                                      const std::string& name = "Board1.pcb");

  // The placer document the run on the board "<pcbName>.pcb" in the test's folder opened.
  TComPtr<IServerDocument> PlacerDocument(const std::string& pcbName = "Board1");
  static TAutoPlacer* Engine(const TComPtr<IServerDocument>& document);

  // Dispatches messages until `done` holds (or a minute has passed).
  bool PumpUntil(const std::function<bool()>& done);

  std::filesystem::path Folder;
  TComPtr<TTestClient> Client;
  std::vector<TBox> Boxes;
  int DialogsShown = 0;

 private:
  PlatformMessageBoxHandler PreviousBox;
  PlatformModalHandler PreviousModal;
};

// Runs `action` inside the message loop of a run: posted behind the run's start message, it comes
// while the placement runs (and never after the test).
void PostIntoRun(std::function<void()> action);
