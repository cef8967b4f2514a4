// Field exchange: tags and group indices, board settings both ways, refused writes, unknown
// handles, and strings longer than their fields.

#include <cstring>
#include <functional>
#include <limits>

#include "EditorTestSupport.h"

using namespace EditorTest;

namespace {

class FieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Board = OpenText(Scratch, TestBoardText);
    Components = Walk(Board, ComponentKind, 0, 0);
    Nets = Walk(Board, NetKind, 0, MultiLayer);
  }
  void TearDown() override { Tarnix_CloseBoard(Board); }

  TScratch Scratch;
  uint32_t Board = 0;
  std::vector<uint32_t> Components, Nets;  // U1, R1, C1; GND, VCC, SIG, EMPTY
};

uint16_t TagOf(uint32_t object) {
  uint16_t tag = 0;
  EXPECT_EQ(PcbApi_QueryPrimitive(PcbApi_ModeRead, object, nullptr, &tag, nullptr, nullptr, nullptr,
                                  nullptr),
            0);
  return tag;
}

// Each kind's own query writes the tag of that object only, and nothing else.
TEST_F(FieldsTest, TagsAndGroupIndicesAreWrittenPerObject) {
  const std::string before = Describe(Board);
  const uint32_t pad = Children(Components[2], PadKind)[1];

  TComponentRecord component;
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, Components[0], component), 0);
  component.Tag = 11;
  component.GroupIndex = 7;
  ASSERT_EQ(QueryComponent(PcbApi_ModeWrite, Components[0], component), 0);

  TPadRecord padRecord;
  ASSERT_EQ(QueryPad(PcbApi_ModeRead, pad, padRecord), 0);
  padRecord.Tag = 22;
  ASSERT_EQ(QueryPad(PcbApi_ModeWrite, pad, padRecord), 0);

  uint16_t netTag = 33;
  PcbString255 netName{};
  uint8_t opaque1 = 0, opaque2 = 0;
  ASSERT_EQ(PcbApi_QueryNet(PcbApi_ModeRead, Nets[2], nullptr, &netName, &opaque1, &opaque2), 0);
  ASSERT_EQ(PcbApi_QueryNet(PcbApi_ModeWrite, Nets[2], &netTag, &netName, &opaque1, &opaque2), 0);

  uint16_t textTag = 44;
  ASSERT_EQ(PcbApi_QueryPrimitive(PcbApi_ModeWrite, component.NameText, nullptr, &textTag, nullptr,
                                  nullptr, nullptr, nullptr),
            0);

  EXPECT_EQ(TagOf(Components[0]), 11);
  EXPECT_EQ(TagOf(pad), 22);
  EXPECT_EQ(TagOf(Nets[2]), 33);
  EXPECT_EQ(TagOf(component.NameText), 44);
  EXPECT_EQ(TagOf(Components[1]), 0);
  EXPECT_EQ(TagOf(Children(Components[2], PadKind)[0]), 0);
  EXPECT_EQ(TagOf(Nets[1]), 0);

  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, Components[0], component), 0);
  EXPECT_EQ(component.GroupIndex, 7);
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, Components[1], component), 0);
  EXPECT_EQ(component.GroupIndex, 0);

  // The description shows U1's group, nothing else changed.
  std::string expected = before;
  expected.replace(expected.find(" group 3 "), 9, " group 7 ");
  EXPECT_EQ(Describe(Board), expected);
}

