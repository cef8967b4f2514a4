#pragma once

// The libraries a host loads from its own installation folder (the folder of its executable,
// never the current directory or a search path): the PCB editor, then the plug-in.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/RT_ClientServerInterface.h"

// The editor's host entry points, looked up in the loaded editor library.
struct TEditor {
  uint32_t (*OpenBoard)(const char*, char*, size_t);
  uint32_t (*CreateBoard)(const char*);
  int32_t (*SaveBoard)(uint32_t, const char*, char*, size_t);
  int32_t (*CloseBoard)(uint32_t);
  int32_t (*RunProcess)(const char*, const char*);
  int32_t (*GetConnectionLength)(uint32_t, double*);
  uint32_t (*GetCurrentBoardHandle)();
};

// The folder holding the running executable.
std::string ExecutableFolder();

// Load on first use; throw std::runtime_error when a library or an entry point is missing.
const TEditor& Editor();

using TServerFactory = HRESULT (*)(IClient*, IServerModule**);
TServerFactory LoadedServerFactory();
