#include "HostRun.h"

#include <platform_drawing.h>
#include <platform_host.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "HostBoard.h"
#include "HostClient.h"
#include "HostDialogs.h"
#include "HostLibraries.h"
#include "HostOutputs.h"
#include "HostPictures.h"
#include "HostReport.h"
#include "HostSignals.h"
#include "HostSizeRule.h"
#include "HostSummary.h"
#include "HostText.h"
#include "engine/PlaceObj.h"
#include "prefs/Autodlgs.h"
#include "shell/PlacerInterfaces.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr UINT WM_HOST_STOP = 0x8001;  // the first private application message
constexpr UINT_PTR StopTimer = 1;
constexpr const char* FinishedText = "Auto-Place is Finished";
constexpr const char* NothingToPlaceText = "Auto Place cannot run. No un-locked components.";
constexpr double BoardUnitsPerMil = 10000.0;
constexpr int WideSignalNetPads = 1000;  // warned of
constexpr int MaxSignalNetPads = 2000;   // refused without --wide-nets

// The run the main window stops; one per process.
struct TRunState {
  TComPtr<THostClient> Client;
  TComPtr<IServerDocument> Placer;
  bool StopRequested = false;
  bool StopLaunched = false;
};
TRunState* CurrentRun = nullptr;

// A stop asked for before the placer document exists (during the import or the dialog) is kept
// and given as soon as it does.
void StopRun() {
  if (CurrentRun == nullptr || CurrentRun->StopLaunched) {
    return;
  }
  CurrentRun->StopRequested = true;
  if (!CurrentRun->Placer) {
    return;
  }
  CurrentRun->StopLaunched = true;
  if (const auto launcher = CurrentRun->Client->CommandLauncher()) {
    launcher->LaunchCommand(L"StopAutoplacer", "", 0, CurrentRun->Placer.Get());
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOST_STOP || (message == WM_TIMER && wParam == StopTimer)) {
    KillTimer(window, StopTimer);
    StopRun();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMainWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.lpszClassName = HostMainWindowClassName;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, HostMainWindowClassName, "autoplace", 0, 0, 0, 640, 480, nullptr,
                         nullptr, nullptr, nullptr);
}

// The time of each phase, printed with --timings: wall and CPU time, for on a shared machine the
// wall time says little. The write-back of a run's placement into the board happens inside the
// run's phase: its time is the silence between the run's last word and the box that says the run
// finished.
struct TPhases {
  struct TTimes {
    std::string Name;
    double Wall, Cpu;
  };
  std::vector<TTimes> Times;
  TClock::time_point Mark = TClock::now();
  double CpuMark = CpuSecondsUsed();
  double WriteBack = 0;
  void End(const std::string& name) {
    const auto now = TClock::now();
    const double cpu = CpuSecondsUsed();
    Times.push_back({name, std::chrono::duration<double>(now - Mark).count(), cpu - CpuMark});
    Mark = now;
    CpuMark = cpu;
  }
  void Print() const {
    for (const auto& [name, wall, cpu] : Times) {
      std::printf("Phase %-12s %8.3f s, CPU %8.3f s\n", (name + ":").c_str(), wall, cpu);
    }
    std::printf("Phase %-12s %8.3f s (within run and polish)\n", "write-back:", WriteBack);
  }
};

std::string RunParameters(const THostOptions& options) {
  // The placer writes the board back when its run finishes; a stopped run writes nothing.
  std::string parameters =
      std::string("Batch=") + (options.Preferences ? "False" : "True") + "|UseAutoPCBUpdate=True";
  if (options.Seed) {
    parameters += "|Seed=" + std::to_string(*options.Seed);
  }
  if (options.Effort != 1.0) {
    char effort[64];
    std::snprintf(effort, sizeof effort, "|Effort=%.17g", options.Effort);
    parameters += effort;
  }
  if (options.Refine) {
    parameters += "|Refine=1";
  }
  return parameters;
}

