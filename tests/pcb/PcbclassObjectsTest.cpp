// The primitive mirrors against the recording editor (RecordingEditorObjects.h): what each Sync
// sends and in which order, what a read fills, and the mirrors' own rules (factory, children,
// corners, accessors).
//
// Most exchange tests read first and write second: the read fills every field with the stamp of
// its position among the fields the editor filled, so the write shows those stamps back in the
// order the fields travel. Ascending stamps in a write line prove that reading and writing use the
// same fields in the same order.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "RecordingEditorObjects.h"
#include "engine/PlacerComponent.h"
#include "pcb/PCBProcs.h"
#include "pcb/PcbStrings.h"
#include "pcb/PcbclassObjects.h"

namespace {

using TLines = std::vector<std::string>;

class PcbObjectsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Library = dlopen(RECORDING_EDITOR_PATH, RTLD_NOW | RTLD_GLOBAL); }

  void SetUp() override {
    ASSERT_NE(Library, nullptr) << dlerror();
    const auto stateOf =
        reinterpret_cast<RecordingObjects_State_Fn>(dlsym(Library, "RecordingObjects_State"));
    ASSERT_NE(stateOf, nullptr);
    Editor = stateOf();
    Editor->Reset();
    ASSERT_TRUE(BindPcbProcs());
  }

  // The calls that an action makes.
  TLines CallsOf(const std::function<void()>& action) {
    Editor->Calls.clear();
    action();
    return Editor->Calls;
  }

  // Reads the mirror from a fresh stamp count, then gives the calls of writing it back.
  TLines WriteAfterRead(TPCBObject& mirror, uint8_t writeMode = PcbApi_ModeWrite) {
    Editor->Stamp = 0;
    mirror.Sync(PcbApi_ModeRead);
    return CallsOf([&] { mirror.Sync(writeMode); });
  }

  static inline void* Library = nullptr;
  TObjectsEditor* Editor = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Exchanges, one class family at a time.

TEST_F(PcbObjectsTest, TrackFillArcAndViaTravelHeaderFirstAndTheirOwnFieldsInOrder) {
  TPcbTrack track(41);
  EXPECT_EQ(WriteAfterRead(track),
            (TLines{"GetObjectBitField2(0,41,1)", "GetObjectBitField3(0,41,2)",
                    "QueryTrack(0,41,3,4,5,6,7,8,9,10,11,12,13,14,15,16)"}));
  TPcbFill fill(42);
  EXPECT_EQ(WriteAfterRead(fill),
            (TLines{"GetObjectBitField2(0,42,1)", "GetObjectBitField3(0,42,2)",
                    "QueryFill(0,42,3,4,5,6,7,8,9,10,11,12,13,14.5)"}));
  TPcbArc arc(43);
  EXPECT_EQ(WriteAfterRead(arc), (TLines{"GetObjectBitField2(0,43,1)", "GetObjectBitField3(0,43,2)",
                                         "QueryArc(0,43,3,4,5,6,7,8,9,10,11,12.5,13.5,14,15)"}));
  // The via's layer travels as a layer number (stamp 5 = MidLayer4) and is kept as its id.
  TPcbVia via(44);
  EXPECT_EQ(WriteAfterRead(via), (TLines{"GetObjectBitField2(0,44,1)", "GetObjectBitField3(0,44,2)",
                                         "QueryVia(0,44,3,4,5,6,7,8,9,10,11,12,13,14,15,16)"}));
  EXPECT_EQ(via.Layer, LayerIdFromNumber(5));

  // Fields land where their names say.
  EXPECT_EQ(track.StateFlags, 3);
  EXPECT_EQ(track.Layer, 5u);
  EXPECT_EQ(track.Moveable, 7);
  EXPECT_EQ(track.ComponentHandle, 8u);
  EXPECT_EQ(track.X2, 11);
  EXPECT_EQ(track.Opaque4, 16);
  EXPECT_EQ(fill.Rotation, 14.5);
  EXPECT_EQ(arc.Radius, 11);
  EXPECT_EQ(arc.Width, 15);
  EXPECT_EQ(via.HoleSize, 12);
}

TEST_F(PcbObjectsTest, NetPolygonAndRegionTravelInTheirRecordOrder) {
  TPcbNet net(81);
  EXPECT_EQ(WriteAfterRead(net), (TLines{"GetObjectBitField2(0,81,1)", "GetObjectBitField3(0,81,2)",
                                         "QueryNet(0,81,3,'S4',5,6)"}));
  EXPECT_EQ(net.GetName(), "S4");

  auto polygon = std::make_unique<TPcbPolygon>(82);
  EXPECT_EQ(WriteAfterRead(*polygon),
            (TLines{"GetObjectBitField2(0,82,1)", "GetObjectBitField3(0,82,2)",
                    "QueryPolygon(0,82,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,[185037]=18)"}));

  TPCBRegion region(83);
  EXPECT_EQ(WriteAfterRead(region),
            (TLines{"GetObjectBitField2(0,83,1)", "GetObjectBitField3(0,83,2)",
                    "QueryRegion(0,83,3,4,5,6,7,8,9,10,11,12,13,14,15)"}));
  EXPECT_EQ(region.Opaque1, 3);
  EXPECT_EQ(region.StateFlags, 4);
}

