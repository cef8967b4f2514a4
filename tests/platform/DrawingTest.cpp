#include <platform_drawing.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "PlatformFixture.h"

namespace {

namespace fs = std::filesystem;

class DrawingTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    folder_ =
        fs::temp_directory_path() / ("platform-drawing-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::remove_all(folder_);
    PlatformTest::TearDown();
  }

  // A red rectangle with a blue outline, a line and a text on a 100 x 80 window.
  HWND DrawnWindow() {
    HWND window = MakeWindow();
    PlatformBeginDrawing(window);
    PlatformPrimitive rectangle;
    rectangle.Bounds = {10, 20, 60, 50};
    rectangle.PenColor = RGB(0, 0, 255);
    rectangle.BrushColor = RGB(255, 0, 0);
    PlatformAddPrimitive(window, rectangle);
    PlatformPrimitive line;
    line.Kind = PlatformPrimitiveKind::Line;
    line.Bounds = {0, 0, 99, 79};
    PlatformAddPrimitive(window, line);
    PlatformPrimitive text;
    text.Kind = PlatformPrimitiveKind::Text;
    text.Bounds = {5, 60, 0, 0};
    text.Text = "Caf\xE9\x01";  // single-byte text with a control character
    PlatformAddPrimitive(window, text);
    PlatformEndDrawing(window);
    return window;
  }

  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder_;
};

TEST_F(DrawingTest, ADrawingIsSavedAsSvgAndPng) {
  HWND window = DrawnWindow();
  std::string error;
  fs::path svg = folder_ / "view.svg";
  fs::path png = folder_ / "view.png";
  ASSERT_TRUE(PlatformSaveDrawingSvg(window, svg.c_str(), &error)) << error;
  ASSERT_TRUE(PlatformSaveDrawingPng(window, png.c_str(), &error)) << error;

  std::string svgText = ReadFile(svg);
  EXPECT_NE(svgText.find("width=\"100\""), std::string::npos);
  EXPECT_NE(svgText.find("rgb(100%,0%,0%)"), std::string::npos);  // the rectangle's fill
  EXPECT_NE(svgText.find("M 10 20 L 60 20 L 60 50 L 10 50 Z"), std::string::npos) << svgText;
  EXPECT_EQ(ReadFile(png).substr(0, 8), "\x89PNG\r\n\x1A\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

TEST_F(DrawingTest, TheLastFinishedDrawingStaysUntilTheNextOneEnds) {
  HWND window = DrawnWindow();
  PlatformBeginDrawing(window);
  EXPECT_EQ(PlatformGetDrawing(window)->Primitives.size(), 3u);
  PlatformEndDrawing(window);
  auto drawing = PlatformGetDrawing(window);
  EXPECT_TRUE(drawing->Primitives.empty());
  EXPECT_EQ(drawing->Width, 100);
  EXPECT_EQ(drawing->Height, 80);
  EXPECT_FALSE(PlatformAddPrimitive(window, PlatformPrimitive{}));  // nothing begun
}

TEST_F(DrawingTest, SavingFailsWithAReasonAndLeavesNothingBehind) {
  HWND drawn = DrawnWindow();
  HWND blank = MakeWindow();
  HWND empty = MakeWindow();
  SetWindowPos(empty, nullptr, 0, 0, 0, 0, SWP_NOMOVE);
  PlatformBeginDrawing(empty);
  PlatformEndDrawing(empty);
  fs::path existing = folder_ / "kept.svg";
  std::ofstream(existing) << "old";

  struct Case {
    HWND Window;
    fs::path Path;
  };
  const Case cases[] = {
      {drawn, folder_ / "missing" / "view.svg"},  // no such folder
      {drawn, folder_},                           // a folder, not a file
      {blank, folder_ / "view.svg"},              // never drawn
      {empty, folder_ / "view.svg"},              // no area
      {reinterpret_cast<HWND>(0x42), folder_ / "view.svg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path.string());
    for (auto save : {&PlatformSaveDrawingSvg, &PlatformSaveDrawingPng}) {
      std::string error;
      EXPECT_FALSE(save(c.Window, c.Path.c_str(), &error));
      EXPECT_FALSE(error.empty());
    }
  }
  EXPECT_FALSE(PlatformSaveDrawingSvg(drawn, nullptr));
  EXPECT_EQ(ReadFile(existing), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

}  // namespace
