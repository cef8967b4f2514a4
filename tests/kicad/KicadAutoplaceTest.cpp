// autoplace on a small KiCad board: the default output keeps the extension, supply nets named on
// the command line replace those the net names suggest, and the options the run used are kept
// beside the placed board.

#include <unistd.h>

#include "KicadTestSupport.h"

namespace {

using namespace KicadTest;

class KicadAutoplaceTest : public testing::Test {
 protected:
  void SetUp() override {
    Folder =
        fs::temp_directory_path() / ("kicad_autoplace_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(Folder);
    fs::copy_file(fs::path(KICAD_FIXTURES_DIR) / "kicad8.kicad_pcb", Folder / "board.kicad_pcb");
  }
  void TearDown() override { fs::remove_all(Folder); }

  std::string Run(const std::string& arguments, int& exitCode) {
    return Capture(
        "cd " + Quoted(Folder) + " && '" AUTOPLACE_PATH "' " + arguments + " </dev/null 2>&1",
        exitCode);
  }

  fs::path Folder;
};

TEST_F(KicadAutoplaceTest, SupplyNetsFromNamesOrFromTheCommandLine) {
  int exitCode = -1;
  const std::string guessed = Run("board.kicad_pcb --seed 1", exitCode);
  ASSERT_EQ(exitCode, 0) << guessed;
  EXPECT_NE(guessed.find("Supply nets: power /power/+3V3; ground GND"), std::string::npos)
      << guessed;
  EXPECT_TRUE(fs::exists(Folder / "board.placed.kicad_pcb"));
  EXPECT_FALSE(fs::exists(Folder / "board.placed.placer.json"));  // nothing to keep

  const std::string named =
      Run("board.kicad_pcb --seed 1 -o named.kicad_pcb --power-nets SIG,NOPE", exitCode);
  ASSERT_EQ(exitCode, 0) << named;
  EXPECT_NE(named.find("Supply nets: power SIG NOPE; ground GND"), std::string::npos) << named;
  EXPECT_NE(named.find("warning: the board has no net named \"NOPE\""), std::string::npos) << named;
  const auto options = json::parse(ReadFile(Folder / "named.placer.json"));
  EXPECT_EQ(options["board"]["placer"]["powerNets"], "SIG NOPE");
  EXPECT_EQ(options["board"]["placer"]["groundNets"], "GND");
  EXPECT_EQ(ReadFile(Folder / "board.kicad_pcb"),
            ReadFile(fs::path(KICAD_FIXTURES_DIR) / "kicad8.kicad_pcb"));
}

// Two footprints named TP1: each is written back to itself, so each keeps the place the placer
// gave it, and the locked R1 (turned 180 degrees, on the back) keeps its own.
TEST_F(KicadAutoplaceTest, FootprintsSharingADesignatorEachKeepTheirOwnPlace) {
  int exitCode = -1;
  const std::string report = Run("board.kicad_pcb --seed 1 -q -o placed.kicad_pcb", exitCode);
  ASSERT_EQ(exitCode, 0) << report;
  const json before = EditorBoard(Folder / "board.kicad_pcb");
  const json after = EditorBoard(Folder / "placed.kicad_pcb");
  ASSERT_EQ(after["components"].size(), 4u);
  const json& first = after["components"][2];
  const json& second = after["components"][3];
  ASSERT_EQ(first["designator"], "TP1");
  ASSERT_EQ(second["designator"], "TP1");
  EXPECT_NE(std::make_pair(first["x"], first["y"]), std::make_pair(second["x"], second["y"]));
  EXPECT_EQ(first["pads"][0]["net"], "SIG");  // each footprint is still itself
  EXPECT_EQ(second["pads"][0]["net"], "GND");
  EXPECT_EQ(after["components"][1], before["components"][1]);  // R1, locked
}

}  // namespace