TEST_F(PcbObjectsTest, ComponentMakesSixCallsAndItsStatusIsTheRecords) {
  TPcbComponent component(900);
  Editor->Results["QueryComponent"] = 5;
  Editor->Results["QueryComponentEx"] = 9;
  Editor->Stamp = 0;
  EXPECT_EQ(component.Sync(PcbApi_ModeRead), 5);

  // Stamps 1 to 24 in memory order, but for the layer number (7), kept as its id.
  EXPECT_EQ(component.BitField2, 1);
  EXPECT_EQ(component.BitField3, 2);
  EXPECT_EQ(component.ChannelOffset, 3);
  EXPECT_EQ(component.ComponentKind, 4u);
  EXPECT_EQ(component.StateFlags, 5);
  EXPECT_EQ(component.Tag, 6);
  EXPECT_EQ(component.Layer, LayerIdFromNumber(7));
  EXPECT_EQ(component.Moveable, 8);
  EXPECT_EQ(component.NameTextHandle, 9u);
  EXPECT_EQ(component.OpaqueHandle, 10u);
  EXPECT_EQ(FromPcbString(component.Footprint), "S11");
  EXPECT_EQ(component.Opaque2, 13);
  EXPECT_EQ(component.X, 14);
  EXPECT_EQ(component.Y, 15);
  EXPECT_EQ(component.GroupIndex, 16);
  EXPECT_EQ(component.Rotation, 17.5);
  EXPECT_EQ(component.Opaque3, 18);
  EXPECT_EQ(component.ExtValue, 19);
  EXPECT_EQ(component.ExtByte3, 22);
  EXPECT_EQ(FromPcbString(component.SourceLinks[7]), "S23");
  EXPECT_EQ(FromPcbString(component.DefaultModel), "S24");

  // The final position: mode 2 everywhere, the side as a layer number.
  component.X = -250000;
  component.Y = 1250000;
  component.Rotation = 270.0;
  component.Layer = LayerIdFromNumber(BottomLayer);
  const std::string links = "'S23'|'S23'|'S23'|'S23'|'S23'|'S23'|'S23'|'S23'";
  EXPECT_EQ(CallsOf([&] { component.Sync(PcbApi_ModeWriteFinal); }),
            (TLines{"GetObjectBitField2(2,900,1)", "GetObjectBitField3(2,900,2)",
                    "QueryComponentChannelOffset(2,900,3)", "QueryComponentKind(2,900,4)",
                    "QueryComponent(2,900,5,6,32,8,9,10,'S11',12,13,-250000,1250000,16,270,18)",
                    "QueryComponentEx(2,900,19,20,21,22)",
                    "QueryComponentSourceLinks(2,900," + links + ")",
                    "QueryDefaultPCB3DModel(2,900,'S24')"}));
}

TEST_F(PcbObjectsTest, PadReadsItsRecordItsStackModeAndEveryLayer) {
  TPcbPad pad(7);
  Editor->Stamp = 0;
  const TLines calls = CallsOf([&] { EXPECT_EQ(pad.Sync(PcbApi_ModeRead), 0); });

  ASSERT_EQ(calls.size(), 4u + 4 * PadLayerCount);
  EXPECT_EQ(calls[3], "QueryPadStackMode(1,7,0)");
  EXPECT_EQ(calls[4], "QueryPadOrViaShapeOnLayer(7,0,0)");
  EXPECT_EQ(calls[5], "QueryPadOrViaSizeOnLayer(7,0,0,0)");
  EXPECT_EQ(calls[6], "QueryPadCornerRadiusOnLayer(7,0,0)");
  EXPECT_EQ(calls[7], "QueryPadCRPercentageOnLayer(7,0,0)");
  EXPECT_EQ(calls.back(), "QueryPadCRPercentageOnLayer(7,82,0)");

  // The record's fields, in the order the record passes them.
  EXPECT_EQ(pad.StateFlags, 3);
  EXPECT_EQ(pad.ComponentHandle, 8u);
  EXPECT_EQ(pad.X, 9);
  EXPECT_EQ(pad.TopSizeX, 11);
  EXPECT_EQ(pad.HoleSize, 17);
  EXPECT_EQ(pad.BottomShape, 20);
  EXPECT_EQ(pad.GetName(), "S21");
  EXPECT_EQ(pad.OpaqueByteBeforeRotation, 22);
  EXPECT_EQ(pad.OpaqueByteAfterRotation, 23);
  EXPECT_EQ(pad.Rotation, 24.5);
  EXPECT_EQ(FromPcbString(pad.OpaqueString3), "S28");
  // The tail passes its 8-byte block before its second and third value.
  EXPECT_EQ(pad.Tail3, 31);
  EXPECT_EQ(pad.Tail6[7], 32);
  EXPECT_EQ(pad.Tail4, 33);
  EXPECT_EQ(pad.Tail5, 34);
  EXPECT_EQ(pad.Tail7, 35);
  EXPECT_EQ(pad.Tail9, 37);
  EXPECT_EQ(pad.StackMode, 38);
  // Layer L got stamps 39 + 5L (shape), 40 + 5L, 41 + 5L (sizes), 42 + 5L (radius), 43 + 5L
  // (percentage), bytes cut to 8 bits.
  EXPECT_EQ(pad.LayerShape[0], 39);
  EXPECT_EQ(pad.LayerSizeX[82], 450);
  EXPECT_EQ(pad.LayerSizeY[82], 451);
  EXPECT_EQ(pad.LayerCornerRadius[3], 57);
  EXPECT_EQ(pad.TopCornerPercent, 48);      // layer 1
  EXPECT_EQ(pad.MidCornerPercent, 198);     // layer 31, the last middle layer
  EXPECT_EQ(pad.BottomCornerPercent, 203);  // layer 32
}

