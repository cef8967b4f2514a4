// Real KiCad boards (Debian's kicad-demos): read as KiCad itself reads them, saved unchanged byte
// for byte, and placed end to end by autoplace into boards that KiCad loads with the placement
// autoplace made.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "KicadTestSupport.h"
#include "host/BoardBoxes.h"

namespace {

using namespace KicadTest;

constexpr double NanometresPerMil = 25400.0;

std::vector<fs::path> DemoBoards() {
  std::vector<fs::path> boards;
  std::error_code error;
  for (const auto& folder : fs::directory_iterator(DEMOS_DIR, error))
    for (const auto& file : fs::directory_iterator(folder.path(), error))
      if (file.path().extension() == ".kicad_pcb")
        boards.push_back(file.path());
  std::sort(boards.begin(), boards.end());
  return boards;
}

// What KiCad's own reader sees.
json KicadBoard(const fs::path& file) {
  int exitCode = -1;
  const std::string output = Capture(
      "/usr/bin/python3 " + Quoted(KICAD_DUMP) + " " + Quoted(file) + " 2>/dev/null", exitCode);
  EXPECT_EQ(exitCode, 0) << "KiCad cannot load " << file;
  return exitCode == 0 ? json::parse(output) : json::array();
}

double ToNanometres(const json& mil) {
  return mil.get<double>() * NanometresPerMil;
}

// Footprint by footprint: the same place (1 µm), rotation (0.01 degree) and side, and every pad
// of ours on one of KiCad's (KiCad also lists pads without copper, which are no pins).
void ExpectSamePlacement(const json& ours, const json& kicad) {
  ASSERT_EQ(ours["components"].size(), kicad.size());
  for (size_t i = 0; i < kicad.size(); ++i) {
    const json& component = ours["components"][i];
    const json& footprint = kicad[i];
    SCOPED_TRACE(footprint["reference"].get<std::string>() + " (footprint " + std::to_string(i) +
                 ")");
    EXPECT_EQ(component["designator"], footprint["reference"]);
    EXPECT_NEAR(ToNanometres(component["x"]), footprint["x"].get<double>(), 1000);
    EXPECT_NEAR(-ToNanometres(component["y"]), footprint["y"].get<double>(), 1000);
    const double turn = std::remainder(
        component.value("rotation", 0.0) - footprint["rotation"].get<double>(), 360.0);
    EXPECT_NEAR(turn, 0.0, 0.01);
    EXPECT_EQ(component["layer"] == "BottomLayer", footprint["back"].get<bool>());
    for (const json& pad : component.value("pads", json::array())) {
      const double x = ToNanometres(pad["x"]), y = -ToNanometres(pad["y"]);
      const bool found = std::any_of(
          footprint["pads"].begin(), footprint["pads"].end(), [&](const json& position) {
            return std::hypot(position[0].get<double>() - x, position[1].get<double>() - y) < 1000;
          });
      EXPECT_TRUE(found) << "pad " << pad["name"] << " at " << x << ", " << y << " nm";
    }
  }
}

class KicadDemoTest : public testing::Test {
 protected:
  void SetUp() override {
    Boards = DemoBoards();
    ASSERT_FALSE(Boards.empty()) << "no KiCad demo boards in " << DEMOS_DIR
                                 << " (Debian package kicad-demos)";
    Folder =
        fs::temp_directory_path() / ("kicad_tests_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(Folder);
  }
  void TearDown() override { fs::remove_all(Folder); }

  std::vector<fs::path> Boards;
  fs::path Folder;
};

TEST_F(KicadDemoTest, EveryBoardSavedUnchangedIsByteIdentical) {
  for (const fs::path& file : Boards) {
    SCOPED_TRACE(file.string());
    char message[1024] = "";
    const uint32_t board = Tarnix_OpenBoard(file.c_str(), message, sizeof message);
    ASSERT_NE(board, 0u) << message;
    const fs::path copy = Folder / file.filename();
    EXPECT_EQ(Tarnix_SaveBoard(board, copy.c_str(), message, sizeof message), 0) << message;
    Tarnix_CloseBoard(board);
    EXPECT_TRUE(ReadFile(copy) == ReadFile(file));
    // Nothing changed the placer's options, so nothing is written beside the board.
    EXPECT_FALSE(fs::exists(fs::path(copy).replace_extension(".placer.json")));
  }
}

TEST_F(KicadDemoTest, FootprintsAndPadsLandWhereKicadPutsThem) {
  for (const fs::path& file : Boards) {
    SCOPED_TRACE(file.string());
    ExpectSamePlacement(EditorBoard(file), KicadBoard(file));
  }
}

// The components whose place or rotation the run changed, with their original and placed forms.
struct TMove {
  const json& Before;
  const json& After;
};
std::vector<TMove> Moves(const json& before, const json& after) {
  std::vector<TMove> moves;
  for (size_t i = 0; i < before["components"].size(); ++i) {
    const json& was = before["components"][i];
    const json& is = after["components"][i];
    if (was["x"] != is["x"] || was["y"] != is["y"] ||
        was.value("rotation", 0.0) != is.value("rotation", 0.0))
      moves.push_back({was, is});
  }
  return moves;
}

void ExpectPlacementRules(const json& before, const json& after) {
  ASSERT_EQ(before["components"].size(), after["components"].size());
  const boxes::TBox area = boxes::PlacementArea(before);
  std::set<std::tuple<std::string, double, double>> spots;
  const auto fills = boxes::KeepOutFills(before);
  for (const TMove& move : Moves(before, after)) {
    const std::string name = move.After["designator"].get<std::string>();
    EXPECT_FALSE(move.Before.value("locked", false)) << "locked " << name << " moved";
    // A part across the board's edge in the input (a socket over the edge) keeps its place.
    const boxes::TBox was = boxes::ComponentBox(move.Before);
    EXPECT_TRUE(boxes::Inside(was, area) || !boxes::Overlap(was, area))
        << "edge part " << name << " at " << was << " moved";
    const double quarterTurns =
        (move.After.value("rotation", 0.0) - move.Before.value("rotation", 0.0)) / 90.0;
    EXPECT_NEAR(quarterTurns, std::nearbyint(quarterTurns), 1e-9) << name;
    // A footprint's box is turned in whole board units: one unit (0.0001 mil) of rounding.
    boxes::TBox box = boxes::ComponentBox(move.After);
    box = {box.Left + 0.0001, box.Bottom + 0.0001, box.Right - 0.0001, box.Top - 0.0001};
    EXPECT_TRUE(boxes::Inside(box, area)) << name << " at " << box << " outside " << area;
    for (const auto& fill : fills)
      EXPECT_FALSE(boxes::Overlap(box, fill)) << name << " at " << box << " on " << fill;
    const bool capacitor = name.size() > 1 && name[0] == 'C' && std::isdigit(name[1]) != 0 &&
                           move.After.value("pads", json::array()).size() == 2;
    if (capacitor) {
      EXPECT_TRUE(spots.emplace(move.After["layer"], move.After["x"], move.After["y"]).second)
          << name << " moved onto the spot of another capacitor";
    }
  }
}

TEST_F(KicadDemoTest, PlacedBoardsKeepTheRulesAndKicadLoadsThem) {
  for (const fs::path& file : Boards) {
    SCOPED_TRACE(file.string());
    const fs::path input = Folder / file.filename();
    fs::copy_file(file, input, fs::copy_options::overwrite_existing);
    const fs::path output = Folder / "placed.kicad_pcb";
    int exitCode = -1;
    const std::string report =
        Capture("'" AUTOPLACE_PATH "' " + Quoted(input) + " --specified --seed 1 -q -o " +
                    Quoted(output) + " </dev/null 2>&1",
                exitCode);
    const json before = EditorBoard(file);
    if (exitCode == 5) {  // a board without nets has nothing to place
      EXPECT_FALSE(fs::exists(output));
      continue;
    }
    ASSERT_EQ(exitCode, 0) << report;
    EXPECT_EQ(ReadFile(input), ReadFile(file)) << "the input was touched";
    const json after = EditorBoard(output);
    EXPECT_FALSE(Moves(before, after).empty());
    ExpectPlacementRules(before, after);
    ExpectSamePlacement(after, KicadBoard(output));
    fs::remove(output);
  }
}

}  // namespace
