// The editor's entry points for the host: empty boards, closing, and the editor's processes.

#include "EditorTestSupport.h"

using namespace EditorTest;

namespace {

TEST(HostTest, CreatedBoardsAreEmptyAndCanBeSaved) {
  TScratch scratch;
  const uint32_t unnamed = Tarnix_CreateBoard(nullptr);
  ASSERT_NE(unnamed, 0u);
  EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), unnamed);
  EXPECT_TRUE(Walk(unnamed, ComponentKind, 0, 0).empty());
  EXPECT_EQ(Bounds(unnamed), (TRectangle{0, 0, 0, 0}));
  char message[256] = "";
  EXPECT_NE(Tarnix_SaveBoard(unnamed, nullptr, message, sizeof message), 0);
  EXPECT_EQ(std::string(message), "the board has no file name");

  const std::string file = scratch.Path("new.pcb");
  const uint32_t named = Tarnix_CreateBoard(file.c_str());
  ASSERT_EQ(Tarnix_SaveBoard(named, nullptr, message, sizeof message), 0) << message;
  const uint32_t loaded = Tarnix_OpenBoard(file.c_str(), message, sizeof message);
  ASSERT_NE(loaded, 0u) << message;
  EXPECT_EQ(Describe(loaded), Describe(named));

  // Closing makes every handle of the board unknown; the current board is then none.
  EXPECT_EQ(Tarnix_CloseBoard(loaded), 0);
  EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), 0u);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(loaded), 0u);
  Tarnix_CloseBoard(named);
  Tarnix_CloseBoard(unnamed);
}

TEST(HostTest, ClosedBoardsTakeTheirObjectsAlong) {
  TScratch scratch;
  const uint32_t board = OpenText(scratch, TestBoardText);
  const uint32_t component = Walk(board, ComponentKind, 0, 0)[0];
  const uint32_t iterator = PcbApi_CreateIterator(board, ComponentKind, 0, 0);
  ASSERT_EQ(Tarnix_CloseBoard(board), 0);
  TComponentRecord record;
  EXPECT_NE(QueryComponent(PcbApi_ModeRead, component, record), 0);
  EXPECT_EQ(PcbApi_GetFirstObject(iterator), 0u);
  PcbApi_DestroyIterator(iterator);
}

TEST(HostTest, ProcessesRecomputeConnectionsAndRedraw) {
  TScratch scratch;
  const uint32_t board = OpenText(scratch, TestBoardText);
  // Connections: GND U1.3-R1.2-C1.2 and the others join their pads by the shortest tree.
  EXPECT_EQ(Walk(board, FromToKind, 0, 0).size(), 2u + 1u + 2u);
  double before = 0;
  ASSERT_EQ(Tarnix_GetConnectionLength(board, &before), 0);

  const uint32_t c1 = Walk(board, ComponentKind, 0, TopLayer)[1];
  TComponentRecord record;
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, c1, record), 0);
  record.X += Mil(1000);
  ASSERT_EQ(QueryComponent(PcbApi_ModeWriteFinal, c1, record), 0);
  double length = 0;
  ASSERT_EQ(Tarnix_GetConnectionLength(board, &length), 0);
  EXPECT_EQ(length, before);  // until the netlist process runs

  EXPECT_EQ(Tarnix_RunProcess("PCB:Netlist", " optimize = all "), 0);
  ASSERT_EQ(Tarnix_GetConnectionLength(board, &length), 0);
  EXPECT_GT(length, before);

  EXPECT_EQ(PcbApi_SendCommand("PCB:Zoom", "Action=Redraw|Extra=1 and more", 13, 0), 0);
  EXPECT_EQ(Tarnix_RunProcess("PCB:Zoom", "Action=Redraw"), 0);
  uint32_t redraws = 0;
  ASSERT_EQ(Tarnix_GetRedrawCount(board, &redraws), 0);
  EXPECT_EQ(redraws, 2u);

  EXPECT_NE(Tarnix_RunProcess("PCB:Netlist", "Optimize=Some"), 0);
  EXPECT_NE(Tarnix_RunProcess("PCB:Zoom", ""), 0);
  EXPECT_NE(PcbApi_SendCommand("PCB:Zoom", "Action=Redraw", 6, 0), 0);  // cut before the value
  EXPECT_NE(Tarnix_RunProcess("PCB:Unknown", "Action=Redraw"), 0);
  Tarnix_CloseBoard(board);
  EXPECT_NE(Tarnix_RunProcess("PCB:Zoom", "Action=Redraw"), 0);  // no current board
}

}  // namespace
