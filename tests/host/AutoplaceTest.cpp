#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <vector>

#include "BoardBoxes.h"

namespace {

struct TProcessResult {
  int ExitCode = -1;
  std::string Output;  // standard output and standard error together
};

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

class AutoplaceTest : public testing::Test {
 protected:
  void SetUp() override {
    Folder = std::filesystem::temp_directory_path() /
             ("host_tests_" + std::to_string(::getpid()) + "_" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Folder);
    std::filesystem::copy_file(std::string(EXAMPLES_DIR) + "/small.pcb", Folder / "small.pcb");
  }
  void TearDown() override { std::filesystem::remove_all(Folder); }

  // Runs autoplace in the test's folder with standard input closed.
  TProcessResult Run(const std::string& arguments, const std::string& environment = "") {
    const std::string command = "cd '" + Folder.string() + "' && " + environment + " '" +
                                AUTOPLACE_PATH + "' " + arguments + " </dev/null 2>&1";
    TProcessResult result;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      result.Output.append(buffer, n);
    }
    const int status = pclose(pipe);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }

  // Runs autoplace in the test's folder and sends it SIGINT as soon as its output holds After
  // (anything, when After is empty: it first says that it reads the board).
  TProcessResult RunAndInterrupt(const std::vector<std::string>& arguments,
                                 const std::string& after = "") {
    int output[2];
    if (pipe(output) != 0) {
      return {};
    }
    const pid_t child = fork();
    if (child == 0) {
      dup2(output[1], STDOUT_FILENO);
      dup2(output[1], STDERR_FILENO);
      close(output[0]);
      close(output[1]);
      if (chdir(Folder.c_str()) != 0) {
        _exit(127);
      }
      std::vector<char*> argv{const_cast<char*>(AUTOPLACE_PATH)};
      for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
      }
      argv.push_back(nullptr);
      execv(AUTOPLACE_PATH, argv.data());
      _exit(127);
    }
    close(output[1]);
    TProcessResult result;
    char buffer[4096];
    bool interrupted = false;
    for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;) {
      result.Output.append(buffer, static_cast<size_t>(n));
      if (!interrupted && result.Output.find(after) != std::string::npos) {
        kill(child, SIGINT);
        interrupted = true;
      }
    }
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }

  // Runs autoplace with its standard output a pipe filled to the brim, so that the first line it
  // prints (the box that ends a finished run) holds it up; sends it SIGINT there.
  TProcessResult RunAndInterruptAtFirstLine(const std::vector<std::string>& arguments) {
    int output[2];
    if (pipe(output) != 0) {
      return {};
    }
    fcntl(output[1], F_SETFL, O_NONBLOCK);
    const std::string filler(4096, '.');
    while (write(output[1], filler.data(), filler.size()) > 0) {
    }
    fcntl(output[1], F_SETFL, 0);
    const pid_t child = fork();
    if (child == 0) {
      dup2(output[1], STDOUT_FILENO);
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDERR_FILENO);
      close(output[0]);
      close(output[1]);
      if (chdir(Folder.c_str()) != 0) {
        _exit(127);
      }
      std::vector<char*> argv{const_cast<char*>(AUTOPLACE_PATH)};
      for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
      }
      argv.push_back(nullptr);
      execv(AUTOPLACE_PATH, argv.data());
      _exit(127);
    }
    close(output[1]);
    // Waits until the child sits in write(1, ...): system call 1 on file descriptor 1.
    const std::string syscall = "/proc/" + std::to_string(child) + "/syscall";
    for (int i = 0; i < 30000 && ReadFile(syscall).rfind("1 0x1 ", 0) != 0; ++i) {
      usleep(1000);
    }
    kill(child, SIGINT);
    TProcessResult result;
    char buffer[4096];
    for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;) {
      result.Output.append(buffer, static_cast<size_t>(n));
    }
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }

  void CopyExample(const std::string& name) {
    std::filesystem::copy_file(std::string(EXAMPLES_DIR) + "/" + name, Folder / name,
                               std::filesystem::copy_options::overwrite_existing);
  }

  nlohmann::json Board(const std::string& name) {
    return nlohmann::json::parse(std::ifstream(Folder / name));
  }

  std::filesystem::path Folder;
};

std::map<std::string, nlohmann::json> ByDesignator(const nlohmann::json& board) {
  std::map<std::string, nlohmann::json> components;
  for (const auto& component : board["components"]) {
    components[component["designator"]] = component;
  }
  return components;
}

double LengthFigure(const std::string& output, const std::string& which) {
  const std::string key = "Connection length: ";
  const size_t at = output.find(key);
  if (at == std::string::npos) {
    return -1;
  }
  std::istringstream line(output.substr(at + key.size()));
  double before = 0, after = 0;
  std::string mil, word;
  line >> before >> mil >> word >> after;
  return which == "before" ? before : after;
}

TEST_F(AutoplaceTest, PlacesTheBoardAndSavesItBesideTheInput) {
  const auto result = Run("small.pcb --seed 1 --svg small.svg --png small.png");
  ASSERT_EQ(result.ExitCode, 0) << result.Output;
  ASSERT_TRUE(std::filesystem::exists(Folder / "small.placed.pcb")) << result.Output;
  EXPECT_GT(std::filesystem::file_size(Folder / "small.svg"), 0u);
  EXPECT_GT(std::filesystem::file_size(Folder / "small.png"), 0u);

  const auto before = ByDesignator(Board("small.pcb"));
  const auto after = ByDesignator(Board("small.placed.pcb"));
  ASSERT_EQ(before.size(), after.size());
  int moved = 0;
  for (const auto& [designator, original] : before) {
    SCOPED_TRACE(designator);
    const auto& placed = after.at(designator);
    const double turn = placed.value("rotation", 0.0) - original.value("rotation", 0.0);
    EXPECT_EQ(std::fmod(std::fabs(turn), 90.0), 0.0);
    EXPECT_EQ(placed["layer"], original["layer"]);
    if (original.value("locked", false)) {
      continue;  // LockedComponentsStayWhereTheyAre
    }
    if (placed["x"] != original["x"] || placed["y"] != original["y"]) {
      ++moved;
    }
  }
  EXPECT_GT(moved, 0);
  EXPECT_LT(LengthFigure(result.Output, "after"), LengthFigure(result.Output, "before"))
      << result.Output;
  EXPECT_NE(result.Output.find("Passes: 70 of 70, moves: "), std::string::npos) << result.Output;
  // The input is left as it was, and the placed board loads and places again.
  EXPECT_EQ(ReadFile(Folder / "small.pcb"), ReadFile(std::string(EXAMPLES_DIR) + "/small.pcb"));
  const auto again = Run("small.placed.pcb --seed 2 -q -o again.pcb");
  EXPECT_EQ(again.ExitCode, 0) << again.Output;
}

