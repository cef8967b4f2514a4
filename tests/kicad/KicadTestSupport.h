#pragma once

// What the KiCad tests share: files, commands and the editor's view of a board.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "TarnixHost.h"

namespace KicadTest {

namespace fs = std::filesystem;
using nlohmann::json;

inline std::string ReadFile(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

// Standard output of a shell command, and its exit code.
inline std::string Capture(const std::string& command, int& exitCode) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[65536];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  const int status = pclose(pipe);
  exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return output;
}

inline std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

// The board as the editor reads it, in the JSON form (mil, Y up).
inline json EditorBoard(const fs::path& file) {
  char message[1024] = "";
  const uint32_t board = Tarnix_OpenBoard(file.c_str(), message, sizeof message);
  EXPECT_NE(board, 0u) << message;
  if (board == 0)
    return json::object();
  size_t needed = 0;
  Tarnix_GetBoardText(board, nullptr, 0, &needed);
  std::string text(needed + 1, '\0');
  EXPECT_EQ(Tarnix_GetBoardText(board, text.data(), text.size(), &needed), 0);
  text.resize(needed);
  Tarnix_CloseBoard(board);
  return json::parse(text);
}

}  // namespace KicadTest
