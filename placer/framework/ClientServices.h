#pragma once

#include <cstdint>
#include <string_view>

// Running host processes.

// Runs the host process `processName` ("<server>:<process>", for example "PCB:Netlist") with the
// zero-terminated parameter string in `parameters`, a buffer of capacity + 1 bytes that the process
// may rewrite within `capacity`. Nothing happens when there is no client. Raises when the client
// does not provide IProcessLauncher or the process reports a failure.
void RunProcess(std::string_view processName, char* parameters, int32_t capacity, int32_t flags);
