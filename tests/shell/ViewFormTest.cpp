#include <gtest/gtest.h>
#include <platform_drawing.h>
#include <platform_host.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "TestHost.h"
#include "engine/PlaceObj.h"
#include "shell/PlacerInterfaces.h"

// The placer view's form through the real plug-in: the messages of a run reach the document only
// once there is an engine, the timer repaints only a running placement, and a stop that comes
// before the run has no effect.

namespace {

const std::string SmallBoard = std::string(EXAMPLES_DIR) + "/small.pcb";

// The repaint timer is the form's only timer: the first id on its window.
constexpr UINT_PTR RepaintTimerId = 1;

// A window whose WM_USER runs a chosen action: posted behind the start message, it runs inside
// the placement's own message loop.
std::function<void()> InsideRunAction;
LRESULT CALLBACK InsideRunProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER && InsideRunAction) {
    InsideRunAction();
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

HWND InsideRunWindow() {
  static const HWND window = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &InsideRunProcedure;
    windowClass.lpszClassName = "ViewFormTestInsideRun";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ViewFormTestInsideRun", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                           nullptr);
  }();
  return window;
}

class ViewFormTest : public testing::Test {
 protected:
  void SetUp() override {
    Folder = std::filesystem::temp_directory_path() /
             ("view_form_tests_" + std::to_string(::getpid()) + "_" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Folder);
    Client = MakeComObject<TTestClient>();
    SetExportedClient(Client.Get());
    PreviousBox = PlatformSetMessageBoxHandler([this](HWND, const char*, const char*, UINT) {
      ++BoxesShown;
      return IDOK;
    });
    ASSERT_EQ(LoadedServerFactory()(Client.Get(), Client->Module.Put()), S_OK);
  }

  void TearDown() override {
    InsideRunAction = nullptr;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    Client->Documents.clear();
    Client->Module = nullptr;
    for (uint32_t board = Editor().GetCurrentBoardHandle(); board != 0;
         board = Editor().GetCurrentBoardHandle()) {
      Editor().CloseBoard(board);
    }
    SetExportedClient(nullptr);
    PlatformSetMessageBoxHandler(PreviousBox);
    std::filesystem::remove_all(Folder);
  }

  // Starts a batch run on a copy of the small board; the engine is loaded and its start message
  // queued. Returns the placer document.
  TComPtr<IServerDocument> StartRun() {
    const std::string copy = (Folder / "Board1.pcb").string();
    std::filesystem::copy_file(SmallBoard, copy);
    std::string message;
    const auto board = Client->OpenPcb(copy, message);
    EXPECT_TRUE(board) << message;
    TComPtr<ICommandLauncher> launcher;
    EXPECT_EQ(Client->Module->GetCommandLauncher(launcher.Put()), S_OK);
    EXPECT_EQ(launcher->LaunchCommand(L"RunAutoplacer", "Batch=True|Seed=7", 0, board->View.Get()),
              S_OK);
    return Client->Documents[(Folder / "Board1.PLC").string()];
  }

  HRESULT Stop(IServerDocument* document) {
    TComPtr<ICommandLauncher> launcher;
    EXPECT_EQ(Client->Module->GetCommandLauncher(launcher.Put()), S_OK);
    return launcher->LaunchCommand(L"StopAutoplacer", "", 0, document);
  }

  static TAutoPlacer* Engine(IServerDocument* document) {
    TAutoPlacer* engine = nullptr;
    TComPtr<IServerDocument>(document).As<IPlacerDocument>()->GetAutoPlacer(&engine);
    return engine;
  }

  static HWND FormWindow(IServerDocument* document) {
    TComPtr<IServerDocumentView> view;
    EXPECT_EQ(document->GetView(0, view.Put()), S_OK);
    HWND window = nullptr;
    EXPECT_EQ(view->GetWindowHandle(&window), S_OK);
    return window;
  }

  bool PumpUntilRunEnded() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    MSG message;
    while (Client->RunsEnded == 0 && std::chrono::steady_clock::now() < deadline) {
      if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
    return Client->RunsEnded != 0;
  }