// J1 of the small board is a locked two-pad header between a power and a ground net, which the
// import classifies like a bypass capacitor.
TEST_F(AutoplaceTest, LockedComponentsStayWhereTheyAre) {
  ASSERT_EQ(Run("small.pcb --seed 1 -o out.pcb -q").ExitCode, 0);
  const auto before = ByDesignator(Board("small.pcb"));
  for (const auto& [designator, placed] : ByDesignator(Board("out.pcb"))) {
    if (before.at(designator).value("locked", false)) {
      EXPECT_EQ(placed, before.at(designator)) << designator;
    }
  }
}

TEST_F(AutoplaceTest, TheSameSeedGivesTheSameBoardAndInPlaceOverwritesTheInput) {
  ASSERT_EQ(Run("small.pcb --seed 4 -o a.pcb -q").ExitCode, 0);
  ASSERT_EQ(Run("small.pcb --seed 4 -o b.pcb -q").ExitCode, 0);
  EXPECT_EQ(ReadFile(Folder / "a.pcb"), ReadFile(Folder / "b.pcb"));
  ASSERT_EQ(Run("small.pcb --seed 4 --in-place -q").ExitCode, 0);
  EXPECT_EQ(ReadFile(Folder / "small.pcb"), ReadFile(Folder / "a.pcb"));
}

TEST_F(AutoplaceTest, UnattendedModePrintsTheBoxAndEndsWithOne) {
  const auto result = Run("small.pcb --seed 1 -o out.pcb -q", "QUENOR_TESTMODE=1");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_NE(result.Output.find("ShowDialogWithCaption withInformation Auto-Place is Finished"),
            std::string::npos)
      << result.Output;
  EXPECT_FALSE(std::filesystem::exists(Folder / "out.pcb"));
}

TEST_F(AutoplaceTest, AStoppedRunSavesNothing) {
  const auto result = Run("small.pcb --seed 1 --stop-after 0.001 -o out.pcb --svg out.svg");
  EXPECT_EQ(result.ExitCode, 4) << result.Output;
  EXPECT_NE(result.Output.find("stopped"), std::string::npos) << result.Output;
  EXPECT_FALSE(std::filesystem::exists(Folder / "out.pcb"));
  EXPECT_FALSE(std::filesystem::exists(Folder / "out.svg"));
}

// Ctrl-C in each phase: while the board is read or imported the process ends at once; the run's
// passes stop at the next move; either way nothing is saved.
TEST_F(AutoplaceTest, CtrlCStopsEveryPhaseAndSavesNothing) {
  CopyExample("realistic.pcb");
  struct TCase {
    const char* After;    // SIGINT once the output holds this
    const char* Message;  // what autoplace says
  };
  const TCase cases[] = {
      {"Reading realistic.pcb", "autoplace: stopped; nothing was saved"},
      {"Importing the board", "stopped; nothing was"},
      {"Sorting pins", "stopped; nothing was"},  // the grouping, inside the import
      {"Optimization:", "autoplace: the run was stopped; nothing was written back or saved"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.After);
    const auto result = RunAndInterrupt(
        {"realistic.pcb", "--seed", "1", "-o", "out.pcb", "--svg", "out.svg"}, c.After);
    EXPECT_EQ(result.ExitCode, 4) << result.Output;
    EXPECT_NE(result.Output.find(c.Message), std::string::npos) << result.Output;
    EXPECT_FALSE(std::filesystem::exists(Folder / "out.pcb"));
    EXPECT_FALSE(std::filesystem::exists(Folder / "out.svg"));
  }
}

// A Ctrl-C while the outputs are saved stops the save unless the board is already in place: the
// exit code always says which, and no half board or temporary file is left.
TEST_F(AutoplaceTest, CtrlCDuringTheSaveStopsItOrComesTooLate) {
  CopyExample("realistic.pcb");
  const std::string before = ReadFile(Folder / "realistic.pcb");
  const auto result = RunAndInterrupt({"realistic.pcb", "--seed", "1", "--specified", "--in-place"},
                                      "Saving realistic.pcb");
  const std::string after = ReadFile(Folder / "realistic.pcb");
  if (result.ExitCode == 4) {
    EXPECT_NE(result.Output.find("stopped; the placed board was not saved"), std::string::npos)
        << result.Output;
    EXPECT_EQ(after, before);
  } else {
    EXPECT_EQ(result.ExitCode, 0) << result.Output;
    EXPECT_NE(after, before);
    EXPECT_TRUE(nlohmann::json::accept(after));
  }
  for (const auto& entry : std::filesystem::directory_iterator(Folder))
    EXPECT_EQ(entry.path().filename().string()[0] == '.', false) << entry.path();
}

// A Ctrl-C that comes while the run is ending, after its last move, still stops it.
TEST_F(AutoplaceTest, CtrlCAsTheRunEndsIsNotSwallowed) {
  const auto result = RunAndInterruptAtFirstLine({"small.pcb", "--seed", "1", "-o", "out.pcb"});
  // The signal interrupts the box's blocked write, whose text may then be lost: only what the
  // run did is checked.
  EXPECT_EQ(result.ExitCode, 4);
  EXPECT_FALSE(std::filesystem::exists(Folder / "out.pcb"));
}

