// The walks the board import makes, component children, kinds of handles and board lookup.

#include "EditorTestSupport.h"

using namespace EditorTest;

namespace {

class IterationTest : public ::testing::Test {
 protected:
  void SetUp() override { Board = OpenText(Scratch, TestBoardText); }
  void TearDown() override { Tarnix_CloseBoard(Board); }

  uint32_t NetNamed(const std::string& name) const {
    for (uint32_t net : Walk(Board, NetKind, 0, MultiLayer))
      if (NetName(net) == name)
        return net;
    return 0;
  }

  std::vector<std::string> Designators(uint8_t layer) const {
    std::vector<std::string> names;
    for (uint32_t component : Walk(Board, ComponentKind, 0, layer))
      names.push_back(Designator(component));
    return names;
  }

  // "U1.2" for every pad of a walk.
  static std::vector<std::string> PadNames(const std::vector<uint32_t>& pads) {
    std::vector<std::string> names;
    for (uint32_t pad : pads) {
      TPadRecord record;
      EXPECT_EQ(QueryPad(PcbApi_ModeRead, pad, record), 0);
      names.push_back(Designator(record.Component) + "." + FromPcbString(record.Name));
    }
    return names;
  }

  TScratch Scratch;
  uint32_t Board = 0;
};

using TNames = std::vector<std::string>;

TEST_F(IterationTest, ComponentsWalkPerSideInFileOrder) {
  EXPECT_EQ(Designators(TopLayer), (TNames{"U1", "C1"}));
  EXPECT_EQ(Designators(BottomLayer), (TNames{"R1"}));
  EXPECT_EQ(Designators(NoLayer), (TNames{"U1", "R1", "C1"}));
  EXPECT_TRUE(Designators(MultiLayer).empty());
}

TEST_F(IterationTest, NetsWalkOnTheMultiLayer) {
  TNames names;
  for (uint32_t net : Walk(Board, NetKind, 0, MultiLayer))
    names.push_back(NetName(net));
  EXPECT_EQ(names, (TNames{"GND", "VCC", "SIG", "EMPTY"}));
  EXPECT_EQ(Walk(Board, NetKind, 0, NoLayer).size(), 4u);
  EXPECT_TRUE(Walk(Board, NetKind, 0, TopLayer).empty());
}

TEST_F(IterationTest, KeepOutFillsAndTracksWalkOnTheKeepOutLayer) {
  const auto fills = Walk(Board, FillKind, 0, KeepOutLayer);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(Bounds(fills[0]), (TRectangle{Mil(2500), Mil(1500), Mil(2800), Mil(1800)}));

  const auto tracks = Walk(Board, TrackKind, 0, KeepOutLayer);
  ASSERT_EQ(tracks.size(), 4u);
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  EXPECT_EQ(
      PcbApi_QueryTrack(PcbApi_ModeRead, tracks[1], nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, &x1, &y1, &x2, &y2, nullptr, nullptr, nullptr, nullptr),
      0);
  EXPECT_EQ((TRectangle{x1, y1, x2, y2}), (TRectangle{Mil(3000), 0, Mil(3000), Mil(2000)}));
  EXPECT_EQ(Walk(Board, TrackKind, 0, TopLayer).size(), 1u);
  EXPECT_EQ(Walk(Board, TrackKind, 0, NoLayer).size(), 5u);
}

// Pads of a net split by their own layer; layer 0 yields them all in board order, and counting
// with method 0 yields the same pads as walking with method 2.
TEST_F(IterationTest, PadsOfANetPerLayer) {
  const uint32_t signal = NetNamed("SIG");
  const struct {
    uint8_t Layer;
    TNames Pads;
  } cases[] = {{TopLayer, {"U1.2"}},
               {BottomLayer, {"R1.1"}},
               {MultiLayer, {"U1.4"}},
               {NoLayer, {"U1.2", "U1.4", "R1.1"}},
               {TopOverlay, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int{c.Layer});
    EXPECT_EQ(PadNames(Walk(signal, PadKind, 2, c.Layer)), c.Pads);
    EXPECT_EQ(Walk(signal, PadKind, 0, c.Layer), Walk(signal, PadKind, 2, c.Layer));
  }
  EXPECT_EQ(Walk(signal, ViaKind, 2, NoLayer).size(), 1u);
  EXPECT_EQ(Walk(signal, TrackKind, 2, TopLayer).size(), 1u);
  EXPECT_TRUE(Walk(NetNamed("EMPTY"), PadKind, 2, NoLayer).empty());
  EXPECT_EQ(PadNames(Walk(NetNamed("GND"), PadKind, 0, NoLayer)), (TNames{"U1.3", "R1.2", "C1.2"}));
}

TEST_F(IterationTest, WalkingTwiceGivesTheSameOrder) {
  const uint32_t iterator = PcbApi_CreateIterator(Board, PadKind, 0, 0);
  std::vector<uint32_t> first, second;
  for (uint32_t h = PcbApi_GetFirstObject(iterator); h != 0; h = PcbApi_GetNextObject(iterator))
    first.push_back(h);
  for (uint32_t h = PcbApi_GetFirstObject(iterator); h != 0; h = PcbApi_GetNextObject(iterator))
    second.push_back(h);
  PcbApi_DestroyIterator(iterator);
  EXPECT_EQ(first.size(), 8u);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first, Walk(Board, PadKind, 0, 0));
  EXPECT_EQ(PcbApi_GetNextObject(iterator), 0u);
}

