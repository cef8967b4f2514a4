// The registry holds one key: the unattended-mode switch "\Software\Quenor\TestMode" under the
// local machine, which exists exactly when the environment variable QUENOR_TESTMODE is set and
// not empty.

#include <cstdlib>
#include <set>
#include <string_view>

#include "PlatformState.h"

namespace {

constexpr std::string_view TestModeKey = "Software\\Quenor\\TestMode";

std::set<uintptr_t>& OpenKeys() {
  static std::set<uintptr_t> keys;
  return keys;
}

uintptr_t nextKey = 0x1000;

bool IsTestModeKey(std::string_view subKey) {
  while (!subKey.empty() && subKey.front() == '\\') {
    subKey.remove_prefix(1);
  }
  while (!subKey.empty() && subKey.back() == '\\') {
    subKey.remove_suffix(1);
  }
  return platform::SameTextIgnoringCase(subKey, TestModeKey);  // key names ignore case
}

bool TestModeEnabled() {
  const char* value = std::getenv("QUENOR_TESTMODE");
  return value != nullptr && value[0] != '\0';
}

bool IsPredefinedKey(HKEY key) {
  return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE;
}

}  // namespace

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM /*desired*/,
                      PHKEY result) {
  if (result == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  *result = nullptr;
  if (key != HKEY_LOCAL_MACHINE || subKey == nullptr || !IsTestModeKey(subKey) ||
      !TestModeEnabled()) {
    return ERROR_FILE_NOT_FOUND;
  }
  uintptr_t handle = nextKey++;
  OpenKeys().insert(handle);
  *result = reinterpret_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
  if (IsPredefinedKey(key)) {
    return ERROR_SUCCESS;
  }
  return OpenKeys().erase(reinterpret_cast<uintptr_t>(key)) > 0 ? ERROR_SUCCESS
                                                                : ERROR_INVALID_HANDLE;
}
