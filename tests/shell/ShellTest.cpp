#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>

#include "ShellFixture.h"

namespace {

struct TPlacedComponent {
  std::string Designator;
  std::string Layer;
  double X;
  double Y;
  double Rotation;
};

class ShellTest : public TShellFixture {
 protected:
  std::string WriteBoard(const nlohmann::json& board, const std::string& name) {
    const std::string file = (Folder / name).string();
    std::ofstream(file) << board.dump();
    return file;
  }

  // The components of the editor's board of that file, as saved.
  std::vector<TPlacedComponent> SavedComponents() {
    const std::string saved = (Folder / "saved.pcb").string();
    char message[256] = {};
    // The write-back leaves the board of the PCB document current.
    const uint32_t board = Editor().GetCurrentBoardHandle();
    EXPECT_EQ(Editor().SaveBoard(board, saved.c_str(), message, sizeof message), 0) << message;
    std::vector<TPlacedComponent> components;
    const nlohmann::json file = nlohmann::json::parse(std::ifstream(saved));
    for (const auto& c : file["components"]) {
      components.push_back({c["designator"], c["layer"], c["x"], c["y"], c.value("rotation", 0.0)});
    }
    return components;
  }
};

TEST_F(ShellTest, ServerFactoryGivesThePlacerModule) {
  std::wstring name;
  ASSERT_EQ(Client->Module->GetModuleName(&name), S_OK);
  EXPECT_EQ(name, L"PLACER");
  EXPECT_EQ(LoadedServerFactory()(Client.Get(), nullptr), E_POINTER);
}

TEST_F(ShellTest, RunAutoplacerEndsSilentlyWhenAPreconditionFails) {
  EXPECT_EQ(Launch("RunAutoplacer", "Batch=True", nullptr), S_OK);

  const auto schematic = MakeOtherDocument("SCH", "a.sch");
  EXPECT_EQ(Launch("RunAutoplacer", "Batch=True", schematic->View.Get()), S_OK);

  // A PCB document while the editor has no board.
  const auto noBoard = MakePcbDocument("a.pcb", 0);
  EXPECT_EQ(Launch("RunAutoplacer", "Batch=True", noBoard->View.Get()), S_OK);

  const uint32_t empty = Editor().CreateBoard("");
  EXPECT_EQ(Launch("RunAutoplacer", "Batch=True", noBoard->View.Get()), S_OK);
  Editor().CloseBoard(empty);

  const nlohmann::json noNets = {
      {"format", "pcb-board"},
      {"version", 1},
      {"board", {{"displayUnit", "mil"}}},
      {"nets", nlohmann::json::array()},
      {"components", {{{"designator", "R1"}, {"layer", "TopLayer"}, {"x", 100}, {"y", 100}}}}};
  const auto withoutNets = OpenBoard(WriteBoard(noNets, "n.pcb"));
  ASSERT_TRUE(withoutNets);
  EXPECT_EQ(Launch("RunAutoplacer", "Batch=True", withoutNets->View.Get()), S_OK);

  EXPECT_TRUE(Client->Opened.empty());
  EXPECT_TRUE(Client->CreatedFiles.empty());
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(DialogsShown, 0);
}

TEST_F(ShellTest, BatchDecidesWhetherThePreferencesAreShown) {
  struct TCase {
    const char* Parameters;
    bool Shown;
  };
  const TCase cases[] = {
      {"", true},           {"Batch= false ", true}, {"Batch=FALSE", true}, {"Batch=True", false},
      {"Batch=Yes", false}, {"Batch=", false}};
  const auto board = OpenBoardCopy(SmallBoard);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Parameters);
    DialogsShown = 0;
    Client->Opened.clear();
    EXPECT_EQ(Launch("RunAutoplacer", c.Parameters, board->View.Get()), S_OK);
    EXPECT_EQ(DialogsShown, c.Shown ? 1 : 0);
    // A cancelled dialog starts nothing; without the dialog the placer document opens.
    EXPECT_EQ(Client->Opened.empty(), c.Shown);
  }
}

