#include <platform_drawing.h>

#include "ShellFixture.h"
#include "shell/PlacerInterfaces.h"

// The placer view's form through the real plug-in: the messages of a run reach the document only
// once there is an engine, the timer repaints only a running placement, and a stop that comes
// before the run has no effect.

namespace {

// The repaint timer is the form's only timer: the first id on its window.
constexpr UINT_PTR RepaintTimerId = 1;

class ViewFormTest : public TShellFixture {
 protected:
  // Starts a batch run on a copy of the small board; the engine is loaded and its start message
  // queued. Returns the placer document.
  TComPtr<IServerDocument> StartRun() {
    const auto board = OpenBoardCopy(SmallBoard);
    EXPECT_EQ(Launch("RunAutoplacer", "Batch=True|Seed=7", board->View.Get()), S_OK);
    return PlacerDocument();
  }

  HRESULT Stop(IServerDocument* document) { return Launch("StopAutoplacer", "", document); }

  static HWND FormWindow(IServerDocument* document) {
    TComPtr<IServerDocumentView> view;
    EXPECT_EQ(document->GetView(0, view.Put()), S_OK);
    HWND window = nullptr;
    EXPECT_EQ(view->GetWindowHandle(&window), S_OK);
    return window;
  }

  bool PumpUntilRunEnded() {
    return PumpUntil([&] { return Client->RunsEnded != 0; });
  }
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
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Engine(document.Get()), nullptr);
  }
}

TEST_F(ViewFormTest, TheTimerRepaintsOnlyWhileTheEngineRuns) {
  const auto document = StartRun();
  const HWND window = FormWindow(document.Get());
  TAutoPlacer& engine = *Engine(document.Get());
  bool repaintedWhileRunning = false;
  PostIntoRun([&] {
    ASSERT_TRUE(engine.Running);
    const auto before = Drawn(window);
    ShiftFirstComponent(engine, engine.BoardWidth / 2);
    SendMessageA(window, WM_TIMER, RepaintTimerId, 0);
    repaintedWhileRunning = !SameDrawing(before, Drawn(window));
    ShiftFirstComponent(engine, -(engine.BoardWidth / 2));
    EXPECT_EQ(Stop(document.Get()), S_OK);
  });
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
