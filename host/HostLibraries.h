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
  void (*SetSaveStop)(int (*)());
  int32_t (*CloseBoard)(uint32_t);
  int32_t (*RunProcess)(const char*, const char*);
  int32_t (*GetConnectionLength)(uint32_t, double*);
  uint32_t (*GetCurrentBoardHandle)();
  int32_t (*GetBoardText)(uint32_t, char*, size_t, size_t*);
  int32_t (*GetBoardNotes)(uint32_t, char*, size_t, size_t*);
  int32_t (*SetSupplyNets)(uint32_t, const char*, const char*, char*, size_t);
  int32_t (*HoldEdgeParts)(uint32_t, int32_t*, char*, size_t);
  int32_t (*ReleaseHeldParts)(uint32_t);
  int32_t (*PullPartsInside)(uint32_t, int32_t*, int32_t*, char*, size_t);
  int32_t (*CountPartsOutside)(uint32_t, int32_t*);
  int32_t (*LegalisePlacement)(uint32_t, int32_t*, int32_t*, char*, size_t);
  int32_t (*PlaceCapacitorsBesideChips)(uint32_t, int32_t, int32_t*, int32_t*);
  int32_t (*PlaceInDetail)(uint32_t, int32_t, int32_t*, int32_t*);
};

// A text the editor hands out through one of its (board, buffer, size, needed) entry points;
// empty when it cannot.
std::string EditorText(int32_t (*get)(uint32_t, char*, size_t, size_t*), uint32_t board);

// The folder holding the running executable.
std::string ExecutableFolder();

// Load on first use; throw std::runtime_error when a library or an entry point is missing.
const TEditor& Editor();

using TServerFactory = HRESULT (*)(IClient*, IServerModule**);
TServerFactory LoadedServerFactory();
