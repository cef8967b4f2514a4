// autoplace on a small KiCad board: the default output keeps the extension, supply nets named on
// the command line replace those the net names suggest, and the options the run used are kept
// beside the placed board.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

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
    const std::string command =
        "cd '" + Folder.string() + "' && '" AUTOPLACE_PATH "' " + arguments + " </dev/null 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      output.append(buffer, n);
    const int status = pclose(pipe);
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
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
  const auto options = nlohmann::json::parse(ReadFile(Folder / "named.placer.json"));
  EXPECT_EQ(options["board"]["placer"]["powerNets"], "SIG NOPE");
  EXPECT_EQ(options["board"]["placer"]["groundNets"], "GND");
  EXPECT_EQ(ReadFile(Folder / "board.kicad_pcb"),
            ReadFile(fs::path(KICAD_FIXTURES_DIR) / "kicad8.kicad_pcb"));
}

}  // namespace
