#pragma once

#include <cstdint>
#include <string_view>

#include "framework/ComObjects.h"
#include "framework/RT_ClientServerInterface.h"

// Services of the host: running its processes, opening documents.

// Runs the host process `processName` ("<server>:<process>", for example "PCB:Netlist") with the
// zero-terminated parameter string in `parameters`, a buffer of capacity + 1 bytes that the process
// may rewrite within `capacity`. Nothing happens when there is no client. Raises when the client
// does not provide IProcessLauncher or the process reports a failure.
void RunProcess(std::string_view processName, char* parameters, int32_t capacity, int32_t flags);

// Opens the document `fileName` of kind `kind` ("PCB", "Placer") through the host, framed by the
// host's before- and after-open calls. Null when there is no client or the host opens nothing.
TComPtr<IServerDocument> OpenDocumentThroughHost(std::wstring_view kind, std::string_view fileName);