TEST_F(IterationTest, IteratorsOverNothingYieldNothing) {
  const uint32_t component = Walk(Board, ComponentKind, 0, TopLayer)[0];
  EXPECT_EQ(PcbApi_CreateIterator(12345, ComponentKind, 0, 0), 0u);   // unknown parent
  EXPECT_EQ(PcbApi_CreateIterator(Board, ComponentKind, 1, 0), 0u);   // unknown method
  EXPECT_EQ(PcbApi_CreateIterator(Board, ComponentKind, 0, 83), 0u);  // no such layer
  EXPECT_EQ(PcbApi_GetFirstObject(0), 0u);
  EXPECT_TRUE(Walk(Board, 10, 0, 0).empty());  // polygons: none held
  EXPECT_TRUE(Walk(Board, 16, 0, 0).empty());  // rules: none held
  EXPECT_EQ(Walk(component, PadKind, 0, 0), Children(component, PadKind));
  PcbApi_DestroyIterator(0);
}

TEST_F(IterationTest, ComponentChildrenByKindAndIndex) {
  const uint32_t u1 = Walk(Board, ComponentKind, 0, TopLayer)[0];
  const auto pads = Children(u1, PadKind);
  ASSERT_EQ(pads.size(), 4u);
  EXPECT_EQ(PadName(pads[3]), "4");
  const auto texts = Children(u1, TextKind);
  ASSERT_EQ(texts.size(), 1u);
  TComponentRecord component;
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, u1, component), 0);
  EXPECT_EQ(texts[0], component.NameText);
  EXPECT_TRUE(Children(u1, TrackKind).empty());

  uint8_t kind = PadKind;
  uint16_t index = 0;
  uint32_t child = 99;
  EXPECT_EQ(PcbApi_QueryComponent_GetObjectAt(u1, &kind, &index, &child), 0);
  EXPECT_EQ(child, 0u);
  child = 99;
  EXPECT_NE(PcbApi_QueryComponent_GetObjectAt(pads[0], &kind, &index, &child), 0);
  EXPECT_EQ(child, 99u);
}

TEST_F(IterationTest, KindsComeFromTheLowBitsOfHandles) {
  const uint32_t component = Walk(Board, ComponentKind, 0, 0)[0];
  const uint32_t pad = Children(component, PadKind)[0];
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(component), ComponentKind);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(pad), PadKind);
  EXPECT_EQ(pad & 0x7F, PadKind);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(NetNamed("GND")), NetKind);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(Walk(Board, ArcKind, 0, 0)[0]), ArcKind);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(12345), 0u);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(0), 0u);
}

TEST_F(IterationTest, PowerAndGroundPadFlag) {
  const auto pads = Children(Walk(Board, ComponentKind, 0, 0)[0], PadKind);
  uint8_t flag = 7;
  EXPECT_EQ(PcbApi_QueryPad_PwrGnd(pads[2], &flag), 0);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(PcbApi_QueryPad_PwrGnd(pads[0], &flag), 0);
  EXPECT_EQ(flag, 0);
  flag = 7;
  EXPECT_NE(PcbApi_QueryPad_PwrGnd(Board, &flag), 0);
  EXPECT_EQ(flag, 7);
}

TEST_F(IterationTest, CurrentBoardAndLookupByFileName) {
  EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), Board);
  const uint32_t other = OpenText(Scratch, TestBoardText, "other.pcb");
  EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), other);
  PcbApi_SetCurrentBoardHandle(Board);
  EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), Board);
  PcbApi_SetCurrentBoardHandle(12345);  // not a board: ignored
  EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), Board);

  PcbString255 name{};
  ToPcbString(name, Scratch.Path("other.pcb"));
  EXPECT_EQ(PcbApi_GetBoardHandleFromFileName(&name), other);
  ToPcbString(name, Scratch.Path("folder/../other.pcb"));  // the same file, named otherwise
  EXPECT_EQ(PcbApi_GetBoardHandleFromFileName(&name), other);
  ToPcbString(name, Scratch.Path("missing.pcb"));
  EXPECT_EQ(PcbApi_GetBoardHandleFromFileName(&name), 0u);

  // The board's own file name, as the board query hands it out, finds the board.
  PcbString255 own{};
  EXPECT_EQ(PcbApi_QueryBoard(PcbApi_ModeRead, other, nullptr, &own, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(PcbApi_GetBoardHandleFromFileName(&own), other);

  EXPECT_EQ(Tarnix_CloseBoard(other), 0);
  EXPECT_EQ(PcbApi_GetBoardHandleFromFileName(&own), 0u);
  EXPECT_NE(Tarnix_CloseBoard(other), 0);
}

}  // namespace
