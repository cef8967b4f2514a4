#include "shell/Document.h"

#include "engine/PlaceObj.h"
#include "engine/PlacerBoard.h"
#include "framework/ClientProcs.h"
#include "framework/ClientServices.h"
#include "framework/HostStatus.h"
#include "framework/MessageBoxes.h"
#include "framework/Rt_Param.h"
#include "framework/TextHelpers.h"
#include "pcb/PCBProcs.h"
#include "pcb/PcbStrings.h"
#include "pcb/Pcbclass.h"
#include "shell/PlacerView.h"
#include "shell/PlacerViewForm.h"
#include "shell/WriteBackTargets.h"

namespace {

constexpr const char* AutoplaceViewName = "AutoplaceView";
constexpr std::size_t ProcessParameterBufferSize = 256;
constexpr int32_t ProcessParameterCapacity = 255;

uint32_t BoardHandleOfFile(const std::string& fileName) {
  PcbString255 name = {};
  ToPcbString(name, fileName);
  return Pcb::GetBoardHandleFromFileName(&name);
}

void RunPcbProcess(const char* process, std::string_view name, std::string_view value) {
  char parameters[ProcessParameterBufferSize] = {};
  SetParameter(parameters, sizeof parameters, name, value);
  RunProcess(process, parameters, ProcessParameterCapacity, 0);
}

void TellHostRunEnded(IServerDocument* document) {
  if (const TComPtr<IClient> client = GetClient()) {
    CheckStatus(client->DocumentRunEnded(document));
  }
}

}  // namespace

TPlacerDocument::TEngineUse::TEngineUse(TPlacerDocument& document) : Document(document) {
  ++Document.EngineUses;
}

TPlacerDocument::TEngineUse::~TEngineUse() {
  if (--Document.EngineUses == 0) {
    Document.FreeRetiredEngines();
  }
}

// ----------------------------------------------------------------------------------------------

TPlacerDocument::TPlacerDocument(TServerModule* module, std::string fileName, std::string kind)
    : TInterfacedExtension(module, std::move(fileName), std::move(kind)) {}

TPlacerDocument::~TPlacerDocument() {
  if (Form != nullptr) {
    Form->ForgetDocument();
  }
}

void TPlacerDocument::CreateViews() {
  TGraphicalViewForm& form = CreateViewForm<TGraphicalViewForm>(this);
  Form = &form;
  // The window exists from the start: the run's messages are posted to it.
  form.Handle();
  const TComPtr<TPlacerView> view = MakeComObject<TPlacerView>(AutoplaceViewName, form, this);
  CheckStatus(AddView(view.Get()));
}

TComPtr<IPlacerView> TPlacerDocument::FirstPlacerView() const {
  if (Views.empty()) {
    return nullptr;
  }
  return Views.front().As<IPlacerView>();
}

HWND TPlacerDocument::FirstViewWindow() const {
  HWND window = nullptr;
  if (!Views.empty()) {
    CheckStatus(Views.front()->GetWindowHandle(&window));
  }
  return window;
}

void TPlacerDocument::ReplaceEngine(std::unique_ptr<TAutoPlacer> engine) {
  if (Engine) {
    RetiredEngines.push_back(std::move(Engine));
  }
  Engine = std::move(engine);
  if (EngineUses == 0) {
    FreeRetiredEngines();
  }
}

void TPlacerDocument::FreeRetiredEngines() {
  // A retired engine still running has its loop on the stack: it waits for the next turn.
  std::erase_if(RetiredEngines, [](const auto& engine) { return !engine->Running; });
}

// ----------------------------------------------------------------------------------------------
// IPlacerControl

HRESULT TPlacerDocument::LoadBoardAndRun(uint32_t boardHandle) {
  return CallAtHostBoundary([&] { DoLoadBoardAndRun(boardHandle); });
}

void TPlacerDocument::DoLoadBoardAndRun(uint32_t boardHandle) {
  // A second request during a run leaves the running engine alone.
  if (Engine && Engine->Running) {
    return;
  }
  TEngineUse use(*this);
  BoardHandle = boardHandle;
  if (const TComPtr<IPlacerView> view = FirstPlacerView()) {
    TPanel* panel = nullptr;
    CheckStatus(view->GetBackgroundPanel(&panel));
    panel->SetCaption("Loading board please wait...");
  }
  const HWND window = FirstViewWindow();

  ReplaceEngine(std::make_unique<TAutoPlacer>());
  TAutoPlacer& engine = *Engine;
  engine.ViewHandle = window;
  engine.Seed = RunSeed;
  engine.Tuning = RunTuning;
  if (window != nullptr) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }

  engine.ImportBoard(boardHandle);

  if (const TComPtr<IPlacerView> view = FirstPlacerView()) {
    TPaintBox* surface = nullptr;
    CheckStatus(view->GetDrawingSurface(&surface));
    surface->Repaint();
  }
  PostMessageA(window, WM_COMMAND, cmPlacerStart, 0);
}

