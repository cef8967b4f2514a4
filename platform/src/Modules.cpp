// Modules: Windows module names map to the shared libraries of this system ("Name.dll" is
// "libName.so"). A handle is only ever taken of a library that is already loaded.

#include <dlfcn.h>

#include <string>
#include <string_view>

#include "PlatformState.h"

namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         platform::SameTextIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

// "Name.dll" and "Name" become "libName.so"; any other name (a path, "libName.so") stays.
std::string LibraryFileName(std::string_view moduleName) {
  if (moduleName.find('/') != std::string_view::npos) {
    return std::string(moduleName);
  }
  if (EndsWithIgnoringCase(moduleName, ".dll")) {
    moduleName.remove_suffix(4);
  } else if (moduleName.find('.') != std::string_view::npos) {
    return std::string(moduleName);
  }
  return "lib" + std::string(moduleName) + ".so";
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  if (moduleName != nullptr && moduleName[0] == '\0') {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  std::string fileName = moduleName == nullptr ? "" : LibraryFileName(moduleName);
  void* handle =
      dlopen(moduleName == nullptr ? nullptr : fileName.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  if (handle == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // Like Windows' module handles this one holds no reference: the library stays loaded by
  // whoever loaded it, so the count that dlopen just added is given back.
  dlclose(handle);
  return reinterpret_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  if (module == nullptr || procName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* symbol = dlsym(reinterpret_cast<void*>(module), procName);
  if (symbol == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}