TEST_F(PcbObjectsTest, PadWritesPerLayerDataOnlyForAFullStackOrRoundedLayers) {
  struct TCase {
    const char* What;
    uint8_t StackMode;
    std::vector<TLayerNumber> RoundedLayers;
    TLines LayerCalls;  // the calls after the stack mode
  };
  const std::vector<TCase> cases = {
      {"simple stack, no rounded layer", 0, {}, {}},
      {"simple stack, one rounded layer",
       1,
       {5},
       {"SetCRPctOnLayer(7,1,11)", "SetCRPctOnLayer(7,32,33)", "SetCRPctOnLayer(7,2,22)"}},
      {"simple stack, two rounded layers",
       0,
       {1, 40},
       {"SetCRPctOnLayer(7,1,11)", "SetCRPctOnLayer(7,32,33)", "SetCRPctOnLayer(7,2,22)",
        "SetCRPctOnLayer(7,1,11)", "SetCRPctOnLayer(7,32,33)", "SetCRPctOnLayer(7,2,22)"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TPcbPad pad(7);
    pad.StackMode = c.StackMode;
    pad.TopCornerPercent = 11;
    pad.MidCornerPercent = 22;
    pad.BottomCornerPercent = 33;
    for (TLayerNumber layer : c.RoundedLayers)
      pad.LayerShape[layer] = RoundedRectangleShape;
    const TLines calls = CallsOf([&] { EXPECT_EQ(pad.Sync(PcbApi_ModeWrite), 0); });
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[3], "QueryPadStackMode(0,7," + std::to_string(c.StackMode) + ")");
    EXPECT_EQ(TLines(calls.begin() + 4, calls.end()), c.LayerCalls);
  }

  // A full stack writes shape, size and percentage of every layer.
  TPcbPad pad(7);
  pad.StackMode = TPcbPad::FullStackMode;
  pad.LayerShape[1] = 2;
  pad.LayerSizeX[1] = 600;
  pad.LayerSizeY[1] = 400;
  pad.LayerCornerPercent[1] = 50;
  const TLines calls = CallsOf([&] { pad.Sync(PcbApi_ModeWriteFinal); });
  ASSERT_EQ(calls.size(), 4u + 3 * PadLayerCount);
  EXPECT_EQ(TLines(calls.begin() + 7, calls.begin() + 10),
            (TLines{"SetPadShapeOnLayer(7,1,2)", "SetPadSizeOnLayer(7,1,600,400)",
                    "SetCRPctOnLayer(7,1,50)"}));
}

TEST_F(PcbObjectsTest, PadStopsAfterAFailedRecord) {
  Editor->Results["QueryPad"] = 4;
  TPcbPad pad(7);
  const TLines calls = CallsOf([&] { EXPECT_EQ(pad.Sync(PcbApi_ModeRead), 4); });
  EXPECT_EQ(calls.size(), 3u);
}

TEST_F(PcbObjectsTest, TextTravelsWithItsBlocksAndTakesTheDisplayedString) {
  TPcbText text(55);
  EXPECT_EQ(FromPcbString(text.FontName), "Arial");
  EXPECT_EQ(text.TrueTypeValue, 200000);

  Editor->DisplayString = "U7";
  EXPECT_EQ(
      WriteAfterRead(text),
      (TLines{"GetObjectBitField2(0,55,1)", "GetObjectBitField3(0,55,2)",
              "QueryText(0,55,3,4,5,6,7,8,9,10,11,12,13.5,14,'S15',16,17,18)",
              "QueryTrueTypeTextInfo(0,55,19,'S20',21,22,23,24)",
              "GetDesignatorDisplayString('',55)", "QueryBarCodeTextInfo(0,55,25,26,27,28)"}));
  EXPECT_EQ(text.GetText(), "S15");
  EXPECT_EQ(text.LeadingValue2, 12);
  EXPECT_EQ(text.Rotation, 13.5);
  EXPECT_EQ(text.TrailingValue3, 18);
  EXPECT_EQ(FromPcbString(text.FontName), "S20");
  EXPECT_EQ(text.TrueTypeValue, 24);
  EXPECT_EQ(text.BarCodeByte4, 28);
  EXPECT_EQ(FromPcbString(text.DisplayText), "U7");

  // The displayed string is cut to 254 characters, and emptied when the editor gives none.
  Editor->DisplayString = std::string(255, 'x');
  text.Sync(PcbApi_ModeRead);
  EXPECT_EQ(FromPcbString(text.DisplayText), std::string(254, 'x'));
  Editor->DisplayString.clear();
  text.Sync(PcbApi_ModeRead);
  EXPECT_EQ(FromPcbString(text.DisplayText), "");
}

TEST_F(PcbObjectsTest, TextStatusIsTheTrueTypeBlocksUnlessTheBarCodeBlockAnswersOne) {
  struct TCase {
    int32_t Text, TrueType, BarCode, Expected;
  };
  const std::vector<TCase> cases = {
      {0, 0, 0, 0}, {7, 0, 0, 0}, {0, 3, 0, 3}, {0, 0, 1, 1}, {0, 3, 1, 1}, {0, 0, 2, 0},
  };
  for (const TCase& c : cases) {
    Editor->Results = {{"QueryText", c.Text},
                       {"QueryTrueTypeTextInfo", c.TrueType},
                       {"QueryBarCodeTextInfo", c.BarCode}};
    TPcbText text(55);
    EXPECT_EQ(text.Sync(PcbApi_ModeRead), c.Expected)
        << c.Text << " " << c.TrueType << " " << c.BarCode;
  }
}

TEST_F(PcbObjectsTest, ObjectClassAppendsMembersOnEveryReadAndReplacesThemOnWrite) {
  Editor->ClassMembers = {"GND", "VCC"};
  TPCBObjectClass objectClass(15);
  EXPECT_EQ(objectClass.Sync(PcbApi_ModeRead), 0);
  Editor->Stamp = 0;
  EXPECT_EQ(objectClass.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(objectClass.Members, (std::vector<std::string>{"GND", "VCC", "GND", "VCC"}));

  objectClass.Members = {"A", "B"};
  Editor->Results["AddMemberToClass"] = 6;
  EXPECT_EQ(CallsOf([&] { EXPECT_EQ(objectClass.Sync(PcbApi_ModeWrite), 6); }),
            (TLines{"GetObjectBitField2(0,15,1)", "GetObjectBitField3(0,15,2)",
                    "QueryClass(0,15,3,4,5,'S6')", "RemoveAllMembersFromClass(15)",
                    "AddMemberToClass(15,'A')", "AddMemberToClass(15,'B')"}));

  // Without members the removal's status is the last one.
  objectClass.Members.clear();
  Editor->Results["RemoveAllMembersFromClass"] = 3;
  EXPECT_EQ(objectClass.Sync(PcbApi_ModeWrite), 3);
}

TEST_F(PcbObjectsTest, ObjectClassReadReportsTheClassQueryOrAFailedMemberQuery) {
  Editor->ClassMembers = {"GND"};
  Editor->Results["QueryClass"] = 8;
  TPCBObjectClass objectClass(15);
  EXPECT_EQ(objectClass.Sync(PcbApi_ModeRead), 8);
  EXPECT_EQ(objectClass.Members.size(), 1u);
}

TEST_F(PcbObjectsTest, DimensionExchangesItsReferencesWithinTheirRoom) {
  Editor->ReferenceCount = 2;
  TPcbDimension dimension(13);
  EXPECT_EQ(dimension.DimensionKind, 8);
  EXPECT_EQ(
      WriteAfterRead(dimension),
      (TLines{
          "GetObjectBitField2(0,13,1)", "GetObjectBitField3(0,13,2)",
          "QueryDimension(0,13,3,4,5,6,7,8,9,10,11,12,13,14,15,16)", "References_Count(0,13,2)",
          "References_At(0,13,0,17,18,19,20)", "References_At(0,13,1,21,22,23,24)",
          "QueryExtDimension(0,13,25,26,27,28,29,30,31,32,33,34,35,36,37.5,38,39,40,41,42,43)"}));
  EXPECT_EQ(dimension.Layer, 10u);
  EXPECT_EQ(dimension.Opaque8, 16);
  EXPECT_EQ(dimension.References[1].Value4, 24);
  EXPECT_EQ(dimension.DimensionKind, 25);
  EXPECT_EQ(dimension.ExtAngle, 37.5);
  EXPECT_EQ(dimension.ExtFlags[5], 43);

  struct TCase {
    int32_t EditorCount, Kept;
  };
  for (const TCase& c : std::vector<TCase>{{200, 200}, {201, 200}, {100000, 200}, {-3, 0}}) {
    Editor->ReferenceCount = c.EditorCount;
    const TLines calls = CallsOf([&] { dimension.Sync(PcbApi_ModeRead); });
    EXPECT_EQ(dimension.ReferenceCount, c.Kept) << c.EditorCount;
    EXPECT_EQ(calls.size(), 5u + c.Kept) << c.EditorCount;
  }
}

TEST_F(PcbObjectsTest, DimensionSucceedsOnlyWhenRecordAndExtensionSucceed) {
  struct TCase {
    int32_t Record, Extension, Expected;
  };
  for (const TCase& c : std::vector<TCase>{{0, 0, 0}, {7, 0, 7}, {0, 5, 5}, {1, 2, 1}}) {
    Editor->Results = {{"QueryDimension", c.Record}, {"QueryExtDimension", c.Extension}};
    TPcbDimension dimension(13);
    EXPECT_EQ(dimension.Sync(PcbApi_ModeRead), c.Expected) << c.Record << " " << c.Extension;
  }
}

TEST_F(PcbObjectsTest, MissingEntryPointsAreSkippedWithTheirDefaults) {
  // The recording editor exports neither the manual from-to query (default 1) nor the
  // violation query (default 0): nothing reaches the editor but the flag bytes.
  TPcbManualFromTo manual(17);
  manual.Tag = 44;
  EXPECT_EQ(CallsOf([&] { EXPECT_EQ(manual.Sync(PcbApi_ModeRead), 1); }),
            (TLines{"GetObjectBitField2(1,17,0)", "GetObjectBitField3(1,17,0)"}));
  EXPECT_EQ(manual.Tag, 44);

  TPcbViolation violation(19);
  violation.OpaqueValues[2] = 45;
  EXPECT_EQ(violation.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(violation.OpaqueValues[2], 45);
}

TEST_F(PcbObjectsTest, RootAndFieldlessKindsExchangeTheCommonHeader) {
  TPcbComponentBody body(12);
  EXPECT_EQ(WriteAfterRead(body),
            (TLines{"GetObjectBitField2(0,12,1)", "GetObjectBitField3(0,12,2)",
                    "QueryPrimitive(0,12,3,4,5,6,7,8)"}));
  EXPECT_EQ(body.ComponentHandle, 7u);
  EXPECT_EQ(body.Moveable, 8);

  TPcbEmbeddedBoard embeddedBoard;
  EXPECT_EQ(embeddedBoard.Layer, LayerIdFromNumber(TopLayer));
}

// ---------------------------------------------------------------------------------------------
// Factory and children.

TEST_F(PcbObjectsTest, FactoryMakesTheClassOfEveryKindIdAndNothingForOthers) {
  for (int kind = 0; kind <= 30; ++kind) {
    const std::unique_ptr<TPCBObject> mirror =
        CreateMirrorOfKind(static_cast<TObjectKind>(kind), 99);
    const bool hasClass = (kind >= 1 && kind <= 22) || kind == 26;
    ASSERT_EQ(mirror != nullptr, hasClass) << kind;
    if (mirror != nullptr) {
      EXPECT_EQ(mirror->GetObjectKind(), kind);
      EXPECT_EQ(mirror->Handle, 99u);
    }
  }
  EXPECT_NE(dynamic_cast<TPcbPolygon*>(CreateMirrorOfKind(BoardOutlineObject, 1).get()), nullptr);
  EXPECT_NE(dynamic_cast<TPcbComponent*>(CreateMirrorOfKind(ComponentObject, 1).get()), nullptr);
}

TEST_F(PcbObjectsTest, FactoryHelpersGiveNothingForHandleZeroAndKindsWithoutAClass) {
  struct TCase {
    uint32_t Handle;
    uint32_t KindId;
    uint32_t Owner;
    std::string Text;
    std::string TagWrite;  // the last call of SetTagOf(handle, 99); empty for no write
  };
  const std::vector<TCase> cases = {
      {0, 0, 0, "", ""},
      {23, 23, 0, "", ""},
      {24, 24, 0, "", ""},
      {25, 25, 0, "", ""},
      {27, 0x80 | 27, 0, "", ""},
      {40, 0, 0, "", ""},
      {41, TrackObject, 8, "", "QueryTrack(0,41,3,99,5,6,7,8,9,10,11,12,13,14,15,16)"},
      {42, 0x80 | TrackObject, 8, "", "QueryTrack(0,42,3,99,5,6,7,8,9,10,11,12,13,14,15,16)"},
      {55, TextObject, 8, "S15", "QueryBarCodeTextInfo(0,55,25,26,27,28)"},
      {81, NetObject, 0, "", "QueryNet(0,81,99,'S4',5,6)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Handle);
    Editor->Kinds = {{c.Handle, c.KindId}};
    Editor->Stamp = 0;
    EXPECT_EQ(OwnerComponentOf(c.Handle), c.Owner);
    Editor->Stamp = 0;
    EXPECT_EQ(TextOf(c.Handle), c.Text);
    Editor->Stamp = 0;
    const TLines calls = CallsOf([&] { SetTagOf(c.Handle, 99); });
    if (c.Handle == 0)
      EXPECT_TRUE(calls.empty());
    else if (c.TagWrite.empty())
      EXPECT_EQ(calls, TLines{"GetObjectIdFromObjectHandle(" + std::to_string(c.Handle) + ")"});
    else
      EXPECT_EQ(calls.back(), c.TagWrite);
  }
}

TEST_F(PcbObjectsTest, ComponentCountsItsChildrenAndNamesItselfByItsDesignator) {
  Editor->ChildCounts = {{{900, PadObject}, 3}, {{901, PadObject}, 0}};
  TPcbComponent withPads(900);
  TPcbComponent withoutPads(901);
  EXPECT_EQ(withPads.ChildCountPlusOne(PadObject), 4);
  EXPECT_EQ(withoutPads.ChildCountPlusOne(PadObject), 1);
  EXPECT_EQ(withPads.ChildCountPlusOne(TextObject), 1);
  EXPECT_EQ(withPads.ChildAt(PadObject, 2), 900u * 1000 + 200 + 2);
  EXPECT_EQ(withPads.ChildAt(PadObject, 4), 0u);
  EXPECT_EQ(CallsOf([&] { withPads.ChildAt(PadObject, 1); }),
            TLines{"QueryComponent_GetObjectAt(900,2,1,0)"});

  withPads.NameTextHandle = 501;
  Editor->Kinds = {{501, TextObject}};
  Editor->Stamp = 0;
  EXPECT_EQ(withPads.GetName(), "S15");
}

TEST_F(PcbObjectsTest, MirrorOfReadsTheObjectOnce) {
  Editor->Kinds = {{81, NetObject}};
  std::unique_ptr<TPCBObject> mirror;
  const TLines calls = CallsOf([&] { mirror = MirrorOf(81); });
  ASSERT_NE(dynamic_cast<TPcbNet*>(mirror.get()), nullptr);
  EXPECT_EQ(calls, (TLines{"GetObjectIdFromObjectHandle(81)", "GetObjectBitField2(1,81,0)",
                           "GetObjectBitField3(1,81,0)", "QueryNet(1,81,0,'',0,0)"}));
  EXPECT_EQ(mirror->GetName(), "S4");
}

// ---------------------------------------------------------------------------------------------
// The placer's component mirror.

TEST_F(PcbObjectsTest, PlacerComponentReadsItsBoundsOnlyWhenReading) {
  TPlacerComponent component(900);
  Editor->Results["QueryComponent"] = 3;
  Editor->Stamp = 0;
  const TLines read = CallsOf([&] { EXPECT_EQ(component.Sync(PcbApi_ModeRead), 3); });
  EXPECT_EQ(read.back(), "QueryObjectBoundingRectangle(900,0,0,0,0)");
  EXPECT_EQ(component.BoundsLeft, 25);
  EXPECT_EQ(component.BoundsBottom, 26);
  EXPECT_EQ(component.BoundsRight, 27);
  EXPECT_EQ(component.BoundsTop, 28);

  for (uint8_t mode : {PcbApi_ModeWrite, PcbApi_ModeWriteFinal}) {
    const TLines write = CallsOf([&] { component.Sync(mode); });
    EXPECT_EQ(write.size(), 8u);
    EXPECT_EQ(write.back().rfind("QueryDefaultPCB3DModel(", 0), 0u);
    EXPECT_EQ(component.BoundsTop, 28);
  }
}

// ---------------------------------------------------------------------------------------------
// Corners and centre lines.

struct TCornerCase {
  const char* What;
  int32_t X1, Y1, X2, Y2;
  double Rotation;
  int32_t Margin;
  int32_t Expected[8];  // A.x, A.y, B.x, B.y, C.x, C.y, D.x, D.y
};

std::vector<int32_t> CornersOf(const TPCBObject& object, int32_t margin) {
  return {object.CornerAX(margin), object.CornerAY(margin), object.CornerBX(margin),
          object.CornerBY(margin), object.CornerCX(margin), object.CornerCY(margin),
          object.CornerDX(margin), object.CornerDY(margin)};
}

TEST(PcbObjectCornersTest, TurnedRectangleCorners) {
  const std::vector<TCornerCase> cases = {
      {"upright", 0, 0, 100, 50, 0.0, 0, {0, 0, 100, 0, 0, 50, 100, 50}},
      {"corners given the other way round", 100, 50, 0, 0, 0.0, 0, {0, 0, 100, 0, 0, 50, 100, 50}},
      {"margin", 0, 0, 100, 50, 0.0, 10, {-10, -10, 110, -10, -10, 60, 110, 60}},
      {"quarter turn", 0, 0, 100, 50, 90.0, 0, {75, -25, 75, 75, 25, -25, 25, 75}},
      {"half turn", 0, 0, 100, 50, 180.0, 0, {100, 50, 0, 50, 100, 0, 0, 0}},
      {"halves truncated toward zero", -3, 0, -1, 2, 0.0, 0, {-2, 0, 0, 0, -2, 2, 0, 2}},
      {"h = 0", 0, 0, 100, 0, 0.0, 0, {0, 0, 100, 0, 0, 0, 100, 0}},
      {"h = 0, odd width: ties to even", 0, 0, 7, 0, 0.0, 0, {0, 0, 6, 0, 0, 0, 6, 0}},
      {"h = 0 by a negative margin", 0, 0, 100, 10, 0.0, -5, {5, 5, 95, 5, 5, 5, 95, 5}},
      {"h = 0, turned: the segment's ends",
       0,
       0,
       100,
       0,
       90.0,
       0,
       {50, -50, 50, 50, 50, -50, 50, 50}},
      {"h = 0 and w = 0: the centre", 10, 20, 10, 20, 30.0, 0, {10, 20, 10, 20, 10, 20, 10, 20}},
  };
  for (const TCornerCase& c : cases) {
    TPcbFill fill;
    fill.X = c.X1;
    fill.Y = c.Y1;
    fill.X2 = c.X2;
    fill.Y2 = c.Y2;
    fill.Rotation = c.Rotation;
    EXPECT_EQ(CornersOf(fill, c.Margin), std::vector<int32_t>(c.Expected, c.Expected + 8))
        << c.What;
  }
}

TEST(PcbObjectCornersTest, CornersNeverOverflowAtTheEndsOfTheRange) {
  TPcbTrack track;
  track.X = std::numeric_limits<int32_t>::min();
  track.X2 = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(track.CornerAX(std::numeric_limits<int32_t>::max()),
            std::numeric_limits<int32_t>::min());
  EXPECT_EQ(track.CornerDX(std::numeric_limits<int32_t>::max()),
            std::numeric_limits<int32_t>::max());
}

TEST(PcbObjectCornersTest, CornersPerLayerNeedTheObjectsLayerButPadsUseTheirLayerSizes) {
  TPcbFill fill;
  fill.X2 = 100;
  fill.Y2 = 50;
  fill.Layer = LayerIdFromNumber(TopLayer);
  EXPECT_EQ(fill.CornerDXOnLayer(TopLayer, 10), 110);
  EXPECT_EQ(fill.CornerDXOnLayer(BottomLayer, 10), 0);

  TPcbPad pad;
  pad.X = 1000;
  pad.Y = 2000;
  pad.Layer = LayerIdFromNumber(MultiLayer);
  pad.LayerSizeX[TopLayer] = 100;
  pad.LayerSizeY[TopLayer] = 60;
  pad.LayerShape[TopLayer] = 2;
  EXPECT_EQ(pad.CornerAXOnLayer(TopLayer, 0), 950);
  EXPECT_EQ(pad.CornerAYOnLayer(TopLayer, 0), 1970);
  EXPECT_EQ(pad.CornerDXOnLayer(TopLayer, 5), 1055);
  EXPECT_EQ(pad.CornerDYOnLayer(TopLayer, 5), 2035);
  EXPECT_EQ(pad.SizeXOnLayer(TopLayer), 100);
  EXPECT_EQ(pad.SizeYOnLayer(TopLayer), 60);
  EXPECT_EQ(pad.ShapeOnLayer(TopLayer), 2);
  EXPECT_EQ(pad.MinSizeOnLayer(TopLayer), 60);
  EXPECT_EQ(pad.SizeOnLayer(TopLayer), 0);  // a pad has no value C
  EXPECT_EQ(pad.SizeXOnLayer(200), 0);      // beyond the last layer number
}

TEST(PcbObjectCornersTest, PadCentreLineRunsAlongTheLongerSide) {
  struct TCase {
    int32_t SizeX, SizeY;
    double Rotation;
    int32_t Expected[4];  // first end x, y, second end x, y
  };
  const std::vector<TCase> cases = {
      {100, 100, 30.0, {1000, 2000, 1000, 2000}},  // round: a point
      {100, 40, 0.0, {970, 2000, 1030, 2000}},     // wide
      {101, 40, 0.0, {970, 2000, 1030, 2000}},     // halves truncated
      {100, 40, 90.0, {1000, 1970, 1000, 2030}},   // wide, turned
      {40, 100, 0.0, {1000, 2030, 1000, 1970}},    // tall
      {40, 100, 90.0, {970, 2000, 1030, 2000}},    // tall, turned
  };
  for (const TCase& c : cases) {
    TPcbPad pad;
    pad.X = 1000;
    pad.Y = 2000;
    pad.Rotation = c.Rotation;
    pad.LayerSizeX[BottomLayer] = c.SizeX;
    pad.LayerSizeY[BottomLayer] = c.SizeY;
    const std::vector<int32_t> ends = {
        pad.CentreLineX1OnLayer(BottomLayer), pad.CentreLineY1OnLayer(BottomLayer),
        pad.CentreLineX2OnLayer(BottomLayer), pad.CentreLineY2OnLayer(BottomLayer)};
    EXPECT_EQ(ends, std::vector<int32_t>(c.Expected, c.Expected + 4))
        << c.SizeX << "x" << c.SizeY << " at " << c.Rotation;
  }
}

// ---------------------------------------------------------------------------------------------
// Accessors.

TEST(PcbObjectAccessorsTest, GettersAnswerFromTheFieldsOfTheirClass) {
  TPcbTrack track;
  track.X = 1;
  track.Y = 2;
  track.X2 = 3;
  track.Y2 = 4;
  track.Opaque1 = 11;
  track.Opaque2 = 12;
  track.Opaque3 = 13;
  track.Opaque4 = 14;
  TPcbFill fill;
  fill.Opaque1 = 21;
  fill.Rotation = 45.0;
  TPcbArc arc;
  arc.Radius = 31;
  arc.StartAngle = 10.0;
  arc.EndAngle = 20.0;
  arc.Opaque1 = 32;
  arc.Width = 33;
  TPcbVia via;
  via.Size = 41;
  via.HoleSize = 42;
  via.Opaque1 = 43;
  via.Opaque2 = 44;
  via.Opaque3 = 1;
  TPcbText text;
  text.LeadingValue1 = 51;
  text.LeadingValue2 = 52;
  text.OpaqueByte = 53;
  text.TrailingValue1 = 54;
  text.TrailingValue2 = 55;
  text.TrailingValue3 = 56;
  ToPcbString(text.Text, "R1");
  TPcbFromTo fromTo;
  fromTo.Opaque1 = 61;
  fromTo.Opaque2 = 62;
  fromTo.X2 = 63;
  TPcbPad pad;
  pad.MidSizeY = 71;
  pad.HoleSize = 72;
  pad.BottomShape = 73;
  pad.Tail9 = 1;
  ToPcbString(pad.Name, "A1");
  TPcbEmbeddedBoard embeddedBoard;
  embeddedBoard.Opaque6 = 81;
  TPCBObject root;
  root.X = 91;
  root.Y = 92;

  struct TCase {
    const char* What;
    double Got, Expected;
  };
  const std::vector<TCase> cases = {
      {"track X2, Y2", double(track.GetX2() * 10 + track.GetY2()), 34},
      {"track values 1 to 3", double(track.GetValue1() + track.GetValue2() + track.GetValue3()),
       39},
      {"track A", double(track.GetExtraA()), 11},
      {"track B", double(track.GetExtraB()), 0},
      {"fill value 1", double(fill.GetValue1()), 21},
      {"fill rotation", fill.GetRotation(), 45},
      {"arc value 1 is its width", double(arc.GetValue1()), 33},
      {"arc H to K", double(arc.GetExtraH()) + arc.GetExtraI() + arc.GetExtraJ() + arc.GetExtraK(),
       31 + 10 + 20 + 32},
      {"via C, D, E", double(via.GetExtraC() + via.GetExtraD() + via.GetExtraE()), 3 * 41},
      {"via hole", double(via.GetHoleSize()), 42},
      {"via F, G", double(via.GetExtraF() * 100 + via.GetExtraG()), 4344},
      {"via byte flags", double(via.ByteFlag1() * 10 + via.ByteFlag2()), 10},
      {"text A and K", double(text.GetExtraA() + text.GetExtraK()), 2 * 54},
      {"text C, D, P", double(text.GetExtraC() + text.GetExtraD() + text.GetExtraP()), 51 * 2 + 52},
      {"text Q", double(text.GetExtraQ()), 53},
      {"text values 2, 3", double(text.GetValue2() * 100 + text.GetValue3()), 5556},
      {"from-to S, T, X2", double(fromTo.GetExtraS() + fromTo.GetExtraT() + fromTo.GetX2()),
       61 + 62 + 63},
      {"pad sizes and shapes", double(pad.GetMidSizeY() + pad.GetHoleSize() + pad.GetBottomShape()),
       71 + 72 + 73},
      {"pad byte flags", double(pad.ByteFlag1() * 10 + pad.ByteFlag2()), 1},
      {"embedded board Q", double(embeddedBoard.GetExtraQ()), 81},
      {"root X2, Y2 are X, Y", double(root.GetX2() * 100 + root.GetY2()), 9192},
      {"root B to K", double(root.GetExtraC() + root.GetExtraH() + root.GetExtraK()), 0},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.Got, c.Expected) << c.What;
  EXPECT_EQ(text.GetText(), "R1");
  EXPECT_EQ(pad.GetName(), "A1");
  EXPECT_EQ(track.GetText(), "");
  EXPECT_EQ(track.GetName(), "");
}

TEST(PcbObjectAccessorsTest, SettersWriteTheFieldsOfTheirClassAndCutTexts) {
  TPcbTrack track;
  track.SetX2(5);
  track.SetValue3(6);
  track.SetExtraA(7);
  EXPECT_EQ(track.X2, 5);
  EXPECT_EQ(track.Opaque4, 6);
  EXPECT_EQ(track.Opaque1, 7);

  TPCBObject root;
  root.SetX2(5);  // the root has no second corner
  root.SetLayerNumber(KeepOutLayer);
  EXPECT_EQ(root.X, 0);
  EXPECT_EQ(root.Layer, LayerIdFromNumber(KeepOutLayer));
  EXPECT_EQ(root.GetLayerNumber(), KeepOutLayer);

  TPcbPad pad;
  pad.SetName(std::string(30, 'p'));
  EXPECT_EQ(pad.GetName(), std::string(20, 'p'));
  TPcbText text;
  text.SetText(std::string(300, 't'));
  EXPECT_EQ(text.GetText(), std::string(254, 't'));
  text.SetExtraK(8);
  EXPECT_EQ(text.TrailingValue1, 8);
  TPcbNet net;
  net.SetName("GND");
  EXPECT_EQ(net.GetName(), "GND");
}

TEST(PcbObjectAccessorsTest, FlagBitsFollowTheirMasks) {
  TPCBObject object;
  object.BitField2 = 0b1010001;  // bits 0, 4, 6
  EXPECT_EQ(
      (std::vector<bool>{object.BitField2Bit4(), object.BitField2Bit0(), object.BitField2Bit1(),
                         object.BitField2Bit3(), object.BitField2Bit5(), object.BitField2Bit6()}),
      (std::vector<bool>{true, true, false, false, false, true}));

  object.SetStateBit0010(true);
  object.SetStateBit2000(true);
  object.SetStateBit8000(true);
  EXPECT_EQ(object.StateFlags, 0xA010);
  object.SetStateBit8000(false);
  EXPECT_EQ(object.StateFlags, 0x2010);
  EXPECT_TRUE(object.StateBit0100Clear());

  object.SetBitField3Bit04(true);
  EXPECT_TRUE(object.BitField3Bit02Or04());
  EXPECT_FALSE(object.BitField3Bit02());
  object.SetBitField3Bits02And04(true);
  EXPECT_EQ(object.BitField3, 0x0006);
  object.SetBitField3Bits02And04(false);
  EXPECT_FALSE(object.BitField3Bit02Or04());
}

TEST(PcbObjectAccessorsTest, MovingShiftsTheCornersTheClassHasAndWrapsAtTheRangesEnd) {
  TPcbTrack track;
  track.X2 = 10;
  track.Y2 = 20;
  track.MoveBy(5, -5);
  EXPECT_EQ(std::vector<int32_t>({track.X, track.Y, track.X2, track.Y2}),
            std::vector<int32_t>({5, -5, 15, 15}));

  TPcbFromTo fromTo;
  fromTo.X2 = 10;
  fromTo.MoveBy(5, 0);
  EXPECT_EQ(fromTo.X, 5);
  EXPECT_EQ(fromTo.X2, 10);

  TPCBObject object;
  object.X = std::numeric_limits<int32_t>::max();
  object.MoveBy(1, 0);
  EXPECT_EQ(object.X, std::numeric_limits<int32_t>::min());
}

TEST_F(PcbObjectsTest, StoringSettersWriteAtOnceAndEditorServicesAskByHandle) {
  TPcbNet net(81);
  EXPECT_EQ(CallsOf([&] { net.StoreStateBit0008(true); }).back(), "QueryNet(0,81,0,'',0,0)");
  EXPECT_TRUE(net.StateBit0008());
  net.StateFlags = 0x0108;
  const TLines calls = CallsOf([&] { net.StoreStateBit0100Clear(true); });
  EXPECT_EQ(calls.size(), 3u);
  EXPECT_EQ(net.StateFlags, 0x0008);

  EXPECT_TRUE(net.IsImportedFromUser());
  Editor->Results["QueryObjectImport_FromUser"] = 1;
  EXPECT_FALSE(net.IsImportedFromUser());
  EXPECT_EQ(CallsOf([&] { net.Invalidate(); }), TLines{"QueryObjectGraphicallyInvalidate(81)"});

  Editor->Stamp = 0;
  EXPECT_EQ(net.GetBoundsY2(), 4);

  // A via asks the editor for its size and shape on any layer; 0 when the editor fails.
  TPcbVia via(44);
  Editor->Stamp = 0;
  EXPECT_EQ(via.SizeOnLayer(BottomLayer), 1);
  EXPECT_EQ(via.ShapeOnLayer(BottomLayer), 3);
  Editor->Results["QueryPadOrViaSizeOnLayer"] = 2;
  EXPECT_EQ(via.SizeOnLayer(BottomLayer), 0);
}

}  // namespace
