#pragma once

#include <string_view>

#include <windows.h>

#include "framework/RT_ClientServerInterface.h"

// The host client of this process, and the exports of the host executable.

// The client that the host gave to the server module; null before the module exists and after it
// was cleared.
TComPtr<IClient> GetClient();

// Keeps a reference to `client` (null clears it) as the client of the process. The server module
// sets it when it is created and clears it when it is destroyed.
void SetClient(IClient* client);

// Looks the host exports up in the host executable. A missing export stays unbound and its calls
// are skipped. The first call of GetClientFromHost or VFSCreateFile binds them when nothing did
// before.
void BindHostExports();
// As above, in the given module; a null module leaves every export unbound.
void BindHostExports(HMODULE hostModule);

// The client from the host export ClientAPI_GetClientInterface; null when the host lacks the
// export. Raises when the export reports a failure.
TComPtr<IClient> GetClientFromHost();

// Has the host's file store create the file of a document of that kind, through the host export
// VFSAPI_VFSCreateFile; nothing when the host lacks it. The export's status is not examined.
void VFSCreateFile(std::string_view fileName, std::string_view kind, std::string_view extra);
