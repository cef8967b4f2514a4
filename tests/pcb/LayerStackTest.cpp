// The board's layer records and the walk through its layer stack, with the names of drill pairs.
// No editor is involved: the stack links are set by hand.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pcb/PcbclassBoard.h"

namespace {

TEST(LayerRecordsTest, ANewBoardHoldsEveryLayerRecordWithItsDefaults) {
  const TPcbBoard board(0xB0A4D);
  EXPECT_EQ(board.Layers[0], nullptr);
  for (int n = 1; n <= 82; ++n) {
    SCOPED_TRACE(n);
    const TLayerObject* layer = board.LayerRecord(n);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->LayerNumber, n);
    EXPECT_EQ(layer->BoardHandle, 0xB0A4Du);
    EXPECT_EQ(layer->Name, LayerName(n));
    EXPECT_EQ(layer->CopperThickness, 14000);
    EXPECT_EQ(layer->DielectricMaterial, "FR-4");
    EXPECT_EQ(layer->DielectricType, 1);
    EXPECT_EQ(layer->DielectricConstant, 4.8);
    EXPECT_EQ(layer->DielectricHeight, 126000);
    EXPECT_EQ(layer->PrevLayer, 0);
    EXPECT_EQ(layer->NextLayer, 0);
    const auto* plane = dynamic_cast<const TInternalPlane*>(layer);
    EXPECT_EQ(plane != nullptr, n >= 39 && n <= 54);
    if (plane != nullptr) {
      EXPECT_EQ(plane->PlaneNetName, "(No Net)");
    }
  }
  EXPECT_EQ(board.LayerRecord(0), nullptr);
  EXPECT_EQ(board.LayerRecord(83), nullptr);
  EXPECT_TRUE(board.LayerPairs.empty());
  EXPECT_EQ(board.SplitPlaneMode, 1);
  EXPECT_EQ(board.TopDielectric.Material, "FR-4");
  EXPECT_EQ(board.BottomDielectric.Height, 126000);
}

// A four-layer stack with a signal layer between two planes: TopLayer, InternalPlane1, MidLayer1,
// InternalPlane2, BottomLayer; below them, outside the electrical layers, the bottom overlay.
class LayerStackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Link({TopLayer, InternalPlane1, MidLayer1, InternalPlane1 + 1, BottomLayer, BottomOverlay});
  }

  void Link(const std::vector<TLayerNumber>& stack) {
    for (size_t i = 0; i < stack.size(); ++i) {
      TLayerObject& layer = *Board.Layers[stack[i]];
      layer.PrevLayer = i > 0 ? stack[i - 1] : NoLayer;
      layer.NextLayer = i + 1 < stack.size() ? stack[i + 1] : NoLayer;
    }
  }

  int Position(TLayerNumber n, const TLayerSet& set = ElectricalLayers) const {
    return Board.StackPosition(set, *Board.Layers[n]);
  }

  std::string PairName(TLayerId layer1, TLayerId layer2) const {
    return Board.LayerPairName(TPcblayerPair{"", layer1, layer2, 0, 0});
  }

  TPcbBoard Board{1};
};

TEST_F(LayerStackTest, TheWalkGoesFromTheTopAlongTheLinks) {
  std::vector<int> walked;
  for (const TLayerObject* layer = Board.FirstStackLayer(); layer != nullptr;
       layer = Board.NextStackLayer(*layer))
    walked.push_back(layer->LayerNumber);
  EXPECT_EQ(walked, (std::vector<int>{1, 39, 2, 40, 32, 34}));
}

TEST_F(LayerStackTest, StackPositionsCountTheSetsMembersDownToTheLayer) {
  const std::vector<std::pair<TLayerNumber, int>> cases = {
      {TopLayer, 1},           {InternalPlane1, 2}, {MidLayer1, 3},
      {InternalPlane1 + 1, 4}, {BottomLayer, 5},    {BottomOverlay, 0},
      {KeepOutLayer, 0},       {MidLayer30, 5},  // in the set but not in the stack: every member
                                                 // the walk meets
  };
  for (const auto& [number, position] : cases)
    EXPECT_EQ(Position(number), position) << int{number};

  const TLayerSet outer = TLayerSet().With(TopLayer, TopLayer).With(BottomLayer, BottomLayer);
  EXPECT_EQ(Position(BottomLayer, outer), 2);
  EXPECT_EQ(Position(MidLayer1, outer), 0);
}

TEST_F(LayerStackTest, BrokenLinksEndTheWalk) {
  // Links into a loop below the top layer: the walk ends where it comes back.
  Board.Layers[BottomLayer]->NextLayer = InternalPlane1;
  EXPECT_EQ(Position(MidLayer30), 5);
  // A link beyond the last layer number ends the walk.
  Board.Layers[MidLayer1]->NextLayer = 200;
  EXPECT_EQ(Board.NextStackLayer(*Board.Layers[MidLayer1]), nullptr);
  EXPECT_EQ(Position(BottomLayer), 3);
  // Every record has a layer above it: there is no first stack layer and no position.
  for (int n = 1; n <= 82; ++n)
    Board.Layers[static_cast<size_t>(n)]->PrevLayer = TopLayer;
  EXPECT_EQ(Board.FirstStackLayer(), nullptr);
  EXPECT_EQ(Position(TopLayer), 0);
}

TEST_F(LayerStackTest, PairsAreNamedUpperLayerFirst) {
  struct TCase {
    TLayerId Layer1;
    TLayerId Layer2;
    const char* Name;
  };
  const std::vector<TCase> cases = {
      {TopLayer, BottomLayer, "TopLayer - BottomLayer"},
      {BottomLayer, TopLayer, "TopLayer - BottomLayer"},
      {SignalLayer(65535), SignalLayer(1), "TopLayer - BottomLayer"},
      {MidLayer1, InternalPlane1, "InternalPlane1 - MidLayer1"},
      {InternalPlane1, MidLayer1, "InternalPlane1 - MidLayer1"},
      {SignalLayer(32), TopLayer, "TopLayer - MidLayer30"},  // id class 0x0101: layer 31
      {TopLayer, TopLayer, "TopLayer - TopLayer"},
      {KeepOutLayer, TopLayer, "KeepOutLayer - TopLayer"},  // not electrical: position 0
      {TopLayer, KeepOutLayer, "KeepOutLayer - TopLayer"},
      {0, BottomLayer, "NoLayer - BottomLayer"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PairName(c.Layer1, c.Layer2), c.Name) << c.Layer1 << " " << c.Layer2;
}

TEST_F(LayerStackTest, PairNamesUseTheBoardsLayerNamesCutToTheEditorsLength) {
  Board.Layers[TopLayer]->Name = "Component side";
  EXPECT_EQ(PairName(BottomLayer, TopLayer), "Component side - BottomLayer");

  Board.Layers[TopLayer]->Name = std::string(200, 'T');
  Board.Layers[BottomLayer]->Name = std::string(200, 'B');
  EXPECT_EQ(PairName(BottomLayer, TopLayer), std::string(200, 'T') + " - " + std::string(52, 'B'));
}

}  // namespace