TEST_F(AutoplaceTest, AScriptedDialogSetsTheBoardsOptions) {
  const auto result =
      Run("small.pcb --seed 1 -o out.pcb -q --preferences --set PlacementGrid=25mil "
          "--set GroupComponents=on");
  ASSERT_EQ(result.ExitCode, 0) << result.Output;
  const auto board = Board("out.pcb");
  EXPECT_EQ(board["board"]["componentGrid"], 25);
  EXPECT_EQ(board["board"]["placer"]["groupComponents"], true);
  // The entered grid changes where the parts go.
  ASSERT_EQ(Run("small.pcb --seed 1 -o default.pcb -q").ExitCode, 0);
  EXPECT_NE(Board("default.pcb")["components"], board["components"]);
}

TEST_F(AutoplaceTest, CancelAndBadInputLeaveNoOutput) {
  struct TCase {
    const char* Arguments;
    int ExitCode;
  };
  std::ofstream(Folder / "broken.pcb") << "{\"format\": \"pcb-board\", \"version\": 1, \"board\": ";
  std::ofstream(Folder / "broken.kicad_pcb") << "(kicad_pcb (version 20211014) (net 0 \"\")";
  const TCase cases[] = {{"small.pcb -o out.pcb --preferences --cancel", 0},
                         {"broken.pcb -o out.pcb", 3},
                         {"broken.kicad_pcb -o out.pcb", 3},
                         {"small.pcb -o out.pcb --power-nets 'VCC,,GND'", 2},
                         {"missing.pcb -o out.pcb", 3},
                         {"small.pcb -o out.pcb --in-place", 2},
                         {"small.pcb -o out.pcb --set PlacementGrid=1", 2},
                         {"small.pcb -o out.pcb --preferences --set NoSuchControl=1", 2},
                         {"small.pcb -o out.pcb --preferences --set SmallComponents=abc", 2},
                         {"small.pcb -o out.pcb --preferences --set PlacementGrid=0mil", 2},
                         {"small.pcb -o out.pcb --preferences --set LargeComponents=-5", 2},
                         {"small.pcb -o out.pcb --preferences --set LargeComponents=2540mm", 2},
                         {"small.pcb -o out.pcb --preferences --set GroupComponents=maybe", 2},
                         {"small.pcb -o out.pcb --stop-after 4294967.296", 2},
                         {"small.pcb -o out.pcb --stop-after nan", 2},
                         {"small.pcb -o out.pcb --stop-after inf", 2},
                         {"small.pcb -o out.pcb --stop-after 0", 2},
                         {"small.pcb -o out.pcb --stop-after 1e309", 2},
                         {"small.pcb -o out.pcb --seed ''", 2},
                         {"small.pcb -o out.pcb --seed -1", 2},
                         {"small.pcb -o out.pcb --seed 4294967296", 2},
                         {"", 2}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Arguments);
    const auto result = Run(c.Arguments);
    EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Output;
    EXPECT_FALSE(std::filesystem::exists(Folder / "out.pcb"));
    if (c.ExitCode == 2) {
      EXPECT_LT(result.Output.size(), 1000u) << result.Output;  // short, no huge number echoed
    }
  }
  // A cancelled dialog ends the run silently: only the phases it went through are shown.
  EXPECT_EQ(Run("small.pcb -o out.pcb --preferences --cancel").Output,
            "Reading small.pcb\nImporting the board\n");
}

// Outputs that would replace the input, one another or something other than a regular file, and
// outputs that cannot be written, are refused before the run: the input stays as it was and
// nothing is written.
TEST_F(AutoplaceTest, OutputsNeverClobberInputsOrOneAnother) {
  std::filesystem::create_symlink("small.pcb", Folder / "link.pcb");
  std::filesystem::copy_file(Folder / "small.pcb", Folder / "readonly.pcb");
  std::filesystem::permissions(Folder / "readonly.pcb", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::group_read |
                                                            std::filesystem::perms::others_read);
  struct TCase {
    const char* Arguments;
    int ExitCode;
    const char* Message;
  };
  const TCase cases[] = {
      {"small.pcb --png small.pcb", 2, "--png small.pcb is the input board"},
      {"small.pcb --png small.pcb --starts 2", 2, "--png small.pcb is the input board"},
      {"small.pcb -o small.pcb", 2, "the output small.pcb is the input board (--in-place"},
      {"small.pcb -o link.pcb", 2, "the output link.pcb is the input board"},
      {"link.pcb --svg ./small.pcb -o out.pcb", 2, "--svg ./small.pcb is the input board"},
      {"small.pcb -o out.pcb --svg out.pcb", 2, "--svg out.pcb is the same file as the output"},
      {"small.pcb -o out.pcb --svg p --png p", 2, "--png p is the same file as --svg"},
      {"small.pcb -o /dev/null", 2, "cannot write /dev/null: not a regular file"},
      {"small.pcb --in-place --svg missing/p.svg", 3,
       "cannot write missing/p.svg: the folder missing does not exist"},
      {"small.pcb -o missing/out.pcb", 3, "the folder missing does not exist"},
      {"readonly.pcb --in-place", 3, "cannot write readonly.pcb: the file is read-only"},
  };
  const std::string original = ReadFile(Folder / "small.pcb");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Arguments);
    const auto result = Run(std::string(c.Arguments) + " --seed 1 -q");
    EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Output;
    EXPECT_NE(result.Output.find(c.Message), std::string::npos) << result.Output;
    EXPECT_EQ(ReadFile(Folder / "small.pcb"), original);
    EXPECT_EQ(ReadFile(Folder / "readonly.pcb"), original);
    EXPECT_FALSE(std::filesystem::exists(Folder / "out.pcb"));
    EXPECT_FALSE(std::filesystem::exists(Folder / "p"));
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