  std::filesystem::path Folder;
  TComPtr<TTestClient> Client;
  int BoxesShown = 0;
  PlatformMessageBoxHandler PreviousBox;
};

// The primitives of the form window's last paint.
std::vector<PlatformPrimitive> Drawn(HWND window) {
  const auto drawing = PlatformGetDrawing(window);
  return drawing ? drawing->Primitives : std::vector<PlatformPrimitive>();
}

bool SameDrawing(const std::vector<PlatformPrimitive>& a, const std::vector<PlatformPrimitive>& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    const RECT& p = a[i].Bounds;
    const RECT& q = b[i].Bounds;
    if (a[i].Kind != b[i].Kind || a[i].Text != b[i].Text || p.left != q.left || p.top != q.top ||
        p.right != q.right || p.bottom != q.bottom) {
      return false;
    }
  }
  return true;
}

// Moves the first component well to the side, so that a new paint draws something else.
void ShiftFirstComponent(TAutoPlacer& engine, int32_t by) {
  engine.Component(1).CenterX += by;
}

TEST_F(ViewFormTest, RunMessagesBeforeTheEngineExistsReachNothing) {
  TComPtr<IServerDocument> document;
  ASSERT_EQ(
      Client->OpenDocument(L"Placer", Wide((Folder / "Lone.PLC").string()).c_str(), document.Put()),
      S_OK);
  ASSERT_EQ(Engine(document.Get()), nullptr);
  const HWND window = FormWindow(document.Get());
  for (const WPARAM command : {cmPlacerStopped, cmPlacerFinished, cmPlacerStart}) {
    SCOPED_TRACE(command);
    SendMessageA(window, WM_COMMAND, command, 0);
    EXPECT_EQ(Client->RunsEnded, 0);
    EXPECT_EQ(BoxesShown, 0);
    EXPECT_EQ(Engine(document.Get()), nullptr);
  }
}

TEST_F(ViewFormTest, TheTimerRepaintsOnlyWhileTheEngineRuns) {
  const auto document = StartRun();
  const HWND window = FormWindow(document.Get());
  TAutoPlacer& engine = *Engine(document.Get());
  bool repaintedWhileRunning = false;
  InsideRunAction = [&] {
    ASSERT_TRUE(engine.Running);
    const auto before = Drawn(window);
    ShiftFirstComponent(engine, engine.BoardWidth / 2);
    SendMessageA(window, WM_TIMER, RepaintTimerId, 0);
    repaintedWhileRunning = !SameDrawing(before, Drawn(window));
    ShiftFirstComponent(engine, -(engine.BoardWidth / 2));
    EXPECT_EQ(Stop(document.Get()), S_OK);
  };
  PostMessageA(InsideRunWindow(), WM_USER, 0, 0);
  ASSERT_TRUE(PumpUntilRunEnded());
  EXPECT_TRUE(repaintedWhileRunning);

  // After the end message: a tick leaves the drawing alone, an ordinary paint redraws it.
  ASSERT_FALSE(engine.Running);
  // The last paint showed the component shifted by half a board: now it stands elsewhere.
  const auto ended = Drawn(window);
  ShiftFirstComponent(engine, engine.BoardWidth / 4);
  SendMessageA(window, WM_TIMER, RepaintTimerId, 0);
  EXPECT_TRUE(SameDrawing(ended, Drawn(window)));
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  EXPECT_FALSE(SameDrawing(ended, Drawn(window)));
}

TEST_F(ViewFormTest, AStopBeforeTheRunHasStartedHasNoEffect) {
  const auto document = StartRun();
  TAutoPlacer* engine = Engine(document.Get());
  ASSERT_NE(engine, nullptr);
  ASSERT_FALSE(engine->Running);  // loaded, its start message still queued
  EXPECT_EQ(Stop(document.Get()), S_OK);
  EXPECT_FALSE(engine->StopRequested);
  ASSERT_TRUE(PumpUntilRunEnded());
  EXPECT_TRUE(engine->Finished);
}

}  // namespace
