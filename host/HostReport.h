#pragma once

// The run's report: the summary's figures with the measures placers are compared by, before and
// after, printed after the summary and saved as JSON with --report.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "HostMeasures.h"
#include "HostSummary.h"

struct TRunReport {
  TRunSummary Summary;
  TPlacementMeasures Before;
  TPlacementMeasures After;
  std::string Board;
  std::optional<uint32_t> Seed;
  double Effort = 1.0;
  std::string EffortNote;  // how the default efforts were scaled to the board; "" when not
  bool Refine = false;
  bool Polish = false;      // the run was refined from its own result
  double FinalCost = 0;     // the engine's total cost at the end of the run
  int64_t Moves = 0;        // of the run and its polish together
  int64_t PolishMoves = 0;  // of the polish alone; 0 when none ran
  double PolishEffort = 0;  // the polish's effort; 0 when none ran
  int32_t Passes = 0;
  double CpuSeconds = 0;  // of this process and the runs it waited for
};

// The lines the summary does not have: signal half-perimeter, run settings, moves, CPU time.
void PrintReportLines(std::FILE* stream, const TRunReport& report);

// The report as JSON text ({"format": "autoplace-report", "version": 1, ...}; lengths in mil).
std::string ReportJson(const TRunReport& report);

// Writes the report to a temporary file beside `file` and renames it; false with the reason.
bool SaveReport(const std::string& file, const TRunReport& report, std::string& error);

// The CPU time of this process and of the children it has waited for, in seconds.
double CpuSecondsUsed();
