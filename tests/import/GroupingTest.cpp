// Connective groups of large components, the group size limit, the attachment of small components,
// the grouping's progress and status texts, and grouped components after a whole import.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "../framework/FakeClient.h"
#include "GroupingTestSupport.h"

namespace ImportTest {
namespace {

// ---------------------------------------------------------------------------------------------
// The order in which large components found their groups.

TEST(SortComponentsByPadCount, SelectionSortTakesTheFirstOfTheLargestCountsLeft) {
  TBoardBuilder builder;
  builder.Component("R2", 0, 0, "BottomLayer").Pads(Nets("", 0, 3));
  builder.Component("U1", 0, 0).Pads(Nets("", 0, 8));
  builder.Component("U2", 0, 0).Pads(Nets("", 0, 8));
  builder.Component("U3", 0, 0).Pads(Nets("", 0, 10));
  builder.Component("R1", 0, 0).Pads(Nets("", 0, 2));
  TGroupingSession session(builder);

  SortComponentsByPadCount();
  // From U1 U2 U3 R1 R2 (top side first): U3 is swapped with U1, which so falls behind U2.
  std::vector<uint32_t> expected;
  for (const char* designator : {"U3", "U2", "U1", "R2", "R1"})
    expected.push_back(ComponentNamed(designator));
  EXPECT_EQ(ImportContext().SortedComponents, expected);
}

// ---------------------------------------------------------------------------------------------
// The threshold of shared nets.

TEST(ConnectionThreshold, IsSevenTenthsOfTheSmallerPadCountPlusOneHalvesToEven) {
  struct TCase {
    int32_t PadsA, PadsB, Threshold;
  };
  // Where 0.7 x (m + 1) ends in exactly a half (m = 4, 14, 24, ...), the even neighbour.
  for (const TCase& c :
       {TCase{8, 10, 6}, TCase{10, 8, 6}, TCase{14, 14, 10}, TCase{24, 30, 18}, TCase{4, 9, 4},
        TCase{9, 9, 7}, TCase{0, 8, 1}, TCase{34, 40, 24}, TCase{44, 44, 32}, TCase{90, 84, 60},
        TCase{164, 200, 116}, TCase{324, 324, 228}, TCase{644, 700, 452}, TCase{45, 45, 32},
        TCase{43, 43, 31}}) {
    SCOPED_TRACE(std::to_string(c.PadsA) + " and " + std::to_string(c.PadsB) + " pads");
    EXPECT_EQ(ConnectionThreshold(c.PadsA, c.PadsB), c.Threshold);
  }
}

TEST(ConnectiveGroups, JoinTwoLargeComponentsWhenTheyShareMoreNetsThanTheThreshold) {
  struct TCase {
    const char* Name;
    std::vector<std::string> NetsA, NetsB;
    bool Joined;
  };
  const std::vector<TCase> cases = {
      {"8 and 10 pads, 7 nets", Nets("N", 7, 8), Nets("N", 7, 10), true},
      {"8 and 10 pads, 6 nets", Nets("N", 6, 8), Nets("N", 6, 10), false},
      {"14 and 14 pads, 10 nets", Nets("N", 10, 14), Nets("N", 10, 14), false},
      {"14 and 14 pads, 11 nets", Nets("N", 11, 14), Nets("N", 11, 14), true},
      // Eight pads, but only six distinct nets: each net counts once.
      {"6 nets through 8 pads",
       {"N1", "N2", "N3", "N4", "N5", "N6", "N1", "N2"},
       Nets("N", 6, 10),
       false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBoardBuilder builder;
    builder.Component("U1", 1000, 1000).Pads(c.NetsA);
    builder.Component("U2", 2000, 1000).Pads(c.NetsB);
    TGroupingSession session(builder);
    SortComponentsByPadCount();
    ImportContext().GroupSizeLimit = 3;
    FindConnectiveGroups();
    EXPECT_EQ(GroupOf("U1"), c.Joined ? 1 : 0);
    EXPECT_EQ(GroupOf("U2"), c.Joined ? 1 : 0);
    EXPECT_EQ(ImportContext().GroupCounter, c.Joined ? 1 : 0);
  }
}

// The list holds the ungrouped, movable, large components the signal nets reach, each once, with
// the number of distinct signal nets; the collecting component itself enters once with count 1.
TEST(ConnectiveGroups, CollectionCountsDistinctSignalNetsToUngroupedMovableLargeComponents) {
  TBoardBuilder builder;
  builder.PowerNets("VCC").GroundNets("GND");
  builder.Component("U1", 1000, 1000).Pads({"N1", "N2", "N3", "N4", "N5", "GND", "VCC", "N1"});
  builder.Component("U2", 2000, 1000).Pads({"N1", "N2", "N3", "N4", "N5", "GND", "VCC", ""});
  builder.Component("U3", 3000, 1000).Locked().Pads(Nets("N", 5, 8));
  builder.Component("U4", 4000, 1000).GroupIndex(5).Pads(Nets("N", 5, 8));
  builder.Component("R1", 5000, 1000).Pads({"N1", "N2"});
  builder.Component("U5", 6000, 1000).Pads({"GND", "VCC", "", "", "", "", "", ""});
  TGroupingSession session(builder);

  const uint32_t u1 = ComponentNamed("U1");
  const std::vector<TConnectedComponent> expected = {{u1, 1}, {ComponentNamed("U2"), 5}};
  EXPECT_EQ(CollectConnectedComponents(u1), expected);
  EXPECT_EQ(StateOf("U2").Tag, 1);
  EXPECT_EQ(StateOf("U3").Tag, 0);
}

TEST(ConnectiveGroups, CollectionStopsAtFiveHundredComponents) {
  TBoardBuilder builder;
  for (int i = 0; i < 510; ++i)
    builder.Component("U" + std::to_string(i), 1000, 1000).Pads(Nets("BUS", 1, 8));
  TGroupingSession session(builder);

  const std::vector<TConnectedComponent> list = CollectConnectedComponents(ComponentNamed("U0"));
  ASSERT_EQ(list.size(), 500u);
  EXPECT_EQ(list.front().Component, ComponentNamed("U0"));
  EXPECT_EQ(list.back().Component, ComponentNamed("U499"));
  EXPECT_EQ(StateOf("U500").Tag, 0);  // never examined
}

// ---------------------------------------------------------------------------------------------
// The group size limit.

TEST(GroupSizeLimit, IsEightPercentOfTheNonCapacitorsBetweenThreeAndEight) {
  struct TCase {
    int32_t Components, Limit;
  };
  for (const TCase& c : {TCase{0, 3}, TCase{30, 3}, TCase{43, 3}, TCase{44, 4}, TCase{50, 4},
                         TCase{60, 5}, TCase{93, 7}, TCase{94, 8}, TCase{200, 8}}) {
    SCOPED_TRACE(c.Components);
    EXPECT_EQ(GroupSizeLimitFor(c.Components), c.Limit);
  }
}

// Large components that all share eight nets, with test points (one pad) and bypass capacitors
// (two unconnected pads) to make up the numbers.
void AddComponentsSharingEightNets(TBoardBuilder& builder, int large, int testPoints,
                                   int capacitors) {
  for (int i = 1; i <= large; ++i)
    builder.Component("U" + std::to_string(i), 1000.0 * i, 1000).Pads(Nets("N", 8, 8));
  for (int i = 1; i <= testPoints; ++i)
    builder.Component("TP" + std::to_string(i), 20.0 * i, 3000).Pads({""});
  for (int i = 1; i <= capacitors; ++i)
    builder.Component("C" + std::to_string(i), 100.0 * i, 4000).Pads({"", ""});
}

TEST(GroupSizeLimit, NoConnectiveGroupGrowsBeyondIt) {
  struct TCase {
    int Large, TestPoints, Capacitors;
    int32_t Limit;
    std::vector<int32_t> Groups;  // of U1, U2, ...
  };
  // 30 components besides the capacitors give 3, even though the board has 50; 200 give 8.
  const std::vector<TCase> cases = {{5, 25, 20, 3, {1, 1, 1, 2, 2}},
                                    {10, 190, 0, 8, {1, 1, 1, 1, 1, 1, 1, 1, 2, 2}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Limit);
    TBoardBuilder builder;
    AddComponentsSharingEightNets(builder, c.Large, c.TestPoints, c.Capacitors);
    TGroupingSession session(builder);
    GroupComponents();
    EXPECT_EQ(ImportContext().GroupSizeLimit, c.Limit);
    std::vector<int32_t> groups;
    for (int i = 1; i <= c.Large; ++i)
      groups.push_back(GroupOf("U" + std::to_string(i)));
    EXPECT_EQ(groups, c.Groups);
    EXPECT_EQ(GroupOf("TP1"), 0);
    if (c.Capacitors > 0) {
      EXPECT_EQ(GroupOf("C1"), 0);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Small components.

TEST(SmallComponents, AttachWhenTwiceTheSharedPadPairsExceedTheirPadCount) {
  struct TCase {
    const char* Designator;
    std::vector<std::string> Nets;
    int32_t Shared;
    bool Joins;
  };
  // U1 has three pads on S1 and one on each of S2 to S6.
  const std::vector<TCase> cases = {
      {"R1", {"S2", ""}, 1, false},      {"R2", {"S2", "S3"}, 2, true},
      {"R3", {"S1", ""}, 3, true},       {"R4", {"S2", "", ""}, 1, false},
      {"R5", {"S2", "S3", ""}, 2, true}, {"R6", {"X1", "X2"}, 0, false},
  };
  TBoardBuilder builder;
  builder.Component("U1", 1000, 1000).Pads({"S1", "S1", "S1", "S2", "S3", "S4", "S5", "S6"});
  for (const TCase& c : cases)
    builder.Component(c.Designator, 2000, 1000).Pads(c.Nets);
  TGroupingSession session(builder);

  const uint32_t u1 = ComponentNamed("U1");
  for (const TCase& c : cases)
    EXPECT_EQ(SharedPadPairs(u1, ComponentNamed(c.Designator)), c.Shared) << c.Designator;
  AttachSmallComponents();
  EXPECT_EQ(GroupOf("U1"), 1);
  for (const TCase& c : cases)
    EXPECT_EQ(GroupOf(c.Designator), c.Joins ? 1 : 0) << c.Designator;
}

TEST(SmallComponents, AtMostTwentyAttachInEnumerationOrderTopSideFirst) {
  TBoardBuilder builder;
  builder.Component("U1", 1000, 1000).Pads(Nets("S", 8, 8));
  // R1 to R5 lie on the bottom side: they come last in the enumeration although first in the file.
  for (int i = 1; i <= 25; ++i)
    builder.Component("R" + std::to_string(i), 100.0 * i, 2000, i <= 5 ? "BottomLayer" : "TopLayer")
        .Pads({"S1", "S2"});
  TGroupingSession session(builder);

  AttachSmallComponents();
  for (int i = 1; i <= 25; ++i)
    EXPECT_EQ(GroupOf("R" + std::to_string(i)), i <= 5 ? 0 : 1) << "R" << i;
}

TEST(SmallComponents, LargeComponentThatAttractsNothingKeepsNoGroup) {
  TBoardBuilder builder;
  builder.Component("U1", 1000, 1000).Pads(Nets("S", 8, 8));
  builder.Component("U2", 2000, 1000).Pads(Nets("T", 8, 8));
  builder.Component("R1", 3000, 1000).Pads({"T1", "T2"});
  TGroupingSession session(builder);

  AttachSmallComponents();
  EXPECT_EQ(GroupOf("U1"), 0);
  // U1's group number was not used up: U2 founds group 1.
  EXPECT_EQ(GroupOf("U2"), 1);
  EXPECT_EQ(GroupOf("R1"), 1);
}

TEST(Grouping, NeverGroupsFixedComponentsOrBypassCapacitors) {
  TBoardBuilder builder;
  builder.PowerNets("VCC").GroundNets("GND");
  builder.Component("U1", 1000, 1000).Pads(Nets("S", 8, 8));
  builder.Component("U2", 2000, 1000).Pads(Nets("S", 8, 8));
  builder.Component("U3", 3000, 1000).Locked().Pads(Nets("S", 8, 8));
  builder.Component("U4", 4000, 1000).Locked().Pads(Nets("T", 8, 8));
  builder.Component("R1", 5000, 1000).Locked().Pads({"S1", "S2"});
  builder.Component("R2", 5000, 2000).Pads({"T1", "T2"});  // hangs on the fixed U4 only
  builder.Component("C1", 6000, 1000).Pads({"VCC", "GND"});
  builder.Component("C2", 6000, 2000).Pads({"", ""});
  TGroupingSession session(builder);

  GroupComponents();
  EXPECT_EQ(GroupOf("U1"), 1);
  EXPECT_EQ(GroupOf("U2"), 1);
  for (const char* designator : {"U3", "U4", "R1", "R2", "C1", "C2"})
    EXPECT_EQ(GroupOf(designator), 0) << designator;
}

// ---------------------------------------------------------------------------------------------
// Progress and status texts.

struct TProgressRun {
  std::wstring Title;
  int Steps = 0;
};

// The progress runs that the status bar was sent, with the step codes of each.
std::vector<TProgressRun> ProgressRuns(const std::vector<TStatusCall>& calls) {
  std::vector<TProgressRun> runs;
  for (const TStatusCall& call : calls) {
    if (call.Index == ProgressCodeTitle)
      runs.push_back({call.Text, 0});
    else if (call.Index == ProgressCodeStep && !runs.empty())
      ++runs.back().Steps;
  }
  return runs;
}

bool WasShown(const std::vector<TStatusCall>& calls, const std::wstring& text) {
  return std::find(calls.begin(), calls.end(), TStatusCall{2, text}) != calls.end();
}

TEST(Grouping, ReportsProgressForEveryComponentAndNamesWhatItProcesses) {
  TBoardBuilder builder;
  builder.Component("U1", 1000, 1000).Pads(Nets("S", 8, 8));
  builder.Component("U2", 2000, 1000).Pads(Nets("S", 8, 8));
  builder.Component("R1", 3000, 1000).Pads({"S1", "S2"});
  TGroupingSession session(builder);
  const TComPtr<TFakeClient> client = MakeComObject<TFakeClient>();
  const TClientScope scope(client.Get());

  GroupComponents();
  const std::vector<TStatusCall>& calls = client->StatusBar->Calls;
  const std::vector<TProgressRun> runs = ProgressRuns(calls);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Title, L"Sorting pins...");
  EXPECT_EQ(runs[1].Title, L"Finding connective group...");
  // Every run reaches its end: a step for every comparison round and for every handle.
  EXPECT_EQ(runs[0].Steps, 100);
  EXPECT_EQ(runs[1].Steps, 100);
  EXPECT_TRUE(WasShown(calls, L"Processing U2..."));
  EXPECT_TRUE(WasShown(calls, L"Grouping U1..."));
  EXPECT_TRUE(WasShown(calls, L"Grouping U2..."));
  EXPECT_FALSE(WasShown(calls, L"Grouping R1..."));
}

// ---------------------------------------------------------------------------------------------
// A whole import with grouping on.

TEST(Grouping, GroupedMembersStartAtTheBoardCentreWithTheirBlockKept) {
  TBoardBuilder builder;
  builder.GroupComponents().PlacementGrid(10).LargeClearance(20).SmallClearance(10);
  builder.KeepOutOutline(0, 0, 4000, 3000);
  builder.Component("U1", 500, 500).Body(-50, -100, 400, 100).Pads(Nets("S", 8, 8));
  builder.Component("U2", 3000, 2500).Body(-50, -100, 400, 100).Pads(Nets("S", 8, 8));
  builder.Component("R1", 1500, 1500).Body(-30, -50, 30, 50).Pads({"S1", "S2"});
  builder.Component("R2", 2500, 500).Pads({"X1", "X2"});  // stays where it is
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);

  const std::vector<std::string> members = {"U1", "U2", "R1"};
  const int32_t centreX = engine->BoardLeft / 2 + engine->BoardRight / 2;
  const int32_t centreY = engine->BoardBottom / 2 + engine->BoardTop / 2;
  const TComponentState arrangedU1 = StateOf("U1");  // where the arrangement left it
  const TCompRecord& u1 = RecordOf(*engine, "U1");
  for (const std::string& designator : members) {
    SCOPED_TRACE(designator);
    const TCompRecord& record = RecordOf(*engine, designator);
    const TComponentState arranged = StateOf(designator);
    EXPECT_EQ(record.GroupId, 1);
    EXPECT_EQ(record.GroupX, centreX);
    EXPECT_EQ(record.GroupY, centreY);
    // The whole block moved by one offset.
    EXPECT_EQ(record.X - u1.X, arranged.X - arrangedU1.X);
    EXPECT_EQ(record.Y - u1.Y, arranged.Y - arrangedU1.Y);
  }
  // The arrangement had put the block right of the board, beside the cursor's first cell.
  EXPECT_GT(arrangedU1.Left, Mil(4000 + 10000));
  const TCompRecord& r2 = RecordOf(*engine, "R2");
  EXPECT_EQ(r2.GroupId, 0);
  EXPECT_EQ(r2.X, Mil(2500));
  EXPECT_EQ(r2.Y, Mil(500));
}

}  // namespace
}  // namespace ImportTest
