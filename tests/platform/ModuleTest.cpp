#include <dlfcn.h>
#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(ModuleTest, AModuleIsFoundOnlyOnceLoadedAndNeverLoadedByTheLookUp) {
  EXPECT_EQ(GetModuleHandleA("PlatformTestModule.dll"), nullptr);
  EXPECT_EQ(dlopen(TEST_MODULE_PATH, RTLD_LAZY | RTLD_NOLOAD), nullptr);  // still not loaded

  void* loaded = dlopen(TEST_MODULE_PATH, RTLD_NOW);
  ASSERT_NE(loaded, nullptr) << dlerror();
  for (const char* name : {"PlatformTestModule.dll", "PlatformTestModule"}) {
    SCOPED_TRACE(name);
    HMODULE module = GetModuleHandleA(name);
    ASSERT_NE(module, nullptr);
    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "PlatformTestModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
  }
  dlclose(loaded);  // the look-ups held no reference: this unloads it
  EXPECT_EQ(GetModuleHandleA("PlatformTestModule.dll"), nullptr);
}

TEST(ModuleTest, TheNullNameIsTheProgram) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_NE(GetProcAddress(program, "getpid"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "getpid"), nullptr);
  EXPECT_EQ(GetModuleHandleA(""), nullptr);
}

}  // namespace
