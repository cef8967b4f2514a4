// KiCad boards in the editor: what each version's syntax becomes in the model, moved footprints
// edited into the original text, malformed files refused with their place, and the placer's
// options kept beside the board.

#include <nlohmann/json.hpp>

#include "EditorTestSupport.h"

using namespace EditorTest;
using nlohmann::json;

namespace {

constexpr double MilPerMm = 1 / 0.0254;

std::string Fixture(const std::string& name) {
  return ReadText(std::string(KICAD_FIXTURES_DIR) + "/" + name);
}

// The board in the JSON form the host sees.
json BoardJson(uint32_t board) {
  size_t needed = 0;
  Tarnix_GetBoardText(board, nullptr, 0, &needed);
  std::string text(needed + 1, '\0');
  EXPECT_EQ(Tarnix_GetBoardText(board, text.data(), text.size(), &needed), 0);
  text.resize(needed);
  return json::parse(text);
}

std::string Notes(uint32_t board) {
  char notes[4096] = "";
  size_t needed = 0;
  Tarnix_GetBoardNotes(board, notes, sizeof notes, &needed);
  return notes;
}

// A point of KiCad's frame (mm, +Y down) in mil with +Y up.
void ExpectAt(const json& object, double xMm, double yMm) {
  EXPECT_NEAR(object["x"].get<double>(), xMm * MilPerMm, 1e-3) << object.dump();
  EXPECT_NEAR(object["y"].get<double>(), -yMm * MilPerMm, 1e-3) << object.dump();
}

struct TFootprintCase {
  const char* Designator;
  const char* Side;
  bool Locked;
  double X, Y, Rotation;  // KiCad's frame
  size_t Pads;
};

struct TVersionCase {
  const char* File;
  std::vector<TFootprintCase> Footprints;
  double AreaX1, AreaY1, AreaX2, AreaY2;  // KiCad's frame
  const char* PowerNets;
  const char* GroundNets;
  size_t KeepOuts;
  size_t Notes;
};

const TVersionCase VersionCases[] = {
    // User layer names, (module ..), bare atoms, an arc by centre and sweep, a locked head atom.
    {"kicad5.kicad_pcb",
     {{"C1", "TopLayer", false, 50, 60, 270, 2}, {"J1", "BottomLayer", true, 60, 62, 0, 1}},
     40,
     50,
     70,
     70,
     "VCC",
     "GND",
     0,
     0},
    // The outline drawn inside a footprint; no courtyard; a paste-only pad is no pin.
    {"kicad7.kicad_pcb",
     {{"", "TopLayer", false, 100, 100, 0, 0}, {"Q1", "TopLayer", true, 95, 98, -90, 2}},
     80,
     90,
     120,
     110,
     "VBUS",
     "GND",
     0,
     0},
    // One token a line, (locked yes), designators as properties, a footprint's own keep-out,
    // a designator shared by two footprints, a hierarchical supply net.
    {"kicad8.kicad_pcb",
     {{"U1", "TopLayer", false, 110, 105, 90, 3},
      {"R1", "BottomLayer", true, 120, 100, 180, 2},
      {"TP1", "TopLayer", false, 125, 110, 0, 1},
      {"TP1", "TopLayer", false, 130, 110, 0, 1}},
     100,
     95,
     140,
     120,
     "/power/+3V3",
     "GND",
     1,
     0},
    // Renumbered layers, a three-point arc, reversed lines, cut-outs, a polygonal rule area.
    {"kicad9.kicad_pcb",
     {{"C7", "BottomLayer", false, 10, 10, 45, 2}, {"REF**", "TopLayer", false, 25, 15, 0, 1}},
     0,
     0,
     40,
     30,
     "+5V",
     "GND",
     1,
     1},
};

TEST(KicadBoardTest, EachVersionsSyntaxReadsIntoTheModel) {
  TScratch scratch;
  for (const TVersionCase& c : VersionCases) {
    SCOPED_TRACE(c.File);
    const uint32_t board = OpenText(scratch, Fixture(c.File), c.File);
    const json model = BoardJson(board);
    ASSERT_EQ(model["components"].size(), c.Footprints.size());
    for (size_t i = 0; i < c.Footprints.size(); ++i) {
      const TFootprintCase& expected = c.Footprints[i];
      const json& component = model["components"][i];
      EXPECT_EQ(component["designator"], expected.Designator);
      EXPECT_EQ(component["layer"], expected.Side);
      EXPECT_EQ(component.value("locked", false), expected.Locked);
      ExpectAt(component, expected.X, expected.Y);
      EXPECT_EQ(component.value("rotation", 0.0), expected.Rotation);
      EXPECT_EQ(component.value("pads", json::array()).size(), expected.Pads);
    }
    size_t keepOuts = 0;
    std::vector<json> area;
    for (const json& primitive : model["primitives"]) {
      EXPECT_EQ(primitive["layer"], "KeepOutLayer");
      if (primitive["kind"] == "fill")
        ++keepOuts;
      else
        area.push_back(primitive);
    }
    ASSERT_EQ(area.size(), 4u);
    EXPECT_NEAR(area[0]["x1"].get<double>(), c.AreaX1 * MilPerMm, 1e-3);
    EXPECT_NEAR(area[0]["y1"].get<double>(), -c.AreaY2 * MilPerMm, 1e-3);
    EXPECT_NEAR(area[2]["x1"].get<double>(), c.AreaX2 * MilPerMm, 1e-3);
    EXPECT_NEAR(area[2]["y1"].get<double>(), -c.AreaY1 * MilPerMm, 1e-3);
    EXPECT_EQ(keepOuts, c.KeepOuts);
    EXPECT_EQ(model["board"]["placer"]["powerNets"], c.PowerNets);
    EXPECT_EQ(model["board"]["placer"]["groundNets"], c.GroundNets);
    EXPECT_EQ(model["board"]["displayUnit"], "mm");
    const std::string notes = Notes(board);
    EXPECT_EQ(static_cast<size_t>(std::count(notes.begin(), notes.end(), '\n')), c.Notes) << notes;
    Tarnix_CloseBoard(board);
  }
}

// Pads land where the footprint's turn puts them, on the front and on the back.
TEST(KicadBoardTest, PadsTurnWithTheirFootprint) {
  TScratch scratch;
  const uint32_t board = OpenText(scratch, Fixture("kicad8.kicad_pcb"), "kicad8.kicad_pcb");
  const json model = BoardJson(board);
  const json& u1 = model["components"][0];
  ExpectAt(u1["pads"][0], 109, 107);  // local (-2, -1) turned by 90 degrees
  EXPECT_EQ(u1["pads"][0]["rotation"], 90);
  EXPECT_EQ(u1["pads"][0]["shape"], "roundedRectangle");
  const json& r1 = model["components"][1];
  ExpectAt(r1["pads"][0], 120.8, 100);  // local (-0.8, 0) on the back, turned by 180 degrees
  EXPECT_EQ(r1["pads"][0]["layer"], "BottomLayer");
  const json& tp = model["components"][2];
  EXPECT_EQ(tp["pads"][0]["layer"], "MultiLayer");
  EXPECT_NEAR(tp["pads"][0]["hole"].get<double>(), 0.8 * MilPerMm, 1e-3);
  EXPECT_EQ(tp["pads"][0]["net"], "SIG");
  Tarnix_CloseBoard(board);

  const uint32_t newer =
      OpenText(scratch, std::string(Fixture("kicad9.kicad_pcb")).replace(21, 8, "20260101"),
               "k10.kicad_pcb");
  EXPECT_NE(Notes(newer).find("version 20260101 is newer than KiCad 9's"), std::string::npos);
  Tarnix_CloseBoard(newer);
}

int32_t Units(double mm) {
  return static_cast<int32_t>(std::nearbyint(mm * 10000 / 0.0254));
}

TEST(KicadBoardTest, SavingEditsOnlyThePlacementOfWhatMoved) {
  TScratch scratch;
  for (const char* file :
       {"kicad5.kicad_pcb", "kicad7.kicad_pcb", "kicad8.kicad_pcb", "kicad9.kicad_pcb"}) {
    const uint32_t board = OpenText(scratch, Fixture(file), file);
    char message[512] = "";
    const std::string copy = scratch.Path(std::string("same-") + file);
    EXPECT_EQ(Tarnix_SaveBoard(board, copy.c_str(), message, sizeof message), 0) << message;
    EXPECT_TRUE(ReadText(copy) == Fixture(file)) << file;
    Tarnix_CloseBoard(board);
  }

  const std::string original = Fixture("kicad8.kicad_pcb");
  const uint32_t board = OpenText(scratch, original, "kicad8.kicad_pcb");
  const auto components = Walk(board, ComponentKind, 0, TopLayer);
  ASSERT_EQ(components.size(), 3u);  // U1 and the two TP1 on the top
  const auto moveTo = [](uint32_t component, double x, double y, double rotation) {
    TComponentRecord record;
    ASSERT_EQ(QueryComponent(PcbApi_ModeRead, component, record), 0);
    record.X = Units(x);
    record.Y = Units(-y);
    record.Rotation = rotation;
    ASSERT_EQ(QueryComponent(PcbApi_ModeWriteFinal, component, record), 0);
  };
  moveTo(components[0], 115, 100, 180);  // U1: moved and turned a quarter
  moveTo(components[2], 135, 112, 0);    // the second TP1: moved only
  const std::string saved = scratch.Path("moved.kicad_pcb");
  char message[512] = "";
  ASSERT_EQ(Tarnix_SaveBoard(board, saved.c_str(), message, sizeof message), 0) << message;
  Tarnix_CloseBoard(board);

  std::string expected = original;
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"(at 110 105 90)", "(at 115 100 180)"},
           {"(at 0 -3.5 90)", "(at 0 -3.5 180)"},
           {"(at 0 3.5 90)", "(at 0 3.5 180)"},
           {"(at -2 -1 90)", "(at -2 -1 180)"},
           {"(at -2 1 90)", "(at -2 1 180)"},
           {"(at 2 0 90)", "(at 2 0 180)"},
           {"(xy 113 104) (xy 114 104) (xy 114 106) (xy 113 106)",
            "(xy 114 97) (xy 114 96) (xy 116 96) (xy 116 97)"},
           {"(at 130 110)", "(at 135 112)"}})
    expected = Replaced(expected, from, to);
  EXPECT_EQ(ReadText(saved), expected);

  // Turning back to no angle leaves the angle out, as KiCad writes it.
  const uint32_t again = OpenText(scratch, ReadText(saved), "again.kicad_pcb");
  moveTo(Walk(again, ComponentKind, 0, TopLayer)[0], 115, 100, 0);
  ASSERT_EQ(Tarnix_SaveBoard(again, saved.c_str(), message, sizeof message), 0) << message;
  Tarnix_CloseBoard(again);
  const std::string straight = ReadText(saved);
  EXPECT_NE(straight.find("(at 115 100)\n"), std::string::npos);
  EXPECT_NE(straight.find("(at -2 -1)\n"), std::string::npos);
}