TEST_F(FieldsTest, BoardRecordGridsAndPlacerOptionsGoBothWays) {
  uint8_t imperial = 0;
  uint32_t currentLayer = BottomLayer;
  ASSERT_EQ(PcbApi_QueryBoard(PcbApi_ModeWrite, Board, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, &imperial, &currentLayer, nullptr),
            0);
  imperial = 9;
  currentLayer = 0;
  ASSERT_EQ(PcbApi_QueryBoard(PcbApi_ModeRead, Board, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, &imperial, &currentLayer, nullptr),
            0);
  EXPECT_EQ(imperial, 0);
  EXPECT_EQ(currentLayer, BottomLayer);

  double d1 = 12345.0, grid = Mil(25);
  ASSERT_EQ(PcbApi_QueryBoardGridsEx(PcbApi_ModeWrite, Board, nullptr, nullptr, nullptr, nullptr,
                                     &d1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, &grid, nullptr),
            0);
  d1 = grid = 0;
  ASSERT_EQ(PcbApi_QueryBoardGridsEx(PcbApi_ModeRead, Board, nullptr, nullptr, nullptr, nullptr,
                                     &d1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, &grid, nullptr),
            0);
  EXPECT_EQ(d1, 12345.0);
  EXPECT_EQ(grid, Mil(25));
  grid = 0;  // a component grid must stay above 0
  EXPECT_NE(PcbApi_QueryBoardGridsEx(PcbApi_ModeWrite, Board, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, &grid, nullptr),
            0);

  PcbString255 power{}, ground{};
  ToPcbString(power, "VCC +5V");
  ToPcbString(ground, "GND AGND");
  uint8_t rotate = 5, extra1 = 0, extra2 = 1, group = 1;
  ASSERT_EQ(PcbApi_QueryBoardAdvancedPlacerOptions(PcbApi_ModeWrite, Board, &power, &ground,
                                                   &rotate, &extra1, &extra2, &group),
            0);
  int32_t large = Mil(20), small = Mil(10);
  ASSERT_EQ(PcbApi_QueryBoardAdvancedPlacerOptionsExt(PcbApi_ModeWrite, Board, &large, &small), 0);
  ToPcbString(power, "");
  ToPcbString(ground, "");
  rotate = extra2 = group = large = small = 0;
  ASSERT_EQ(PcbApi_QueryBoardAdvancedPlacerOptions(PcbApi_ModeRead, Board, &power, &ground, &rotate,
                                                   &extra1, &extra2, &group),
            0);
  ASSERT_EQ(PcbApi_QueryBoardAdvancedPlacerOptionsExt(PcbApi_ModeRead, Board, &large, &small), 0);
  EXPECT_EQ(FromPcbString(power), "VCC +5V");
  EXPECT_EQ(FromPcbString(ground), "GND AGND");
  EXPECT_EQ((std::vector<int>{rotate, extra1, extra2, group}), (std::vector<int>{1, 0, 1, 1}));
  EXPECT_EQ(large, Mil(20));
  EXPECT_EQ(small, Mil(10));
  small = -1;
  EXPECT_NE(PcbApi_QueryBoardAdvancedPlacerOptionsExt(PcbApi_ModeWrite, Board, &large, &small), 0);
}

// The default stack is the top layer above the bottom layer, drilled as one pair.
// The drawing takes a layer's colour from its information word, with red in the low byte.
TEST_F(FieldsTest, LayerInformationIsTheLayersColour) {
  uint32_t rgb = 0;
  ASSERT_EQ(Tarnix_GetLayerColor(Board, TopLayer, &rgb), 0);
  int32_t info = 0;
  ASSERT_EQ(PcbApi_QueryBoardLayerInfo(PcbApi_ModeRead, Board, TopLayer, nullptr, nullptr, &info),
            0);
  EXPECT_EQ(static_cast<uint32_t>(info),
            ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu));

  info = 0x00332211;  // red 0x11, green 0x22, blue 0x33
  ASSERT_EQ(PcbApi_QueryBoardLayerInfo(PcbApi_ModeWrite, Board, TopLayer, nullptr, nullptr, &info),
            0);
  ASSERT_EQ(Tarnix_GetLayerColor(Board, TopLayer, &rgb), 0);
  EXPECT_EQ(rgb, 0x112233u);
}

