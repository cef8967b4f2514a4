// The Windows build's libraries as a host meets them: the editor loaded first, the plug-in's
// binding finding it by module name (never loading it) and calling its stdcall entry points, and
// the plug-in exporting its factory under the plain name.

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "pcb/PCBProcs.h"

namespace {

// The test program lies beside the libraries, as a host does.
std::string BesideProgram(const char* name) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

TEST(ModuleBinding, TheBindingFindsTheLoadedEditorOnlyAndCallsItsEntryPoints) {
  EXPECT_FALSE(BindPcbProcs()) << "the binding must not load the editor itself";
  EXPECT_EQ(GetModuleHandleA("Tarnix.dll"), nullptr);

  HMODULE editor = LoadLibraryA(BesideProgram("Tarnix.dll").c_str());
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(BindPcbProcs());
  EXPECT_EQ(PcbModule(), editor);
  EXPECT_NE(PcbProcs().PcbApi_QueryComponent, nullptr);
  EXPECT_NE(PcbProcs().PcbApi_QueryPad, nullptr);

  // Unknown handles: a nonzero status, and calls with many parameters leave the stack as it was
  // (a calling convention mismatch would not survive a loop of them).
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  for (int round = 0; round < 1000; ++round) {
    ASSERT_NE(Pcb::QueryObjectBoundingRectangle(123456u, &x1, &y1, &x2, &y2), 0);
  }
  EXPECT_EQ(Pcb::GetCurrentBoardHandle(), 0u);
}

TEST(ModuleBinding, ThePluginExportsItsFactoryOnly) {
  HMODULE plugin = LoadLibraryA(BesideProgram("Placer.dll").c_str());
  ASSERT_NE(plugin, nullptr);
  EXPECT_NE(GetProcAddress(plugin, "ServerFactory"), nullptr);
  EXPECT_EQ(GetProcAddress(plugin, "BindPcbProcs"), nullptr);
}

}  // namespace
