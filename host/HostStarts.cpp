#include "HostStarts.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FileAccess.h"
#include "HostOutputs.h"
#include "HostReport.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// One start: its seed, its files in the scratch folder, and how it ended.
struct TStart {
  uint32_t Seed = 0;
  fs::path Stem;  // scratch folder / index
  pid_t Process = -1;
  int ExitCode = -1;
  double Cost = 0;
};

// The files a start writes, named after its stem, and where the kept start's copy goes.
struct TOutputFile {
  std::string Suffix;
  std::string Final;
};

std::string Extension(const std::string& file) {
  const fs::path path(file);
  return path.has_extension() ? path.extension().string() : ".pcb";
}

std::vector<TOutputFile> OutputFiles(const THostOptions& options) {
  std::vector<TOutputFile> files;
  const std::string board = OutputFileName(options);
  files.push_back({Extension(board), board});
  // A KiCad board's placer options go into a file beside it when they changed.
  files.push_back({".placer.json", fs::path(board).replace_extension(".placer.json").string()});
  if (!options.Svg.empty()) {
    files.push_back({".view.svg", options.Svg});
  }
  if (!options.Png.empty()) {
    files.push_back({".view.png", options.Png});
  }
  if (!options.BoardSvg.empty()) {
    files.push_back({".board.svg", options.BoardSvg});
  }
  if (!options.BoardPng.empty()) {
    files.push_back({".board.png", options.BoardPng});
  }
  return files;
}

std::vector<std::string> StartArguments(const THostOptions& options, const TStart& start) {
  std::vector<std::string> arguments{"autoplace", options.Board, "--seed",
                                     std::to_string(start.Seed)};
  const std::string stem = start.Stem.string();
  const std::vector<TOutputFile> files = OutputFiles(options);
  arguments.insert(arguments.end(), {"-o", stem + files[0].Suffix, "--report", stem + ".json"});
  for (const TOutputFile& file : files) {
    if (file.Suffix == ".view.svg") {
      arguments.insert(arguments.end(), {"--svg", stem + file.Suffix});
    } else if (file.Suffix == ".view.png") {
      arguments.insert(arguments.end(), {"--png", stem + file.Suffix});
    } else if (file.Suffix == ".board.svg") {
      arguments.insert(arguments.end(), {"--board-svg", stem + file.Suffix});
    } else if (file.Suffix == ".board.png") {
      arguments.insert(arguments.end(), {"--board-png", stem + file.Suffix});
    }
  }
  // Efforts not given are left to each start, which scales them to the board as a single run.
  char effort[64];
  if (options.EffortGiven) {
    std::snprintf(effort, sizeof effort, "%.17g", options.Effort);
    arguments.insert(arguments.end(), {"--effort", effort});
  }
  if (options.Refine) {
    arguments.push_back("--refine");
  }
  if (!options.Legalise) {
    arguments.push_back("--no-legalise");
  }
  arguments.push_back(options.Detail ? "--detail" : "--no-detail");
  arguments.push_back(options.Decoupling ? "--decoupling" : "--no-decoupling");
  arguments.push_back(options.Polish ? "--polish" : "--no-polish");
  if (options.RefineEffortGiven) {
    std::snprintf(effort, sizeof effort, "%.17g", options.RefineEffort);
    arguments.insert(arguments.end(), {"--refine-effort", effort});
  }
  if (options.Compare) {
    arguments.push_back("--compare");
  }
  if (options.MoveEdgeParts) {
    arguments.push_back("--move-edge-parts");
  }
  if (options.WideNets) {
    arguments.push_back("--wide-nets");
  }
  if (options.StopAfter > 0) {
    arguments.insert(arguments.end(), {"--stop-after", std::to_string(options.StopAfter)});
  }
  if (options.PowerNets) {
    arguments.insert(arguments.end(), {"--power-nets", *options.PowerNets});
  }
  if (options.GroundNets) {
    arguments.insert(arguments.end(), {"--ground-nets", *options.GroundNets});
  }
  return arguments;
}