const char* const SmallBoard = R"((kicad_pcb (version 20211014) (generator pcbnew)
  (net 0 "") (net 1 "GND")
  (footprint "R" (layer "F.Cu") (at 10 10)
    (pad "1" smd rect (at 0 0) (size 1 1) (layers "F.Cu") (net 1 "GND")))
  (gr_rect (start 0 0) (end 20 20) (layer "Edge.Cuts")))
)";

const TMalformed KicadMalformedCases[] = {
    {"(layer \"Edge.Cuts\")))", "(layer \"Edge.Cuts\"))",
     "line 6, column 1: expected ')' to close the list opened at line 1, column 1"},
    {"(layer \"Edge.Cuts\")))", "(layer \"Edge.Cuts\"))))", "line 5, column 57: unexpected ')'"},
    {"(net 1 \"GND\")))", "(net 1 \"GN", "line 5, column 53: unterminated quoted string"},
    {"(at 10 10)", "", "line 3, column 3: expected (at ..) in (footprint ..)"},
    {"(at 10 10)", "(at 10 ten)", "line 3, column 40: expected a number in (at ..)"},
    {"(at 10 10)", "(at 3000 10)",
     "line 3, column 3: reaches beyond 107374.1823 mil from the origin"},
    {"(end 20 20)", "(end 20 1e9)", "line 5, column 3: coordinate out of range"},
    {"(size 1 1)", "(size 1 -1)", "line 4, column 32: a pad's size must not be negative"},
    {"(version 20211014)", "(version 20160211)",
     "line 1, column 12: version 20160211 is older than KiCad 5's format (20171130): open and "
     "save the board in a newer KiCad first"},
    {"(gr_rect (start 0 0) (end 20 20) (layer \"Edge.Cuts\"))", "",
     "line 1, column 1: expected a board outline on the Edge.Cuts layer"},
    {"(layers \"F.Cu\") (net 1", "(layers \"F.Cu\") (net 7",
     "line 4, column 59: net 7 is not in the board's net table"},
    {"(layers \"F.Cu\") (net 1", "(layers \"F.Cu\") (net 2555555555",
     "line 4, column 59: net 2555555555 is not in the board's net table"},
    {"(layer \"F.Cu\") (at", "(layer \"F.SilkS\") (at",
     "line 3, column 18: expected the front or back copper layer as the footprint's layer"},
    {"(net 0 \"\") (net 1 \"GND\")", "(net 0 \"\") (net 0 \"GND\")",
     "line 2, column 14: net 0 is declared twice"},
    {"(layer \"Edge.Cuts\")))", "(layer \"Edge.Cuts\"))) junk",
     "line 5, column 58: unexpected text after the end of the board"},
    {"(footprint \"R\"", "(footprint \"R\" \x01", "line 3, column 18: unexpected NUL byte"},
};

