// Saves interrupted between their steps, over the board they were read from. A save stopped before
// its rename leaves the board file as it was and no temporary file. A process killed at any step
// leaves the board file whole, old or new; a kill before the rename may leave the save's hidden
// temporary file (".NAME.XXXXXX" beside the board, part of the new text), which no reader takes
// for the board and which the next save does not need.

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "EditorTestSupport.h"

using namespace EditorTest;

namespace {

// The save-stop hook: its calls so far, the call at which it acts, and what it does then.
int HookCalls = 0;
int ActAtCall = 0;
bool KillAtCall = false;

int SaveHook() {
  if (++HookCalls != ActAtCall)
    return 0;
  if (KillAtCall)
    ::raise(SIGKILL);
  return 1;
}

// The realistic example board with blank lines added, so that the editor's save of it (the new
// board) differs from the file it was read from (the old board). Its text takes several of the
// save's blocks.
class SaveInterruptTest : public testing::Test {
 protected:
  void SetUp() override {
    OldText = ReadText(std::string(EXAMPLES_DIR) + "/realistic.pcb") + "\n\n";
    Target = Scratch.Path("board.pcb");
  }
  void TearDown() override { Tarnix_SetSaveStop(nullptr); }

  // Puts the old board back and removes anything else in the folder.
  void Restore() const {
    for (const auto& entry : std::filesystem::directory_iterator(Scratch.Path("")))
      std::filesystem::remove(entry.path());
    Scratch.Write("board.pcb", OldText);
  }

  // Opens the board file and saves it in place with the hook acting at call Call; true when the
  // save succeeded.
  bool SaveInPlace(int call, bool kill, std::string& message) const {
    HookCalls = 0;
    ActAtCall = call;
    KillAtCall = kill;
    char buffer[512] = "";
    const uint32_t board = Tarnix_OpenBoard(Target.c_str(), buffer, sizeof buffer);
    if (board == 0) {
      message = buffer;
      return false;
    }
    Tarnix_SetSaveStop(SaveHook);
    const bool saved = Tarnix_SaveBoard(board, nullptr, buffer, sizeof buffer) == 0;
    Tarnix_SetSaveStop(nullptr);
    Tarnix_CloseBoard(board);
    message = buffer;
    return saved;
  }

  // The files beside the board.
  std::vector<std::string> Others() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Scratch.Path("")))
      if (entry.path().filename() != "board.pcb")
        names.push_back(entry.path().filename().string());
    return names;
  }

  TScratch Scratch;
  std::string OldText;
  std::string Target;
};

TEST_F(SaveInterruptTest, AStoppedSaveLeavesTheBoardAsItWasAndNoTemporaryFile) {
  Restore();
  std::string message;
  ASSERT_TRUE(SaveInPlace(0, false, message)) << message;
  const std::string newText = ReadText(Target);
  ASSERT_NE(newText, OldText);
  const int steps = HookCalls;
  ASSERT_GE(steps, 7);  // created, at least two blocks, written, synced, closed, renamed, ...

  int stopped = 0;
  for (int call = 1; call <= steps; ++call) {
    SCOPED_TRACE("stopped at call " + std::to_string(call));
    Restore();
    if (SaveInPlace(call, false, message)) {
      // Once renamed the save is done: a stop asked for then changes nothing.
      EXPECT_EQ(ReadText(Target), newText);
    } else {
      ++stopped;
      EXPECT_EQ(message, Target + ": not saved: stopped");
      EXPECT_EQ(ReadText(Target), OldText);
    }
    EXPECT_TRUE(Others().empty());
  }
  EXPECT_EQ(stopped, steps - 2);  // every step before the rename
}

TEST_F(SaveInterruptTest, AKilledSaveLeavesTheOldOrTheNewBoardWhole) {
  Restore();
  std::string message;
  ASSERT_TRUE(SaveInPlace(0, false, message)) << message;
  const std::string newText = ReadText(Target);
  const int steps = HookCalls;

  int oldBoards = 0, newBoards = 0;
  for (int call = 1; call <= steps + 1; ++call) {
    SCOPED_TRACE("killed at call " + std::to_string(call));
    Restore();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::string ignored;
      ::_exit(SaveInPlace(call, true, ignored) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    EXPECT_EQ(killed, call <= steps);
    const std::string text = ReadText(Target);
    ASSERT_TRUE(text == OldText || text == newText) << "a board of " << text.size() << " bytes";
    (text == OldText ? oldBoards : newBoards)++;
    for (const std::string& name : Others()) {
      EXPECT_EQ(name.rfind(".board.pcb.", 0), 0u) << name;
      EXPECT_EQ(text, OldText) << "a temporary file beside the new board";
      EXPECT_EQ(newText.rfind(ReadText(Scratch.Path(name)), 0), 0u) << "not part of the new board";
    }
  }
  EXPECT_GT(oldBoards, 0);
  EXPECT_GT(newBoards, 0);
}

// A KiCad board whose placer options changed saves two files: the board, then the options beside
// it. A stop before the board is in place leaves both as they were; after it the options follow
// whatever the hook answers, so the two files always agree.
TEST(SaveInterruptKicadTest, AStoppedSaveLeavesTheBoardAndItsOptionsTogether) {
  TScratch scratch;
  const std::string original = ReadText(std::string(KICAD_FIXTURES_DIR) + "/kicad8.kicad_pcb");
  const std::string target = scratch.Path("board.kicad_pcb");
  const std::string options = scratch.Path("board.placer.json");
  const auto saveInPlace = [&](int call) {
    std::filesystem::remove(options);
    scratch.Write("board.kicad_pcb", original);
    char message[512] = "";
    const uint32_t board = Tarnix_OpenBoard(target.c_str(), message, sizeof message);
    EXPECT_NE(board, 0u) << message;
    EXPECT_EQ(Tarnix_SetSupplyNets(board, "SIG", "GND", message, sizeof message), 0) << message;
    HookCalls = 0;
    ActAtCall = call;
    KillAtCall = false;
    Tarnix_SetSaveStop(SaveHook);
    const bool saved = Tarnix_SaveBoard(board, nullptr, message, sizeof message) == 0;
    Tarnix_SetSaveStop(nullptr);
    Tarnix_CloseBoard(board);
    return saved;
  };

  ASSERT_TRUE(saveInPlace(0));
  const int steps = HookCalls;  // of both files
  for (int call = 1; call <= steps; ++call) {
    SCOPED_TRACE("stopped at call " + std::to_string(call));
    const bool saved = saveInPlace(call);
    EXPECT_EQ(ReadText(target), original);
    EXPECT_EQ(std::filesystem::exists(options), saved);
    EXPECT_EQ(saved, call > 5);  // the board's steps up to its rename: created, block, ..., closed
  }
}

}  // namespace
