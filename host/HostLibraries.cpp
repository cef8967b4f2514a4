#include "HostLibraries.h"

#include <stdexcept>

#include "HostModules.h"

namespace {

template <class TFunction>
void Bind(void* library, const char* name, TFunction& function) {
  function = reinterpret_cast<TFunction>(LibraryEntry(library, name));
  if (function == nullptr) {
    throw std::runtime_error(std::string("missing entry point ") + name);
  }
}

}  // namespace

const TEditor& Editor() {
  static const TEditor editor = [] {
    void* library = LoadFromExecutableFolder(EditorLibraryName);
    TEditor bound{};
    Bind(library, "Tarnix_OpenBoard", bound.OpenBoard);
    Bind(library, "Tarnix_CreateBoard", bound.CreateBoard);
    Bind(library, "Tarnix_SaveBoard", bound.SaveBoard);
    Bind(library, "Tarnix_SetSaveStop", bound.SetSaveStop);
    Bind(library, "Tarnix_CloseBoard", bound.CloseBoard);
    Bind(library, "Tarnix_RunProcess", bound.RunProcess);
    Bind(library, "Tarnix_GetConnectionLength", bound.GetConnectionLength);
    Bind(library, "PcbApi_GetCurrentBoardHandle", bound.GetCurrentBoardHandle);
    Bind(library, "Tarnix_GetBoardText", bound.GetBoardText);
    Bind(library, "Tarnix_GetBoardNotes", bound.GetBoardNotes);
    Bind(library, "Tarnix_SetSupplyNets", bound.SetSupplyNets);
    Bind(library, "Tarnix_HoldEdgeParts", bound.HoldEdgeParts);
    Bind(library, "Tarnix_ReleaseHeldParts", bound.ReleaseHeldParts);
    Bind(library, "Tarnix_PullPartsInside", bound.PullPartsInside);
    Bind(library, "Tarnix_CountPartsOutside", bound.CountPartsOutside);
    Bind(library, "Tarnix_LegalisePlacement", bound.LegalisePlacement);
    Bind(library, "Tarnix_PlaceCapacitorsBesideChips", bound.PlaceCapacitorsBesideChips);
    Bind(library, "Tarnix_PlaceInDetail", bound.PlaceInDetail);
    return bound;
  }();
  return editor;
}

std::string EditorText(int32_t (*get)(uint32_t, char*, size_t, size_t*), uint32_t board) {
  size_t needed = 0;
  get(board, nullptr, 0, &needed);
  std::string text(needed + 1, '\0');
  if (get(board, text.data(), text.size(), &needed) != 0 || needed >= text.size())
    return {};
  text.resize(needed);
  return text;
}

TServerFactory LoadedServerFactory() {
  static const TServerFactory factory = [] {
    Editor();  // the plug-in binds the editor's entry points when it loads
    TServerFactory bound = nullptr;
    Bind(LoadFromExecutableFolder(PlacerLibraryName), "ServerFactory", bound);
    return bound;
  }();
  return factory;
}
