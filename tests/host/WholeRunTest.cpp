// Whole runs of the standard placement with a fixed seed, reduced to a digest of the saved board.
// The digests were recorded before the engine was made faster; a change for speed must leave every
// one as it is, so that the same seed keeps giving the same board from the same file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

namespace {

struct TWholeRun {
  const char* Name;
  const char* Board;      // a path, or "generate:KIND N" for a board made by the generator
  const char* Arguments;  // besides the board, the output and --specified --seed 1 -q
  uint64_t Digest;
};

void PrintTo(const TWholeRun& run, std::ostream* stream) {
  *stream << run.Name;
}

// FNV-1a over the bytes of a file.
uint64_t FileDigest(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  uint64_t value = 0xCBF29CE484222325u;
  for (auto byte = std::istreambuf_iterator<char>(stream); byte != std::istreambuf_iterator<char>();
       ++byte) {
    value ^= static_cast<unsigned char>(*byte);
    value *= 0x100000001B3u;
  }
  return value;
}

int Shell(const std::string& command) {
  return std::system(command.c_str());
}

class WholeRun : public testing::TestWithParam<TWholeRun> {
 protected:
  void SetUp() override {
    Folder = std::filesystem::temp_directory_path() /
             ("whole_run_" + std::to_string(::getpid()) + "_" + GetParam().Name);
    std::filesystem::create_directories(Folder);
  }
  void TearDown() override { std::filesystem::remove_all(Folder); }

  // The input board in the test's folder, copied or generated; empty when it is not at hand.
  std::filesystem::path Input(const std::string& board) {
    const std::string generate = "generate:";
    if (board.rfind(generate, 0) == 0) {
      const std::filesystem::path made = Folder / "board.pcb";
      const std::string command = std::string("'") + GENERATE_BOARD_PATH + "' " +
                                  board.substr(generate.size()) + " '" + made.string() + "'";
      return Shell(command) == 0 ? made : std::filesystem::path{};
    }
    const std::filesystem::path source(board);
    if (!std::filesystem::exists(source)) {
      return {};
    }
    const std::filesystem::path copy = Folder / source.filename();
    std::filesystem::copy_file(source, copy);
    return copy;
  }

  std::filesystem::path Folder;
};

TEST_P(WholeRun, SavesTheRecordedBoard) {
  const TWholeRun& run = GetParam();
  const std::filesystem::path input = Input(run.Board);
  if (input.empty()) {
    GTEST_SKIP() << run.Board << " is not on this machine";
  }
  const std::filesystem::path output = Folder / ("placed" + input.extension().string());
  const std::string command = std::string("'") + AUTOPLACE_PATH + "' '" + input.string() +
                              "' -o '" + output.string() + "' --specified --seed 1 -q " +
                              run.Arguments + " </dev/null";
  ASSERT_EQ(Shell(command), 0) << command;
  const uint64_t digest = FileDigest(output);
  char text[32];
  std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(digest));
  EXPECT_EQ(digest, run.Digest) << run.Name << " now gives " << text;
}

INSTANTIATE_TEST_SUITE_P(
    Boards, WholeRun,
    testing::Values(TWholeRun{"Small", EXAMPLES_DIR "/small.pcb", "", 0x0F7F2898B4079712u},
                    TWholeRun{"Realistic", EXAMPLES_DIR "/realistic.pcb", "", 0xE056ED3B3870B77Eu},
                    TWholeRun{"Generated500", "generate:components 500", "", 0x64DD2F7A311A88A3u},
                    TWholeRun{"WideNet300", "generate:widenet 300", "", 0xD932A0A2CB5B198Cu},
                    TWholeRun{"KicadPicProgrammer",
                              DEMOS_DIR "/pic_programmer/pic_programmer.kicad_pcb", "",
                              0x79029477C091C963u},
                    TWholeRun{"KicadInterfGrouped", DEMOS_DIR "/interf_u/interf_u.kicad_pcb",
                              "--preferences --set GroupComponents=on", 0x278040A284E0A1B7u}),
    [](const testing::TestParamInfo<TWholeRun>& info) { return std::string(info.param.Name); });

}  // namespace
