// The board mirrors against the editor itself: what is written reads back, also after the board
// has been saved and opened again.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TarnixHost.h"
#include "engine/PlacerBoard.h"
#include "pcb/PCBProcsUnits.h"
#include "pcb/PcbclassBoard.h"
#include "pcb/PcbclassOptions.h"

namespace {

class RoundTripBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder =
        std::filesystem::temp_directory_path() /
        ("roundtrip-board-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Folder);
    Board = Tarnix_CreateBoard((Folder / "board.pcb").string().c_str());
    ASSERT_NE(Board, 0u);
  }

  void TearDown() override {
    if (Board != 0)
      Tarnix_CloseBoard(Board);
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }

  // Saves the board, closes it and opens the file again.
  void SaveAndReopen() {
    char message[512] = {};
    ASSERT_EQ(Tarnix_SaveBoard(Board, nullptr, message, sizeof message), 0) << message;
    Tarnix_CloseBoard(Board);
    Board = Tarnix_OpenBoard((Folder / "board.pcb").string().c_str(), message, sizeof message);
    ASSERT_NE(Board, 0u) << message;
  }

  std::filesystem::path Folder;
  uint32_t Board = 0;
};

TEST_F(RoundTripBoardTest, ANewBoardReadsWithTheEditorsDefaults) {
  TBoard board(Board);
  ASSERT_EQ(board.Sync(PcbApi_ModeRead), 0);

  EXPECT_EQ(board.PlacementGrid, MilsToCoord(20));
  EXPECT_NE(board.DisplayUnitImperial, 0);
  EXPECT_EQ(board.PowerNets, "");
  EXPECT_FALSE(board.RotateComponents);
  EXPECT_EQ(board.Layers[TopLayer]->Name, "TopLayer");
  EXPECT_EQ(board.FirstStackLayer(), board.Layers[TopLayer].get());
  EXPECT_EQ(board.NextStackLayer(*board.Layers[TopLayer]), board.Layers[BottomLayer].get());
  ASSERT_EQ(board.LayerPairs.size(), 1u);
  EXPECT_EQ(board.LayerPairs[0]->Name, "TopLayer - BottomLayer");
}

TEST_F(RoundTripBoardTest, ABoardReadChangedAndWrittenReadsBackChanged) {
  {
    TBoard board(Board);
    ASSERT_EQ(board.Sync(PcbApi_ModeRead), 0);
    board.PlacementGrid = MilsToCoord(25);
    board.SmallComponentClearance = MilsToCoord(10);
    board.LargeComponentClearance = MilsToCoord(20.5);
    board.PowerNets = "VCC +5 +12";
    board.GroundNets = "GND AGND";
    board.RotateComponents = true;
    board.GroupComponents = true;
    board.ExtraPlacerFlag2 = true;
    board.DisplayUnitImperial = 0;
    board.Grids.D1 = 12345;
    // A four-layer stack with a plane under the top layer, and a pair listed bottom first.
    board.Layers[TopLayer]->NextLayer = InternalPlane1;
    board.Layers[InternalPlane1]->PrevLayer = TopLayer;
    board.Layers[InternalPlane1]->NextLayer = MidLayer1;
    board.Layers[MidLayer1]->PrevLayer = InternalPlane1;
    board.Layers[MidLayer1]->NextLayer = BottomLayer;
    board.Layers[BottomLayer]->PrevLayer = MidLayer1;
    dynamic_cast<TInternalPlane&>(*board.Layers[InternalPlane1]).PlaneNetName = "GND";
    board.Layers[MidLayer1]->Name = "Signal 2";
    board.TopDielectric.Material = "Solder mask";
    board.LayerPairs.push_back(
        std::make_unique<TPcblayerPair>(TPcblayerPair{"", MidLayer1, TopLayer, 0, 0}));
    ASSERT_EQ(board.Sync(PcbApi_ModeWrite), 0);
  }

  for (const bool reopened : {false, true}) {
    SCOPED_TRACE(reopened ? "saved and opened again" : "same board");
    if (reopened)
      SaveAndReopen();
    TBoard board(Board);
    ASSERT_EQ(board.Sync(PcbApi_ModeRead), 0);
    EXPECT_EQ(board.PlacementGrid, 250000);
    EXPECT_EQ(board.SmallComponentClearance, 100000);
    EXPECT_EQ(board.LargeComponentClearance, 205000);
    EXPECT_EQ(board.PowerNets, "VCC +5 +12");
    EXPECT_EQ(board.GroundNets, "GND AGND");
    EXPECT_TRUE(board.RotateComponents);
    EXPECT_TRUE(board.GroupComponents);
    EXPECT_FALSE(board.ExtraPlacerFlag1);
    EXPECT_TRUE(board.ExtraPlacerFlag2);
    EXPECT_EQ(board.DisplayUnitImperial, 0);
    if (!reopened) {  // the board file holds only the editor's own settings
      EXPECT_EQ(board.Grids.D1, 12345);
      EXPECT_EQ(dynamic_cast<TInternalPlane&>(*board.Layers[InternalPlane1]).PlaneNetName, "GND");
      EXPECT_EQ(board.TopDielectric.Material, "Solder mask");
      std::vector<std::string> pairs;
      for (const auto& pair : board.LayerPairs)
        pairs.push_back(pair->Name);
      EXPECT_EQ(pairs, (std::vector<std::string>{"TopLayer - BottomLayer", "TopLayer - Signal 2"}));
      EXPECT_EQ(board.StackPosition(ElectricalLayers, *board.Layers[BottomLayer]), 4);
    }
  }
}