// --in-place through a symbolic link places the file it names, which keeps its permissions; so
// does the kept board of several starts.
TEST_F(AutoplaceTest, InPlaceWritesThroughALinkAndKeepsTheMode) {
  std::filesystem::create_symlink("small.pcb", Folder / "link.pcb");
  const std::string original = ReadFile(Folder / "small.pcb");
  for (const std::string runs : {"", " --starts 2 --jobs 2"}) {
    SCOPED_TRACE(runs);
    std::ofstream(Folder / "small.pcb", std::ios::binary | std::ios::trunc) << original;
    ::chmod((Folder / "small.pcb").c_str(), 0640);
    ASSERT_EQ(Run("small.pcb --seed 4 -o expected.pcb -q" + runs).ExitCode, 0);
    const auto result = Run("link.pcb --seed 4 --in-place -q" + runs);
    ASSERT_EQ(result.ExitCode, 0) << result.Output;
    EXPECT_TRUE(std::filesystem::is_symlink(Folder / "link.pcb"));
    EXPECT_EQ(ReadFile(Folder / "small.pcb"), ReadFile(Folder / "expected.pcb"));
    struct stat info {};
    ASSERT_EQ(::stat((Folder / "small.pcb").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
  }
}

// A save that meets a full disk (here a file-size limit) fails with exit code 3, leaving the input
// as it was and no temporary file beside it.
TEST_F(AutoplaceTest, AFullDiskLeavesTheInputAndNoTemporaryFile) {
  const std::string original = ReadFile(Folder / "small.pcb");
  const auto result = Run("small.pcb --seed 1 --in-place -q", "ulimit -f 8;");
  EXPECT_EQ(result.ExitCode, 3) << result.Output;
  EXPECT_NE(result.Output.find("small.pcb: cannot write: File too large"), std::string::npos)
      << result.Output;
  EXPECT_EQ(ReadFile(Folder / "small.pcb"), original);
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(Folder))
    files.push_back(entry.path().filename().string());
  EXPECT_EQ(files, std::vector<std::string>{"small.pcb"});
}

struct TPlacedExample {
  nlohmann::json Original, Placed;
};

// The components whose place or rotation the run changed, with their boxes after the run.
std::vector<std::pair<std::string, boxes::TBox>> MovedComponents(const TPlacedExample& example) {
  const auto before = ByDesignator(example.Original);
  std::vector<std::pair<std::string, boxes::TBox>> moved;
  for (const auto& [designator, component] : ByDesignator(example.Placed)) {
    const auto& was = before.at(designator);
    if (component["x"] != was["x"] || component["y"] != was["y"] ||
        component.value("rotation", 0.0) != was.value("rotation", 0.0)) {
      moved.emplace_back(designator, boxes::ComponentBox(component));
    }
  }
  return moved;
}

class AutoplaceExampleTest : public AutoplaceTest {
 protected:
  // Places both example boards with a fixed seed; each must succeed.
  std::vector<TPlacedExample> PlaceExamples(const std::string& options = "") {
    std::vector<TPlacedExample> examples;
    for (const std::string name : {"small.pcb", "realistic.pcb"}) {
      CopyExample(name);
      const std::string output = "placed-" + name;
      const auto result = Run(name + " --seed 3 -q -o " + output + " " + options);
      EXPECT_EQ(result.ExitCode, 0) << name << ": " << result.Output;
      if (result.ExitCode == 0) {
        examples.push_back({Board(name), Board(output)});
        EXPECT_FALSE(MovedComponents(examples.back()).empty()) << name;
      }
    }
    EXPECT_EQ(examples.size(), 2u);
    return examples;
  }
};

TEST_F(AutoplaceExampleTest, MovedPartsAvoidKeepOutFillsAndLockedParts) {
  for (const auto& example : PlaceExamples()) {
    const auto fills = boxes::KeepOutFills(example.Original);
    std::vector<std::pair<std::string, boxes::TBox>> locked;
    for (const auto& component : example.Original["components"]) {
      if (component.value("locked", false)) {
        locked.emplace_back(component["designator"], boxes::ComponentBox(component));
      }
    }
    for (const auto& [designator, box] : MovedComponents(example)) {
      for (const auto& fill : fills) {
        EXPECT_FALSE(boxes::Overlap(box, fill)) << designator << " at " << box << " on " << fill;
      }
      for (const auto& [other, lockedBox] : locked) {
        EXPECT_FALSE(boxes::Overlap(box, lockedBox))
            << designator << " at " << box << " on locked " << other << " at " << lockedBox;
      }
    }
  }
}

TEST_F(AutoplaceExampleTest, MovedPartsStayInsideThePlacementArea) {
  for (const auto& example : PlaceExamples()) {
    const boxes::TBox area = boxes::PlacementArea(example.Original);
    for (const auto& [designator, box] : MovedComponents(example)) {
      EXPECT_TRUE(boxes::Inside(box, area)) << designator << " at " << box << " outside " << area;
    }
  }
}

TEST_F(AutoplaceExampleTest, ARunKeepsTheBoardSettings) {
  for (const auto& example : PlaceExamples()) {
    EXPECT_EQ(example.Placed["board"], example.Original["board"]);
  }
}

// Each movable part on a power and a ground net takes the capacitors on its supply nets into a
// strip beside it, side by side; those it has no room for go to free spots. No capacitor lies on
// another part or capacitor (the area, keep-outs and locked parts are checked for every moved part
// above).
// The run's own placement of the capacitors: the polish and the capacitor step that follow it
// keep footprints apart only on their side, and may put a capacitor under a chip.
TEST_F(AutoplaceExampleTest, SupplyCapacitorsLandBesidePoweredPartsOnTheirNetsOrOnFreeSpots) {
  for (const auto& example : PlaceExamples("--no-polish --no-decoupling --no-detail")) {
    const boxes::TSupplyNets supply(example.Original);
    struct TPlaced {
      std::string Designator;
      boxes::TBox Box;
      std::set<std::string> Nets;
    };
    std::vector<TPlaced> powered, capacitors, all;
    double strip = 0;
    for (const auto& component : example.Placed["components"]) {
      TPlaced placed{component["designator"], boxes::ComponentBox(component), {}};
      for (const auto& pad : component.value("pads", nlohmann::json::array())) {
        placed.Nets.insert(pad.value("net", ""));
      }
      all.push_back(placed);
      if (component.value("locked", false)) {
        continue;
      }
      if (supply.IsBypassCapacitor(component)) {
        capacitors.push_back(placed);
        strip = std::max(strip, std::min(placed.Box.Right - placed.Box.Left,
                                         placed.Box.Top - placed.Box.Bottom));
      } else if (supply.IsPowered(component)) {
        powered.push_back(placed);
      }
    }
    ASSERT_FALSE(powered.empty());
    ASSERT_GT(capacitors.size(), powered.size()) << "the boards show the leftovers too";
    strip += 2 * supply.Clearance;

    size_t beside = 0;
    for (const TPlaced& capacitor : capacitors) {
      for (const TPlaced& part : powered) {
        const bool sharesPower =
            std::any_of(capacitor.Nets.begin(), capacitor.Nets.end(), [&](const std::string& net) {
              return supply.Power.count(net) != 0 && part.Nets.count(net) != 0;
            });
        if (sharesPower && boxes::Gap(capacitor.Box, part.Box) <= strip) {
          ++beside;
          break;
        }
      }
      for (const TPlaced& other : all) {
        EXPECT_TRUE(other.Designator == capacitor.Designator ||
                    !boxes::Overlap(capacitor.Box, other.Box))
            << capacitor.Designator << " at " << capacitor.Box << " on " << other.Designator
            << " at " << other.Box;
      }
    }
    EXPECT_GE(beside, powered.size());
  }
}

// With every part locked the placer says so and waits; the host stops the run as a user would. A
// board without components never starts a run. Both tell "nothing to place" from a stopped run.
TEST_F(AutoplaceTest, ABoardWithNothingToPlaceSaysSoAndSavesNothing) {
  auto locked = Board("small.pcb");
  for (auto& component : locked["components"]) {
    component["locked"] = true;
  }
  std::ofstream(Folder / "locked.pcb") << locked.dump(2);
  auto empty = Board("small.pcb");
  empty["components"] = nlohmann::json::array();
  std::ofstream(Folder / "empty.pcb") << empty.dump(2);

  const auto lockedRun = Run("locked.pcb --seed 1 -o out.pcb");
  EXPECT_EQ(lockedRun.ExitCode, 5) << lockedRun.Output;
  EXPECT_NE(lockedRun.Output.find("Auto Place cannot run. No un-locked components."),
            std::string::npos)
      << lockedRun.Output;
  EXPECT_NE(
      lockedRun.Output.find("autoplace: the run was stopped; nothing was written back or saved"),
      std::string::npos)
      << lockedRun.Output;
  const auto emptyRun = Run("empty.pcb --seed 1 -o out.pcb");
  EXPECT_EQ(emptyRun.ExitCode, 5) << emptyRun.Output;
  EXPECT_NE(emptyRun.Output.find("autoplace: nothing to place"), std::string::npos)
      << emptyRun.Output;
  EXPECT_FALSE(std::filesystem::exists(Folder / "out.pcb"));
  const auto help = Run("--help").Output;
  EXPECT_NE(help.find("4 the run was stopped"), std::string::npos) << help;
  EXPECT_NE(help.find("5 the board has nothing to place"), std::string::npos) << help;
}

// A signal net of thousands of pads would make the run last hours: such a board is refused unless
// the net is named a supply or --wide-nets asks for the run anyway, which warns of it.
TEST_F(AutoplaceTest, ASignalNetOfThousandsOfPadsIsRefusedUnlessNamedOrAskedFor) {
  auto board = Board("small.pcb");
  board["nets"].push_back("BUS");
  nlohmann::json pads = nlohmann::json::array();
  for (int i = 0; i < 2001; ++i) {
    pads.push_back({{"name", std::to_string(i + 1)},
                    {"x", 1000 + 2 * (i % 45)},
                    {"y", 1000 + 2 * (i / 45)},
                    {"size", {1, 1}},
                    {"shape", "rectangle"},
                    {"layer", "TopLayer"},
                    {"net", "BUS"}});
  }
  board["components"].push_back({{"designator", "X1"},
                                 {"footprint", "ARRAY"},
                                 {"layer", "TopLayer"},
                                 {"x", 1045},
                                 {"y", 1045},
                                 {"body", {{999, 999}, {1091, 999}, {1091, 1091}, {999, 1091}}},
                                 {"pads", pads}});
  std::ofstream(Folder / "wide.pcb") << board.dump(2);
  struct TCase {
    const char* Options;
    int ExitCode;
    const char* Message;
  };
  const TCase cases[] = {
      {"--specified", 2,
       "net BUS joins 2001 pads and is no supply net; a signal net of more than 2000 pads"},
      {"--starts 2", 2, "or place it anyway with --wide-nets"},
      {"--specified --wide-nets", 0, "net BUS joins 2001 pads and is no supply net: every move"},
      {"--specified --power-nets VCC,BUS", 0, "Saved"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Options);
    std::filesystem::remove(Folder / "out.pcb");
    const auto result = Run(std::string("wide.pcb --seed 1 -o out.pcb ") + c.Options);
    EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Output;
    EXPECT_NE(result.Output.find(c.Message), std::string::npos) << result.Output;
    EXPECT_EQ(std::filesystem::exists(Folder / "out.pcb"), c.ExitCode == 0);
  }
}

TEST_F(AutoplaceTest, QuietPrintsNothingButErrors) {
  const auto placed = Run("small.pcb --seed 1 -o out.pcb -q");
  EXPECT_EQ(placed.ExitCode, 0);
  EXPECT_EQ(placed.Output, "");
  EXPECT_TRUE(std::filesystem::exists(Folder / "out.pcb"));
  EXPECT_NE(Run("small.pcb --seed 1 -o out2.pcb").Output.find("Auto-Place is Finished"),
            std::string::npos);
  const auto failed = Run("missing.pcb -o out.pcb -q");
  EXPECT_EQ(failed.ExitCode, 3);
  EXPECT_NE(failed.Output.find("autoplace:"), std::string::npos) << failed.Output;
}

// The report's signal half-perimeter length of a board, before or after the run.
double SignalLength(const nlohmann::json& report, const char* side) {
  return report.at(side).at("signalHalfPerimeter").get<double>();
}

TEST_F(AutoplaceTest, EffortOneIsTheStandardRunAndMoreEffortTriesMoreMoves) {
  ASSERT_EQ(Run("small.pcb --specified --seed 6 -o a.pcb --report a.json -q").ExitCode, 0);
  ASSERT_EQ(Run("small.pcb --seed 6 --effort 1 --no-legalise --no-polish --no-decoupling "
                "--no-detail -o b.pcb --report b.json -q")
                .ExitCode,
            0);
  EXPECT_EQ(ReadFile(Folder / "a.pcb"), ReadFile(Folder / "b.pcb"));
  ASSERT_EQ(Run("small.pcb --seed 6 --effort 3 -o c.pcb --report c.json -q").ExitCode, 0);
  ASSERT_EQ(Run("small.pcb --seed 6 --effort 3 -o d.pcb -q").ExitCode, 0);
  EXPECT_EQ(ReadFile(Folder / "c.pcb"), ReadFile(Folder / "d.pcb"));
  EXPECT_GT(Board("c.json").at("moves").get<double>(),
            2.5 * Board("a.json").at("moves").get<double>());
  // The defaults: effort 3 from seed 1.
  ASSERT_EQ(Run("small.pcb -o f.pcb -q").ExitCode, 0);
  ASSERT_EQ(Run("small.pcb --seed 1 --effort 3 -o g.pcb -q").ExitCode, 0);
  EXPECT_EQ(ReadFile(Folder / "f.pcb"), ReadFile(Folder / "g.pcb"));
  EXPECT_EQ(Run("small.pcb --effort 0 -o e.pcb -q").ExitCode, 2);
  EXPECT_EQ(Run("small.pcb --specified --effort 2 -o e.pcb -q").ExitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(Folder / "e.pcb"));
}

TEST_F(AutoplaceTest, TheDefaultRunIsPolishedAndEndsWithoutOverlapsAndTheSpecifiedRunIsNot) {
  CopyExample("realistic.pcb");
  // At seed 5 the anneal leaves footprints overlapping, with room on the board to clear them.
  ASSERT_EQ(Run("realistic.pcb --seed 5 -o placed.pcb --report placed.json -q").ExitCode, 0);
  const nlohmann::json placed = Board("placed.json");
  EXPECT_EQ(placed.at("after").at("overlaps"), 0);
  EXPECT_TRUE(placed.at("legalise").at("ran").get<bool>());
  EXPECT_GT(placed.at("legalise").at("moved").get<int>(), 0);
  EXPECT_TRUE(placed.at("polish").get<bool>());
  EXPECT_TRUE(placed.at("decoupling").at("ran").get<bool>());
  EXPECT_TRUE(placed.at("detail").at("ran").get<bool>());

  ASSERT_EQ(Run("realistic.pcb --specified --seed 5 -o a.pcb --report a.json -q").ExitCode, 0);
  const nlohmann::json specified = Board("a.json");
  EXPECT_FALSE(specified.at("legalise").at("ran").get<bool>());
  EXPECT_FALSE(specified.at("polish").get<bool>());
  EXPECT_FALSE(specified.at("decoupling").at("ran").get<bool>());
  EXPECT_FALSE(specified.at("detail").at("ran").get<bool>());
  EXPECT_EQ(specified.at("after").at("overlaps"), 1);
  ASSERT_EQ(Run("realistic.pcb --seed 5 --effort 3 --no-legalise -o b.pcb -q").ExitCode, 0);
  ASSERT_EQ(Run("realistic.pcb --seed 5 --effort 3 --legalise -o c.pcb -q").ExitCode, 0);
  EXPECT_EQ(ReadFile(Folder / "c.pcb"), ReadFile(Folder / "placed.pcb"));
  EXPECT_NE(ReadFile(Folder / "b.pcb"), ReadFile(Folder / "placed.pcb"));
  EXPECT_EQ(Run("realistic.pcb --specified --legalise -o d.pcb -q").ExitCode, 2);
}

TEST_F(AutoplaceTest, RefinementNeverLengthensTheSignalNetsOfAPlacedBoard) {
  CopyExample("realistic.pcb");
  // The placed board of a standard run is a placement to refine, as is the designer's own.
  ASSERT_EQ(Run("realistic.pcb --seed 2 -o placed.pcb -q").ExitCode, 0);
  for (const char* board : {"realistic.pcb", "small.pcb", "placed.pcb"}) {
    for (const char* seed : {"1", "2"}) {
      SCOPED_TRACE(std::string(board) + " seed " + seed);
      ASSERT_EQ(Run(std::string(board) + " --refine --seed " + seed +
                    " -o refined.pcb --report r.json -q")
                    .ExitCode,
                0);
      const nlohmann::json report = Board("r.json");
      EXPECT_LE(SignalLength(report, "after"), SignalLength(report, "before"));
      EXPECT_TRUE(report.at("refine").get<bool>());
    }
  }
}

TEST_F(AutoplaceTest, PolishRefinesTheRunsPlacementAndNeverLengthensItsSignalNets) {
  CopyExample("realistic.pcb");
  const std::string run = "realistic.pcb --no-legalise --no-decoupling --no-detail --seed 5";
  ASSERT_EQ(Run(run + " --no-polish -o a.pcb --report a.json -q").ExitCode, 0);
  ASSERT_EQ(Run(run + " --polish -o b.pcb --report b.json -q").ExitCode, 0);
  ASSERT_EQ(Run(run + " --polish -o c.pcb -q").ExitCode, 0);
  const nlohmann::json unpolished = Board("a.json"), polished = Board("b.json");
  EXPECT_TRUE(polished.at("polish").get<bool>());
  EXPECT_FALSE(unpolished.at("polish").get<bool>());
  EXPECT_LE(SignalLength(polished, "after"), SignalLength(unpolished, "after"));
  // The moves count both: the run's, the same with or without the polish, and the polish's.
  EXPECT_EQ(polished.at("moves").get<double>(),
            unpolished.at("moves").get<double>() + polished.at("polishMoves").get<double>());
  EXPECT_GT(polished.at("polishMoves").get<double>(), 0.0);
  EXPECT_EQ(polished.at("polishEffort").get<double>(), 10.0);
  EXPECT_EQ(unpolished.at("polishMoves").get<double>(), 0.0);
  EXPECT_EQ(ReadFile(Folder / "b.pcb"), ReadFile(Folder / "c.pcb"));
}

TEST_F(AutoplaceTest, SeveralStartsKeepTheCheapestRunAndRepeat) {
  ASSERT_EQ(
      Run("small.pcb --seed 4 --starts 3 --jobs 2 -o kept.pcb --report kept.json -q").ExitCode, 0);
  const nlohmann::json report = Board("kept.json");
  ASSERT_EQ(report.at("starts").size(), 3u);
  double lowest = INFINITY;
  for (const auto& start : report.at("starts")) {
    EXPECT_EQ(start.at("exitCode"), 0);
    lowest = std::min(lowest, start.at("finalCost").get<double>());
  }
  EXPECT_EQ(report.at("finalCost").get<double>(), lowest);
  const uint32_t kept = report.at("seed");
  EXPECT_GE(kept, 4u);
  EXPECT_LE(kept, 6u);
  // The kept board is the single run of its seed, and the same starts give it again.
  ASSERT_EQ(Run("small.pcb --seed " + std::to_string(kept) + " -o single.pcb -q").ExitCode, 0);
  EXPECT_EQ(ReadFile(Folder / "kept.pcb"), ReadFile(Folder / "single.pcb"));
  ASSERT_EQ(Run("small.pcb --seed 4 --starts 3 --jobs 1 -o again.pcb -q").ExitCode, 0);
  EXPECT_EQ(ReadFile(Folder / "kept.pcb"), ReadFile(Folder / "again.pcb"));
}

// Four parts on a 1000 mil board: SIG joins R1, R2, R3 (box 200 by 300 mil), OUT joins R1 and R2
// (200 by 100), LONE has one pad and VCC is a supply net; R4 overlaps R1.
constexpr const char* TinyBoard = R"({
  "format": "pcb-board", "version": 1,
  "board": {"placer": {"powerNets": "VCC", "groundNets": "GND"}},
  "nets": ["VCC", "GND", "SIG", "OUT", "LONE"],
  "components": [
    {"designator": "R1", "layer": "TopLayer", "x": 120, "y": 100, "pads": [
      {"name": "1", "x": 100, "y": 100, "size": [30, 30], "layer": "TopLayer", "net": "SIG"},
      {"name": "2", "x": 140, "y": 100, "size": [30, 30], "layer": "TopLayer", "net": "OUT"}]},
    {"designator": "R2", "layer": "TopLayer", "x": 320, "y": 200, "pads": [
      {"name": "1", "x": 300, "y": 200, "size": [30, 30], "layer": "TopLayer", "net": "SIG"},
      {"name": "2", "x": 340, "y": 200, "size": [30, 30], "layer": "TopLayer", "net": "OUT"}]},
    {"designator": "R3", "layer": "TopLayer", "x": 200, "y": 420, "pads": [
      {"name": "1", "x": 200, "y": 400, "size": [30, 30], "layer": "TopLayer", "net": "SIG"},
      {"name": "2", "x": 200, "y": 440, "size": [30, 30], "layer": "TopLayer", "net": "VCC"}]},
    {"designator": "R4", "layer": "TopLayer", "x": 140, "y": 110, "pads": [
      {"name": "1", "x": 120, "y": 110, "size": [30, 30], "layer": "TopLayer", "net": "LONE"},
      {"name": "2", "x": 160, "y": 110, "size": [30, 30], "layer": "TopLayer", "net": "VCC"}]}],
  "primitives": [
    {"kind": "track", "layer": "KeepOutLayer", "x1": 0, "y1": 0, "x2": 1000, "y2": 0, "width": 10},
    {"kind": "track", "layer": "KeepOutLayer", "x1": 1000, "y1": 0, "x2": 1000, "y2": 1000, "width": 10},
    {"kind": "track", "layer": "KeepOutLayer", "x1": 1000, "y1": 1000, "x2": 0, "y2": 1000, "width": 10},
    {"kind": "track", "layer": "KeepOutLayer", "x1": 0, "y1": 1000, "x2": 0, "y2": 0, "width": 10}]
})";