HRESULT TPlacerDocument::StopPlacer() {
  return CallAtHostBoundary([&] {
    BindPcbProcs();
    if (Engine && Engine->Running) {
      Engine->StopRequested = true;
    }
  });
}

HRESULT TPlacerDocument::UpdateClientPCBDocument() {
  return CallAtHostBoundary([&] {
    BindPcbProcs();
    WriteBack();
  });
}

HRESULT TPlacerDocument::SetRunSeed(bool hasSeed, uint32_t seed) {
  RunSeed = hasSeed ? std::optional<uint32_t>(seed) : std::nullopt;
  return S_OK;
}

HRESULT TPlacerDocument::SetRunTuning(double effort, bool refine) {
  RunTuning.Effort = effort;
  RunTuning.Refine = refine;
  return S_OK;
}

HRESULT TPlacerDocument::GetRunCost(double* cost) {
  if (cost == nullptr) {
    return E_POINTER;
  }
  if (!Engine) {
    return E_FAIL;
  }
  *cost = Engine->TotalCost();
  return S_OK;
}

// ----------------------------------------------------------------------------------------------
// IPlacerDocument

HRESULT TPlacerDocument::GetAutoPlacer(TAutoPlacer** engine) {
  if (engine == nullptr) {
    return E_POINTER;
  }
  *engine = Engine.get();
  return S_OK;
}

HRESULT TPlacerDocument::PlacementFinished() {
  return CallAtHostBoundary([&] { DoPlacementFinished(); });
}

void TPlacerDocument::DoPlacementFinished() {
  if (!Engine) {
    return;
  }
  TEngineUse use(*this);
  TAutoPlacer& engine = *Engine;
  engine.KeepTheBetterPlacement();
  engine.UseNetLength = true;
  engine.UseDensity = true;
  engine.EvaluateAll();
  if (engine.UseAutoPcbUpdate) {
    WriteBack();
  }
  ShowInformation("Auto-Place is Finished");
  TellHostRunEnded(this);
}

HRESULT TPlacerDocument::PlacementStopped() {
  return CallAtHostBoundary([&] { TellHostRunEnded(this); });
}

// ----------------------------------------------------------------------------------------------
// Write-back

void TPlacerDocument::WriteBack() {
  if (!Engine) {
    return;
  }
  const TComPtr<IClient> client = GetClient();
  if (!client) {
    return;
  }
  bool available = false;
  CheckStatus(client->ServerAvailable(L"PCB", &available));
  if (!available) {
    return;
  }
  TEngineUse use(*this);
  // The engine is kept by this use even if a message below replaces it.
  TAutoPlacer* engine = Engine.get();
  BindPcbProcs();
  if (!engine->Board) {
    return;
  }
  const std::string fileName = engine->Board->FileName;
  const uint32_t board = FindOrOpenPcbBoard(fileName);
  if (board == 0) {
    return;
  }
  // A board closed and opened again since the import holds the same components under new handles.
  const bool reopened = board != BoardHandle;
  engine->Board->Handle = board;
  engine->Board->Sync(1);
  engine->PumpMessages();
  if (engine->Board) {
    engine->PlaceBypassCapacitors();
    const TWriteTargets targets = FindWriteTargets(*engine, board, reopened);
    if (!targets.Problem.empty()) {
      ShowError("The board " + fileName + " has changed since it was placed: " + targets.Problem +
                ". " + "\r" + "Nothing was written; place the board again");
      return;
    }
    WriteTargets(targets.Targets);
  }
  RunPcbProcesses(BoardHandleOfFile(fileName));
  MarkPcbDocumentModified(fileName);
}

uint32_t TPlacerDocument::FindOrOpenPcbBoard(const std::string& fileName) {
  uint32_t board = BoardHandleOfFile(fileName);
  if (board != 0) {
    return board;
  }
  OpenDocumentThroughHost(L"PCB", fileName);
  board = BoardHandleOfFile(fileName);
  if (board == 0) {
    ShowError("Cannot find " + fileName + ". " + "\r" + "Load the file and try again");
  }
  return board;
}

void TPlacerDocument::RunPcbProcesses(uint32_t board) {
  const uint32_t previous = Pcb::GetCurrentBoardHandle();
  Pcb::SetCurrentBoardHandle(board);
  try {
    RunPcbProcess("PCB:Netlist", "Optimize", "All");
    RunPcbProcess("PCB:Zoom", "Action", "Redraw");
  } catch (...) {
    Pcb::SetCurrentBoardHandle(previous);
    throw;
  }
  Pcb::SetCurrentBoardHandle(previous);
}

void TPlacerDocument::MarkPcbDocumentModified(const std::string& fileName) {
  const TComPtr<IClient> client = GetClient();
  if (!client) {
    return;
  }
  const std::wstring wideName = WidenText(fileName);
  TComPtr<IServerDocument> document;
  CheckStatus(client->GetDocumentByPath(wideName.c_str(), document.Put()));
  if (document) {
    CheckStatus(document->SetModified(true));
  }
}
