#include "HostOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <thread>

#include "HostOptionValues.h"

namespace {

constexpr const char* ExitCodeHelp =
    "Exit codes: 0 the board was placed and saved; 1 a message box in unattended mode "
    "(QUENOR_TESTMODE); 2 a usage error (or a board that needs an option, such as --wide-nets); 3 "
    "the board cannot be read or the placed board cannot "
    "be saved; 4 the run was stopped (nothing is saved); 5 the board has nothing to place (nothing "
    "is saved).";

std::nullopt_t UsageError(const std::string& message, int& exitCode) {
  std::fprintf(stderr, "autoplace: %s\n", message.c_str());
  exitCode = ExitUsage;
  return std::nullopt;
}

}  // namespace

std::optional<THostOptions> ParseOptions(int argc, char** argv, int& exitCode) {
  THostOptions options;
  CLI::App app(
      "Places the components of a board file and saves the placed board. Reads and "
      "writes JSON board files (.pcb) and KiCad boards (.kicad_pcb, KiCad 5 to 9), "
      "told apart by their content. By default the anneal tries three times the moves of "
      "the placer command's standard schedule, from seed 1, so that a run repeats; the "
      "placement it leaves is then polished (refined with ten times the moves of the cool end "
      "of the schedule), what still overlaps is moved to the nearest free spots, supply "
      "capacitors far from their chips are moved beside them, and a detailed placement moves, "
      "turns and swaps parts where that shortens the signal nets. On a board of more than 1,000 "
      "movable parts both efforts shrink with its size (to 3,000 and 10,000 / parts, at least 1 "
      "and 1.5), so that a default run of many thousand parts takes about 1.5 times the "
      "standard run rather than hours; the summary says what was chosen. --specified runs the "
      "standard placement itself and nothing more.",
      "autoplace");
  app.footer(ExitCodeHelp);
  app.add_option("BOARD", options.Board, "the board file to place")->required();
  auto* output =
      app.add_option("-o,--output", options.Output,
                     "where the placed board goes (default: BOARD.placed.EXT beside it)");
  app.add_flag("--in-place", options.InPlace, "save the placed board over the input")
      ->excludes(output);
  std::string seed, stopAfter;
  auto* seedOption = app.add_option("--seed", seed, "a fixed seed for a repeatable run");
  std::optional<double> effort;
  auto* effortOption =
      app.add_option("--effort", effort,
                     "scale the moves tried and kept in each pass of the annealing by N (1: the "
                     "standard schedule; default 3, and on a board of more than 1,000 movable "
                     "parts 3,000 / parts, at least 1)")
          ->check(CLI::Range(0.01, 1000.0));
  auto* refine =
      app.add_flag("--refine", options.Refine,
                   "start from the board's own placement and improve it: no scattering, only the "
                   "cool end of the schedule; the signal nets never come out longer");
  auto* specified = app.add_flag(
      "--specified", options.Specified,
      "run exactly the placer command's own placement: effort 1, the seed from the clock "
      "unless --seed gives one");
  bool legalise = false;
  auto* legaliseOption = app.add_flag(
      "--legalise,!--no-legalise", legalise,
      "after the run, move every part that still overlaps another (footprints on "
      "the same side, with the board's clearances) to the nearest free spot on the "
      "board; locked parts never move (default: on, off with --specified and --refine)");
  bool polish = false;
  auto* polishOption = app.add_flag(
      "--polish,!--no-polish", polish,
      "after the run, refine the placement it left as --refine does: the cool end of the "
      "schedule again, kept only where it shortens the signal nets (default: on, off with "
      "--specified)");
  double refineEffort = DefaultRefineEffort;
  auto* refineEffortOption =
      app.add_option("--refine-effort", refineEffort,
                     "the effort of a refinement: of --refine without --effort, and of the "
                     "polish after the run (default 10, and on a board of more than 1,000 "
                     "movable parts 10,000 / parts, at least 1.5)")
          ->check(CLI::Range(0.01, 1000.0));
  bool detail = false;
  auto* detailOption = app.add_flag(
      "--detail,!--no-detail", detail,
      "after the run and the other finishing steps, shorten the signal nets directly: in rounds, "
      "move each unlocked part to a free spot near the middle of its nets, turn it by quarter "
      "turns or swap it with a nearby part of like size, keeping a change only when the signal "
      "half-perimeter drops and no part ends on another, off the board or on a keep-out; locked "
      "parts and parts held at the edge stay, and a supply capacitor beside a chip moves with it "
      "(default: on, also with --refine; off with --specified)");
  bool decoupling = false;
  auto* decouplingOption = app.add_flag(
      "--decoupling,!--no-decoupling", decoupling,
      "after the run, move each supply capacitor that lies far from the chips on its power net "
      "to the free spot nearest to one of their supply pads, where one lies within 150 mil "
      "(default: on, off with --specified)");
  specified->excludes(effortOption)
      ->excludes(refine)
      ->excludes(legaliseOption)
      ->excludes(polishOption)
      ->excludes(refineEffortOption)
      ->excludes(detailOption)
      ->excludes(decouplingOption);
  auto* starts = app.add_option("--starts", options.Starts,
                                "run K independent placements from seeds SEED, SEED+1, ... "
                                "(SEED 1 without --seed) and keep the one with the lowest final "
                                "cost")
                     ->check(CLI::Range(1, 1000))
                     ->excludes(specified);
  app.add_option("--jobs", options.Jobs, "run at most J starts at once (default: one per core)")
      ->check(CLI::Range(1, 256))
      ->needs(starts);
  app.add_option("--report", options.Report,
                 "save the run's figures before and after (signal half-perimeter, connection "
                 "length, overlaps, moves, time) as JSON");
  app.add_option("--board-svg", options.BoardSvg,
                 "save a picture of the placed board as SVG: outline, keep-outs, footprints by "
                 "side with designators, locked parts marked, signal connections");
  app.add_option("--board-png", options.BoardPng, "save that picture as PNG");
  app.add_flag("--compare", options.Compare,
               "draw the board before and after side by side in those pictures");
  app.add_option("--svg", options.Svg, "save the placer's picture as SVG");
  app.add_option("--png", options.Png, "save the placer's picture as PNG");
  auto* stopAfterOption =
      app.add_option("--stop-after", stopAfter, "stop the run after this many seconds");
  auto* preferences = app.add_flag("--preferences", options.Preferences,
                                   "show the Autoplace Preferences dialog first");
  app.add_option("--set", options.Settings,
                 "fill a control of the dialog, CONTROL=VALUE (repeatable); then press OK")
      ->needs(preferences)
      ->allow_extra_args(false);
  app.add_flag("--cancel", options.Cancel, "press Cancel in the dialog (ends silently)")
      ->needs(preferences);
  preferences->excludes(starts);
  app.add_option("--power-nets", options.PowerNets,
                 "the board's power nets, NAME,NAME,... (replaces what the board says or, for a "
                 "KiCad board, what its net names suggest)");
  app.add_option("--ground-nets", options.GroundNets, "the board's ground nets, NAME,NAME,...");
  app.add_flag("--move-edge-parts", options.MoveEdgeParts,
               "let the placer move parts that overhang the board's outline (by default they "
               "stay where they are)");
  app.add_flag("--wide-nets", options.WideNets,
               "place a board with a signal net of more than 2,000 pads, which is refused by "
               "default: every move measures such a net afresh and the run can last hours");
  app.add_flag("-q,--quiet", options.Quiet, "print nothing but errors");
  app.add_flag("--timings", options.Timings, "print the time of each phase");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    exitCode = code == 0 ? ExitSuccess : ExitUsage;
    return std::nullopt;
  }
  std::string error;
  if (seedOption->count() > 0 && !(options.Seed = ReadSeed(seed, error)))
    return UsageError(error, exitCode);
  if (stopAfterOption->count() > 0) {
    const auto seconds = ReadStopAfter(stopAfter, error);
    if (!seconds)
      return UsageError(error, exitCode);
    options.StopAfter = *seconds;
  }
  if (!options.Specified) {
    options.Effort = effort.value_or(options.Refine ? refineEffort : DefaultEffort);
    options.RefineEffort = refineEffort;
    options.EffortGiven = effort.has_value();
    options.RefineEffortGiven = refineEffortOption->count() > 0;
    options.Seed = options.Seed.value_or(DefaultSeed);
  }
  // A refinement keeps the designer's arrangement, overlaps the designer left included, unless
  // asked to clear them.
  options.Legalise = legaliseOption->count() > 0 ? legalise : !options.Specified && !options.Refine;
  // The finishing steps and the polish are on unless turned off, save in the placer command's
  // own run; a refinement needs no polish.
  options.Decoupling = decouplingOption->count() > 0 ? decoupling : !options.Specified;
  options.Detail = detailOption->count() > 0 ? detail : !options.Specified;
  options.Polish = (polishOption->count() > 0 ? polish : !options.Specified) && !options.Refine;
  if (options.Jobs == 0) {
    options.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  }
  for (const std::string& setting : options.Settings) {
    if (setting.find('=') == std::string::npos || setting.front() == '=')
      return UsageError("--set " + setting + ": expected CONTROL=VALUE", exitCode);
    if (const auto fault = SettingFault(setting))
      return UsageError(*fault, exitCode);
  }
  return options;
}

std::string OutputFileName(const THostOptions& options) {
  if (options.InPlace) {
    return options.Board;
  }
  if (!options.Output.empty()) {
    return options.Output;
  }
  std::filesystem::path path(options.Board);
  const std::string extension = path.has_extension() ? path.extension().string() : ".pcb";
  path.replace_extension();
  return path.string() + ".placed" + extension;
}
