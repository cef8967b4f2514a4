#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

namespace {

struct RegistryCase {
  const char* Environment;  // null: unset
  HKEY Root;
  const char* SubKey;
  bool Opens;
};

TEST(RegistryTest, TheTestModeKeyExistsExactlyWhenTheVariableIsSetAndNotEmpty) {
  const RegistryCase cases[] = {
      {nullptr, HKEY_LOCAL_MACHINE, "\\Software\\Quenor\\TestMode", false},
      {"", HKEY_LOCAL_MACHINE, "\\Software\\Quenor\\TestMode", false},
      {"1", HKEY_LOCAL_MACHINE, "\\Software\\Quenor\\TestMode", true},
      {"1", HKEY_LOCAL_MACHINE, "Software\\Quenor\\TestMode", true},
      {"yes", HKEY_LOCAL_MACHINE, "software\\quenor\\testmode", true},
      {"1", HKEY_CURRENT_USER, "\\Software\\Quenor\\TestMode", false},
      {"1", HKEY_LOCAL_MACHINE, "\\Software\\Quenor", false},
      {"1", HKEY_LOCAL_MACHINE, "\\Software\\Quenor\\TestMode\\More", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Environment ? c.Environment : "(unset)") + " " + c.SubKey);
    if (c.Environment == nullptr) {
      unsetenv("QUENOR_TESTMODE");
    } else {
      setenv("QUENOR_TESTMODE", c.Environment, 1);
    }
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExA(c.Root, c.SubKey, 0, KEY_READ, &key);
    EXPECT_EQ(status == ERROR_SUCCESS, c.Opens);
    EXPECT_EQ(key != nullptr, c.Opens);
    if (key != nullptr) {
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
      EXPECT_NE(RegCloseKey(key), ERROR_SUCCESS);  // already closed
    }
  }
  unsetenv("QUENOR_TESTMODE");
}

}  // namespace