// The half-perimeter length of the signal nets of a saved JSON board, worked out here afresh.
double HalfPerimeterOf(const nlohmann::json& board) {
  std::map<std::string, std::array<double, 4>> boxes;  // left, bottom, right, top
  for (const auto& component : board["components"]) {
    for (const auto& pad : component["pads"]) {
      const std::string net = pad.value("net", "");
      if (net.empty() || net == "VCC" || net == "GND") {
        continue;
      }
      const double x = pad["x"], y = pad["y"];
      auto [box, added] = boxes.try_emplace(net, std::array<double, 4>{x, y, x, y});
      box->second = {std::min(box->second[0], x), std::min(box->second[1], y),
                     std::max(box->second[2], x), std::max(box->second[3], y)};
    }
  }
  double length = 0;
  for (const auto& [net, box] : boxes) {
    length += box[2] - box[0] + box[3] - box[1];
  }
  return length;
}

TEST_F(AutoplaceTest, TheReportsFiguresAreThoseOfTheBoardBeforeAndAfter) {
  std::ofstream(Folder / "tiny.pcb") << TinyBoard;
  const auto result = Run("tiny.pcb --seed 3 -o placed.pcb --report report.json");
  ASSERT_EQ(result.ExitCode, 0) << result.Output;
  const nlohmann::json report = Board("report.json");
  const nlohmann::json& before = report.at("before");
  EXPECT_EQ(before.at("signalHalfPerimeter"), 800.0);  // SIG 200 + 300, OUT 200 + 100
  EXPECT_EQ(before.at("signalNets"), 2);
  EXPECT_EQ(before.at("overlaps"), 1);
  EXPECT_EQ(before.at("components"), 4);
  EXPECT_EQ(before.at("movable"), 4);
  EXPECT_EQ(before.at("locked"), 0);
  EXPECT_GT(before.at("connectionLength").get<double>(), 0.0);
  EXPECT_EQ(report.at("seed"), 3);
  EXPECT_EQ(report.at("effort"), 3.0);  // the default
  EXPECT_EQ(report.at("passes"), 70);
  EXPECT_GT(report.at("moves").get<double>(), 0.0);
  EXPECT_GT(report.at("cpuSeconds").get<double>(), 0.0);
  EXPECT_EQ(report.at("output"), "placed.pcb");
  EXPECT_NEAR(report.at("after").at("signalHalfPerimeter").get<double>(),
              HalfPerimeterOf(Board("placed.pcb")), 1e-6);
  EXPECT_NE(result.Output.find("Signal half-perimeter length: 800 mil before"), std::string::npos)
      << result.Output;
}

