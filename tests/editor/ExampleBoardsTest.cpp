// The example boards: they load, save and load again unchanged, their generator reproduces them,
// and the realistic one has what a placement needs.

#include <cstdlib>

#include "EditorTestSupport.h"

using namespace EditorTest;

namespace {

// Load, save and load: the same board, and the same file text for the example boards.
TEST(ExampleBoardsTest, SavedBoardsLoadAsTheSameBoard) {
  TScratch scratch;
  for (const char* example : {"small.pcb", "realistic.pcb"}) {
    SCOPED_TRACE(example);
    const std::string original = std::string(EXAMPLES_DIR) + "/" + example;
    char message[512] = "";
    const uint32_t first = Tarnix_OpenBoard(original.c_str(), message, sizeof message);
    ASSERT_NE(first, 0u) << message;
    const std::string saved = scratch.Path(example);
    ASSERT_EQ(Tarnix_SaveBoard(first, saved.c_str(), message, sizeof message), 0) << message;
    const uint32_t second = Tarnix_OpenBoard(saved.c_str(), message, sizeof message);
    ASSERT_NE(second, 0u) << message;
    EXPECT_EQ(Describe(second), Describe(first));
    EXPECT_EQ(ReadText(saved), ReadText(original));
    Tarnix_CloseBoard(first);
    Tarnix_CloseBoard(second);
  }
}

// The generator reproduces the committed example boards byte for byte.
TEST(ExampleBoardsTest, GeneratorReproducesTheExampleBoards) {
  TScratch scratch;
  for (const char* example : {"small", "realistic"}) {
    SCOPED_TRACE(example);
    const std::string output = scratch.Path(std::string(example) + ".pcb");
    const std::string command =
        std::string("\"") + GENERATOR_PATH + "\" " + example + " \"" + output + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadText(output), ReadText(std::string(EXAMPLES_DIR) + "/" + example + ".pcb"));
  }
}

// The realistic example: both sides, locked parts, keep-out fills inside keep-out tracks,
// supply nets named in the placer options, and parts that take about half the area or less.
TEST(ExampleBoardsTest, RealisticExampleHasWhatThePlacerNeeds) {
  char message[512] = "";
  const uint32_t board = Tarnix_OpenBoard((std::string(EXAMPLES_DIR) + "/realistic.pcb").c_str(),
                                          message, sizeof message);
  ASSERT_NE(board, 0u) << message;
  const auto top = Walk(board, ComponentKind, 0, TopLayer);
  const auto bottom = Walk(board, ComponentKind, 0, BottomLayer);
  EXPECT_EQ(top.size() + bottom.size(), 150u);
  EXPECT_GE(bottom.size(), 10u);
  size_t locked = 0;
  double partsArea = 0;
  for (uint32_t component : Walk(board, ComponentKind, 0, 0)) {
    TComponentRecord record;
    ASSERT_EQ(QueryComponent(PcbApi_ModeRead, component, record), 0);
    locked += record.Moveable == 0 ? 1 : 0;
    const TRectangle box = Bounds(component);
    partsArea += static_cast<double>(box.X2 - box.X1) * (box.Y2 - box.Y1);
  }
  EXPECT_GE(locked, 5u);
  EXPECT_EQ(Walk(board, TrackKind, 0, KeepOutLayer).size(), 4u);
  EXPECT_GE(Walk(board, FillKind, 0, KeepOutLayer).size(), 2u);
  const TRectangle outline = Bounds(board);
  const double area = static_cast<double>(outline.X2 - outline.X1) * (outline.Y2 - outline.Y1);
  EXPECT_LT(partsArea, 0.5 * area);
  PcbString255 power{}, ground{};
  ASSERT_EQ(PcbApi_QueryBoardAdvancedPlacerOptions(PcbApi_ModeRead, board, &power, &ground, nullptr,
                                                   nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(FromPcbString(power), "VCC +5V AVCC");
  EXPECT_EQ(FromPcbString(ground), "GND");
  Tarnix_CloseBoard(board);
}

}  // namespace