TEST_F(ShellTest, UseAutoPCBUpdateSetsTheEngineBeforeTheRun) {
  struct TCase {
    const char* Parameters;
    bool Update;
  };
  const TCase cases[] = {{"Batch=True", false},
                         {"Batch=True|UseAutoPCBUpdate=true", true},
                         {"Batch=True|UseAutoPCBUpdate= TRUE ", true},
                         {"Batch=True|UseAutoPCBUpdate=1", false}};
  const auto board = OpenBoardCopy(SmallBoard);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Parameters);
    ASSERT_EQ(Launch("RunAutoplacer", c.Parameters, board->View.Get()), S_OK);
    TAutoPlacer* engine = Engine(PlacerDocument());
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->UseAutoPcbUpdate, c.Update);
    EXPECT_FALSE(engine->Running);
  }
}

TEST_F(ShellTest, RunAutoplacerOpensThePlacerFileBesideTheBoard) {
  const auto board = OpenBoardCopy(SmallBoard, "Board1.pcb");
  ASSERT_EQ(Launch("RunAutoplacer", "Batch=True", board->View.Get()), S_OK);
  const std::string placerFile = (Folder / "Board1.PLC").string();
  EXPECT_EQ(Client->CreatedFiles, std::vector<std::string>{"Placer:" + placerFile});
  ASSERT_EQ(Client->Opened.size(), 1u);
  EXPECT_EQ(Client->Opened[0], std::make_pair(std::string("Placer"), placerFile));
  auto document = PlacerDocument();
  ASSERT_TRUE(document);
  std::wstring kind;
  document->GetKind(&kind);
  EXPECT_EQ(kind, L"Placer");
  ASSERT_EQ(Client->Registry->Registered.size(), 1u);
  EXPECT_EQ(Client->Registry->Registered.begin()->second, document.Get());
}

TEST_F(ShellTest, AHostThatOpensNothingEndsTheCommandSilently) {
  const auto board = OpenBoardCopy(SmallBoard);
  Client->OpensNothing = true;
  EXPECT_EQ(Launch("RunAutoplacer", "Batch=True", board->View.Get()), S_OK);
  EXPECT_EQ(Client->Opened.size(), 1u);
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(ShellTest, StopAndUpdateIgnoreAContextThatIsNoPlacerDocument) {
  const auto board = OpenBoardCopy(SmallBoard);
  EXPECT_EQ(Launch("StopAutoplacer", "", board->View.Get()), S_OK);
  EXPECT_EQ(Launch("UpdateClientPCBDocument", "", board->View.Get()), S_OK);
  EXPECT_EQ(Launch("StopAutoplacer", "", nullptr), S_OK);
  EXPECT_TRUE(Client->Processes.empty());
}

// The positions and rotations the engine ended with, by designator.
std::map<std::string, TPlacedComponent> EnginePlacement(const TAutoPlacer& engine) {
  std::map<std::string, TPlacedComponent> placed;
  for (int32_t k = 1; k <= engine.ComponentCount; ++k) {
    const TCompRecord& r = engine.Component(k);
    placed[r.FullDesignator] = {r.FullDesignator, "", r.X / 10000.0, r.Y / 10000.0, 0.0};
  }
  return placed;
}

TEST_F(ShellTest, AFinishedRunWithAutomaticUpdateWritesThePlacementBack) {
  const auto board = OpenBoardCopy(SmallBoard);
  ASSERT_EQ(Launch("RunAutoplacer", "Batch=True|UseAutoPCBUpdate=True|Seed=7", board->View.Get()),
            S_OK);
  auto document = PlacerDocument();
  ASSERT_TRUE(document);
  EXPECT_EQ(Engine(document)->Seed, std::optional<uint32_t>(7u));
  ASSERT_TRUE(PumpUntil([&] { return Client->RunsEnded == 1; }));

  TAutoPlacer& engine = *Engine(document);
  EXPECT_TRUE(engine.Finished);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Caption, "Information");
  EXPECT_EQ(Boxes[0].Text, "Auto-Place is Finished");
  ASSERT_EQ(Client->Processes.size(), 2u);
  EXPECT_EQ(Client->Processes[0].Process, "PCB:Netlist");
  EXPECT_EQ(Client->Processes[0].Parameters, "Optimize=All");
  EXPECT_EQ(Client->Processes[1].Process, "PCB:Zoom");
  EXPECT_EQ(Client->Processes[1].Parameters, "Action=Redraw");
  EXPECT_TRUE(board->Modified);

  const auto expected = EnginePlacement(engine);
  for (const TPlacedComponent& c : SavedComponents()) {
    SCOPED_TRACE(c.Designator);
    ASSERT_TRUE(expected.contains(c.Designator));
    EXPECT_NEAR(c.X, expected.at(c.Designator).X, 1e-6);
    EXPECT_NEAR(c.Y, expected.at(c.Designator).Y, 1e-6);
  }
}