TEST_F(FieldsTest, LayersStackAndPairs) {
  PcbString255 name{};
  uint8_t prev = 9, next = 9;
  ASSERT_EQ(PcbApi_QueryLayer(PcbApi_ModeRead, TopLayer, Board, &name, nullptr, nullptr, nullptr,
                              &prev, &next, nullptr),
            0);
  EXPECT_EQ(FromPcbString(name), "TopLayer");
  EXPECT_EQ(prev, 0);
  EXPECT_EQ(next, BottomLayer);
  ASSERT_EQ(PcbApi_QueryLayer(PcbApi_ModeRead, KeepOutLayer, Board, &name, nullptr, nullptr,
                              nullptr, &prev, &next, nullptr),
            0);
  EXPECT_EQ(FromPcbString(name), "KeepOutLayer");
  EXPECT_EQ(prev + next, 0);

  ToPcbString(name, "Signal top");
  ASSERT_EQ(PcbApi_QueryLayer(PcbApi_ModeWrite, TopLayer, Board, &name, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr),
            0);
  PcbString255 plane{};
  ASSERT_EQ(PcbApi_QueryInternalPlane(PcbApi_ModeRead, InternalPlane1, Board, &name, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, &plane),
            0);
  EXPECT_EQ(FromPcbString(plane), "(No Net)");
  EXPECT_NE(PcbApi_QueryInternalPlane(PcbApi_ModeRead, TopLayer, Board, &name, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, &plane),
            0);
  EXPECT_NE(PcbApi_QueryLayer(PcbApi_ModeRead, 83, Board, &name, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr),
            0);
  next = 90;  // no such layer
  EXPECT_NE(PcbApi_QueryLayer(PcbApi_ModeWrite, TopLayer, Board, nullptr, nullptr, nullptr, nullptr,
                              nullptr, &next, nullptr),
            0);
  ASSERT_EQ(PcbApi_QueryLayer(PcbApi_ModeRead, TopLayer, Board, &name, nullptr, nullptr, nullptr,
                              nullptr, &next, nullptr),
            0);
  EXPECT_EQ(FromPcbString(name), "Signal top");
  EXPECT_EQ(next, BottomLayer);

  int32_t count = 0;
  ASSERT_EQ(PcbApi_QueryBoardLayerPairsCount(Board, &count, PcbApi_ModeRead), 0);
  ASSERT_EQ(count, 1);
  uint32_t layer1 = 0, layer2 = 0;
  ASSERT_EQ(
      PcbApi_QueryBoardLayerPairAt(PcbApi_ModeRead, Board, 0, &layer1, &layer2, nullptr, nullptr),
      0);
  EXPECT_EQ(layer1, TopLayer);
  EXPECT_EQ(layer2, BottomLayer);
  EXPECT_NE(
      PcbApi_QueryBoardLayerPairAt(PcbApi_ModeRead, Board, 1, &layer1, &layer2, nullptr, nullptr),
      0);
  count = 0;
  ASSERT_EQ(PcbApi_QueryBoardLayerPairsCount(Board, &count, PcbApi_ModeWrite), 0);
  ASSERT_EQ(PcbApi_QueryBoardLayerPairsCount(Board, &count, PcbApi_ModeRead), 0);
  EXPECT_EQ(count, 0);

  PcbString255 material{};
  uint8_t type = 0;
  double constant = 0;
  int32_t height = 0;
  ASSERT_EQ(PcbApi_QueryLayerDielectric(PcbApi_ModeRead, MidLayer1, Board, &material, &type,
                                        &constant, &height),
            0);
  EXPECT_EQ(FromPcbString(material), "FR-4");
  EXPECT_EQ(constant, 4.8);
  EXPECT_EQ(height, 126000);
}

TEST_F(FieldsTest, OpaqueBlocksAreKeptForTheirCallers) {
  uint8_t plot = 1, pen = 1, composite = 0;
  int32_t width = 77;
  ASSERT_EQ(PcbApi_QueryBoardOutputOptionsPlotLayers(PcbApi_ModeWrite, Board, 109, &plot), 0);
  ASSERT_EQ(PcbApi_QueryBoardPrinterOptionsPlotterPen(PcbApi_ModeWrite, Board, 8, &pen, &width), 0);
  ASSERT_EQ(PcbApi_QueryBoardPrinterOptionsCompositeLayer(PcbApi_ModeWrite, Board, 82, &composite),
            0);
  plot = pen = composite = 5;
  width = 0;
  ASSERT_EQ(PcbApi_QueryBoardOutputOptionsPlotLayers(PcbApi_ModeRead, Board, 109, &plot), 0);
  ASSERT_EQ(PcbApi_QueryBoardPrinterOptionsPlotterPen(PcbApi_ModeRead, Board, 8, &pen, &width), 0);
  ASSERT_EQ(PcbApi_QueryBoardPrinterOptionsCompositeLayer(PcbApi_ModeRead, Board, 82, &composite),
            0);
  EXPECT_EQ((std::vector<int>{plot, pen, composite, width}), (std::vector<int>{1, 1, 0, 77}));
  EXPECT_NE(PcbApi_QueryBoardOutputOptionsPlotLayers(PcbApi_ModeRead, Board, 110, &plot), 0);
  EXPECT_NE(PcbApi_QueryBoardPrinterOptionsPlotterPen(PcbApi_ModeRead, Board, 9, &pen, &width), 0);

  // The system options and the component type map belong to the editor, not to a board.
  uint8_t entry = 0;
  ASSERT_EQ(PcbApi_QuerySystemOptionsLayerDrawingOrder(PcbApi_ModeRead, 56, &entry), 0);
  EXPECT_EQ(entry, 56);
  EXPECT_NE(PcbApi_QuerySystemOptionsLayerDrawingOrder(PcbApi_ModeRead, 83, &entry), 0);
  PcbApi_SetState_DeleteAllComponentTypeMappings();
  PcbString255 pattern{};
  ToPcbString(pattern, "C*");
  PcbApi_SetState_AddComponentTypeMapping(&pattern, 3);
  ASSERT_EQ(PcbApi_GetState_ComponentTypeMappingsCount(), 1);
  ToPcbString(pattern, "");
  uint8_t type = 0;
  ASSERT_EQ(PcbApi_GetState_ComponentTypeMappingAt(0, &pattern, &type), 0);
  EXPECT_EQ(FromPcbString(pattern), "C*");
  EXPECT_EQ(type, 3);
  EXPECT_NE(PcbApi_GetState_ComponentTypeMappingAt(1, &pattern, &type), 0);
  PcbApi_SetState_DeleteAllComponentTypeMappings();
  EXPECT_EQ(PcbApi_GetState_ComponentTypeMappingsCount(), 0);
}