TEST(KicadBoardTest, MalformedBoardsOpenNothingAndNameThePlace) {
  TScratch scratch;
  const uint32_t base = OpenText(scratch, SmallBoard, "base.kicad_pcb");
  Tarnix_CloseBoard(base);
  for (const TMalformed& c : KicadMalformedCases) {
    SCOPED_TRACE(c.Message);
    std::string text = Replaced(SmallBoard, c.From, c.To);
    std::replace(text.begin(), text.end(), '\x01', '\0');  // a NUL byte inside the file
    const std::string file = scratch.Write("bad.kicad_pcb", text);
    char message[512] = "";
    EXPECT_EQ(Tarnix_OpenBoard(file.c_str(), message, sizeof message), 0u);
    EXPECT_EQ(std::string(message), file + ": " + c.Message);
  }
}

// A KiCad file has no place for the placer's options: they go beside it when they were changed,
// and come back from there.
TEST(KicadBoardTest, ChangedPlacerOptionsLiveBesideTheBoard) {
  TScratch scratch;
  const uint32_t board = OpenText(scratch, Fixture("kicad8.kicad_pcb"), "kicad8.kicad_pcb");
  char message[512] = "";
  ASSERT_EQ(Tarnix_SetSupplyNets(board, "SIG", "GND", message, sizeof message), 0) << message;
  const std::string saved = scratch.Path("placed.kicad_pcb");
  ASSERT_EQ(Tarnix_SaveBoard(board, saved.c_str(), message, sizeof message), 0) << message;
  Tarnix_CloseBoard(board);
  EXPECT_EQ(ReadText(saved), Fixture("kicad8.kicad_pcb"));
  const json options = json::parse(ReadText(scratch.Path("placed.placer.json")));
  EXPECT_EQ(options["format"], "placer-options");
  EXPECT_EQ(options["board"]["placer"]["powerNets"], "SIG");

  char reason[512] = "";
  const uint32_t reopened = Tarnix_OpenBoard(saved.c_str(), reason, sizeof reason);
  ASSERT_NE(reopened, 0u) << reason;
  EXPECT_EQ(BoardJson(reopened)["board"]["placer"]["powerNets"], "SIG");
  Tarnix_CloseBoard(reopened);

  // A malformed options file is named, and the board is not opened with guessed options.
  scratch.Write("placed.placer.json", "{\"format\": \"placer-options\"}");
  EXPECT_EQ(Tarnix_OpenBoard(saved.c_str(), reason, sizeof reason), 0u);
  EXPECT_NE(std::string(reason).find("placed.placer.json: expected"), std::string::npos) << reason;
}