TEST_F(ShellTest, TheSameSeedGivesTheSamePlacement) {
  std::vector<std::map<std::string, TPlacedComponent>> placements;
  for (const char* name : {"A.pcb", "B.pcb"}) {
    const auto board = OpenBoardCopy(SmallBoard, name);
    ASSERT_EQ(Launch("RunAutoplacer", "Batch=True|Seed=11", board->View.Get()), S_OK);
    const int ended = Client->RunsEnded;
    ASSERT_TRUE(PumpUntil([&] { return Client->RunsEnded == ended + 1; }));
    placements.push_back(
        EnginePlacement(*Engine(PlacerDocument(std::filesystem::path(name).stem().string()))));
  }
  ASSERT_EQ(placements[0].size(), placements[1].size());
  for (const auto& [designator, placed] : placements[0]) {
    EXPECT_EQ(placed.X, placements[1].at(designator).X) << designator;
    EXPECT_EQ(placed.Y, placements[1].at(designator).Y) << designator;
  }
}

TEST_F(ShellTest, EffortAndRefineReachTheEngineAndBadValuesLeaveTheStandardRun) {
  struct TCase {
    const char* Parameters;
    double Effort;
    bool Refine;
  };
  const TCase cases[] = {{"Batch=True|Seed=3", 1.0, false},
                         {"Batch=True|Seed=3|Effort= 2.5 |Refine=1", 2.5, true},
                         {"Batch=True|Seed=3|Effort=0|Refine=TRUE", 1.0, true},
                         {"Batch=True|Seed=3|Effort=-4|Refine=yes", 1.0, false},
                         {"Batch=True|Seed=3|Effort=nan|Refine=0", 1.0, false},
                         {"Batch=True|Seed=3|Effort=3x", 1.0, false}};
  int index = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Parameters);
    const std::string name = "T" + std::to_string(index++) + ".pcb";
    const auto board = OpenBoardCopy(SmallBoard, name);
    ASSERT_EQ(Launch("RunAutoplacer", c.Parameters, board->View.Get()), S_OK);
    const TAutoPlacer& engine =
        *Engine(PlacerDocument(std::filesystem::path(name).stem().string()));
    EXPECT_EQ(engine.Tuning.Effort, c.Effort);
    EXPECT_EQ(engine.Tuning.Refine, c.Refine);
    const int ended = Client->RunsEnded;
    ASSERT_TRUE(PumpUntil([&] { return Client->RunsEnded == ended + 1; }));
  }
}

TEST_F(ShellTest, AStoppedRunWritesNothing) {
  const auto board = OpenBoardCopy(SmallBoard);
  const auto before = SavedComponents();
  ASSERT_EQ(Launch("RunAutoplacer", "Batch=True|UseAutoPCBUpdate=True|Seed=3", board->View.Get()),
            S_OK);
  auto document = PlacerDocument();
  // The run dispatches the stop between its moves.
  bool stoppedWhileRunning = false;
  PostIntoRun([&] {
    stoppedWhileRunning = Engine(document)->Running;
    EXPECT_EQ(Launch("StopAutoplacer", "", document.Get()), S_OK);
  });
  ASSERT_TRUE(PumpUntil([&] { return Client->RunsEnded == 1; }));
  EXPECT_TRUE(stoppedWhileRunning);
  EXPECT_FALSE(Engine(document)->Finished);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_TRUE(Client->Processes.empty());
  EXPECT_FALSE(board->Modified);
  const auto after = SavedComponents();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].X, before[i].X);
    EXPECT_EQ(after[i].Y, before[i].Y);
  }
}

