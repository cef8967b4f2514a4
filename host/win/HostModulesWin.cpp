// Loading libraries on Windows: LoadLibrary by absolute path (the editor first, so that the
// plug-in's binding finds it by module name), GetProcAddress.

#include <windows.h>

#include <stdexcept>
#include <system_error>

#include "HostLibraries.h"
#include "HostModules.h"

const char* const EditorLibraryName = "Tarnix.dll";
const char* const PlacerLibraryName = "Placer.dll";

std::string ExecutableFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program(path, length);
  const auto separator = program.find_last_of("\\/");
  return separator == std::string::npos ? std::string(".") : program.substr(0, separator);
}

void* LoadFromExecutableFolder(const std::string& name) {
  const std::string path = ExecutableFolder() + "\\" + name;
  HMODULE library = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (library == nullptr) {
    throw std::runtime_error("cannot load " + path + ": " +
                             std::system_category().message(static_cast<int>(GetLastError())));
  }
  return reinterpret_cast<void*>(library);
}

void* LibraryEntry(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
