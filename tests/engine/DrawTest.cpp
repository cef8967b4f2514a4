#include <gtest/gtest.h>
#include <platform_host.h>
#include <windows.h>

#include <string>
#include <vector>

#include "EngineBuilder.h"
#include "FakeClient.h"
#include "engine/PlaceObj.h"
#include "engine/PlacerBoard.h"
#include "framework/TimeHelpers.h"
#include "ui/Graphics.h"

namespace {

// Takes every primitive the engine draws, with the pen and brush it was drawn with.
class TRecordingCanvas : public TCanvas {
 public:
  // One line per primitive: kind, corners, pen colour, brush colour or "clear".
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const PlatformPrimitive& p : Primitives) {
      const char* kind = p.Kind == PlatformPrimitiveKind::Rectangle  ? "rect"
                         : p.Kind == PlatformPrimitiveKind::FillRect ? "fill"
                         : p.Kind == PlatformPrimitiveKind::Line     ? "line"
                                                                     : "text";
      std::string line = std::string(kind) + " " + std::to_string(p.Bounds.left) + "," +
                         std::to_string(p.Bounds.top) + "," + std::to_string(p.Bounds.right) + "," +
                         std::to_string(p.Bounds.bottom) + " pen " + std::to_string(p.PenColor);
      if (p.Kind == PlatformPrimitiveKind::Rectangle || p.Kind == PlatformPrimitiveKind::FillRect) {
        line += p.BrushSolid ? " brush " + std::to_string(p.BrushColor) : " clear";
      }
      lines.push_back(line);
    }
    return lines;
  }

  std::vector<PlatformPrimitive> Primitives;

 protected:
  void AddPrimitive(const PlatformPrimitive& primitive) override {
    Primitives.push_back(primitive);
  }
};

// Layer colours that tell the parts of the picture apart.
constexpr int32_t Background = 1;
constexpr int32_t KeepOut = 2;
constexpr int32_t Connection = 3;
constexpr int32_t TopSide = 4;
constexpr int32_t BottomSide = 5;

// A board of 360 x 180 mil, twice as wide as high, in a view of 400 x 300 pixels: the drawing
// area is 400 x 200 at the bottom with margins of 20 and 10, so that one pixel is one mil.
class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformResetForTests();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.lpszClassName = "DrawTestView";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    View = CreateWindowExA(0, "DrawTestView", "", 0, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                           nullptr);
    ASSERT_NE(View, nullptr);

    Placer.ViewHandle = View;
    Placer.Board = MakeOwned<TBoard>(0u);
    Placer.Board->LayerInfo[BackGroundLayer] = Background;
    Placer.Board->LayerInfo[KeepOutLayer] = KeepOut;
    Placer.Board->LayerInfo[ConnectLayer] = Connection;
    Placer.Board->LayerInfo[TopOverlay] = TopSide;
    Placer.Board->LayerInfo[BottomOverlay] = BottomSide;

    TEngineBuilder builder(Placer);
    builder.Area(0, 0, 360 * Mil, 180 * Mil);
    Placer.DensityCellSize = 10 * Mil;  // 10 pixels
    Placer.DensityCols = 36;
    Placer.DensityRows = 18;
    Placer.Density.Allocate(36, 18);
    const int32_t top = builder.Component({100 * Mil, 90 * Mil, 20 * Mil, 10 * Mil});
    const int32_t bottom = builder.Component({.CenterX = 200 * Mil,
                                              .CenterY = 90 * Mil,
                                              .Width = 10 * Mil,
                                              .Height = 10 * Mil,
                                              .Layer = BottomLayer,
                                              .Movable = false});
    builder.Component({300 * Mil, 90 * Mil, 10 * Mil, 10 * Mil, TopLayer, true, true, FlagBypass});
    builder.Pin(top, 100 * Mil, 90 * Mil, 1);
    builder.Pin(bottom, 200 * Mil, 90 * Mil, 1);
    builder.Nets(1).Partitioned();
    Placer.Net(1).Parent = {1, 1};
    Placer.PassNumber = 70;
    Placer.MovesTotal = 12345;
    Placer.Finished = true;  // the time stands still
    Placer.Elapsed = {0, 3, 7};
    Placer.DrawReady = true;
  }
  void TearDown() override { PlatformResetForTests(); }

  std::vector<std::string> DrawAll() {
    TRecordingCanvas canvas;
    Placer.Draw(&canvas);
    EXPECT_EQ(Placer.Canvas, nullptr);  // borrowed for the one call only
    return canvas.Lines();
  }

  TRecordingStatusBar& Bar() { return *Client->StatusBar; }

  HWND View = nullptr;
  TAutoPlacer Placer;
  TComPtr<TFakeClient> Client = MakeComObject<TFakeClient>();
  TClientScope Scope{Client.Get()};
};