// A two-pad part on the nets A and B, as a board file holds it (mil).
nlohmann::json TwoPadPart(const std::string& designator, double x, double y) {
  const auto pad = [&](const char* name, double dx, const char* net) {
    return nlohmann::json{{"name", name},     {"x", x + dx},         {"y", y},
                          {"size", {40, 40}}, {"layer", "TopLayer"}, {"net", net}};
  };
  return {{"designator", designator},
          {"layer", "TopLayer"},
          {"x", x},
          {"y", y},
          {"pads", {pad("1", -30, "A"), pad("2", 30, "B")}}};
}

// Designators as real boards have them: two test points named alike, two parts without a
// designator, and a locked fiducial without one, turned by 45.5 degrees.
nlohmann::json RepeatedDesignatorsBoard() {
  nlohmann::json locked = TwoPadPart("", 1000, 1000);
  locked["locked"] = true;
  locked["rotation"] = 45.5;
  nlohmann::json outline = nlohmann::json::array();
  const double corners[][2] = {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    outline.push_back({{"kind", "track"},
                       {"layer", "KeepOutLayer"},
                       {"x1", corners[i][0]},
                       {"y1", corners[i][1]},
                       {"x2", corners[i + 1][0]},
                       {"y2", corners[i + 1][1]},
                       {"width", 10}});
  }
  return {{"format", "pcb-board"},
          {"version", 1},
          {"board", {{"displayUnit", "mil"}}},
          {"nets", {"A", "B"}},
          {"components",
           {TwoPadPart("TP1", 300, 300), TwoPadPart("TP1", 1700, 300), TwoPadPart("", 300, 1700),
            TwoPadPart("", 1700, 1700), locked}},
          {"primitives", outline}};
}

class WriteBackTest : public ShellTest {
 protected:
  // Runs the placer on the board without writing back; the test writes when it wants to.
  void SetUp() override {
    ShellTest::SetUp();
    Board = OpenBoard(WriteBoard(RepeatedDesignatorsBoard(), "Board1.pcb"));
    ASSERT_TRUE(Board);
    Before = SavedComponents();
    ASSERT_EQ(Before.size(), 5u);
    ASSERT_EQ(Launch("RunAutoplacer", "Batch=True|Seed=5", Board->View.Get()), S_OK);
    Document = PlacerDocument();
    ASSERT_TRUE(PumpUntil([&] { return Client->RunsEnded == 1; }));
    Boxes.clear();
  }

  // The record of the i-th component of the board file (the import walks them in that order).
  TCompRecord& Record(size_t i) {
    TAutoPlacer& engine = *Engine(Document);
    for (int32_t k = 1; k <= engine.ComponentCount; ++k) {
      if (engine.Component(k).ImportNumber == static_cast<int32_t>(i + 1)) {
        return engine.Component(k);
      }
    }
    throw std::runtime_error("no record " + std::to_string(i + 1));
  }

  // Closes the board and has its file say something else.
  void ChangeBoardFile(const std::function<void(nlohmann::json&)>& change) {
    Editor().CloseBoard(Editor().GetCurrentBoardHandle());
    Client->Documents.erase(Board->FileName);
    nlohmann::json board = RepeatedDesignatorsBoard();
    change(board);
    std::ofstream(Board->FileName) << board.dump();
  }

  void ExpectPlacedAsRecorded(const std::vector<TPlacedComponent>& placed) {
    ASSERT_EQ(placed.size(), Before.size());
    for (size_t i = 0; i + 1 < placed.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(placed[i].X, Record(i).X / 10000.0);
      EXPECT_EQ(placed[i].Y, Record(i).Y / 10000.0);
    }
  }

  TComPtr<TPcbDocument> Board;
  TComPtr<IServerDocument> Document;
  std::vector<TPlacedComponent> Before;
};

