#include "HostLibraries.h"

#include <algorithm>
#include <map>
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
  // The editor builds the text afresh on every call, which takes a while on a large board: the
  // buffer offered first is a quarter larger than the last text of its kind, so that the text
  // of a board seen before usually comes in one call, and a megabyte for a kind not seen yet,
  // which holds the whole text of most boards.
  constexpr size_t FirstGuess = size_t{1} << 20;
  static std::map<int32_t (*)(uint32_t, char*, size_t, size_t*), size_t> lastSizes;
  size_t& lastSize = lastSizes[get];
  std::string text(std::max(lastSize + lastSize / 4 + 4096, FirstGuess), '\0');
  size_t needed = 0;
  if (get(board, text.data(), text.size(), &needed) != 0 && needed < text.size())
    return {};
  if (needed >= text.size()) {
    text.assign(needed + 1, '\0');
    if (get(board, text.data(), text.size(), &needed) != 0 || needed >= text.size())
      return {};
  }
  text.resize(needed);
  lastSize = std::max(lastSize, needed);
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