// The placement grid is kept as the board's component grid: a written grid is the grid of the
// next read, which is where the next run takes its grid from.
TEST_F(RoundTripBoardTest, AWrittenPlacementGridIsTheGridOfTheNextRead) {
  {
    TBoard board(Board);
    ASSERT_EQ(board.Sync(PcbApi_ModeRead), 0);
    board.PlacementGrid = MilsToCoord(25);
    ASSERT_EQ(board.Sync(PcbApi_ModeWrite), 0);
    EXPECT_EQ(board.Grids.ComponentGrid, 250000.0);
  }
  TBoard again(Board);
  ASSERT_EQ(again.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(again.PlacementGrid, 250000);
  EXPECT_EQ(FormatLength(again.PlacementGrid, 1), "25mil");
}

// The base mirror does not exchange the component grid itself: only its source goes to the
// editor, and the component grid follows it after every exchange.
TEST_F(RoundTripBoardTest, ThePlainBoardMirrorWritesOnlyTheComponentGridsSource) {
  TPcbBoard board(Board);
  ASSERT_EQ(board.Sync(PcbApi_ModeRead), 0);
  const double editorsGrid = board.Grids.ComponentGridSource;
  board.Grids.ComponentGrid = 350000;
  ASSERT_EQ(board.Sync(PcbApi_ModeWrite), 0);
  EXPECT_EQ(board.Grids.ComponentGrid, editorsGrid);

  TBoard again(Board);
  ASSERT_EQ(again.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(again.PlacementGrid, editorsGrid);
}

TEST_F(RoundTripBoardTest, TheEditorRefusesAGridItCannotHoldAndKeepsItsOwn) {
  TBoard board(Board);
  ASSERT_EQ(board.Sync(PcbApi_ModeRead), 0);
  board.PlacementGrid = 0;
  board.PowerNets = "VCC";
  board.Sync(PcbApi_ModeWrite);

  TBoard again(Board);
  ASSERT_EQ(again.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(again.PlacementGrid, MilsToCoord(20));
  EXPECT_EQ(again.PowerNets, "VCC");
}

TEST(RoundTripSystemOptionsTest, TypeMappingsWrittenReadBack) {
  TPcbSystemOptions options;
  ASSERT_EQ(options.Sync(PcbApi_ModeRead), 0);
  const std::size_t before = options.TypeMappings->Count();
  options.TypeMappings->Add("TP*", 4);
  ASSERT_EQ(options.Sync(PcbApi_ModeWrite), 0);

  TPcbSystemOptions again;
  ASSERT_EQ(again.Sync(PcbApi_ModeRead), 0);
  ASSERT_EQ(again.TypeMappings->Count(), before + 1);
  std::string pattern;
  uint8_t type = 0;
  again.TypeMappings->Get(static_cast<int64_t>(before), pattern, type);
  EXPECT_EQ(pattern, "TP*");
  EXPECT_EQ(type, 4);
}

}  // namespace
