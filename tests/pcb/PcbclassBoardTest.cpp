// The board mirror's exchange with the recording editor: the calls of one Sync in order, and which
// field travels in which argument.

#include "BoardRecordingFixture.h"
#include "pcb/PcbStrings.h"
#include "pcb/PcbclassBoard.h"

namespace {

constexpr uint32_t Board = 7;

using Args = std::vector<std::string>;

class PcbBoardSyncTest : public BoardRecordingTest {};

TEST_F(PcbBoardSyncTest, ReadCallsEveryBlockInOrderAndReturnsTheBoardQueryStatus) {
  Recorded->Results["QueryBoard"] = 5;
  Recorded->Results["QueryLayer"] = 9;  // other statuses are not reported
  TPcbBoard board(Board);

  EXPECT_EQ(board.Sync(PcbApi_ModeRead), 5);

  // The editor's pair count is the stamp of its second argument: 2.
  EXPECT_EQ(Keys(), BoardSyncKeys(PcbApi_ModeRead, Board, 2));
}

// Each field holds the stamp of the argument position it was exchanged in (see the recording
// editor): integers the position, doubles the position + 0.25, strings "P" and the position.
TEST_F(PcbBoardSyncTest, ReadFillsEachFieldFromItsOwnArgument) {
  TPcbBoard board(Board);
  board.SplitPlaneMode = 0;
  ASSERT_EQ(board.Sync(PcbApi_ModeRead), 0);

  // PcbApi_QueryBoard: the current layer comes as a layer id and is kept as its number.
  EXPECT_EQ(board.OpaqueWord1, 3u);
  EXPECT_EQ(board.FileName, "P4");
  EXPECT_EQ(board.OpaqueBlock.Byte, 5);
  EXPECT_EQ(board.OpaqueBlock.Values[0], 6);
  EXPECT_EQ(board.OpaqueBlock.Values[3], 9);
  EXPECT_EQ(board.DisplayUnitImperial, 10);
  EXPECT_EQ(board.CurrentLayer, 11);
  EXPECT_EQ(board.OpaqueWord2, 12);
  EXPECT_EQ(board.LayerInfo[1], 6);
  EXPECT_EQ(board.LayerInfo[82], 6);

  for (const int n : {1, 38, 55, 82}) {
    const TLayerObject& layer = *board.Layers[static_cast<size_t>(n)];
    SCOPED_TRACE(n);
    EXPECT_EQ(layer.Name, "P4");
    EXPECT_EQ(layer.CopperThickness, 5);
    EXPECT_EQ(layer.LayerFlag1, 6);
    EXPECT_EQ(layer.LayerFlag2, 7);
    EXPECT_EQ(layer.PrevLayer, 8);
    EXPECT_EQ(layer.NextLayer, 9);
    EXPECT_EQ(layer.LayerFlag3, 10);
    EXPECT_EQ(layer.DielectricMaterial, "P4");
    EXPECT_EQ(layer.DielectricType, 5);
    EXPECT_EQ(layer.DielectricConstant, 6.25);
    EXPECT_EQ(layer.DielectricHeight, 7);
  }
  const auto& plane = dynamic_cast<const TInternalPlane&>(*board.Layers[InternalPlane16]);
  EXPECT_EQ(plane.Name, "P4");
  EXPECT_EQ(plane.NextLayer, 9);
  EXPECT_EQ(plane.PlaneNetName, "P10");
  EXPECT_EQ(plane.LayerFlag3, 0);  // planes exchange their net name in its place
  EXPECT_EQ(plane.DielectricHeight, 7);

  // The missing split plane query leaves the field as it was.
  EXPECT_EQ(board.SplitPlaneMode, 0);

  // Grids: D3 and the component grid are refreshed from D4 and D9.
  const TPcbBoardGrids& g = board.Grids;
  EXPECT_EQ(g.GridByte4, 3);
  EXPECT_EQ(g.GridByte1, 4);
  EXPECT_EQ(g.GridByte2, 5);
  EXPECT_EQ(g.GridByte3, 6);
  EXPECT_EQ(g.D1, 7.25);
  EXPECT_EQ(g.D2, 8.25);
  EXPECT_EQ(g.D4, 9.25);
  EXPECT_EQ(g.D5, 10.25);
  EXPECT_EQ(board.GridTailValue, 11);
  EXPECT_EQ(board.GridTailByte, 12);
  EXPECT_EQ(g.D6, 13.25);
  EXPECT_EQ(g.D7, 14.25);
  EXPECT_EQ(g.ComponentGridSource, 15.25);
  EXPECT_EQ(g.D10, 16.25);
  EXPECT_EQ(g.D3, 9.25);
  EXPECT_EQ(g.ComponentGrid, 15.25);

  EXPECT_EQ(board.OutputOptions.Value1, 3);
  EXPECT_EQ(board.OutputOptions.Value2, 4);
  EXPECT_EQ(board.OutputOptions.Flags[0], 5);
  EXPECT_EQ(board.OutputOptions.Flags[21], 26);
  EXPECT_EQ(board.OutputOptions.PlotLayers[1], 4);
  EXPECT_EQ(board.OutputOptions.PlotLayers[109], 4);
  EXPECT_EQ(board.OutputOptions.FlipLayers[109], 4);
  EXPECT_EQ(board.GerberOptions.Flags[0], 3);
  EXPECT_EQ(board.GerberOptions.Flags[11], 14);
  EXPECT_EQ(board.GerberOptions.Values[0], 15);
  EXPECT_EQ(board.GerberOptions.Values[6], 21);
  const TPcbBoardPrinterOptions& p = board.PrinterOptions;
  EXPECT_EQ(p.Flags[0], 3);
  EXPECT_EQ(p.Flags[17], 20);
  EXPECT_EQ(p.Values[0], 21);
  EXPECT_EQ(p.Values[5], 26);
  EXPECT_EQ(p.Scale1, 27.25);
  EXPECT_EQ(p.Scale2, 28.25);
  EXPECT_EQ(p.Pens[7].Used, 4);
  EXPECT_EQ(p.Pens[7].Width, 5);
  EXPECT_EQ(p.CompositeLayers[82], 4);
  EXPECT_EQ(FromPcbString(board.PlacerBlock.Text1), "P3");
  EXPECT_EQ(FromPcbString(board.PlacerBlock.Text2), "P4");
  EXPECT_EQ(board.PlacerBlock.Bytes[0], 5);
  EXPECT_EQ(board.PlacerBlock.Bytes[3], 8);
  EXPECT_EQ(board.ChangeOrderOptions[0], 3);
  EXPECT_EQ(board.ChangeOrderOptions[1], 4);

  // Pairs: the editor hands the second opaque byte before the first.
  ASSERT_EQ(board.LayerPairs.size(), 2u);
  EXPECT_EQ(board.LayerPairs[1]->Layer1, 4u);
  EXPECT_EQ(board.LayerPairs[1]->Layer2, 5u);
  EXPECT_EQ(board.LayerPairs[1]->Opaque2, 6);
  EXPECT_EQ(board.LayerPairs[1]->Opaque1, 7);

  EXPECT_EQ(board.TopDielectric.Material, "P3");
  EXPECT_EQ(board.TopDielectric.Type, 4);
  EXPECT_EQ(board.TopDielectric.Constant, 5.25);
  EXPECT_EQ(board.TopDielectric.Height, 6);
  EXPECT_EQ(board.BottomDielectric.Material, "P7");
  EXPECT_EQ(board.BottomDielectric.Type, 8);
  EXPECT_EQ(board.BottomDielectric.Constant, 9.25);
  EXPECT_EQ(board.BottomDielectric.Height, 10);
}

// A board whose every field differs, to see each in its argument.
void FillBoard(TPcbBoard& board) {
  board.OpaqueWord1 = 101;
  board.FileName = "board.pcb";
  board.OpaqueBlock = {102, {103, 104, 105, 106}};
  board.DisplayUnitImperial = 1;
  board.CurrentLayer = TopOverlay;
  board.OpaqueWord2 = 107;
  board.LayerInfo[82] = 301;

  TLayerObject& top = *board.Layers[TopLayer];
  top.Name = "Top";
  top.CopperThickness = 201;
  top.LayerFlag1 = 202;
  top.LayerFlag2 = 203;
  top.NextLayer = InternalPlane1;
  top.LayerFlag3 = 204;
  top.DielectricMaterial = "Core";
  top.DielectricType = 5;
  top.DielectricConstant = 4.5;
  top.DielectricHeight = 206;
  auto& plane = dynamic_cast<TInternalPlane&>(*board.Layers[InternalPlane1]);
  plane.PrevLayer = TopLayer;
  plane.PlaneNetName = "GND";

  board.Grids = {11, 12, 13, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, 9.5, 10.5, 14};
  board.GridTailValue = 401;
  board.GridTailByte = 15;

  board.OutputOptions.Value1 = 501;
  board.OutputOptions.Value2 = 502;
  for (size_t i = 0; i < board.OutputOptions.Flags.size(); ++i)
    board.OutputOptions.Flags[i] = static_cast<uint8_t>(i + 1);
  board.OutputOptions.PlotLayers[109] = 1;
  board.OutputOptions.FlipLayers[1] = 1;
  for (size_t i = 0; i < board.GerberOptions.Flags.size(); ++i)
    board.GerberOptions.Flags[i] = static_cast<uint8_t>(i + 30);
  for (size_t i = 0; i < board.GerberOptions.Values.size(); ++i)
    board.GerberOptions.Values[i] = static_cast<int32_t>(600 + i);
  TPcbBoardPrinterOptions& p = board.PrinterOptions;
  for (size_t i = 0; i < p.Flags.size(); ++i)
    p.Flags[i] = static_cast<uint8_t>(i + 40);
  for (size_t i = 0; i < p.Values.size(); ++i)
    p.Values[i] = static_cast<int32_t>(700 + i);
  p.Scale1 = 0.5;
  p.Scale2 = 0.75;
  p.Pens[7] = {1, 800};
  p.CompositeLayers[82] = 1;

  ToPcbString(board.PlacerBlock.Text1, "VCC");
  ToPcbString(board.PlacerBlock.Text2, "GND");
  board.PlacerBlock.Bytes[0] = 1;
  board.PlacerBlock.Bytes[2] = 1;
  board.ChangeOrderOptions[0] = 61;
  board.ChangeOrderOptions[1] = 62;

  board.LayerPairs.push_back(std::make_unique<TPcblayerPair>(
      TPcblayerPair{"TopLayer - BottomLayer", TopLayer, BottomLayer, 71, 72}));
  board.LayerPairs.push_back(std::make_unique<TPcblayerPair>(
      TPcblayerPair{"", SignalLayer(40), InternalPlaneLayer(20), 73, 74}));

  board.TopDielectric = {"Top core", 2, 3.5, 900};
  board.BottomDielectric = {"Bottom core", 3, 4.25, 901};
}

TEST_F(PcbBoardSyncTest, WriteSendsEveryFieldInItsArgumentInEitherWriteMode) {
  for (const uint8_t mode : {PcbApi_ModeWrite, PcbApi_ModeWriteFinal}) {
    SCOPED_TRACE(int{mode});
    Recorded->Calls.clear();
    TPcbBoard board(Board);
    FillBoard(board);

    EXPECT_EQ(board.Sync(mode), 0);

    EXPECT_EQ(Keys(), BoardSyncKeys(mode, Board, 2));
    const std::string m = std::to_string(mode);
    auto key = [&m](const std::string& name, const std::string& rest = "") {
      return name + "(" + m + ",7" + rest + ")";
    };
    EXPECT_EQ(ArgumentsOf(key("QueryBoard")), (Args{m, "7", "101", "board.pcb", "102", "103", "104",
                                                    "105", "106", "1", "33", "107"}));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardLayerInfo", ",82")),
              (Args{m, "7", "82", "0", "0", "301"}));
    EXPECT_EQ(ArgumentsOf("QueryLayer(" + m + ",1,7)"),
              (Args{m, "1", "7", "Top", "201", "202", "203", "0", "39", "204"}));
    EXPECT_EQ(ArgumentsOf("QueryLayerDielectric(" + m + ",1,7)"),
              (Args{m, "1", "7", "Core", "5", "4.5", "206"}));
    EXPECT_EQ(ArgumentsOf("QueryInternalPlane(" + m + ",39,7)"),
              (Args{m, "39", "7", "InternalPlane1", "14000", "0", "0", "1", "0", "GND"}));
    EXPECT_EQ(ArgumentsOf("QueryLayerDielectric(" + m + ",39,7)"),
              (Args{m, "39", "7", "FR-4", "1", "4.8", "126000"}));
    // The component grid (8.5) and D3 are not sent; D9 is.
    EXPECT_EQ(ArgumentsOf(key("QueryBoardGridsEx")),
              (Args{m, "7", "14", "11", "12", "13", "1.5", "2.5", "4.5", "5.5", "401", "15", "6.5",
                    "7.5", "9.5", "10.5"}));
    EXPECT_EQ(board.Grids.D3, 4.5);
    EXPECT_EQ(board.Grids.ComponentGrid, 9.5);

    Args output = {m, "7", "501", "502"};
    for (int i = 1; i <= 22; ++i)
      output.push_back(std::to_string(i));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardOutputOptions")), output);
    EXPECT_EQ(ArgumentsOf(key("QueryBoardOutputOptionsPlotLayers", ",109")),
              (Args{m, "7", "109", "1"}));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardOutputOptionsFlipLayers", ",1")),
              (Args{m, "7", "1", "1"}));
    Args gerber = {m, "7"};
    for (int i = 0; i < 12; ++i)
      gerber.push_back(std::to_string(30 + i));
    for (int i = 0; i < 7; ++i)
      gerber.push_back(std::to_string(600 + i));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardGerberOptions")), gerber);
    Args printer = {m, "7"};
    for (int i = 0; i < 18; ++i)
      printer.push_back(std::to_string(40 + i));
    for (int i = 0; i < 6; ++i)
      printer.push_back(std::to_string(700 + i));
    printer.insert(printer.end(), {"0.5", "0.75"});
    EXPECT_EQ(ArgumentsOf(key("QueryBoardPrinterOptions")), printer);
    EXPECT_EQ(ArgumentsOf(key("QueryBoardPrinterOptionsPlotterPen", ",8")),
              (Args{m, "7", "8", "1", "800"}));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardPrinterOptionsCompositeLayer", ",82")),
              (Args{m, "7", "82", "1"}));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardAdvancedPlacerOptions")),
              (Args{m, "7", "VCC", "GND", "1", "0", "1", "0"}));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardEngineeringChangeOrderOptions")),
              (Args{m, "7", "61", "62"}));

    // The pair count goes with the mode last, always 0; then each pair, second opaque byte first.
    EXPECT_EQ(ArgumentsOf("QueryBoardLayerPairsCount(7,0)"), (Args{"7", "2", "0"}));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardLayerPairAt", ",0")),
              (Args{m, "7", "0", "1", "32", "72", "71"}));
    EXPECT_EQ(
        ArgumentsOf(key("QueryBoardLayerPairAt", ",1")),
        (Args{m, "7", "1", std::to_string(0x0101'0028), std::to_string(0x0104'0014), "74", "73"}));
    EXPECT_EQ(ArgumentsOf(key("QueryBoardExternalDielectrics")),
              (Args{m, "7", "Top core", "2", "3.5", "900", "Bottom core", "3", "4.25", "901"}));
  }
}

