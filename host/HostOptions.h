#pragma once

// The command line of autoplace.

#include <optional>
#include <string>
#include <vector>

struct THostOptions {
  std::string Board;
  std::string Output;  // empty: beside the input under a new name
  bool InPlace = false;
  std::optional<uint32_t> Seed;
  bool Specified = false;  // exactly the plug-in command's own run: effort 1, seed from the clock
  double Effort = 1.0;     // scales the per-pass move caps of the schedule
  bool Refine = false;     // start from the board's placement and only improve it
  double RefineEffort = 1.0;  // the effort of the polish after the run
  // The efforts the command line gave; the others follow the size of the board (HostSizeRule.h).
  bool EffortGiven = false;
  bool RefineEffortGiven = false;
  bool Polish = false;      // after the run, refine its placement with the cool end of the schedule
  bool Legalise = false;    // after the run, move what still overlaps to the nearest free spot
  bool Detail = false;      // then move, turn and swap parts where that shortens the signal nets
  bool Decoupling = false;  // then move supply capacitors far from their chips beside them
  int Starts = 1;           // independent runs from consecutive seeds; the cheapest is kept
  int Jobs = 0;             // starts at a time; 0: one per core
  std::string Report;       // the run's figures as JSON
  std::string BoardSvg;     // pictures of the placed board as a designer sees it
  std::string BoardPng;
  bool Compare = false;  // those pictures show the board before and after side by side
  std::string Svg;
  std::string Png;
  double StopAfter = 0;  // seconds; 0: no limit
  bool Preferences = false;
  std::vector<std::string> Settings;  // CONTROL=VALUE
  bool Cancel = false;
  bool Quiet = false;
  bool Timings = false;
  // Let the placer move parts that overhang the outline; by default they stay where they are.
  bool MoveEdgeParts = false;
  // Place a board with a signal net of more than 2,000 pads, which makes the run last hours.
  bool WideNets = false;
  // Supply nets that replace those of the board's placer options, names separated by commas.
  std::optional<std::string> PowerNets;
  std::optional<std::string> GroundNets;
};

// What autoplace does unless told otherwise: three times the moves of the standard schedule from
// seed 1, then the polish, the clean finish, the supply capacitors beside their chips and the
// detailed placement; about ten seconds of CPU for a board of 300 parts.
inline constexpr double DefaultEffort = 3.0;
inline constexpr uint32_t DefaultSeed = 1;
// A refinement keeps to the cool end of the schedule, a fifth of the passes: it affords more
// moves in each.
inline constexpr double DefaultRefineEffort = 10.0;

// Exit codes of the program.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitUnattendedBox = 1;
inline constexpr int ExitUsage = 2;
inline constexpr int ExitUnreadableBoard = 3;
inline constexpr int ExitStopped = 4;
inline constexpr int ExitNothingToPlace = 5;

// Parses the arguments; on --help or an error prints what CLI11 prints and returns the exit code
// in `exitCode` with no options.
std::optional<THostOptions> ParseOptions(int argc, char** argv, int& exitCode);

// Where the placed board goes: the output named, the input itself with --in-place, otherwise
// "NAME.placed.EXT" beside the input ("board.placed.kicad_pcb" for "board.kicad_pcb").
std::string OutputFileName(const THostOptions& options);