// The polish after the run: the refinement's schedule from the placement the run left, in batch.
std::string PolishParameters(const THostOptions& options) {
  THostOptions polish = options;
  polish.Preferences = false;
  polish.Refine = true;
  polish.Effort = options.RefineEffort;
  return RunParameters(polish);
}

// The engine measures a signal net afresh whenever one of its parts moves, in time that grows
// faster than its pads: a net of a thousand pads makes a run slow, one of several thousand makes it
// last hours (2,000 pads: about 17 s for the standard run; 10,000: more than ten minutes). A supply
// net named as one is left out of that measure. Returns false when the board is refused.
bool CheckTheWidestSignalNet(const THostOptions& options, const TPlacementMeasures& measures) {
  if (measures.WidestSignalNetPads <= MaxSignalNetPads || options.WideNets) {
    if (measures.WidestSignalNetPads >= WideSignalNetPads && !options.Quiet) {
      std::fprintf(stderr,
                   "autoplace: net %s joins %d pads and is no supply net: every move of its parts "
                   "measures it afresh, so this run will be slow; if it is a supply, name it with "
                   "--power-nets or --ground-nets\n",
                   measures.WidestSignalNet.c_str(), measures.WidestSignalNetPads);
    }
    return true;
  }
  std::fprintf(stderr,
               "autoplace: net %s joins %d pads and is no supply net; a signal net of more than "
               "%d pads would make the run last hours: if it is a supply, name it with "
               "--power-nets or --ground-nets, or place it anyway with --wide-nets\n",
               measures.WidestSignalNet.c_str(), measures.WidestSignalNetPads, MaxSignalNetPads);
  return false;
}

double ConnectionLengthMils(uint32_t board) {
  double length = 0;
  Editor().GetConnectionLength(board, &length);
  return length / BoardUnitsPerMil;
}

// The placer document the run opened (any document besides the board).
TComPtr<IServerDocument> FindPlacerDocument(const THostClient& client, const std::string& board) {
  for (const auto& [name, document] : client.Documents) {
    if (name != board) {
      return document;
    }
  }
  return nullptr;
}

HWND PlacerWindow(IServerDocument& placer) {
  TComPtr<IServerDocumentView> view;
  HWND window = nullptr;
  if (placer.GetView(0, view.Put()) == S_OK && view) {
    view->GetWindowHandle(&window);
  }
  return window;
}

bool SavePictures(const TOutputFiles& files, HWND window) {
  std::string error;
  if (!files.Svg.empty() && !PlatformSaveDrawingSvg(window, files.Svg.c_str(), &error)) {
    std::fprintf(stderr, "autoplace: cannot save %s: %s\n", files.Svg.c_str(), error.c_str());
    return false;
  }
  if (!files.Png.empty() && !PlatformSaveDrawingPng(window, files.Png.c_str(), &error)) {
    std::fprintf(stderr, "autoplace: cannot save %s: %s\n", files.Png.c_str(), error.c_str());
    return false;
  }
  return true;
}

// The engine's final cost, moves and passes.
void TakeRunFigures(IServerDocument& placer, TRunReport& report) {
  if (const auto options = TComPtr<IServerDocument>(&placer).As<IPlacerRunOptions>()) {
    options->GetRunCost(&report.FinalCost);
  }
  TAutoPlacer* engine = nullptr;
  if (const auto document = TComPtr<IServerDocument>(&placer).As<IPlacerDocument>()) {
    document->GetAutoPlacer(&engine);
  }
  if (engine != nullptr) {
    report.Moves = engine->MovesTotal;
    report.Passes = engine->Finished ? engine->PassNumber : engine->PassNumber - 1;
  }
}

bool SaveReportIfAsked(const THostOptions& options, const TRunReport& report) {
  std::string error;
  if (options.Report.empty() || SaveReport(options.Report, report, error)) {
    return true;
  }
  std::fprintf(stderr, "autoplace: cannot save %s: %s\n", options.Report.c_str(), error.c_str());
  return false;
}