// Also what a board gets from an editor without the count's entry point, whose default is 1.
TEST_F(PcbBoardSyncTest, AFailedPairCountReadsNoPairs) {
  Recorded->Results["QueryBoardLayerPairsCount"] = 1;
  TPcbBoard board(Board);
  board.LayerPairs.push_back(std::make_unique<TPcblayerPair>());

  board.Sync(PcbApi_ModeRead);

  EXPECT_TRUE(board.LayerPairs.empty());
  for (const auto& call : Recorded->Calls)
    EXPECT_NE(call.Name, "QueryBoardLayerPairAt");
}

TEST_F(PcbBoardSyncTest, LayerRecordsFollowTheBoardHandleSetAfterConstruction) {
  TPcbBoard board(0);
  board.Handle = Board;
  board.Sync(PcbApi_ModeRead);
  EXPECT_EQ(ArgumentsOf("QueryLayer(1,82,7)").at(2), "7");
  EXPECT_EQ(board.Layers[82]->BoardHandle, Board);
}

TEST_F(PcbBoardSyncTest, BoundingRectangleAsksForTheBoardsHandle) {
  TPcbBoard board(Board);
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  EXPECT_EQ(board.BoundingRectangle(x1, y1, x2, y2), 0);
  EXPECT_EQ(Keys(), (Args{"QueryObjectBoundingRectangle(7)"}));
  EXPECT_EQ((Args{std::to_string(x1), std::to_string(y1), std::to_string(x2), std::to_string(y2)}),
            (Args{"2", "3", "4", "5"}));
}

}  // namespace
