#pragma once

#include <windows.h>

#include "framework/RT_ClientServerInterface.h"

// Functions that the host executable exports for its servers (C linkage, found by name). The host
// defines them; the plug-in looks them up at run time (ClientProcs.h) and never links against them.

extern "C" {

// Hands out the host's client: a new reference in *client.
HRESULT ClientAPI_GetClientInterface(IClient** client);

// Asks the host's file store to create the file of a document of that kind. `extra` is passed
// through (the placer passes an empty string).
HRESULT VFSAPI_VFSCreateFile(const wchar_t* fileName, const wchar_t* kind, const wchar_t* extra);

}  // extern "C"

using TClientAPI_GetClientInterface = decltype(&ClientAPI_GetClientInterface);
using TVFSAPI_VFSCreateFile = decltype(&VFSAPI_VFSCreateFile);