// A pad moved to another net shows up in that net's walks; nets must be of the same board and
// names stay unique.
TEST_F(FieldsTest, NetsOfPadsAndNetNames) {
  const uint32_t pad = Children(Components[2], PadKind)[0];  // C1.1 on VCC
  TPadRecord record;
  ASSERT_EQ(QueryPad(PcbApi_ModeRead, pad, record), 0);
  record.Net = Nets[3];
  ASSERT_EQ(QueryPad(PcbApi_ModeWrite, pad, record), 0);
  EXPECT_EQ(Walk(Nets[3], PadKind, 2, 0), std::vector<uint32_t>{pad});
  EXPECT_EQ(Walk(Nets[1], PadKind, 0, 0).size(), 1u);

  const uint32_t other = OpenText(Scratch, TestBoardText, "other.pcb");
  for (uint32_t foreign : {Walk(other, NetKind, 0, 0)[0], pad, 12345u}) {
    record.Net = foreign;
    EXPECT_NE(QueryPad(PcbApi_ModeWrite, pad, record), 0);
  }
  Tarnix_CloseBoard(other);
  record.Net = 0;
  ASSERT_EQ(QueryPad(PcbApi_ModeWrite, pad, record), 0);
  EXPECT_TRUE(Walk(Nets[3], PadKind, 2, 0).empty());

  PcbString255 name{};
  ToPcbString(name, "GND");
  EXPECT_NE(PcbApi_QueryNet(PcbApi_ModeWrite, Nets[3], nullptr, &name, nullptr, nullptr), 0);
  ToPcbString(name, "SPARE");
  EXPECT_EQ(PcbApi_QueryNet(PcbApi_ModeWrite, Nets[3], nullptr, &name, nullptr, nullptr), 0);
  EXPECT_EQ(NetName(Nets[3]), "SPARE");
}

TEST_F(FieldsTest, RefusedWritesChangeNothing) {
  const std::string before = Describe(Board);
  const uint32_t pad = Children(Components[0], PadKind)[0];
  const std::vector<std::function<void(TPadRecord&)>> changes = {
      [](TPadRecord& r) { r.Layer = TopOverlay; },
      [](TPadRecord& r) { r.Layer = 0x7FFF0000; },
      [](TPadRecord& r) { r.TopShape = 7; },
      [](TPadRecord& r) { r.Hole = -1; },
      [](TPadRecord& r) { r.Rotation = std::numeric_limits<double>::infinity(); },
      [](TPadRecord& r) { ToPcbString(r.Name, "\xC3"); },  // not UTF-8
  };
  for (size_t i = 0; i < changes.size(); ++i) {
    SCOPED_TRACE(i);
    TPadRecord record;
    ASSERT_EQ(QueryPad(PcbApi_ModeRead, pad, record), 0);
    record.X += Mil(1);
    changes[i](record);
    EXPECT_NE(QueryPad(PcbApi_ModeWrite, pad, record), 0);
  }
  TPadRecord record;
  EXPECT_NE(QueryPad(3, pad, record), 0);  // no such mode
  EXPECT_EQ(Describe(Board), before);
}

