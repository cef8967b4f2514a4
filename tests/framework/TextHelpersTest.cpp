#include <gtest/gtest.h>

#include <string>

#include "framework/TextHelpers.h"

namespace {

TEST(TextHelpers, ChangeFileExtReplacesOrAppendsTheExtension) {
  struct TCase {
    const char* Name;
    const char* Result;
  };
  const TCase cases[] = {
      {"C:\\Boards\\Board1.pcb", "C:\\Boards\\Board1.PLC"},
      {"/home/u/boards/Board1.PcbDoc", "/home/u/boards/Board1.PLC"},
      {"Board1", "Board1.PLC"},
      {"/home/u/v1.2/Board1", "/home/u/v1.2/Board1.PLC"},  // a dot in a folder is no extension
      {"C:\\v1.2\\Board1", "C:\\v1.2\\Board1.PLC"},
      {"C:Board.x", "C:Board.PLC"},
      {"archive.tar.gz", "archive.tar.PLC"},
      {"Board1.", "Board1.PLC"},
      {"", ".PLC"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ChangeFileExt(c.Name, ".PLC"), c.Result) << c.Name;
  }
}

TEST(TextHelpers, SameTextTrimmedIgnoresAsciiCaseAndSurroundingBlanks) {
  struct TCase {
    const char* A;
    const char* B;
    bool Same;
  };
  const TCase cases[] = {
      {"True", "True", true},    {"true", "True", true},   {" FALSE\t", "False", true},
      {"\r\nPCB ", "pcb", true}, {"Yes", "True", false},   {"", "False", false},
      {"1", "True", false},      {"Tr ue", "True", false}, {"\xE4", "\xC4", false},
      {"\xE4 ", "\xE4", true},   {"  ", "", true},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(SameTextTrimmed(c.A, c.B), c.Same) << '"' << c.A << "\" vs \"" << c.B << '"';
  }
}

TEST(TextHelpers, WideTextKeepsEveryByte) {
  std::string bytes;
  for (int code = 1; code < 256; ++code) {
    bytes.push_back(static_cast<char>(code));
  }
  const std::wstring wide = WidenText(bytes);
  EXPECT_EQ(wide[0xE9 - 1], L'\u00E9');
  EXPECT_EQ(NarrowText(wide), bytes);
  EXPECT_EQ(NarrowText(L"a\u20ACb"), "a?b");  // beyond one byte
}

}  // namespace
