#pragma once

// The PCB editor's entry points for the host application, beside the PcbApi_ entry points that the
// plug-ins use (pcb/PcbApi.h). Boards are 32-bit handles, 0 = none; statuses are 0 for success and
// nonzero for failure. Texts are zero-terminated UTF-8. Messages are written into the caller's
// buffer, cut to fit and always terminated when the buffer has room for at least one byte.
//
// The editor keeps any number of boards open. Opening or creating a board makes it the editor's
// current board (PcbApi_GetCurrentBoardHandle); closing the current board leaves none current.

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && defined(PCBAPI_EXPORTS)
#define TARNIX_API __declspec(dllexport)
#elif defined(_WIN32)
#define TARNIX_API
#elif defined(__GNUC__)
#define TARNIX_API __attribute__((visibility("default")))
#else
#define TARNIX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Opens a board file. Returns the new board's handle, or 0 with the reason in Message, which names
// the file and the place in it ("board.pcb: components[3].pads[1].nett: unknown key"). A file
// that cannot be read whole opens nothing.
TARNIX_API uint32_t Tarnix_OpenBoard(const char* FileName, char* Message, size_t MessageSize);

// Creates an empty board with the default settings. FileName (may be null or empty) is the file
// it is saved to when no other is named.
TARNIX_API uint32_t Tarnix_CreateBoard(const char* FileName);

// Saves a board to FileName, or to its own file name when FileName is null or empty. The file is
// written to a temporary file in the same folder and then renamed over the target, so that a
// failed save leaves the target as it was. The board keeps its own file name.
TARNIX_API int32_t Tarnix_SaveBoard(uint32_t Board, const char* FileName, char* Message,
                                    size_t MessageSize);

// Stopped (may be null: never) is asked between the steps of every save, a block of the text at a
// time, until the file is renamed over the target. When it answers nonzero the save gives up: the
// target stays as it was, no temporary file is left, and the save fails with "stopped".
TARNIX_API void Tarnix_SetSaveStop(int (*Stopped)(void));

// Closes a board; its handles and those of its objects become unknown.
TARNIX_API int32_t Tarnix_CloseBoard(uint32_t Board);

// Runs an editor process on the current board. Parameters: "Name=Value|Name=Value"; names and
// values compare without regard to case. Processes:
//   "PCB:Netlist" with "Optimize" = "All": recomputes the board's connections (the shortest tree
//                 over the pads of every net);
//   "PCB:Zoom"    with "Action" = "Redraw": redraws the board (counted, see Tarnix_GetRedrawCount).
// Fails for an unknown process, a parameter value it does not know, or without a current board.
TARNIX_API int32_t Tarnix_RunProcess(const char* Process, const char* Parameters);

// The summed length of the board's connections as last computed (on opening and by "PCB:Netlist"),
// in board units (10000 per mil).
TARNIX_API int32_t Tarnix_GetConnectionLength(uint32_t Board, double* Length);

// How often the board was redrawn by "PCB:Zoom".
TARNIX_API int32_t Tarnix_GetRedrawCount(uint32_t Board, uint32_t* Count);

// The board as the text of a JSON board file, whatever format it was read from: what the host
// measures and reports. Needed receives the text's length; the text is written when Size exceeds
// it (terminated), otherwise the call fails with nothing written.
TARNIX_API int32_t Tarnix_GetBoardText(uint32_t Board, char* Buffer, size_t Size, size_t* Needed);

// What reading the board had to approximate or guess, one note a line; the buffer as above.
TARNIX_API int32_t Tarnix_GetBoardNotes(uint32_t Board, char* Buffer, size_t Size, size_t* Needed);

// Sets the names of the board's power and ground nets in its placer options, separated by single
// blanks (at most 255 characters each). Fails with the reason in Message for a longer list.
TARNIX_API int32_t Tarnix_SetSupplyNets(uint32_t Board, const char* PowerNets,
                                        const char* GroundNets, char* Message, size_t MessageSize);

// Parts that overhang the board's outline (partly on the board, partly off it or over a cut-out,
// as a socket at the edge): locks every unlocked one until Tarnix_ReleaseHeldParts, so that a
// placement run leaves them where they are. Count receives how many; Names their designators,
// separated by blanks, cut to fit.
TARNIX_API int32_t Tarnix_HoldEdgeParts(uint32_t Board, int32_t* Count, char* Names,
                                        size_t NamesSize);
TARNIX_API int32_t Tarnix_ReleaseHeldParts(uint32_t Board);

// Moves every unlocked part whose footprint (pads and body) is not whole inside the outline (or,
// on a board without one, the box of its keep-out tracks and fills) or lies on a keep-out fill to
// the nearest spot inside, off the keep-outs and the locked parts, and off the other parts where
// such a spot exists. Pulled receives how many moved; Stuck how many fit nowhere and stayed, with
// their designators in StuckNames.
TARNIX_API int32_t Tarnix_PullPartsInside(uint32_t Board, int32_t* Pulled, int32_t* Stuck,
                                          char* StuckNames, size_t StuckNamesSize);

// The clean finish of a run: moves every unlocked part whose footprint overlaps another on its
// side (footprints grown by the board's component clearances) or is not allowed where it lies to
// the nearest free spot inside the outline and off the keep-outs, smaller parts making way for
// larger ones; locked parts never move. Moved receives how many moved; NoRoom how many fit
// nowhere and stayed, with their designators in NoRoomNames.
TARNIX_API int32_t Tarnix_LegalisePlacement(uint32_t Board, int32_t* Moved, int32_t* NoRoom,
                                            char* NoRoomNames, size_t NoRoomNamesSize);

// Supply capacitors beside their chips: every unlocked capacitor (C..., two pads, one on a power
// and one on a ground net of the placer options) whose power pad lies further than NearDistance
// (board units) from the power pads of the chips on its net (U... or IC..., three pads or more)
// moves to the free spot nearest to one of them, pads no capacitor serves yet first, when that
// spot is within NearDistance; nothing moves onto another footprint, off the board or onto a
// keep-out. Moved receives how many moved; Capacitors how many have a chip on their net.
TARNIX_API int32_t Tarnix_PlaceCapacitorsBesideChips(uint32_t Board, int32_t NearDistance,
                                                     int32_t* Moved, int32_t* Capacitors);

// Shortens the signal nets (the nets the placer options do not name as supplies) by moving,
// quarter-turning and swapping unlocked parts, part by part, in rounds, keeping a change only when
// the summed half-perimeter of those nets strictly drops and every part it moves lies inside the
// outline, off the keep-outs and clear of every other footprint on its side (footprints grown by
// the board's component clearances). Locked parts, and chips with a supply capacitor within
// NearDistance (board units) of a supply pad, stay where they are. Changes receives how many
// changes were kept; Rounds how many rounds ran.
TARNIX_API int32_t Tarnix_PlaceInDetail(uint32_t Board, int32_t NearDistance, int32_t* Changes,
                                        int32_t* Rounds);

// How many parts' footprints are not whole inside the outline.
TARNIX_API int32_t Tarnix_CountPartsOutside(uint32_t Board, int32_t* Count);

// The colour of a layer number (1 to 82) as 0xRRGGBB.
TARNIX_API int32_t Tarnix_GetLayerColor(uint32_t Board, uint8_t LayerNumber, uint32_t* Rgb);

#ifdef __cplusplus
}  // extern "C"
#endif
