#include "shell/Commands_Placer.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "engine/PlaceObj.h"
#include "framework/ClientProcs.h"
#include "framework/ClientServices.h"
#include "framework/HostStatus.h"
#include "framework/Rt_Param.h"
#include "framework/TextHelpers.h"
#include "pcb/PCBProcs.h"
#include "pcb/Pcbclass.h"
#include "prefs/Autodlgs.h"
#include "shell/PlacerInterfaces.h"

namespace {

constexpr const char* PlacerFileExtension = ".PLC";

std::string DocumentKind(IServerDocument& document) {
  std::wstring kind;
  CheckStatus(document.GetKind(&kind));
  return NarrowText(kind);
}

TComPtr<IServerDocument> OwnerDocument(IServerDocumentView& view) {
  TComPtr<IServerDocument> document;
  CheckStatus(view.GetOwnerDocument(document.Put()));
  return document;
}

// Opens the placer document of the PCB file through the host; null when the host gives none.
TComPtr<IServerDocument> OpenPlacerDocument(const std::string& pcbFileName) {
  const std::string placerFileName = ChangeFileExt(pcbFileName, PlacerFileExtension);
  VFSCreateFile(placerFileName, "Placer", "");
  return OpenDocumentThroughHost(L"Placer", placerFileName);
}

void ApplyAutoPcbUpdate(IServerDocument& document, const char* parameters) {
  std::string value;
  if (!GetParameter(parameters, "UseAutoPCBUpdate", value)) {
    return;
  }
  const TComPtr<IPlacerDocument> placer = QueryInterfaceAs<IPlacerDocument>(&document);
  if (!placer) {
    throw EHostCallFailed(E_NOINTERFACE);
  }
  TAutoPlacer* engine = nullptr;
  CheckStatus(placer->GetAutoPlacer(&engine));
  if (engine != nullptr) {
    engine->UseAutoPcbUpdate = SameTextTrimmed(value, "True");
  }
}

}  // namespace

bool IsInteractiveRun(const char* parameters) {
  std::string value;
  if (!GetParameter(parameters, "Batch", value)) {
    return true;
  }
  return SameTextTrimmed(value, "False");
}

std::optional<uint32_t> RunSeedParameter(const char* parameters) {
  std::string value;
  if (!GetParameter(parameters, "Seed", value)) {
    return std::nullopt;
  }
  const std::string_view text = TrimBlanks(value);
  int64_t seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (error != std::errc() || end != text.data() + text.size() ||
      seed < std::numeric_limits<int32_t>::min() || seed > std::numeric_limits<uint32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<uint32_t>(seed);
}

TRunTuning RunTuningParameters(const char* parameters) {
  TRunTuning tuning;
  std::string value;
  if (GetParameter(parameters, "Effort", value)) {
    const std::string_view text = TrimBlanks(value);
    double effort = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), effort);
    if (error == std::errc() && end == text.data() + text.size() && std::isfinite(effort) &&
        effort > 0.0) {
      tuning.Effort = effort;
    }
  }
  if (GetParameter(parameters, "Refine", value)) {
    tuning.Refine = SameTextTrimmed(value, "1") || SameTextTrimmed(value, "True");
  }
  return tuning;
}

int32_t CountBoardObjects(uint32_t boardHandle, uint8_t objectKind, TLayerNumber layer) {
  const uint32_t iterator = Pcb::CreateIterator(boardHandle, objectKind, 0, layer);
  int32_t count = 0;
  for (uint32_t handle = Pcb::GetFirstObject(iterator); handle != 0;
       handle = Pcb::GetNextObject(iterator)) {
    if (count < std::numeric_limits<int32_t>::max()) {
      ++count;
    }
  }
  Pcb::DestroyIterator(iterator);
  return count;
}

bool BoardHasComponentsAndNets(uint32_t boardHandle) {
  const int64_t components = int64_t{CountBoardObjects(boardHandle, ComponentObject, TopLayer)} +
                             CountBoardObjects(boardHandle, ComponentObject, BottomLayer);
  if (components == 0) {
    return false;
  }
  return CountBoardObjects(boardHandle, NetObject, 0) != 0;
}

void CommandRunAutoplacer(IUnknown* context, const char* parameters) {
  const TComPtr<IServerDocumentView> view = QueryInterfaceAs<IServerDocumentView>(context);
  if (!view) {
    return;
  }
  const TComPtr<IServerDocument> focused = OwnerDocument(*view);
  if (!focused || !SameText(DocumentKind(*focused), "PCB")) {
    return;
  }
  BindPcbProcs();
  const uint32_t board = Pcb::GetCurrentBoardHandle();
  if (board == 0) {
    return;
  }
  if (IsInteractiveRun(parameters) && !ShowAutoplacePreferences(board)) {
    return;
  }
  if (!BoardHasComponentsAndNets(board)) {
    return;
  }
  std::wstring pcbFileName;
  CheckStatus(OwnerDocument(*view)->GetFileName(&pcbFileName));
  const TComPtr<IServerDocument> document = OpenPlacerDocument(NarrowText(pcbFileName));
  if (!document) {
    return;  // the host opened nothing
  }
  const TComPtr<IPlacerControl> control = document.As<IPlacerControl>();
  if (!control) {
    throw EHostCallFailed(E_NOINTERFACE);
  }
  // A run already going on in that document is left alone, seed and update mode included.
  TAutoPlacer* running = nullptr;
  if (const auto placer = document.As<IPlacerDocument>()) {
    CheckStatus(placer->GetAutoPlacer(&running));
  }
  if (running != nullptr && running->Running) {
    return;
  }
  if (const auto options = document.As<IPlacerRunOptions>()) {
    const std::optional<uint32_t> seed = RunSeedParameter(parameters);
    CheckStatus(options->SetRunSeed(seed.has_value(), seed.value_or(0)));
    const TRunTuning tuning = RunTuningParameters(parameters);
    CheckStatus(options->SetRunTuning(tuning.Effort, tuning.Refine));
  }
  control->LoadBoardAndRun(board);
  ApplyAutoPcbUpdate(*document, parameters);
}

void CommandStopAutoplacer(IUnknown* context, const char* /*parameters*/) {
  if (const TComPtr<IPlacerControl> control = QueryInterfaceAs<IPlacerControl>(context)) {
    control->StopPlacer();
  }
}

void CommandUpdateClientPCBDocument(IUnknown* context, const char* /*parameters*/) {
  if (const TComPtr<IPlacerControl> control = QueryInterfaceAs<IPlacerControl>(context)) {
    control->UpdateClientPCBDocument();
  }
}
