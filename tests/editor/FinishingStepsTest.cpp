// The steps that finish a run: overlapping footprints moved apart to the nearest free spots,
// inside the outline and off the keep-outs, locked parts left alone; parts moved, turned and
// swapped where that shortens the signal nets; supply capacitors moved beside the chips they serve.

#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>

#include "EditorTestSupport.h"

using namespace EditorTest;
using nlohmann::json;

namespace {

struct TPadAt {
  double Dx, Dy;  // from the part's centre, mil
  std::string Net;
};

// A square part of `size` mil centred at (x, y), its body the square, by default with one pad in
// the middle.
struct TPart {
  std::string Name;
  double X, Y, Size;
  bool Locked = false;
  std::string Layer = "TopLayer";
  std::vector<TPadAt> Pads = {{0, 0, "SIG"}};
};

struct TBox {
  double X1, Y1, X2, Y2;
};

json PadsJson(const TPart& part) {
  json pads = json::array();
  for (const TPadAt& pad : part.Pads)
    pads.push_back({{"name", std::to_string(pads.size() + 1)},
                    {"x", part.X + pad.Dx},
                    {"y", part.Y + pad.Dy},
                    {"size", {10, 10}},
                    {"layer", part.Layer},
                    {"net", pad.Net}});
  return pads;
}

json PartJson(const TPart& part) {
  const double h = part.Size / 2;
  return {{"designator", part.Name},
          {"layer", part.Layer},
          {"x", part.X},
          {"y", part.Y},
          {"locked", part.Locked},
          {"body",
           {{part.X - h, part.Y - h},
            {part.X + h, part.Y - h},
            {part.X + h, part.Y + h},
            {part.X - h, part.Y + h}}},
          {"pads", PadsJson(part)}};
}

json KeepOutTrack(double x1, double y1, double x2, double y2) {
  return {
      {"kind", "track"}, {"layer", "KeepOutLayer"}, {"x1", x1}, {"y1", y1}, {"x2", x2}, {"y2", y2},
      {"width", 10}};
}

// A board of width x height mil outlined by keep-out tracks, with an optional keep-out fill.
std::string BoardText(const std::vector<TPart>& parts, double width, double height,
                      double clearance = 0, std::optional<TBox> keepOut = std::nullopt) {
  json board = {{"format", "pcb-board"},
                {"version", 1},
                {"board",
                 {{"placer",
                   {{"smallComponentClearance", clearance},
                    {"largeComponentClearance", clearance},
                    {"powerNets", "VCC"},
                    {"groundNets", "GND"}}}}},
                {"nets", {"SIG", "VCC", "GND"}},
                {"components", json::array()},
                {"primitives",
                 {KeepOutTrack(0, 0, width, 0), KeepOutTrack(width, 0, width, height),
                  KeepOutTrack(width, height, 0, height), KeepOutTrack(0, height, 0, 0)}}};
  for (const TPart& part : parts) {
    board["components"].push_back(PartJson(part));
    for (const TPadAt& pad : part.Pads)
      if (std::find(board["nets"].begin(), board["nets"].end(), pad.Net) == board["nets"].end())
        board["nets"].push_back(pad.Net);
  }
  if (keepOut)
    board["primitives"].push_back({{"kind", "fill"},
                                   {"layer", "KeepOutLayer"},
                                   {"x1", keepOut->X1},
                                   {"y1", keepOut->Y1},
                                   {"x2", keepOut->X2},
                                   {"y2", keepOut->Y2}});
  return board.dump();
}

json BoardJson(uint32_t board) {
  size_t needed = 0;
  Tarnix_GetBoardText(board, nullptr, 0, &needed);
  std::string text(needed + 1, '\0');
  EXPECT_EQ(Tarnix_GetBoardText(board, text.data(), text.size(), &needed), 0);
  text.resize(needed);
  return json::parse(text);
}

TBox BodyBox(const json& component) {
  const json& body = component["body"];
  return {body[0][0], body[0][1], body[2][0], body[2][1]};
}

bool Overlap(const TBox& a, const TBox& b, double gap) {
  constexpr double Slack = 1e-6;
  return a.X1 < b.X2 + gap - Slack && b.X1 < a.X2 + gap - Slack && a.Y1 < b.Y2 + gap - Slack &&
         b.Y1 < a.Y2 + gap - Slack;
}

struct TLegalised {
  int32_t Moved = -1;
  int32_t NoRoom = -1;
  std::string NoRoomNames;
  json Board;
};

TLegalised Legalise(const std::string& text) {
  TScratch scratch;
  const uint32_t board = OpenText(scratch, text);
  TLegalised result;
  char names[256] = {};
  EXPECT_EQ(Tarnix_LegalisePlacement(board, &result.Moved, &result.NoRoom, names, sizeof names), 0);
  result.NoRoomNames = names;
  result.Board = BoardJson(board);
  Tarnix_CloseBoard(board);
  return result;
}

// Every pair on the same side keeps `gap` mil apart; every part inside the board, off the fill.
void ExpectLegal(const json& board, double width, double height, double gap,
                 std::optional<TBox> keepOut = std::nullopt) {
  const json& parts = board["components"];
  for (size_t i = 0; i < parts.size(); ++i) {
    const TBox box = BodyBox(parts[i]);
    EXPECT_TRUE(box.X1 >= 0 && box.Y1 >= 0 && box.X2 <= width && box.Y2 <= height)
        << parts[i]["designator"];
    if (keepOut) {
      EXPECT_FALSE(Overlap(box, *keepOut, 0)) << parts[i]["designator"] << " on the keep-out";
    }
    for (size_t j = i + 1; j < parts.size(); ++j) {
      if (parts[i]["layer"] == parts[j]["layer"]) {
        EXPECT_FALSE(Overlap(box, BodyBox(parts[j]), gap))
            << parts[i]["designator"] << " and " << parts[j]["designator"];
      }
    }
  }
}

TEST(LegaliseTest, APileOnABoardWithRoomEndsWithNoOverlapAndTheLockedPartInPlace) {
  // Ten parts piled on a locked one near a keep-out, a part below them on the other side.
  std::vector<TPart> parts{{"U1", 500, 500, 200, true}};
  for (int i = 0; i < 10; ++i)
    parts.push_back({"R" + std::to_string(i + 1), 500 + 5.0 * i, 500, 100.0 + i});
  parts.push_back({"B1", 500, 500, 100, false, "BottomLayer"});
  const TBox keepOut{650, 300, 900, 700};
  for (const double clearance : {0.0, 10.0}) {
    const TLegalised result = Legalise(BoardText(parts, 2000, 1000, clearance, keepOut));
    EXPECT_EQ(result.Moved, 10) << clearance;
    EXPECT_EQ(result.NoRoom, 0) << clearance;
    ExpectLegal(result.Board, 2000, 1000, clearance, keepOut);
    const json& locked = result.Board["components"][0];
    EXPECT_EQ(locked["x"], 500);
    EXPECT_EQ(locked["y"], 500);
    const json& bottom = result.Board["components"][11];
    EXPECT_EQ(bottom["x"], 500) << "alone on its side";
  }
}

TEST(LegaliseTest, TheSmallerPartMakesWayByTheLeastDistance) {
  // A 200 mil part and a 100 mil part whose boxes share 20 mil: the smaller moves 20 mil right
  // and 2 mil more, the least gap kept; with a clearance of 10 mil, 30.
  for (const auto& [clearance, shift] : {std::pair{0.0, 22.0}, std::pair{10.0, 30.0}}) {
    const TLegalised result =
        Legalise(BoardText({{"R1", 530, 500, 100}, {"U1", 400, 500, 200}}, 2000, 1000, clearance));
    EXPECT_EQ(result.Moved, 1);
    const json& small = result.Board["components"][0];
    EXPECT_DOUBLE_EQ(small["x"].get<double>(), 530 + shift) << clearance;
    EXPECT_EQ(small["y"], 500);
    EXPECT_EQ(result.Board["components"][1]["x"], 400) << "the larger part stays";
  }
}

TEST(LegaliseTest, ABoardWithoutRoomSaysWhichPartsStayAndLosesNone) {
  // Room for three parts of 100 mil in a row, four given; the clearance cannot be kept either.
  std::vector<TPart> parts;
  for (int i = 0; i < 4; ++i)
    parts.push_back({"R" + std::to_string(i + 1), 150, 50, 100});
  const std::string text = BoardText(parts, 300, 100, 20);
  const TLegalised result = Legalise(text);
  EXPECT_EQ(result.Moved, 2);
  EXPECT_EQ(result.NoRoom, 1);
  EXPECT_EQ(result.NoRoomNames, "R4");
  ASSERT_EQ(result.Board["components"].size(), 4u);
  const json& stuck = result.Board["components"][3];
  EXPECT_EQ(stuck["x"], 150);
  EXPECT_EQ(stuck["y"], 50);
  ExpectLegal({{"components",
                {result.Board["components"][0], result.Board["components"][1],
                 result.Board["components"][2]}}},
              300, 100, 0);
}

// A chip U1 of 200 mil at (1000, 500) with its supply pad on its left edge; supply capacitors
// of 40 mil with their VCC pad on their left.
TPart Chip() {
  return {"U1",
          1000,
          500,
          200,
          false,
          "TopLayer",
          {{-90, 50, "VCC"}, {90, 50, "GND"}, {90, -50, "SIG"}}};
}

TPart Capacitor(const std::string& name, double x, double y, bool locked = false) {
  return {name, x, y, 40, locked, "TopLayer", {{-15, 0, "VCC"}, {15, 0, "GND"}}};
}

struct TDecoupled {
  int32_t Moved = -1;
  int32_t Capacitors = -1;
  json Board;
};

TDecoupled Decouple(const std::string& text, double nearMils) {
  TScratch scratch;
  const uint32_t board = OpenText(scratch, text);
  TDecoupled result;
  EXPECT_EQ(Tarnix_PlaceCapacitorsBesideChips(board, Mil(static_cast<int64_t>(nearMils)),
                                              &result.Moved, &result.Capacitors),
            0);
  result.Board = BoardJson(board);
  Tarnix_CloseBoard(board);
  return result;
}

double PowerPadDistance(const json& capacitor, const json& chip) {
  const json& a = capacitor["pads"][0];
  const json& b = chip["pads"][0];
  return std::hypot(a["x"].get<double>() - b["x"].get<double>(),
                    a["y"].get<double>() - b["y"].get<double>());
}

TEST(DecouplingPlaceTest, AFarCapacitorMovesBesideTheChipAndOthersStay) {
  // C1 far away moves; C2 already beside the chip, C3 locked far away and R1 (no capacitor)
  // stay. A part left of the chip takes the spot nearest its supply pad.
  TPart resistor{"R1", 1800, 800, 40, false, "TopLayer", {{-15, 0, "VCC"}, {15, 0, "GND"}}};
  const std::vector<TPart> parts{Chip(),
                                 Capacitor("C1", 200, 200),
                                 Capacitor("C2", 1000, 650),
                                 Capacitor("C3", 1800, 200, true),
                                 resistor,
                                 {"U2", 850, 550, 60}};
  const TDecoupled result = Decouple(BoardText(parts, 2000, 1000), 150);
  EXPECT_EQ(result.Moved, 1);
  EXPECT_EQ(result.Capacitors, 3);
  const json& placed = result.Board["components"];
  const json& chip = placed[0];
  EXPECT_LE(PowerPadDistance(placed[1], chip), 150.0);
  EXPECT_EQ(placed[2]["x"], 1000);
  EXPECT_EQ(placed[3]["x"], 1800);
  EXPECT_EQ(placed[4]["x"], 1800);
  ExpectLegal(result.Board, 2000, 1000, 0);
}

TEST(DecouplingPlaceTest, WithoutRoomNearTheChipTheCapacitorStays) {
  // The chip fills the board's width: no spot within 50 mil of its supply pad is free.
  TPart chip = Chip();
  chip.X = 100;
  chip.Y = 100;
  const TDecoupled result = Decouple(BoardText({chip, Capacitor("C1", 400, 100)}, 440, 200), 50);
  EXPECT_EQ(result.Moved, 0);
  EXPECT_EQ(result.Capacitors, 1);
  EXPECT_EQ(result.Board["components"][1]["x"], 400);
}

// The summed half-perimeter of the nets other than VCC and GND, mil.
double SignalLength(const json& board) {
  std::map<std::string, TBox> boxes;
  for (const json& part : board["components"])
    for (const json& pad : part["pads"]) {
      const std::string net = pad.value("net", "");
      if (net.empty() || net == "VCC" || net == "GND")
        continue;
      const double x = pad["x"], y = pad["y"];
      const auto [box, added] = boxes.try_emplace(net, TBox{x, y, x, y});
      box->second = {std::min(box->second.X1, x), std::min(box->second.Y1, y),
                     std::max(box->second.X2, x), std::max(box->second.Y2, y)};
    }
  double length = 0;
  for (const auto& [net, box] : boxes)
    length += (box.X2 - box.X1) + (box.Y2 - box.Y1);
  return length;
}

struct TDetailed {
  int32_t Changes = -1;
  int32_t Rounds = -1;
  json Before, Board;
};

TDetailed Detail(const std::string& text) {
  TScratch scratch;
  const uint32_t board = OpenText(scratch, text);
  TDetailed result;
  result.Before = BoardJson(board);
  EXPECT_EQ(Tarnix_PlaceInDetail(board, Mil(150), &result.Changes, &result.Rounds), 0);
  result.Board = BoardJson(board);
  Tarnix_CloseBoard(board);
  return result;
}

void ExpectInPlace(const json& before, const json& after) {
  EXPECT_EQ(after["x"], before["x"]) << before["designator"];
  EXPECT_EQ(after["y"], before["y"]) << before["designator"];
  EXPECT_EQ(after.value("rotation", 0.0), before.value("rotation", 0.0)) << before["designator"];
}

TEST(DetailPlaceTest, APartMovesBetweenTheLockedPartsOfItsNetWhichStay) {
  // SIG joins R1 and R2 (locked, 100 mil, at x 200 and 600) and R3 far right at 1600: 1400 mil.
  // R3's target is R2's place; of the free spots nearest to it, the one left of R2 (R2's 1 mil
  // half gap, R3's, and a unit) brings R3 between the locked parts: 400 mil, the least there is.
  const std::vector<TPart> parts{
      {"R1", 200, 500, 100, true}, {"R2", 600, 500, 100, true}, {"R3", 1600, 500, 100}};
  const TDetailed result = Detail(BoardText(parts, 2000, 1000));
  EXPECT_DOUBLE_EQ(SignalLength(result.Before), 1400);
  EXPECT_DOUBLE_EQ(SignalLength(result.Board), 400);
  EXPECT_EQ(result.Changes, 1);
  const json& placed = result.Board["components"];
  ExpectInPlace(result.Before["components"][0], placed[0]);
  ExpectInPlace(result.Before["components"][1], placed[1]);
  EXPECT_DOUBLE_EQ(placed[2]["x"].get<double>(), 600 - 50 - 1 - 1 - 50 - 0.0001);
  EXPECT_EQ(placed[2]["y"], 500);
  ExpectLegal(result.Board, 2000, 1000, 2);
}

TEST(DetailPlaceTest, APartTurnsWhereATurnShortensItsNets) {
  // U1's pad on A lies left, towards B's locked partner, and its pad on B right: 440 + 440 mil.
  // Turned half round, each pad faces its partner: 360 + 360 mil, wherever U1 stands between.
  const std::vector<TPart> parts{
      {"U1", 1000, 500, 100, false, "TopLayer", {{-40, 0, "A"}, {40, 0, "B"}}},
      {"L1", 1400, 500, 40, true, "TopLayer", {{0, 0, "A"}}},
      {"L2", 600, 500, 40, true, "TopLayer", {{0, 0, "B"}}}};
  const TDetailed result = Detail(BoardText(parts, 2000, 1000));
  EXPECT_DOUBLE_EQ(SignalLength(result.Before), 880);
  EXPECT_DOUBLE_EQ(SignalLength(result.Board), 720);
  EXPECT_EQ(result.Board["components"][0]["rotation"], 180);
}

TEST(DetailPlaceTest,
     OnAFullBoardTheNetsNeverLengthenNoPartEndsOnAnotherLockedPartsStayCapacitorsKeepNear) {
  // Forty parts in rows with nets drawn at random, every fifth locked, a keep-out in a corner
  // and a chip whose supply capacitor sits beside it; with and without clearances.
  uint32_t state = 12345;
  const auto next = [&state](uint32_t range) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) % range;
  };
  std::vector<TPart> parts{Chip(), Capacitor("C1", 860, 600)};
  parts[0].X = 1000;
  parts[0].Y = 850;
  parts[1].Y = 900;
  for (int i = 0; i < 40; ++i) {
    TPart part{"R" + std::to_string(i + 1), 100.0 + 150 * (i % 10), 100.0 + 150 * (i / 10),
               60 + 20.0 * (i % 3), i % 5 == 0};
    part.Pads = {{-20, 0, "N" + std::to_string(next(12))}, {20, 0, "N" + std::to_string(next(12))}};
    parts.push_back(part);
  }
  parts[0].Pads[2].Net = "N1";
  const TBox keepOut{1600, 0, 2000, 300};
  for (const double clearance : {0.0, 20.0}) {
    const TDetailed result = Detail(BoardText(parts, 2000, 1000, clearance, keepOut));
    EXPECT_GT(result.Changes, 0);
    EXPECT_LT(SignalLength(result.Board), SignalLength(result.Before));
    ExpectLegal(result.Board, 2000, 1000, std::max(clearance, 2.0), keepOut);
    const json& before = result.Before["components"];
    const json& after = result.Board["components"];
    // The chip moves with the capacitor beside it, which stays as near.
    EXPECT_DOUBLE_EQ(PowerPadDistance(after[1], after[0]), PowerPadDistance(before[1], before[0]));
    for (size_t i = 0; i < parts.size(); ++i)
      if (parts[i].Locked)
        ExpectInPlace(before[i], after[i]);
  }
}

}  // namespace
