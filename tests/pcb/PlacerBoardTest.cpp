// The placer's board mirror against the recording editor: the placer options after the board, and
// the placement grid written so that it lasts.

#include "BoardRecordingFixture.h"
#include "engine/PlacerBoard.h"

namespace {

constexpr uint32_t Board = 7;

using Args = std::vector<std::string>;

class PlacerBoardTest : public BoardRecordingTest {
 protected:
  // The calls of a TBoard Sync: the board's, then the placer options and the clearances.
  static Args PlacerBoardKeys(int mode, int pairCount) {
    Args keys = BoardSyncKeys(mode, Board, pairCount);
    const std::string m = std::to_string(mode);
    keys.push_back("QueryBoardAdvancedPlacerOptions(" + m + ",7)");
    keys.push_back("QueryBoardAdvancedPlacerOptionsExt(" + m + ",7)");
    return keys;
  }

  const Args& ArgumentsOfCallFromEnd(size_t back) const {
    return Recorded->Calls[Recorded->Calls.size() - 1 - back].Arguments;
  }
};

TEST_F(PlacerBoardTest, ANewBoardHoldsNoOptionsOfItsOwn) {
  const TBoard board(Board);
  EXPECT_EQ(board.SmallComponentClearance, 0);
  EXPECT_EQ(board.LargeComponentClearance, 0);
  EXPECT_EQ(board.PowerNets, "");
  EXPECT_EQ(board.GroundNets, "");
  EXPECT_EQ(board.PlacementGrid, 0);
  EXPECT_FALSE(board.RotateComponents || board.GroupComponents || board.ExtraPlacerFlag1 ||
               board.ExtraPlacerFlag2);
  EXPECT_TRUE(Recorded->Calls.empty());
}

TEST_F(PlacerBoardTest, ReadTakesTheOptionsAfterTheBoardAndTheGridFromTheComponentGrid) {
  Recorded->Results["QueryBoard"] = 6;
  Recorded->Results["QueryBoardAdvancedPlacerOptions"] = 8;
  TBoard board(Board);

  EXPECT_EQ(board.Sync(PcbApi_ModeRead), 6);

  EXPECT_EQ(Keys(), PlacerBoardKeys(PcbApi_ModeRead, 2));
  EXPECT_EQ(board.PowerNets, "P3");
  EXPECT_EQ(board.GroundNets, "P4");
  EXPECT_TRUE(board.RotateComponents && board.ExtraPlacerFlag1 && board.ExtraPlacerFlag2 &&
              board.GroupComponents);
  EXPECT_EQ(board.LargeComponentClearance, 3);
  EXPECT_EQ(board.SmallComponentClearance, 4);
  // The component grid is the grid's source, argument 15 of the grids query: 15.25.
  EXPECT_EQ(board.Grids.ComponentGrid, 15.25);
  EXPECT_EQ(board.PlacementGrid, 15);
}

TEST_F(PlacerBoardTest, WriteSendsThePlacementGridAsTheComponentGridsSourceAndTheOptionsInOrder) {
  for (const uint8_t mode : {PcbApi_ModeWrite, PcbApi_ModeWriteFinal}) {
    SCOPED_TRACE(int{mode});
    Recorded->Calls.clear();
    TBoard board(Board);
    board.Grids.ComponentGrid = 1.0;
    board.Grids.ComponentGridSource = 2.0;
    board.PlacementGrid = 250000;
    board.PowerNets = "VCC +5";
    board.GroundNets = "GND";
    board.RotateComponents = true;
    board.ExtraPlacerFlag2 = true;
    board.LargeComponentClearance = 200000;
    board.SmallComponentClearance = 100000;

    EXPECT_EQ(board.Sync(mode), 0);

    EXPECT_EQ(Keys(), PlacerBoardKeys(mode, 0));
    const std::string m = std::to_string(mode);
    EXPECT_EQ(ArgumentsOf("QueryBoardGridsEx(" + m + ",7)").at(14), "250000");
    EXPECT_EQ(board.Grids.ComponentGrid, 250000.0);
    EXPECT_EQ(ArgumentsOfCallFromEnd(1), (Args{m, "7", "VCC +5", "GND", "1", "0", "1", "0"}));
    EXPECT_EQ(ArgumentsOfCallFromEnd(0), (Args{m, "7", "200000", "100000"}));
  }
}

TEST_F(PlacerBoardTest, NetListsLongerThanTheEditorHoldsAreCut) {
  TBoard board(Board);
  board.PowerNets = std::string(300, 'V');
  board.GroundNets = std::string(255, 'G');
  board.Sync(PcbApi_ModeWrite);
  EXPECT_EQ(ArgumentsOfCallFromEnd(1).at(2), std::string(255, 'V'));
  EXPECT_EQ(ArgumentsOfCallFromEnd(1).at(3), std::string(255, 'G'));
  EXPECT_EQ(board.PowerNets.size(), 300u);  // a write changes nothing in the mirror
}

}  // namespace
