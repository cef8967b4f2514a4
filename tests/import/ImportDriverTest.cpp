// The import as a whole: the order of its steps as seen in the scratch values it leaves in the
// PCB document, repeated imports, empty boards and the engine's start parameters.

#include <string>
#include <tuple>
#include <vector>

#include "ImportTestSupport.h"
#include "import/PrePlaceSteps.h"

namespace ImportTest {
namespace {

// A board with components on both sides, stale group numbers, supply nets, a net without pads and
// a keep-out.
TBoardBuilder MixedBoard() {
  TBoardBuilder builder;
  builder.PowerNets("VCC").GroundNets("GND").SmallClearance(5).LargeClearance(15);
  builder.PlacementGrid(25).RotateComponents(true);
  builder.KeepOutOutline(-500, -500, 6000, 4000).KeepOutFill(100, 100, 400, 300);
  builder.Net("UNUSED");
  builder.Component("U1", 1000, 1000)
      .GroupIndex(3)
      .Pads({"VCC", "D0", "D1", "D2", "D3", "CLK", "", "GND", "RST"});
  builder.Component("C1", 1500, 1000).GroupIndex(3).Pads({"VCC", "GND"});
  builder.Component("R1", 2000, 1000, "BottomLayer").Pads({"D0", "RST"});
  builder.Component("J1", 3000, 2000).Locked().Pads({"D0", "D1", "D2", "D3"}).ThroughHole();
  builder.Component("Q1", 4000, 1000, "BottomLayer").GroupIndex(7).Pads({"CLK", "D3", "GND"});
  return builder;
}

// Everything of the records that the engine's run starts from, by designator.
using TPinView = std::tuple<std::string, int32_t, int32_t, int32_t>;
using TRecordView = std::tuple<std::string, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                               int32_t, int32_t, int32_t, uint8_t, uint8_t, std::vector<TPinView>>;

std::vector<TRecordView> RecordsOf(const TAutoPlacer& engine) {
  std::vector<TRecordView> views;
  for (const auto& record : engine.Components) {
    std::vector<TPinView> pins;
    for (const auto& pin : record->Pins)
      pins.emplace_back(pin->PadName, pin->X, pin->Y, pin->NetNumber);
    views.emplace_back(record->FullDesignator, record->Flags, record->GroupId, record->X, record->Y,
                       record->Width, record->Height, record->CenterX, record->CenterY,
                       record->PinCount, record->Layer, record->Movable, pins);
  }
  return views;
}

// The nets' pins as (designator, pad name) pairs.
std::vector<std::vector<std::pair<std::string, std::string>>> NetsOf(const TAutoPlacer& engine) {
  std::vector<std::vector<std::pair<std::string, std::string>>> nets;
  for (const auto& net : engine.Nets) {
    nets.emplace_back();
    for (const TPinRecord* pin : net->PinsOriginal)
      for (const auto& record : engine.Components)
        for (const auto& own : record->Pins)
          if (own.get() == pin)
            nets.back().emplace_back(record->FullDesignator, pin->PadName);
  }
  return nets;
}

// After the import, as the import's steps leave them: every component's Tag holds its
// classification bits and its GroupIndex is 0; every component pad's Tag its pad number; every
// net's Tag its signal-net number or 0.
TEST(ScratchValues, AsTheLastStepsLeaveThem) {
  const TTestBoard board = MixedBoard().Open();
  const auto engine = Import(board);
  for (const uint32_t handle : AllComponents()) {
    TPcbComponent component(handle);
    component.Sync(PcbApi_ModeRead);
    SCOPED_TRACE(component.GetName());
    EXPECT_EQ(component.GroupIndex, 0);
    EXPECT_EQ(component.Tag, RecordOf(*engine, component.GetName()).Flags);
    EXPECT_EQ(RecordOf(*engine, component.GetName()).GroupId, 0);
    uint16_t number = 0;
    for (const uint32_t pad : PadsOf(handle))
      EXPECT_EQ(HeaderOf(pad).Tag, ++number);
  }
  const std::pair<const char*, int> nets[] = {{"UNUSED", 0}, {"VCC", 0}, {"D0", 1},
                                              {"D1", 2},     {"D2", 3},  {"D3", 4},
                                              {"CLK", 5},    {"GND", 0}, {"RST", 6}};
  for (const auto& [name, number] : nets)
    EXPECT_EQ(HeaderOf(NetNamed(name)).Tag, number) << name;
  EXPECT_EQ(engine->NetCount, 6);
}

// The numbering steps on their own: components are numbered top side first, pads within their
// component, nets in their order with their pads counted per enumeration.
TEST(ScratchValues, NumberingSteps) {
  TBoardBuilder builder;
  builder.Component("B1", 0, 0, "BottomLayer").Pads({"N1", "N2"});
  builder.Component("T1", 0, 0).Pads({"N2", "N1", "N2"});
  builder.Component("B2", 0, 0, "BottomLayer").Pads({"N2"});
  const TTestBoard board = builder.Open();
  TAutoPlacer engine;
  BeginImport(engine, board.Handle);
  engine.Board = MakeOwned<TBoard>(board.Handle);
  engine.Board->Sync(PcbApi_ModeRead);

  NumberNets();
  EXPECT_EQ(HeaderOf(NetNamed("N1")).Tag, 1);
  EXPECT_EQ(HeaderOf(NetNamed("N2")).Tag, 2);
  // N2's pads are all on TopLayer: one enumeration numbers them 1, 2, 3, 4.
  std::vector<uint16_t> tags;
  for (const uint32_t pad : NetPadsOnLayer(NetNamed("N2"), TopLayer))
    tags.push_back(HeaderOf(pad).Tag);
  EXPECT_EQ(tags, (std::vector<uint16_t>{1, 2, 3, 4}));

  NumberComponents();
  EXPECT_EQ(HeaderOf(ComponentNamed("T1")).Tag, 1);
  EXPECT_EQ(HeaderOf(ComponentNamed("B1")).Tag, 2);
  EXPECT_EQ(HeaderOf(ComponentNamed("B2")).Tag, 3);
  for (const char* designator : {"T1", "B1", "B2"}) {
    uint16_t number = 0;
    for (const uint32_t pad : PadsOf(ComponentNamed(designator)))
      EXPECT_EQ(HeaderOf(pad).Tag, ++number) << designator;
  }
  EXPECT_EQ(CountComponents(), 3);
}

TEST(ScratchValues, AllComponentsOnTheBottomSide) {
  TBoardBuilder builder;
  builder.Component("B1", 0, 0, "BottomLayer").Pads({"N1", "N2"});
  builder.Component("B2", 300, 0, "BottomLayer").Pads({"N1", "N2"});
  const TTestBoard board = builder.Open();
  TAutoPlacer engine;
  BeginImport(engine, board.Handle);
  const std::vector<uint32_t> components = AllComponents();
  ASSERT_EQ(components.size(), 2u);
  NumberComponents();
  EXPECT_EQ(HeaderOf(components[0]).Tag, 1);
  EXPECT_EQ(HeaderOf(components[1]).Tag, 2);
}

// A second import of the same document rewrites every Tag and GroupIndex before reading it, so
// nothing of the first leaks into the records.
TEST(Import, TwiceGivesIdenticalRecords) {
  const TTestBoard board = MixedBoard().Open();
  const auto first = Import(board);
  const auto second = Import(board);
  EXPECT_EQ(RecordsOf(*first), RecordsOf(*second));
  EXPECT_EQ(NetsOf(*first), NetsOf(*second));
  EXPECT_EQ(first->NetCount, second->NetCount);
  EXPECT_EQ(first->KeepOutCount, second->KeepOutCount);
  EXPECT_EQ(first->FixedCount, second->FixedCount);
  EXPECT_EQ(first->BypassCount, second->BypassCount);
}

TEST(Import, SetsUpTheEngine) {
  const TTestBoard board = MixedBoard().Open();
  const auto engine = Import(board);
  EXPECT_EQ(engine->ComponentCount, 5);
  EXPECT_EQ(engine->Components.size(), 5u);
  EXPECT_EQ(engine->KeepOutCount, 1);
  EXPECT_EQ(engine->FixedCount, 1);   // J1
  EXPECT_EQ(engine->BypassCount, 1);  // C1
  EXPECT_EQ(engine->MovableCount, 3);
  EXPECT_FALSE(engine->NothingToPlace);
  EXPECT_TRUE(engine->DrawReady);
  EXPECT_FALSE(engine->Running);
  EXPECT_DOUBLE_EQ(engine->Temperature, 100000.0);
  EXPECT_DOUBLE_EQ(engine->CoolingFactor, 0.85);
  EXPECT_TRUE(engine->RotateAllowed);
  EXPECT_EQ(engine->MoveGrid, Mil(25));
  ASSERT_NE(engine->Board, nullptr);
  ASSERT_NE(engine->SystemOptions, nullptr);
  EXPECT_EQ(engine->Board->PowerNets, "VCC");
  EXPECT_EQ(engine->Board->SmallComponentClearance, Mil(5));
  // The options written back read the same.
  TBoard reread(board.Handle);
  reread.Sync(PcbApi_ModeRead);
  EXPECT_EQ(reread.PlacementGrid, Mil(25));
  EXPECT_EQ(reread.GroundNets, "GND");
  EXPECT_TRUE(reread.RotateComponents);
}

TEST(Import, WithoutRotationTheEngineDoesNotRotate) {
  TBoardBuilder builder;
  builder.PlacementGrid(10).Component("R1").Pads({"A", "B"});
  builder.Component("R2", 300, 0).Pads({"A", "B"});
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  EXPECT_FALSE(engine->RotateAllowed);
  EXPECT_EQ(engine->MoveGrid, Mil(10));
}

TEST(Import, EmptyBoard) {
  const TTestBoard board = TBoardBuilder().Open();
  const auto engine = Import(board);
  EXPECT_EQ(engine->ComponentCount, 0);
  EXPECT_EQ(engine->NetCount, 0);
  EXPECT_EQ(engine->KeepOutCount, 0);
  EXPECT_TRUE(engine->Components.empty());
  EXPECT_TRUE(engine->Nets.empty());
  EXPECT_TRUE(engine->KeepOuts.empty());
  EXPECT_TRUE(engine->NothingToPlace);
}

TEST(Import, NetsButNoComponents) {
  TBoardBuilder builder;
  builder.Net("A").Net("B").KeepOutFill(0, 0, 100, 100);
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  EXPECT_EQ(engine->NetCount, 0);
  EXPECT_EQ(engine->KeepOutCount, 1);
  EXPECT_TRUE(engine->NothingToPlace);
}

}  // namespace
}  // namespace ImportTest
