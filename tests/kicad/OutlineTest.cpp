// Small KiCad boards whose outline the placer's rectangle cannot describe: a frame around a large
// cut-out, and a connector that overhangs the edge. autoplace places them; the checks read the
// saved board and judge it against the outline the fixture drew, with geometry of their own.

#include <unistd.h>

#include "KicadTestSupport.h"
#include "host/BoardBoxes.h"

namespace {

using namespace KicadTest;

constexpr double MilPerMm = 1000.0 / 25.4;

// A board in KiCad 6 form: an outer rectangle and optional cut-out on Edge.Cuts, in mm.
struct TRectMm {
  double X1, Y1, X2, Y2;
};

std::string EdgeRect(const TRectMm& r) {
  std::ostringstream text;
  text << "  (gr_rect (start " << r.X1 << " " << r.Y1 << ") (end " << r.X2 << " " << r.Y2
       << ") (layer \"Edge.Cuts\") (width 0.1))\n";
  return text.str();
}

// A two-pad part of 1.6 x 0.8 mm at (x, y) mm, its pads on the nets given.
std::string Resistor(const std::string& name, double x, double y, int netA, int netB) {
  std::ostringstream text;
  text << "  (footprint \"R_0603\" (layer \"F.Cu\") (at " << x << " " << y << ")\n"
       << "    (fp_text reference \"" << name << "\" (at 0 0) (layer \"F.SilkS\"))\n"
       << "    (pad \"1\" smd rect (at -0.5 0) (size 0.6 0.8) (layers \"F.Cu\") (net " << netA
       << " \"N" << netA << "\"))\n"
       << "    (pad \"2\" smd rect (at 0.5 0) (size 0.6 0.8) (layers \"F.Cu\") (net " << netB
       << " \"N" << netB << "\"))\n  )\n";
  return text.str();
}

// A connector 6 x 4 mm with its courtyard, at (x, y) mm.
std::string Connector(double x, double y, int net) {
  std::ostringstream text;
  text << "  (footprint \"USB\" (layer \"F.Cu\") (at " << x << " " << y << ")\n"
       << "    (fp_text reference \"J1\" (at 0 0) (layer \"F.SilkS\"))\n"
       << "    (fp_rect (start -3 -2) (end 3 2) (layer \"F.CrtYd\") (width 0.05))\n"
       << "    (pad \"1\" smd rect (at -1 0) (size 0.6 1) (layers \"F.Cu\") (net " << net << " \"N"
       << net << "\"))\n"
       << "    (pad \"2\" smd rect (at 1 0) (size 0.6 1) (layers \"F.Cu\") (net 1 \"N1\"))\n  )\n";
  return text.str();
}

std::string Board(const std::string& items, int nets) {
  std::ostringstream text;
  text << "(kicad_pcb (version 20211014) (generator pcbnew)\n"
       << "  (layers (0 \"F.Cu\" signal) (31 \"B.Cu\" signal) (44 \"Edge.Cuts\" user))\n"
       << "  (net 0 \"\")\n";
  for (int n = 1; n <= nets; ++n)
    text << "  (net " << n << " \"N" << n << "\")\n";
  return text.str() + items + ")\n";
}

// A box in the editor's JSON form (mil, Y up) as millimetres with Y down.
TRectMm InMm(const boxes::TBox& box) {
  return {box.Left / MilPerMm, -box.Top / MilPerMm, box.Right / MilPerMm, -box.Bottom / MilPerMm};
}

bool Within(const TRectMm& inner, const TRectMm& outer) {
  constexpr double Slack = 1e-4;  // mm: a footprint's points are rounded to whole units
  return inner.X1 >= outer.X1 - Slack && inner.Y1 >= outer.Y1 - Slack &&
         inner.X2 <= outer.X2 + Slack && inner.Y2 <= outer.Y2 + Slack;
}

bool SharesArea(const TRectMm& a, const TRectMm& b) {
  constexpr double Slack = 1e-4;
  return a.X1 < b.X2 - Slack && b.X1 < a.X2 - Slack && a.Y1 < b.Y2 - Slack && b.Y1 < a.Y2 - Slack;
}

class KicadOutlineTest : public testing::Test {
 protected:
  void SetUp() override {
    Folder =
        fs::temp_directory_path() / ("kicad_outline_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(Folder);
  }
  void TearDown() override { fs::remove_all(Folder); }

  // Runs autoplace on the board text; the printed summary and exit code.
  std::string Place(const std::string& text, const std::string& options, int& exitCode) {
    std::ofstream(Folder / "board.kicad_pcb") << text;
    return Capture("'" AUTOPLACE_PATH "' " + Quoted(Folder / "board.kicad_pcb") + " --seed 1 -o " +
                       Quoted(Folder / "placed.kicad_pcb") + " " + options + " </dev/null 2>&1",
                   exitCode);
  }

  json Placed() { return EditorBoard(Folder / "placed.kicad_pcb"); }

  fs::path Folder;
};

TEST_F(KicadOutlineTest, PartsEndInsideAFrameAroundACutOut) {
  // A 40 x 30 mm board with a 34 x 24 mm hole: a frame 3 mm wide. The placer's rectangle covers
  // the hole, so the run puts parts there; each must end up on the frame.
  const TRectMm outer{100, 100, 140, 130}, hole{103, 103, 137, 127};
  std::string items = EdgeRect(outer) + EdgeRect(hole);
  for (int i = 0; i < 12; ++i)
    items +=
        Resistor("R" + std::to_string(i + 1), 101.5 + 3 * i, 101.5, 2 + i % 4, 2 + (i + 1) % 4);
  int exitCode = -1;
  const std::string output = Place(Board(items, 5), "", exitCode);
  ASSERT_EQ(exitCode, 0) << output;
  EXPECT_NE(output.find("Pulled inside the outline: "), std::string::npos) << output;
  EXPECT_NE(output.find("Parts outside the outline: 0 before, 0 after"), std::string::npos)
      << output;
  const json placed = Placed();
  for (const json& component : placed["components"]) {
    const TRectMm box = InMm(boxes::ComponentBox(component));
    EXPECT_TRUE(Within(box, outer) && !SharesArea(box, hole))
        << component["designator"] << " at " << box.X1 << ", " << box.Y1 << " .. " << box.X2 << ", "
        << box.Y2 << " mm";
  }
}

TEST_F(KicadOutlineTest, AnEdgePartStaysUnlessAskedAndIsNeverSavedLocked) {
  // A connector hanging 2 mm over the left edge of a 30 x 20 mm board, with parts to place.
  const TRectMm outer{100, 100, 130, 120};
  std::string items = EdgeRect(outer) + Connector(101, 110, 2);
  for (int i = 0; i < 6; ++i)
    items += Resistor("R" + std::to_string(i + 1), 110 + 3 * i, 105 + 2 * i, 2, 3);
  const std::string text = Board(items, 3);

  int exitCode = -1;
  std::string output = Place(text, "", exitCode);
  ASSERT_EQ(exitCode, 0) << output;
  EXPECT_NE(output.find("Edge parts kept in place (fixed for the run): 1 (J1)"), std::string::npos)
      << output;
  EXPECT_NE(output.find("Locked parts changed: 0"), std::string::npos) << output;
  json placed = Placed();
  const json& kept = placed["components"][0];
  EXPECT_EQ(kept["designator"], "J1");
  EXPECT_NEAR(kept["x"].get<double>(), 101 * MilPerMm, 1e-3);
  EXPECT_NEAR(kept["y"].get<double>(), -110 * MilPerMm, 1e-3);
  EXPECT_FALSE(kept.value("locked", false));
  std::ostringstream saved;
  saved << std::ifstream(Folder / "placed.kicad_pcb").rdbuf();
  EXPECT_EQ(saved.str().find("locked"), std::string::npos);

  // Asked to, the placer moves it like any other, and it ends inside; several starts too.
  for (const char* options : {"--move-edge-parts", "--move-edge-parts --starts 2 --jobs 2"}) {
    SCOPED_TRACE(options);
    output = Place(text, options, exitCode);
    ASSERT_EQ(exitCode, 0) << output;
    EXPECT_EQ(output.find("Edge parts kept"), std::string::npos) << output;
    placed = Placed();
    const TRectMm box = InMm(boxes::ComponentBox(placed["components"][0]));
    EXPECT_TRUE(Within(box, outer))
        << box.X1 << ", " << box.Y1 << " .. " << box.X2 << ", " << box.Y2 << " mm";
  }
}

}  // namespace

namespace {

// A chip U1 with pads on +3V3 and GND, and capacitors whose +3V3 pads lie 2.54 mm (100 mil) and
// 5.08 mm (200 mil) from the chip's +3V3 pad; a locked resistor.
std::string SupplyBoard() {
  std::ostringstream text;
  text << "(kicad_pcb (version 20211014) (generator pcbnew)\n"
       << "  (layers (0 \"F.Cu\" signal) (31 \"B.Cu\" signal) (44 \"Edge.Cuts\" user))\n"
       << "  (net 0 \"\") (net 1 \"GND\") (net 2 \"+3V3\") (net 3 \"SIG\")\n"
       << EdgeRect({100, 100, 160, 140}) << "  (footprint \"SOT\" (layer \"F.Cu\") (at 110 110)\n"
       << "    (fp_text reference \"U1\" (at 0 0) (layer \"F.SilkS\"))\n"
       << "    (pad \"1\" smd rect (at 0 0) (size 0.6 0.6) (layers \"F.Cu\") (net 2 \"+3V3\"))\n"
       << "    (pad \"2\" smd rect (at 1 0) (size 0.6 0.6) (layers \"F.Cu\") (net 1 \"GND\"))\n"
       << "    (pad \"3\" smd rect (at 2 0) (size 0.6 0.6) (layers \"F.Cu\") (net 3 \"SIG\"))\n  "
          ")\n";
  for (const auto& [name, dy] : {std::pair{"C1", 2.54}, std::pair{"C2", 5.08}})
    text << "  (footprint \"C\" (layer \"F.Cu\") (at 110.5 " << 110 + dy << ")\n"
         << "    (fp_text reference \"" << name << "\" (at 0 0) (layer \"F.SilkS\"))\n"
         << "    (pad \"1\" smd rect (at -0.5 0) (size 0.6 0.6) (layers \"F.Cu\") (net 2 "
            "\"+3V3\"))\n"
         << "    (pad \"2\" smd rect (at 0.5 0) (size 0.6 0.6) (layers \"F.Cu\") (net 1 "
            "\"GND\"))\n  )\n";
  text << "  (footprint \"R\" locked (layer \"F.Cu\") (at 140 130)\n"
       << "    (fp_text reference \"R1\" (at 0 0) (layer \"F.SilkS\"))\n"
       << "    (pad \"1\" smd rect (at -0.5 0) (size 0.6 0.6) (layers \"F.Cu\") (net 3 \"SIG\"))\n"
       << "    (pad \"2\" smd rect (at 0.5 0) (size 0.6 0.6) (layers \"F.Cu\") (net 1 \"GND\"))\n"
       << "  )\n)\n";
  return text.str();
}

}  // namespace

TEST_F(KicadOutlineTest, TheSummaryMeasuresCapacitorsAndLockedParts) {
  int exitCode = -1;
  const std::string output = Place(SupplyBoard(), "", exitCode);
  ASSERT_EQ(exitCode, 0) << output;
  EXPECT_NE(output.find("Supply capacitors within 150 mil of a pad of an IC on their supply net: "
                        "1 of 2 before"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("Median distance of those capacitors: 150 mil before"), std::string::npos)
      << output;
  EXPECT_NE(output.find("Locked parts changed: 0"), std::string::npos) << output;
}
