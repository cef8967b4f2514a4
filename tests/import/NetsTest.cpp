// Supply nets by name, the supply net lists and the numbering of the signal nets.

#include <string>

#include "ImportTestSupport.h"

namespace ImportTest {
namespace {

TEST(NameInList, MatchesWholeNamesSeparatedByBlanks) {
  struct TCase {
    const char* Name;
    const char* List;
    bool Expected;
  };
  const TCase cases[] = {
      {"Vcc", "GND VCC", true},      // case is ignored
      {"VCC", "vcc", true},          //
      {"VCC", "VCC,GND", false},     // a comma belongs to the name
      {"VCC,GND", "VCC,GND", true},  //
      {"VC", "VCC", false},          // whole names only
      {"VCC", "VCC5 +5", false},     //
      {"GND", "VCC GND", true},      // the last name
      {"VCC", "VCC  GND", true},     // a doubled blank separates as well
      {"GND", "VCC\tGND", false},    // a tab does not
      {"+5", "+12 +5 -5", true},     //
      {"\xe4", "\xc4", false},       // only a to z are folded
      {"", "", false},               // an empty name matches nothing
      {"", "VCC  GND", false},       //
      {"VCC", "", false},            //
  };
  for (const TCase& c : cases)
    EXPECT_EQ(NameInList(c.Name, c.List), c.Expected)
        << '"' << c.Name << "\" in \"" << c.List << '"';
}

// A list of 254 or 255 characters would lose its closing blank if the framed list were cut to 255:
// its last name must match all the same.
TEST(NameInList, LastNameOfAFullLengthList) {
  for (const size_t length : {253u, 254u, 255u}) {
    const std::string list = "N0X " + std::string(length - 8, 'F') + " GND";
    ASSERT_EQ(list.size(), length);
    EXPECT_TRUE(NameInList("GND", list)) << length;
    EXPECT_TRUE(NameInList("n0x", list)) << length;
    EXPECT_FALSE(NameInList("GN", list)) << length;
  }
}

TEST(SupplyNets, ListsFromTheOptions) {
  TBoardBuilder builder;
  builder.PowerNets("VCC +5").GroundNets("gnd VCC");
  builder.Component("U1").Pads({"VCC", "+5", "GND", "SIG"});
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  const uint32_t vcc = NetNamed("VCC"), plus5 = NetNamed("+5"), gnd = NetNamed("GND"),
                 sig = NetNamed("SIG");
  const TImportContext& context = ImportContext();
  // A net named in both options is a power net only.
  EXPECT_EQ(context.PowerNetList.Count, 2);
  EXPECT_EQ(context.PowerNetList.Entries[1], vcc);
  EXPECT_EQ(context.PowerNetList.Entries[2], plus5);
  EXPECT_EQ(context.GroundNetList.Count, 1);
  EXPECT_EQ(context.GroundNetList.Entries[1], gnd);
  EXPECT_TRUE(IsPowerNet(vcc));
  EXPECT_FALSE(IsGroundNet(vcc));
  EXPECT_TRUE(IsGroundNet(gnd));
  for (const uint32_t supply : {vcc, plus5, gnd})
    EXPECT_FALSE(IsSignalNet(supply));
  EXPECT_TRUE(IsSignalNet(sig));
  EXPECT_FALSE(IsSignalNet(0));
  EXPECT_FALSE(IsPowerNet(0));
  EXPECT_EQ(engine->NetCount, 1);
}

// Eleven matching nets: the first nine stay, the tenth entry holds the last one. All eleven are
// supply nets by name and get no number.
TEST(SupplyNets, ElevenPowerNets) {
  TBoardBuilder builder;
  std::string option;
  std::vector<std::string> nets;
  for (int i = 1; i <= 11; ++i) {
    nets.push_back("P" + std::to_string(i));
    option += nets.back() + " ";
  }
  builder.PowerNets(option);
  nets.push_back("SIG");
  builder.Component("U1").Pads(nets);
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  const TSupplyNetList& power = ImportContext().PowerNetList;
  ASSERT_EQ(power.Count, 10);
  for (int i = 1; i <= 9; ++i)
    EXPECT_EQ(power.Entries[static_cast<size_t>(i)], NetNamed("P" + std::to_string(i)));
  EXPECT_EQ(power.Entries[10], NetNamed("P11"));
  EXPECT_FALSE(IsPowerNet(NetNamed("P10")));
  for (int i = 1; i <= 11; ++i)
    EXPECT_EQ(HeaderOf(NetNamed("P" + std::to_string(i))).Tag, 0) << i;
  EXPECT_EQ(engine->NetCount, 1);
  EXPECT_EQ(HeaderOf(NetNamed("SIG")).Tag, 1);
}

TEST(SupplyNets, NoneWithEmptyOptions) {
  TBoardBuilder builder;
  builder.Component("U1").Pads({"VCC", "GND"});
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  EXPECT_EQ(ImportContext().PowerNetList.Count, 0);
  EXPECT_EQ(ImportContext().GroundNetList.Count, 0);
  EXPECT_TRUE(IsSignalNet(NetNamed("VCC")));
  EXPECT_EQ(engine->NetCount, 2);
}

// Nets without pads and supply nets get 0; the signal nets are numbered 1, 2, ... without a gap,
// and the pins carry the numbers.
TEST(NetNumbers, SignalNetsWithPadsWithoutGaps) {
  TBoardBuilder builder;
  builder.PowerNets("VCC").GroundNets("GND");
  builder.Net("EMPTY1").Net("A").Net("VCC").Net("EMPTY2").Net("B").Net("GND").Net("C");
  builder.Component("U1").Pads({"A", "VCC", "B", "", "GND"});
  builder.Component("U2", 500, 0).Pads({"C", "B"});
  const TTestBoard board = builder.Open();
  const auto engine = Import(board);
  const std::pair<const char*, int> expected[] = {
      {"EMPTY1", 0}, {"A", 1}, {"VCC", 0}, {"EMPTY2", 0}, {"B", 2}, {"GND", 0}, {"C", 3}};
  for (const auto& [name, number] : expected)
    EXPECT_EQ(HeaderOf(NetNamed(name)).Tag, number) << name;
  ASSERT_EQ(engine->NetCount, 3);
  ASSERT_EQ(engine->Nets.size(), 3u);
  const TCompRecord& u1 = RecordOf(*engine, "U1");
  ASSERT_EQ(u1.PinCount, 5);
  const int netNumbers[] = {1, 0, 2, 0, 0};
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(u1.Pins[i]->NetNumber, netNumbers[i]) << "pad " << i + 1;
  EXPECT_EQ(engine->Net(1).PinCount, 1);
  EXPECT_EQ(engine->Net(2).PinCount, 2);
  EXPECT_EQ(engine->Net(3).PinCount, 1);
}

}  // namespace
}  // namespace ImportTest
