#pragma once

#include <cstdint>
#include <optional>

#include <windows.h>

#include "engine/RunTuning.h"
#include "pcb/Layers.h"

// The handlers of the placer's commands and the checks RunAutoplacer makes before it starts.

void CommandRunAutoplacer(IUnknown* context, const char* parameters);
void CommandStopAutoplacer(IUnknown* context, const char* parameters);
void CommandUpdateClientPCBDocument(IUnknown* context, const char* parameters);

// Whether the run shows the preferences first: "Batch" absent or equal to "False".
bool IsInteractiveRun(const char* parameters);
// The seed of the parameter "Seed" (an integer, surrounding blanks allowed, taken as 32 bits),
// or none when it is absent or not an integer: the engine then seeds from the clock.
std::optional<uint32_t> RunSeedParameter(const char* parameters);
// The tuning of the parameters "Effort" (a positive number scaling the per-pass move caps; absent
// or not such a number: 1) and "Refine" ("1" or "True": start from the board's placement).
TRunTuning RunTuningParameters(const char* parameters);
// Whether the board has a component on its top or bottom side and at least one net.
bool BoardHasComponentsAndNets(uint32_t boardHandle);
// The objects of a kind on a layer (0: every layer) of the board, by walking them.
int32_t CountBoardObjects(uint32_t boardHandle, uint8_t objectKind, TLayerNumber layer);
