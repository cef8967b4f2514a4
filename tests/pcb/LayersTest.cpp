#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pcb/Layers.h"

namespace {

TEST(LayersTest, NamesFollowTheEditors) {
  const std::vector<std::pair<int64_t, std::string>> cases = {{NoLayer, "NoLayer"},
                                                              {TopLayer, "TopLayer"},
                                                              {MidLayer1, "MidLayer1"},
                                                              {MidLayer30, "MidLayer30"},
                                                              {BottomLayer, "BottomLayer"},
                                                              {TopOverlay, "TopOverlay"},
                                                              {BottomSolder, "BottomSolder"},
                                                              {InternalPlane1, "InternalPlane1"},
                                                              {InternalPlane16, "InternalPlane16"},
                                                              {DrillGuide, "DrillGuide"},
                                                              {KeepOutLayer, "KeepOutLayer"},
                                                              {Mechanical1, "Mechanical1"},
                                                              {Mechanical16, "Mechanical16"},
                                                              {DrillDrawing, "DrillDrawing"},
                                                              {MultiLayer, "MultiLayer"},
                                                              {BackGroundLayer, "BackGroundLayer"},
                                                              {GridColor10, "GridColor10"},
                                                              {ViaHoleLayer, "ViaHoleLayer"},
                                                              {83, ""},
                                                              {-1, ""}};
  for (const auto& [number, name] : cases)
    EXPECT_EQ(LayerName(number), name) << number;
}

TEST(LayersTest, IdOfALayerNumberIsTheNumberWithinRange) {
  const std::vector<std::pair<int64_t, TLayerId>> cases = {
      {0, 0}, {1, 1}, {32, 32}, {56, 56}, {82, 82}, {83, 0}, {255, 0}, {-1, 0}, {1 << 20, 0}};
  for (const auto& [number, id] : cases)
    EXPECT_EQ(LayerIdFromNumber(number), id) << number;
}

TEST(LayersTest, LayerNumberOfAnIdByClass) {
  const std::vector<std::pair<TLayerId, TLayerNumber>> cases = {
      {0, NoLayer},
      {TopLayer, TopLayer},
      {ViaHoleLayer, ViaHoleLayer},
      {83, NoLayer},
      {0x0000'0120, 32},  // class 0 reads the low byte only
      {0x0101'0000, 0},
      {0x0101'0005, 5},
      {0x0101'001F, 31},
      {0x0101'0020, 31},
      {0x0101'FFFF, 31},
      {0x0104'0011, InternalPlane16},
      {0x0104'0003, 41},
      {0x0400'0001, Mechanical1},
      {0x0400'0011, Mechanical16},
      {0x0400'FFFF, Mechanical16},
      {0x0200'0001, NoLayer},
  };
  for (const auto& [id, number] : cases)
    EXPECT_EQ(LayerNumberFromId(id), number) << std::hex << id;
}

TEST(LayersTest, ConstructedIdsAndTheirLayerNumbers) {
  struct TCase {
    TLayerId Id;
    TLayerId Expected;
    TLayerNumber Number;
  };
  const std::vector<TCase> cases = {
      {SignalLayer(1), TopLayer, TopLayer},
      {SignalLayer(2), 2, 2},
      {SignalLayer(31), 31, 31},
      {SignalLayer(65535), BottomLayer, BottomLayer},
      {SignalLayer(0), 0x0101'0000, 0},
      {SignalLayer(32), 0x0101'0020, 31},
      {SignalLayer(65534), 0x0101'FFFE, 31},
      {InternalPlaneLayer(1), InternalPlane1, InternalPlane1},
      {InternalPlaneLayer(16), InternalPlane16, InternalPlane16},
      {InternalPlaneLayer(17), 0x0104'0011, InternalPlane16},
      {InternalPlaneLayer(65535), 0x0104'FFFF, InternalPlane16},
      {MechanicalLayer(1), Mechanical1, Mechanical1},
      {MechanicalLayer(16), Mechanical16, Mechanical16},
      {MechanicalLayer(17), 0x0400'0011, Mechanical16},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cases[i].Id, cases[i].Expected);
    EXPECT_EQ(LayerNumberFromId(cases[i].Id), cases[i].Number);
  }
}

TEST(LayersTest, OutOfRangeNumbersRaiseWithTheLow32BitsInTheMessage) {
  struct TCase {
    TLayerId (*Constructor)(int64_t);
    int64_t Number;
    const char* Message;
  };
  const std::vector<TCase> cases = {
      {SignalLayer, 65536, "Creating SignalLayer(65536)"},
      {SignalLayer, -1, "Creating SignalLayer(-1)"},
      {SignalLayer, int64_t{1} << 32, "Creating SignalLayer(0)"},
      {InternalPlaneLayer, 0, "Creating InternalPlaneLayer(0)"},
      {InternalPlaneLayer, 65536, "Creating InternalPlaneLayer(65536)"},
      {MechanicalLayer, 0, "Creating MechanicalLayer(0)"},
      {MechanicalLayer, 0xFFFF'FFFF, "Creating MechanicalLayer(-1)"},
      {MechanicalLayer, INT64_MIN, "Creating MechanicalLayer(0)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Message);
    try {
      c.Constructor(c.Number);
      ADD_FAILURE() << "no exception";
    } catch (const ELayerException& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

TEST(LayersTest, ElectricalLayersAreTheSignalLayersAndThePlanes) {
  const std::vector<std::pair<int64_t, bool>> cases = {{NoLayer, false},
                                                       {TopLayer, true},
                                                       {MidLayer30, true},
                                                       {BottomLayer, true},
                                                       {TopOverlay, false},
                                                       {BottomSolder, false},
                                                       {InternalPlane1, true},
                                                       {InternalPlane16, true},
                                                       {DrillGuide, false},
                                                       {KeepOutLayer, false},
                                                       {MultiLayer, false},
                                                       {ViaHoleLayer, false},
                                                       {ViaHoleLayer + 1, false},
                                                       {64, false},
                                                       {-1, false},
                                                       {256 + TopLayer, false}};
  for (const auto& [number, electrical] : cases)
    EXPECT_EQ(IsElectricalLayer(number), electrical) << number;

  constexpr TLayerSet outer = TLayerSet().With(TopLayer, TopLayer).With(BottomLayer, BottomLayer);
  EXPECT_TRUE(outer.Contains(TopLayer) && outer.Contains(BottomLayer));
  EXPECT_FALSE(outer.Contains(MidLayer1) || outer.Contains(NoLayer));
  EXPECT_TRUE(TLayerSet().With(Mechanical16, 255).Contains(ViaHoleLayer));  // cut at 82
}

}  // namespace