TEST_F(DrawTest, NothingIsDrawnOrShownBeforeTheImportHasFinished) {
  Placer.DrawReady = false;
  EXPECT_TRUE(DrawAll().empty());
  EXPECT_TRUE(Bar().Calls.empty());
  EXPECT_EQ(Placer.DrawRect.Right, 0);
}

TEST_F(DrawTest, TheSceneIsDrawnInOrderWithoutTheBypassCapacitors) {
  TEngineBuilder(Placer).KeepOut(0, 0, 20 * Mil, 10 * Mil);
  EXPECT_EQ(DrawAll(), (std::vector<std::string>{
                           "fill 0,0,400,300 pen 1 brush 1",    // background
                           "rect 20,110,380,290 pen 2 clear",   // frame of the placement area
                           "rect 20,290,40,280 pen 2 brush 2",  // keep-out
                           "line 220,200,120,200 pen 3",        // pin 2 to its parent, pin 1
                           "rect 110,205,130,195 pen 4 clear",  // top component
                           "rect 215,205,225,195 pen 5 clear",  // fixed bottom component
                       }));
  EXPECT_EQ(Placer.ScaleX, 10000.0);
  EXPECT_EQ(Placer.ScaleY, 10000.0);
}

TEST_F(DrawTest, TheDrawingAreaKeepsTheBoardsAspectAtTheBottomOrTheTop) {
  struct TCase {
    int Width, Height;
    TDrawRect Area;
    int32_t MarginX, MarginY;
  };
  const TCase cases[] = {
      {400, 300, {0, 100, 400, 300}, 20, 10},  // relatively taller: full width, at the bottom
      {400, 100, {0, 0, 200, 100}, 10, 5},     // relatively wider: full height, at the top
      {401, 300, {0, 100, 401, 300}, 20, 10},  // 200.5 rows round to even: 200
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
    MoveWindow(View, 0, 0, c.Width, c.Height, FALSE);
    DrawAll();
    EXPECT_EQ(Placer.DrawRect.Left, c.Area.Left);
    EXPECT_EQ(Placer.DrawRect.Top, c.Area.Top);
    EXPECT_EQ(Placer.DrawRect.Right, c.Area.Right);
    EXPECT_EQ(Placer.DrawRect.Bottom, c.Area.Bottom);
    EXPECT_EQ(Placer.MarginX, c.MarginX);
    EXPECT_EQ(Placer.MarginY, c.MarginY);
  }
}

TEST_F(DrawTest, DensitySquaresGrowWithTheValueUpToTheWholeCell) {
  Placer.Nets.clear();           // only the density between frame and components
  Placer.Density.At(1, 0) = 1;   // a square of about one pixel (ties round to even)
  Placer.Density.At(2, 1) = 50;  // more than the cell's 10 pixels: the whole cell
  Placer.Density.At(3, 2) = 4;   // 4 pixels
  Placer.Density.At(36, 0) = 9;  // the last column and the last row are not drawn
  Placer.Density.At(0, 18) = 9;
  const std::vector<std::string> lines = DrawAll();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 5),
            (std::vector<std::string>{
                "rect 53,267,57,263 pen 2 brush 2",  // row 2 first: rows run from the top
                "rect 40,280,50,270 pen 2 brush 2",
                "rect 34,286,36,284 pen 2 brush 2",
            }));
  EXPECT_EQ(lines.size(), 7u);
}

TEST_F(DrawTest, TheProgressLineShowsTimePercentageAndMoves) {
  DrawAll();
  EXPECT_EQ(
      Bar().Calls,
      (std::vector<TStatusCall>{{2, L"00:03:07      Optimization:100.00%      Moves:12345"}}));

  // Pass 1 of a running engine: the time comes from the clock.
  Bar().Calls.clear();
  Placer.Finished = false;
  Placer.StartTime = CaptureTime();
  Placer.StartDate = CaptureDate();
  Placer.PassNumber = 1;
  Placer.MovesTotal = 0;
  DrawAll();
  ASSERT_EQ(Bar().Calls.size(), 1u);
  const std::wstring& text = Bar().Calls[0].Text;
  EXPECT_EQ(text.substr(0, 7), L"00:00:0");
  EXPECT_EQ(text.substr(8), L"      Optimization:1.43%      Moves:0");
}

TEST_F(DrawTest, WithoutAScaleOnlyTheBackgroundAndTheProgressAreShown) {
  struct TCase {
    const char* Name;
    int Width, Height;
    int32_t BoardWidth;
  };
  const TCase cases[] = {{"empty view", 0, 0, 360 * Mil}, {"board without width", 400, 300, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Placer.ScaleX = Placer.ScaleY = 0.0;
    Placer.BoardWidth = c.BoardWidth;
    MoveWindow(View, 0, 0, c.Width, c.Height, FALSE);
    Bar().Calls.clear();
    const std::vector<std::string> lines = DrawAll();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 4), "fill");
    EXPECT_EQ(Bar().Calls.size(), 1u);
  }
}

}  // namespace