std::string LengthTitle(const char* when, const TPlacementMeasures& measures) {
  char title[128];
  std::snprintf(title, sizeof title, "%s: signal half-perimeter %.0f mil", when,
                measures.SignalHalfPerimeter);
  return title;
}

bool SaveBoardPictures(const THostOptions& options, const TRunReport& report,
                       const std::string& before, const std::string& after) {
  std::vector<TBoardPicture> boards;
  if (options.Compare) {
    boards.push_back({LengthTitle("Before", report.Before), before});
  }
  boards.push_back({LengthTitle(options.Compare ? "After" : "Placed", report.After), after});
  bool saved = true;
  for (const std::string& file : {options.BoardSvg, options.BoardPng}) {
    std::string error;
    if (!file.empty() && !SaveBoardPicture(boards, file, error)) {
      std::fprintf(stderr, "autoplace: cannot save %s: %s\n", file.c_str(), error.c_str());
      saved = false;
    }
  }
  return saved;
}

void PumpUntilRunEnds(const THostClient& client, int runs) {
  MSG message;
  while (client.RunsEnded < runs && GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// How many runs said they finished.
int RunsFinished(const TDialogState& dialogs) {
  return static_cast<int>(std::count(dialogs.Boxes.begin(), dialogs.Boxes.end(), FinishedText));
}

int Run(const THostOptions& options, TRunState& state) {
  const auto started = TClock::now();
  TOutputFault fault;
  const auto files = CheckOutputFiles(options, fault);
  if (!files) {
    std::fprintf(stderr, "autoplace: %s\n", fault.Message.c_str());
    return fault.ExitCode;
  }
  TPhases phases;
  const bool terminal = isatty(STDERR_FILENO) != 0;
  const TProgressOutput output = options.Quiet ? TProgressOutput::Quiet
                                 : terminal    ? TProgressOutput::Terminal
                                               : TProgressOutput::Lines;
  auto statusBar = MakeComObject<THostStatusBar>(output, stderr);
  state.Client = MakeComObject<THostClient>(statusBar);
  THostClient& client = *state.Client;
  client.MainWindow = CreateMainWindow();

  TDialogScript script{options.Settings, options.Cancel,
                       isatty(STDIN_FILENO) != 0 && isatty(STDOUT_FILENO) != 0, options.Quiet};
  TDialogState dialogs;
  bool nothingToPlace = false;
  InstallDialogHandlers(script, dialogs, [&](const std::string& text) {
    // A board with nothing to place: the engine waits for a stop, which a user would give.
    if (text == NothingToPlaceText) {
      nothingToPlace = true;
      PostMessageA(client.MainWindow, WM_HOST_STOP, 0, 0);
    }
    if (text == FinishedText) {
      phases.WriteBack +=
          std::chrono::duration<double>(TClock::now() - statusBar->LastText()).count();
    }
  });

  InstallStopSignals(client.MainWindow, WM_HOST_STOP);
  SetExportedClient(state.Client.Get());
  if (LoadedServerFactory()(state.Client.Get(), client.Module.Put()) != S_OK || !client.Module) {
    std::fprintf(stderr, "autoplace: the placer did not start\n");
    return ExitUnreadableBoard;
  }
  phases.End("load");

  std::string reason;
  statusBar->ShowPhase("Reading " + options.Board);
  client.CurrentPcb = client.OpenPcb(options.Board, reason);
  if (!client.CurrentPcb) {
    std::fprintf(stderr, "autoplace: %s\n", reason.c_str());
    return ExitUnreadableBoard;
  }
  phases.End("read");
  const uint32_t board = client.CurrentPcb->Board;
  std::string supplyError;
  if (!ApplySupplyNets(options, board, supplyError)) {
    std::fprintf(stderr, "autoplace: %s\n", supplyError.c_str());
    return ExitUsage;
  }
  TRunReport report;
  report.Board = options.Board;
  report.Seed = options.Seed;
  report.Refine = options.Refine;
  report.Polish = options.Polish;
  // The board's text is built and parsed once for all the measures before the run, and once after
  // it.
  const std::string boardBefore = EditorText(Editor().GetBoardText, board);
  const nlohmann::json parsedBefore = nlohmann::json::parse(boardBefore, nullptr, false);
  report.Before = MeasurePlacement(parsedBefore);
  if (!CheckTheWidestSignalNet(options, report.Before)) {
    return ExitUsage;
  }
  TRunSummary& summary = report.Summary;
  summary.LengthBefore = ConnectionLengthMils(board);
  summary.Before = MeasureBoard(board, parsedBefore);
  summary.Notes = BoardNotes(board);
  // The efforts left to the defaults follow the size of the board.
  THostOptions run = options;
  report.EffortNote = ApplyDefaultEfforts(run, summary.Before.Movable);
  report.Effort = run.Effort;
  if (!options.MoveEdgeParts) {
    HoldEdgeParts(board, summary.Outline);
  }
  phases.End("open");

  statusBar->ShowPhase("Importing the board");
  const auto launcher = client.CommandLauncher();
  const std::string parameters = RunParameters(run);
  launcher->LaunchCommand(L"RunAutoplacer", parameters.c_str(), 0, client.CurrentPcb->View.Get());
  phases.End("import");
  if (dialogs.ScriptFailed) {
    std::fprintf(stderr, "autoplace: %s\n", dialogs.ScriptError.c_str());
    return ExitUsage;
  }
  state.Placer = FindPlacerDocument(client, options.Board);
  if (!state.Placer) {
    if (options.Cancel) {
      return ExitSuccess;  // the dialog was cancelled: nothing to do, silently
    }
    std::fprintf(stderr, "autoplace: nothing to place (no components or no nets)\n");
    return ExitNothingToPlace;
  }
#ifdef _WIN32
  // Windows paints only windows that are shown: the host shows the placer's view, as it shows
  // every document's view.
  ShowWindow(PlacerWindow(*state.Placer), SW_SHOWNOACTIVATE);
#endif
  if (state.StopRequested) {
    StopRun();
  }
  if (options.StopAfter > 0) {
    SetTimer(client.MainWindow, StopTimer, static_cast<UINT>(options.StopAfter * 1000.0), nullptr);
  }
  SetStopMode(TStopMode::AskRun);
  PumpUntilRunEnds(client, 1);
  int runs = 1;
  if (options.Polish && RunsFinished(dialogs) == runs && !StopSignalReceived() &&
      dialogs.Errors.empty()) {
    // The run wrote its placement back; the polish starts from it in the same placer document.
    TakeRunFigures(*state.Placer, report);
    phases.End("run");
    report.PolishEffort = run.RefineEffort;
    const std::string polish = PolishParameters(run);
    launcher->LaunchCommand(L"RunAutoplacer", polish.c_str(), 0, client.CurrentPcb->View.Get());
    PumpUntilRunEnds(client, ++runs);
  }
  SetStopMode(TStopMode::EndProcess);
  KillTimer(client.MainWindow, StopTimer);
  statusBar->EndLine();
  phases.End(runs > 1 ? "polish" : "run");
  summary.Progress = statusBar->Panel(2);

  // A Ctrl-C as the run ends counts as much as one during it: nothing is saved. One that comes
  // during the save stops it unless the board is already in place.
  const bool finished = RunsFinished(dialogs) == runs && !StopSignalReceived();
  if (!finished) {
    std::fprintf(stderr, "autoplace: the run was stopped; nothing was written back or saved\n");
    return nothingToPlace ? ExitNothingToPlace : ExitStopped;
  }

  // The placer refuses to write a board that changed under it, and says so in an error box.
  if (!dialogs.Errors.empty()) {
    std::fprintf(stderr,
                 "autoplace: the placer could not write the placement back; nothing was "
                 "saved\n");
    return ExitUnreadableBoard;
  }
  // What the rectangles of the placer cannot tell (notches, cut-outs) is mended on the true
  // outline; the parts held for the run are then let go, so that none is saved as locked.
  PullPartsInside(board, summary.Outline);
  phases.End("inside");
  // The clean finish: what still overlaps makes way, the held parts staying where they are.
  if (options.Legalise) {
    LegalisePlacement(board, summary.Outline);
    phases.End("legalise");
  }
  if (options.Decoupling) {
    PlaceCapacitorsBesideChips(board, summary.Outline);
    phases.End("decoupling");
  }
  // After the capacitors: the chips with one beside them stay, so that none ends further away.
  if (options.Detail) {
    PlaceInDetail(board, summary.Outline);
  }
  ReleaseHeldParts(board);
  Editor().RunProcess("PCB:Netlist", "Optimize=All");
  summary.LengthAfter = ConnectionLengthMils(board);
  phases.End("netlist");

  const std::string boardAfter = EditorText(Editor().GetBoardText, board);
  const nlohmann::json parsedAfter = nlohmann::json::parse(boardAfter, nullptr, false);
  summary.After = MeasureBoard(board, parsedAfter);
  report.After = MeasurePlacement(parsedAfter);
  phases.End("measures");
  const int64_t runMoves = report.Moves;  // of the run before the polish, if any
  TakeRunFigures(*state.Placer, report);
  if (report.PolishEffort > 0) {
    report.PolishMoves = report.Moves;
    report.Moves += runMoves;
  }
  // The pictures go first: a picture that fails leaves the board unsaved and the exit code true.
  SetStopMode(TStopMode::Saving);
  Editor().SetSaveStop([] { return StopSignalReceived() ? 1 : 0; });
  statusBar->ShowPhase("Saving " + files->Board);
  if (!SavePictures(*files, PlacerWindow(*state.Placer)) ||
      !SaveBoardPictures(options, report, boardBefore, boardAfter)) {
    std::fprintf(stderr, "autoplace: the placed board was not saved\n");
    return ExitUnreadableBoard;
  }
  phases.End("pictures");
  summary.Output = files->Board;
  char message[1024] = {};
  if (StopSignalReceived() ||
      Editor().SaveBoard(board, summary.Output.c_str(), message, sizeof message) != 0) {
    if (StopSignalReceived()) {
      std::fprintf(stderr, "autoplace: stopped; the placed board was not saved\n");
      return ExitStopped;
    }
    std::fprintf(stderr, "autoplace: %s\n", message);
    return ExitUnreadableBoard;
  }
  statusBar->EndLine();
  phases.End("save");

  summary.Seconds = std::chrono::duration<double>(TClock::now() - started).count();
  report.CpuSeconds = CpuSecondsUsed();
  const bool reported = SaveReportIfAsked(options, report);
  if (!options.Quiet) {
    PrintSummary(stdout, summary);
    PrintReportLines(stdout, report);
  }
  if (options.Timings) {
    phases.Print();
  }
  return reported ? ExitSuccess : ExitUnreadableBoard;
}

}  // namespace

int RunAutoplace(const THostOptions& options) {
  TRunState state;
  CurrentRun = &state;
  int code = ExitUnreadableBoard;
  try {
    code = Run(options, state);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "autoplace: %s\n", error.what());
  }
  RemoveStopSignals();
  // Drain what is queued, then let the plug-in's objects go before the libraries' globals.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  state.Placer = nullptr;
  if (state.Client) {
    state.Client->CurrentPcb = nullptr;
    state.Client->Documents.clear();
    state.Client->Module = nullptr;
  }
  SetExportedClient(nullptr);
  CurrentRun = nullptr;
  std::fflush(stdout);
  return code;
}
