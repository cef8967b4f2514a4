#include "pcb/PCBProcs.h"

namespace {

constexpr const char* EditorModuleName = "Tarnix.dll";

TPcbProcs BoundEntryPoints;
HMODULE EditorModule = nullptr;

// GetProcAddress gives a generic function pointer; going through void (*)() converts it to the
// entry point's own type without a cast between unrelated function types.
template <typename Fn>
Fn LookUp(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

bool BindPcbProcs() {
  EditorModule = GetModuleHandleA(EditorModuleName);
  BoundEntryPoints = TPcbProcs{};
  if (EditorModule == nullptr)
    return false;
#define PCB_PROC_BIND(Name, ...) \
  BoundEntryPoints.PcbApi_##Name = LookUp<PcbApi_##Name##_Fn>(EditorModule, "PcbApi_" #Name);
#define PCB_PROC_CUSTOM_BIND(Name) PCB_PROC_BIND(Name)
  PCB_PROC_LIST(PCB_PROC_BIND, PCB_PROC_CUSTOM_BIND)
#undef PCB_PROC_CUSTOM_BIND
#undef PCB_PROC_BIND
  return true;
}

HMODULE PcbModule() {
  return EditorModule;
}

const TPcbProcs& PcbProcs() {
  return BoundEntryPoints;
}

namespace Pcb {

uint32_t CreateIterator(uint32_t parent, uint8_t objectKind, uint8_t method,
                        TLayerNumber layerNumber) {
  const auto entry = BoundProcs().PcbApi_CreateIterator;
  if (entry == nullptr)
    return 0;
  return entry(parent, objectKind, method, LayerIdFromNumber(layerNumber));
}

int32_t QueryComponent_GetObjectAt(uint32_t component, uint8_t* objectKind, uint16_t* index,
                                   uint32_t* child) {
  if (child != nullptr)
    *child = 0;
  const auto entry = BoundProcs().PcbApi_QueryComponent_GetObjectAt;
  if (entry == nullptr)
    return 1;
  return entry(component, objectKind, index, child);
}

}  // namespace Pcb