TEST_F(AutoplaceTest, BoardPicturesShowThePartsAndCompareBeforeWithAfter) {
  std::ofstream(Folder / "tiny.pcb") << TinyBoard;
  ASSERT_EQ(Run("tiny.pcb --seed 3 -o placed.pcb --board-svg one.svg -q").ExitCode, 0);
  ASSERT_EQ(
      Run("tiny.pcb --seed 3 -o placed.pcb --compare --board-svg two.svg --board-png two.png -q")
          .ExitCode,
      0);
  const std::string one = ReadFile(Folder / "one.svg");
  const std::string two = ReadFile(Folder / "two.svg");
  for (const std::string& svg : {one, two}) {
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("glyph"), std::string::npos);  // the designators and titles as text
  }
  EXPECT_NE(one.find("width=\"1000\""), std::string::npos);
  EXPECT_NE(two.find("width=\"2000\""), std::string::npos);  // two panels side by side
  EXPECT_EQ(ReadFile(Folder / "two.png").substr(1, 3), "PNG");
  EXPECT_EQ(Run("tiny.pcb --seed 3 -o placed.pcb --board-png /nonexistent/x.png -q").ExitCode, 3);
}

// A board at the edge of the coordinate limits: a square outline of Side mil from (Left, Bottom),
// two ICs in opposite corners joined by fourteen nets (grouped, they make one group as large as
// the board), resistors in the other corners and a supply capacitor in the middle.
nlohmann::json CornerBoard(double left, double bottom, double side) {
  using nlohmann::json;
  const double right = left + side, top = bottom + side;
  const auto pad = [](int number, double x, double y, const std::string& net) {
    return json{{"name", std::to_string(number)},
                {"x", x},
                {"y", y},
                {"size", {20, 20}},
                {"layer", "TopLayer"},
                {"net", net}};
  };
  const auto part = [](const std::string& designator, double x, double y, json pads) {
    return json{{"designator", designator},
                {"layer", "TopLayer"},
                {"x", x},
                {"y", y},
                {"pads", std::move(pads)}};
  };
  const auto ic = [&](const std::string& designator, double x, double y) {
    json pads = json::array();
    for (int i = 0; i < 16; ++i) {
      const std::string net = i == 8 ? "VCC" : i == 9 ? "GND" : "S" + std::to_string(i % 8 + 1);
      pads.push_back(pad(i + 1, x + (i % 8 - 4) * 50, y + (i < 8 ? -100 : 100), net));
    }
    return part(designator, x, y, pads);
  };
  const auto twoPads = [&](const std::string& designator, double x, double y, const std::string& a,
                           const std::string& b) {
    return part(designator, x, y, json::array({pad(1, x - 40, y, a), pad(2, x + 40, y, b)}));
  };
  json components =
      json::array({ic("U1", left + 400, bottom + 400), ic("U2", right - 400, top - 400),
                   twoPads("R1", left + 300, top - 300, "S1", "S2"),
                   twoPads("R2", right - 300, bottom + 300, "S3", "S4"),
                   twoPads("C1", left + side / 2, bottom + side / 2, "VCC", "GND")});
  json outline = json::array();
  const double corners[5][2] = {
      {left, bottom}, {right, bottom}, {right, top}, {left, top}, {left, bottom}};
  for (int i = 0; i < 4; ++i)
    outline.push_back({{"kind", "track"},
                       {"layer", "KeepOutLayer"},
                       {"x1", corners[i][0]},
                       {"y1", corners[i][1]},
                       {"x2", corners[i + 1][0]},
                       {"y2", corners[i + 1][1]},
                       {"width", 10}});
  return {{"format", "pcb-board"},
          {"version", 1},
          {"board",
           {{"placer",
             {{"powerNets", "VCC"},
              {"groundNets", "GND"},
              {"groupComponents", true},
              {"rotateComponents", true},
              {"largeComponentClearance", 20}}}}},
          {"nets", {"GND", "VCC", "S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8"}},
          {"components", components},
          {"primitives", outline}};
}

// Boards that reach the limits (every point within 107374.1823 mil of the origin, the board within
// a square of that side) place without overflow (the sanitizer build checks every operation) and
// leave every part inside the limits.
TEST_F(AutoplaceTest, BoardsAtTheCornersOfTheLimitsPlace) {
  constexpr double Limit = 107374.1823, Side = 107364;  // the outline's width adds 10 mil
  const double lefts[] = {5, -Side - 5, -Side / 2};
  for (const double left : lefts)
    for (const char* mode : {"--specified", "--refine", ""}) {
      SCOPED_TRACE(std::to_string(left) + " " + mode);
      std::ofstream(Folder / "corner.pcb") << CornerBoard(left, left, Side).dump();
      const auto result = Run(std::string("corner.pcb --seed 1 -q -o out.pcb ") + mode);
      ASSERT_EQ(result.ExitCode, 0) << result.Output;
      const nlohmann::json placed = Board("out.pcb");
      for (const auto& component : placed["components"])
        for (const auto& pad : component["pads"]) {
          EXPECT_LE(std::abs(pad["x"].get<double>()), Limit) << component["designator"];
          EXPECT_LE(std::abs(pad["y"].get<double>()), Limit) << component["designator"];
        }
    }
}

}  // namespace