// Every query refuses an unknown handle, or one of another kind, and leaves its fields alone.
TEST_F(FieldsTest, UnknownHandlesFailWithoutTouchingFields) {
  const uint32_t pad = Children(Components[0], PadKind)[0];
  const uint32_t track = Walk(Board, TrackKind, 0, 0)[0];
  constexpr int32_t Mark = 0x5A5A5A5A;
  const std::vector<std::pair<const char*, std::function<int32_t(uint32_t, int32_t*)>>> queries = {
      {"component",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryComponent(1, h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, v, nullptr, nullptr, nullptr,
                                      nullptr);
       }},
      {"pad",
       [](uint32_t h, int32_t* v) {
         TPadRecord r;
         r.X = *v;
         const int32_t status = QueryPad(1, h, r);
         *v = r.X;
         return status;
       }},
      {"track",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryTrack(1, h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, v,
                                  nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
       }},
      {"fill",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryFill(1, h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, v,
                                 nullptr, nullptr, nullptr, nullptr, nullptr);
       }},
      {"arc",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryArc(1, h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, v,
                                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
       }},
      {"via",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryVia(1, h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, v,
                                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
       }},
      {"text",
       [](uint32_t h, int32_t* v) {
         TTextRecord r;
         r.X = *v;
         const int32_t status = QueryText(1, h, r);
         *v = r.X;
         return status;
       }},
      {"from-to",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryFromTo(1, h, nullptr, v, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr);
       }},
      {"channel offset",
       [](uint32_t h, int32_t* v) { return PcbApi_QueryComponentChannelOffset(1, h, v); }},
      {"board",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryBoard(1, h, nullptr, nullptr, nullptr, v, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr);
       }},
      {"placer clearances",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryBoardAdvancedPlacerOptionsExt(1, h, v, nullptr);
       }},
      {"layer pairs",
       [](uint32_t h, int32_t* v) { return PcbApi_QueryBoardLayerPairsCount(h, v, 1); }},
      {"bounds",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryObjectBoundingRectangle(h, v, nullptr, nullptr, nullptr);
       }},
      {"dimension references",
       [](uint32_t h, int32_t* v) { return PcbApi_References_Count(1, h, v); }},
      {"coordinate",
       [](uint32_t h, int32_t* v) {
         return PcbApi_QueryCoordinate(1, h, nullptr, nullptr, nullptr, v, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
       }},
  };
  for (const auto& [name, query] : queries) {
    for (uint32_t handle : {0u, 12345u, track, pad}) {
      const bool bounds = std::strcmp(name, "bounds") == 0;
      if ((handle == track && (bounds || std::strcmp(name, "track") == 0)) ||
          (handle == pad && (bounds || std::strcmp(name, "pad") == 0)))
        continue;
      SCOPED_TRACE(std::string(name) + " " + std::to_string(handle));
      int32_t field = Mark;
      EXPECT_NE(query(handle, &field), 0);
      EXPECT_EQ(field, Mark);
    }
  }
  // Kinds the editor holds none of.
  PcbString255 member{};
  EXPECT_EQ(PcbApi_GetMemberFromClassAt(pad, 0, &member), 1);
  EXPECT_NE(PcbApi_QueryClass(1, pad, nullptr, nullptr, nullptr, &member), 0);
  EXPECT_NE(
      PcbApi_QueryRule(1, pad, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
      0);
}

// Long texts are handed out cut to their fields; written back unchanged they stay whole.
TEST_F(FieldsTest, LongStringsAreCutButKeptWhole) {
  const std::string longName = "PAD-NAME-LONGER-THAN-TWENTY";
  const std::string longDesignator(300, 'D');
  std::string text = TestBoardText;
  text.replace(text.find("\"name\": \"1\""), 11, "\"name\": \"" + longName + "\"");
  text.replace(text.find("\"U1\""), 4, "\"" + longDesignator + "\"");
  const uint32_t board = OpenText(Scratch, text, "long.pcb");
  const uint32_t u1 = Walk(board, ComponentKind, 0, 0)[0];
  const uint32_t pad = Children(u1, PadKind)[0];

  TPadRecord record;
  ASSERT_EQ(QueryPad(PcbApi_ModeRead, pad, record), 0);
  EXPECT_EQ(FromPcbString(record.Name), longName.substr(0, 20));
  record.Tag = 5;
  ASSERT_EQ(QueryPad(PcbApi_ModeWrite, pad, record), 0);
  EXPECT_EQ(Designator(u1), longDesignator.substr(0, 254));
  TComponentRecord component;
  TTextRecord designator;
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, u1, component), 0);
  ASSERT_EQ(QueryText(PcbApi_ModeRead, component.NameText, designator), 0);
  ASSERT_EQ(QueryText(PcbApi_ModeWrite, component.NameText, designator), 0);

  char message[256] = "";
  ASSERT_EQ(Tarnix_SaveBoard(board, nullptr, message, sizeof message), 0) << message;
  const std::string saved = ReadText(Scratch.Path("long.pcb"));
  EXPECT_NE(saved.find(longName), std::string::npos);
  EXPECT_NE(saved.find(longDesignator), std::string::npos);

  ToPcbString(record.Name, "NEW");
  ASSERT_EQ(QueryPad(PcbApi_ModeWrite, pad, record), 0);
  EXPECT_EQ(PadName(pad), "NEW");
  Tarnix_CloseBoard(board);
}

}  // namespace