TEST_F(WriteBackTest, EachRecordGoesBackToItsOwnComponentAndTheLockedOneStays) {
  // Without the automatic update the finished run left the board as it was.
  const auto unchanged = SavedComponents();
  for (size_t i = 0; i < Before.size(); ++i) {
    EXPECT_EQ(unchanged[i].X, Before[i].X);
  }
  EXPECT_FALSE(Board->Modified);

  struct TCase {
    int32_t QuarterTurns;
    double Imported;
    double Written;
  };
  const TCase cases[] = {{1, 270.0, 0.0}, {3, 45.5, 316.0}, {2, 0.5, 180.0}, {0, 0.0, 0.0}};
  for (size_t i = 0; i < 4; ++i) {
    Record(i).X = static_cast<int32_t>(200 + 400 * i) * 10000;
    Record(i).Y = 900 * 10000;
    Record(i).Rotation = cases[i].QuarterTurns;
    Record(i).OriginalRotation = cases[i].Imported;
  }
  // The locked fiducial's record says elsewhere; the fiducial stays all the same.
  Record(4).X = 100 * 10000;
  Record(4).Rotation = 1;

  ASSERT_EQ(Launch("UpdateClientPCBDocument", "", Document.Get()), S_OK);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_TRUE(Board->Modified);
  EXPECT_EQ(Client->Processes.size(), 2u);
  const auto after = SavedComponents();
  ExpectPlacedAsRecorded(after);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(after[i].Rotation, cases[i].Written) << i;
  }
  EXPECT_EQ(after[4].X, 1000.0);
  EXPECT_EQ(after[4].Y, 1000.0);
  EXPECT_EQ(after[4].Rotation, 45.5);
}

TEST_F(WriteBackTest, AClosedBoardIsReopenedThroughTheHost) {
  ChangeBoardFile([](nlohmann::json&) {});
  Client->Opened.clear();
  ASSERT_EQ(Launch("UpdateClientPCBDocument", "", Document.Get()), S_OK);
  ASSERT_EQ(Client->Opened.size(), 1u);
  EXPECT_EQ(Client->Opened[0].first, "PCB");
  EXPECT_EQ(Client->Opened[0].second, Board->FileName);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(Client->Processes.size(), 2u);
  ExpectPlacedAsRecorded(SavedComponents());
}

// A board that no longer holds the components the records came from is not guessed at.
TEST_F(WriteBackTest, ABoardChangedSinceTheRunIsRefusedAndNothingIsWritten) {
  struct TCase {
    const char* Change;
    std::function<void(nlohmann::json&)> Apply;
  };
  const TCase cases[] = {
      {"renamed", [](nlohmann::json& b) { b["components"][1]["designator"] = "TP2"; }},
      {"turned over", [](nlohmann::json& b) { b["components"][2]["layer"] = "BottomLayer"; }},
      {"removed", [](nlohmann::json& b) { b["components"].erase(3); }},
      {"two swapped",
       [](nlohmann::json& b) { std::swap(b["components"][0], b["components"][4]); }}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Change);
    nlohmann::json changed = RepeatedDesignatorsBoard();
    c.Apply(changed);
    ChangeBoardFile(c.Apply);
    Boxes.clear();
    Client->Processes.clear();
    ASSERT_EQ(Launch("UpdateClientPCBDocument", "", Document.Get()), S_OK);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Caption, "Error");
    EXPECT_NE(Boxes[0].Text.find("has changed since it was placed"), std::string::npos)
        << Boxes[0].Text;
    EXPECT_TRUE(Client->Processes.empty());
    const auto saved = SavedComponents();
    ASSERT_EQ(saved.size(), changed["components"].size());
    for (size_t i = 0; i < saved.size(); ++i) {
      EXPECT_EQ(saved[i].X, changed["components"][i]["x"].get<double>()) << i;
      EXPECT_EQ(saved[i].Y, changed["components"][i]["y"].get<double>()) << i;
    }
  }
}

TEST_F(WriteBackTest, ABoardThatCannotBeOpenedShowsTheErrorAndWritesNothing) {
  Editor().CloseBoard(Editor().GetCurrentBoardHandle());
  Client->Documents.erase(Board->FileName);
  Client->PcbOpenFails = true;
  ASSERT_EQ(Launch("UpdateClientPCBDocument", "", Document.Get()), S_OK);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Caption, "Error");
  EXPECT_EQ(Boxes[0].Text, "Cannot find " + Board->FileName + ". \rLoad the file and try again");
  EXPECT_TRUE(Client->Processes.empty());
}

}  // namespace