bool Launch(const THostOptions& options, TStart& start) {
  const std::vector<std::string> arguments = StartArguments(options, start);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  const std::string out = start.Stem.string() + ".out";
  const std::string err = start.Stem.string() + ".err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int failed =
      posix_spawn(&start.Process, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0;
}

// Waits for one of the running starts and notes how it ended.
void WaitForOne(std::vector<TStart>& starts) {
  int status = 0;
  const pid_t ended = wait(&status);
  for (TStart& start : starts) {
    if (start.Process == ended && ended > 0) {
      start.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : ExitStopped;
      start.Process = -1;
    }
  }
}

void RunAll(const THostOptions& options, std::vector<TStart>& starts) {
  size_t running = 0;
  for (TStart& start : starts) {
    if (running == static_cast<size_t>(options.Jobs)) {
      WaitForOne(starts);
      --running;
    }
    if (Launch(options, start)) {
      ++running;
    } else {
      start.ExitCode = ExitUnreadableBoard;
    }
  }
  for (; running > 0; --running) {
    WaitForOne(starts);
  }
}

std::string ReadText(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

// The start with the lowest final cost (the earlier seed on a tie); null when none succeeded.
TStart* Best(std::vector<TStart>& starts) {
  TStart* best = nullptr;
  for (TStart& start : starts) {
    if (start.ExitCode != ExitSuccess) {
      continue;
    }
    try {
      start.Cost = nlohmann::json::parse(ReadText(start.Stem.string() + ".json")).at("finalCost");
    } catch (const std::exception&) {
      start.ExitCode = ExitUnreadableBoard;
      continue;
    }
    if (best == nullptr || start.Cost < best->Cost) {
      best = &start;
    }
  }
  return best;
}

// Puts the kept start's file in place the way a saved board is written: through a symbolic link to
// the file it names, with that file's permissions, never half written.
bool Deliver(const std::function<std::string()>& text, const std::string& to) {
  try {
    Tarnix::WriteFileAtomically(to, text());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "autoplace: %s\n", error.what());
    return false;
  }
  return true;
}

bool Deliver(const fs::path& from, const std::string& to) {
  return Deliver([&] { return Tarnix::ReadFileText(from.string()); }, to);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

bool DeliverReport(const THostOptions& options, const TStart& best,
                   const std::vector<TStart>& starts, double seconds) {
  if (options.Report.empty()) {
    return true;
  }
  nlohmann::json report = nlohmann::json::parse(ReadText(best.Stem.string() + ".json"));
  report["output"] = OutputFileName(options);
  report["seconds"] = seconds;
  report["cpuSeconds"] = CpuSecondsUsed();
  nlohmann::json runs = nlohmann::json::array();
  for (const TStart& start : starts) {
    runs.push_back({{"seed", start.Seed}, {"exitCode", start.ExitCode}, {"finalCost", start.Cost}});
  }
  report["starts"] = runs;
  return Deliver([&] { return report.dump(2) + "\n"; }, options.Report);
}

void PrintStarts(const std::vector<TStart>& starts, const TStart& best, int jobs) {
  std::printf("Starts: %zu from seed %u, %d at a time; final costs:", starts.size(),
              starts.front().Seed, jobs);
  for (const TStart& start : starts) {
    if (start.ExitCode == ExitSuccess) {
      std::printf(" %.6g", start.Cost);
    } else {
      std::printf(" (exit %d)", start.ExitCode);
    }
  }
  std::printf("; kept seed %u\n", best.Seed);
}

int KeepBest(const THostOptions& options, std::vector<TStart>& starts, double seconds) {
  TStart* best = Best(starts);
  if (best == nullptr) {
    // They all failed alike: say why the first did.
    std::fputs(ReadText(starts.front().Stem.string() + ".err").c_str(), stderr);
    return starts.front().ExitCode;
  }
  bool delivered = true;
  std::string summary = ReadText(best->Stem.string() + ".out");
  for (const TOutputFile& file : OutputFiles(options)) {
    const fs::path produced = best->Stem.string() + file.Suffix;
    if (fs::exists(produced)) {
      delivered = Deliver(produced, file.Final) && delivered;
      summary = Replaced(summary, produced.string(), file.Final);
    }
  }
  delivered = DeliverReport(options, *best, starts, seconds) && delivered;
  if (!options.Quiet) {
    std::fputs(summary.c_str(), stdout);
    PrintStarts(starts, *best, options.Jobs);
  }
  return delivered ? ExitSuccess : ExitUnreadableBoard;
}

}  // namespace

int RunStarts(const THostOptions& options) {
  const auto started = std::chrono::steady_clock::now();
  // The starts write into a scratch folder, so the final files are checked here, before any run.
  TOutputFault fault;
  if (!CheckOutputFiles(options, fault)) {
    std::fprintf(stderr, "autoplace: %s\n", fault.Message.c_str());
    return fault.ExitCode;
  }
  char pattern[] = "/tmp/autoplace-starts-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    std::perror("autoplace: cannot make a scratch folder");
    return ExitUnreadableBoard;
  }
  const fs::path scratch(pattern);
  std::vector<TStart> starts(static_cast<size_t>(options.Starts));
  for (size_t i = 0; i < starts.size(); ++i) {
    starts[i].Seed = options.Seed.value_or(1) + static_cast<uint32_t>(i);
    starts[i].Stem = scratch / std::to_string(i);
  }
  // Ctrl-C reaches the starts, which stop and save nothing; this process waits for them.
  const auto previous = std::signal(SIGINT, SIG_IGN);
  RunAll(options, starts);
  std::signal(SIGINT, previous);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  int code = ExitUnreadableBoard;
  try {
    code = KeepBest(options, starts, seconds);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "autoplace: %s\n", error.what());
  }
  std::error_code ignored;
  fs::remove_all(scratch, ignored);
  return code;
}
