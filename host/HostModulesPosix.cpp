// Loading libraries on Linux: dlopen by absolute path, dlsym.

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

#include "HostLibraries.h"
#include "HostModules.h"

const char* const EditorLibraryName = "libTarnix.so";
const char* const PlacerLibraryName = "libPlacer.so";

std::string ExecutableFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

void* LoadFromExecutableFolder(const std::string& name) {
  // An absolute path: the dynamic loader searches nothing.
  const std::string path = ExecutableFolder() + "/" + name;
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    throw std::runtime_error(reason != nullptr ? reason : "cannot load " + path);
  }
  return library;
}

void* LibraryEntry(void* library, const char* name) {
  return dlsym(library, name);
}