// A quoted coordinate may touch the one before it; the number written in its place is kept apart.
TEST(KicadBoardTest, AMovedFootprintWhoseCoordinatesTouchReadsBack) {
  TScratch scratch;
  const uint32_t board =
      OpenText(scratch, Replaced(SmallBoard, "(at 10 10)", "(at 10\"10\")"), "touching.kicad_pcb");
  const uint32_t component = Walk(board, ComponentKind, 0, TopLayer).at(0);
  TComponentRecord record;
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, component, record), 0);
  record.X = Units(12);
  record.Y = Units(-8);
  ASSERT_EQ(QueryComponent(PcbApi_ModeWriteFinal, component, record), 0);
  const std::string saved = scratch.Path("moved.kicad_pcb");
  char message[512] = "";
  ASSERT_EQ(Tarnix_SaveBoard(board, saved.c_str(), message, sizeof message), 0) << message;
  Tarnix_CloseBoard(board);

  const uint32_t again = OpenText(scratch, ReadText(saved), "again.kicad_pcb");
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, Walk(again, ComponentKind, 0, TopLayer).at(0), record),
            0);
  EXPECT_EQ(record.X, Units(12));
  EXPECT_EQ(record.Y, Units(-8));
  Tarnix_CloseBoard(again);
}

}  // namespace
