#include "HostReport.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

namespace {

nlohmann::json SideJson(const TPlacementMeasures& measures, const TBoardFigures& figures,
                        double connectionLength) {
  return {{"signalHalfPerimeter", measures.SignalHalfPerimeter},
          {"signalNets", measures.SignalNets},
          {"connectionLength", connectionLength},
          {"overlaps", figures.Overlaps},
          {"components", figures.Components},
          {"movable", figures.Movable},
          {"locked", figures.Locked},
          {"supplyCapacitors", figures.SupplyCapacitors},
          {"capacitorsWithIc", figures.Decoupling.Capacitors},
          {"capacitorsNearIc", figures.Decoupling.Near},
          {"outside", figures.Outside},
          {"powerNets", figures.PowerNets},
          {"groundNets", figures.GroundNets}};
}

}  // namespace

void PrintReportLines(std::FILE* stream, const TRunReport& report) {
  const double before = report.Before.SignalHalfPerimeter;
  const double after = report.After.SignalHalfPerimeter;
  std::fprintf(stream, "Signal half-perimeter length: %.0f mil before, %.0f mil after", before,
               after);
  if (before > 0) {
    std::fprintf(stream, " (%.3f of before)", after / before);
  }
  std::fprintf(stream, ", %d signal nets\n", report.After.SignalNets);
  char polish[96] = "";
  if (report.PolishEffort > 0) {
    std::snprintf(polish, sizeof polish, " (%lld of them in the polish at effort %g)",
                  static_cast<long long>(report.PolishMoves), report.PolishEffort);
  }
  std::fprintf(stream, "Run: seed %s, effort %g%s, %lld moves%s, final cost %.6g, CPU %.2f s\n",
               report.Seed ? std::to_string(*report.Seed).c_str() : "from the clock", report.Effort,
               report.Refine ? ", refining the board's placement" : "",
               static_cast<long long>(report.Moves), polish, report.FinalCost, report.CpuSeconds);
  if (!report.EffortNote.empty()) {
    std::fprintf(stream, "Efforts scaled to the board: %s\n", report.EffortNote.c_str());
  }
}

std::string ReportJson(const TRunReport& report) {
  const TRunSummary& summary = report.Summary;
  nlohmann::json json = {
      {"format", "autoplace-report"},
      {"version", 1},
      {"board", report.Board},
      {"output", summary.Output},
      {"seed", report.Seed ? nlohmann::json(*report.Seed) : nlohmann::json(nullptr)},
      {"effort", report.Effort},
      {"effortNote", report.EffortNote},
      {"refine", report.Refine},
      {"polish", report.Polish},
      {"finalCost", report.FinalCost},
      {"moves", report.Moves},
      {"polishMoves", report.PolishMoves},
      {"polishEffort", report.PolishEffort},
      {"passes", report.Passes},
      {"legalise",
       {{"ran", summary.Outline.Legalised},
        {"moved", summary.Outline.Moved},
        {"noRoom", summary.Outline.NoRoom}}},
      {"detail",
       {{"ran", summary.Outline.Detailed},
        {"changes", summary.Outline.DetailChanges},
        {"rounds", summary.Outline.DetailRounds}}},
      {"decoupling",
       {{"ran", summary.Outline.Decoupled}, {"moved", summary.Outline.CapacitorsMoved}}},
      {"seconds", summary.Seconds},
      {"cpuSeconds", report.CpuSeconds},
      {"before", SideJson(report.Before, summary.Before, summary.LengthBefore)},
      {"after", SideJson(report.After, summary.After, summary.LengthAfter)}};
  return json.dump(2) + "\n";
}

bool SaveReport(const std::string& file, const TRunReport& report, std::string& error) {
  const std::string temporary = file + ".tmp";
  {
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    stream << ReportJson(report);
    if (!stream.flush()) {
      error = std::strerror(errno);
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code failure;
  std::filesystem::rename(temporary, file, failure);
  if (failure) {
    error = failure.message();
    std::filesystem::remove(temporary, failure);
    return false;
  }
  return true;
}
