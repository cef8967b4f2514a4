// The system options and the component type map against the recording editor.

#include "BoardRecordingFixture.h"
#include "pcb/PcbStrings.h"
#include "pcb/PcbclassOptions.h"

namespace {

using Args = std::vector<std::string>;

class SystemOptionsTest : public BoardRecordingTest {
 protected:
  static Args OptionsKeys(int mode, const Args& typeMapKeys) {
    const std::string m = std::to_string(mode);
    Args keys = {"QuerySystemOptions(" + m + ")", "QuerySystemOptionsPlaceArray(" + m + ")",
                 "QuerySystemOptionsPorts(" + m + ")",
                 "QuerySystemOptionsMiscellaneous(" + m + ")"};
    for (int i = 0; i <= 82; ++i)
      keys.push_back("QuerySystemOptionsLayerDrawingOrder(" + m + "," + std::to_string(i) + ")");
    keys.insert(keys.end(), typeMapKeys.begin(), typeMapKeys.end());
    keys.push_back("QuerySystemOptionsPolygon(" + m + ")");
    keys.push_back("QuerySystemOptionsMiscellaneousEx(" + m + ")");
    // PcbApi_QuerySystemOptionsProtection is missing: no call.
    return keys;
  }
};

TEST_F(SystemOptionsTest, ReadCallsEachQueryInOrderAndReturnsTheFirstStatus) {
  Recorded->Results["QuerySystemOptions"] = 4;
  Recorded->Results["QuerySystemOptionsPolygon"] = 9;
  Recorded->Results["GetState_ComponentTypeMappingsCount"] = 2;
  TPcbSystemOptions options;

  EXPECT_EQ(options.Sync(PcbApi_ModeRead), 4);

  EXPECT_EQ(Keys(), OptionsKeys(PcbApi_ModeRead, {"GetState_ComponentTypeMappingsCount()",
                                                  "GetState_ComponentTypeMappingAt(0)",
                                                  "GetState_ComponentTypeMappingAt(1)"}));
}

// Each field holds the stamp of its argument position (see the recording editor).
TEST_F(SystemOptionsTest, ReadFillsEachFieldFromItsOwnArgument) {
  Recorded->Results["GetState_ComponentTypeMappingsCount"] = 1;
  TPcbSystemOptions options;
  options.Protection = 9;
  options.Sync(PcbApi_ModeRead);

  const TPcbSystemOptionsGeneral& g = options.General;
  EXPECT_EQ(g.Flag1, 2);
  EXPECT_EQ(FromPcbString(g.Text), "P3");
  EXPECT_EQ(g.Value1, 4);
  EXPECT_EQ(g.Flags[0], 5);
  EXPECT_EQ(g.Flags[8], 13);
  EXPECT_EQ(g.Flag11, 14);
  EXPECT_EQ(g.Flag12, 15);
  EXPECT_EQ(g.Value2, 16);
  EXPECT_EQ(g.Flag13, 17);
  // The last three fields of the extended query lie in the general block.
  EXPECT_EQ(options.MiscellaneousExValue, 2);
  EXPECT_EQ(options.MiscellaneousExFlag, 3);
  EXPECT_EQ(g.MiscellaneousExFlags, (std::array<uint8_t, 3>{4, 5, 6}));

  const TPcbSystemOptionsPlaceArray& p = options.PlaceArray;
  EXPECT_EQ(p.Flag1, 2);
  EXPECT_EQ(p.Flag2, 3);
  EXPECT_EQ(p.Values[0], 4.25);
  EXPECT_EQ(p.Values[2], 6.25);
  EXPECT_EQ(p.Flag3, 7);
  EXPECT_EQ(p.Flag4, 8);
  EXPECT_EQ(p.Count, 9);
  EXPECT_EQ(FromPcbString(p.Text), "P10");
  EXPECT_EQ(options.Ports[0][0], 2);
  EXPECT_EQ(options.Ports[3][4], 5);

  const TPcbSystemOptionsMiscellaneous& m = options.Miscellaneous;
  EXPECT_EQ(m.Flags[0], 2);
  EXPECT_EQ(m.Flags[23], 25);
  EXPECT_EQ(m.Flag25, 26);
  EXPECT_EQ(m.Flag26, 27);
  EXPECT_EQ(m.Value1, 28);
  EXPECT_EQ(m.Value2, 29);
  EXPECT_EQ(m.Flag27, 30);
  EXPECT_EQ(options.MiscellaneousWord1, 31u);
  EXPECT_EQ(options.MiscellaneousWord2, 32u);
  EXPECT_EQ(options.LayerDrawingOrder[0], 3);
  EXPECT_EQ(options.LayerDrawingOrder[82], 3);
  EXPECT_EQ(options.PolygonValue, 2);
  EXPECT_EQ(options.PolygonFlag1, 3);
  EXPECT_EQ(options.PolygonFlag2, 4);
  EXPECT_EQ(options.Protection, 9);  // its entry point is missing: the field keeps its value

  ASSERT_EQ(options.TypeMappings->Count(), 1u);
  std::string pattern;
  uint8_t type = 0;
  options.TypeMappings->Get(0, pattern, type);
  EXPECT_EQ(pattern, "P2");
  EXPECT_EQ(type, 3);
}

TEST_F(SystemOptionsTest, WriteReplacesTheEditorsTypeMappingsInListOrder) {
  TPcbSystemOptions options;
  options.TypeMappings->Add("R*", 3);
  options.TypeMappings->Add("C*", 5);
  options.General = {1, {}, 2, {3, 4, 5, 6, 7, 8, 9, 10, 11}, 12, {13, 14, 15}, 16, 17, 18};
  ToPcbString(options.General.Text, "text");
  options.MiscellaneousExValue = 19;
  options.MiscellaneousExFlag = 20;

  EXPECT_EQ(options.Sync(PcbApi_ModeWrite), 0);

  EXPECT_EQ(Keys(), OptionsKeys(PcbApi_ModeWrite, {"SetState_DeleteAllComponentTypeMappings()",
                                                   "SetState_AddComponentTypeMapping(3)",
                                                   "SetState_AddComponentTypeMapping(5)"}));
  EXPECT_EQ(ArgumentsOf("SetState_AddComponentTypeMapping(3)"), (Args{"R*", "3"}));
  EXPECT_EQ(ArgumentsOf("SetState_AddComponentTypeMapping(5)"), (Args{"C*", "5"}));
  EXPECT_EQ(ArgumentsOf("QuerySystemOptions(0)"),
            (Args{"0", "1", "text", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "16",
                  "17", "18"}));
  EXPECT_EQ(ArgumentsOf("QuerySystemOptionsMiscellaneousEx(0)"),
            (Args{"0", "19", "20", "13", "14", "15"}));
  EXPECT_EQ(options.TypeMappings->Count(), 2u);
}

TEST(ComponentTypeMapTest, KeepsPatternsCutToTheEditorsLengthAndIgnoresOtherIndices) {
  TComponentTypeMap map;
  map.Add(std::string(300, 'U'), 7);
  map.Add("J*", 2);

  std::string pattern = "unchanged";
  uint8_t type = 99;
  map.Get(0, pattern, type);
  EXPECT_EQ(pattern, std::string(255, 'U'));
  EXPECT_EQ(type, 7);
  for (const int64_t index : {int64_t{2}, int64_t{-1}}) {
    pattern = "unchanged";
    type = 99;
    map.Get(index, pattern, type);
    EXPECT_EQ(pattern, "unchanged");
    EXPECT_EQ(type, 99);
  }
  map.Clear();
  EXPECT_EQ(map.Count(), 0u);
}

}  // namespace
