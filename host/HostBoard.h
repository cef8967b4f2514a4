#pragma once

// The open board as the host sees it through the editor: its figures, the notes its reader left,
// and the supply nets named on the command line.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "HostOptions.h"
#include "HostSummary.h"

// The board's figures as the editor holds it now; empty figures when they cannot be had.
TBoardFigures MeasureBoard(uint32_t board);
// The same from the board's text, parsed once for several measures.
TBoardFigures MeasureBoard(uint32_t board, const nlohmann::json& parsed);

// Keeps the parts that overhang the outline in place for the run (locked until released).
void HoldEdgeParts(uint32_t board, TOutlineSteps& steps);
// Moves parts the run left outside the outline or on a keep-out to the nearest spot inside.
void PullPartsInside(uint32_t board, TOutlineSteps& steps);
// Moves parts that still overlap others to the nearest free spot on the board.
void LegalisePlacement(uint32_t board, TOutlineSteps& steps);
// Moves, turns and swaps parts where that shortens the signal nets, keeping the placement legal.
void PlaceInDetail(uint32_t board, TOutlineSteps& steps);
// Moves supply capacitors far from their chips beside a supply pad of one, where there is room.
void PlaceCapacitorsBesideChips(uint32_t board, TOutlineSteps& steps);
// Unlocks the parts HoldEdgeParts locked, so that none is saved as locked.
void ReleaseHeldParts(uint32_t board);

// What reading the board approximated or guessed, a note a line.
std::string BoardNotes(uint32_t board);

// Gives the board the supply nets of --power-nets and --ground-nets (commas between names).
// Names the board does not have are reported as warnings. False with the reason in Error when
// a list cannot be set (a blank in a name, longer than the options hold).
bool ApplySupplyNets(const THostOptions& options, uint32_t board, std::string& error);
