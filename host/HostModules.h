#pragma once

// Loading libraries from the host's own folder, one backend per platform (HostModulesPosix.cpp,
// win/HostModulesWin.cpp).

#include <string>

// The file names of the editor and the plug-in libraries on this platform.
extern const char* const EditorLibraryName;
extern const char* const PlacerLibraryName;

// Loads the named library from the executable's folder (never a search path); throws
// std::runtime_error with the loader's reason when it cannot.
void* LoadFromExecutableFolder(const std::string& name);

// The address of an exported entry point, null when the library lacks it.
void* LibraryEntry(void* library, const char* name);
