#pragma once

// The binding of the PCB editor's functions. The editor library "Tarnix.dll" is loaded by the host
// before the placer; BindPcbProcs looks every entry point up by name in it, never loading it. All
// PCB access goes through the wrappers in namespace Pcb, named after the entry points without their
// prefix (Pcb::QueryComponent calls PcbApi_QueryComponent). A wrapper binds first while the module
// has not been found, and stands in for an entry point the editor lacks: it does not call and
// returns the entry point's fixed default result (1 for a few, 0 for the others; procedures do
// nothing).

#include <windows.h>

#include <type_traits>

#include "pcb/Layers.h"
#include "pcb/PcbApi.h"

// Every bound entry point, without its PcbApi_ prefix: X(Name, result when missing) for the plain
// wrappers, Custom(Name) for the entry points whose wrapper is written out below.
// clang-format off
#define PCB_PROC_LIST(X, Custom)                  \
  X(GetCurrentBoardHandle, 0)                     \
  X(SetCurrentBoardHandle, 0)                     \
  X(GetBoardHandleFromFileName, 0)                \
  Custom(CreateIterator)                          \
  X(GetFirstObject, 0)                            \
  X(GetNextObject, 0)                             \
  X(DestroyIterator, 0)                           \
  X(GetObjectIdFromObjectHandle, 0)               \
  X(QueryObjectBoundingRectangle, 0)              \
  X(QueryObjectImport_FromUser, 0)                \
  X(QueryObjectGraphicallyInvalidate, 0)          \
  X(GetObjectBitField2, 0)                        \
  X(GetObjectBitField3, 0)                        \
  X(QueryPrimitive, 0)                            \
  X(QueryTrack, 0)                                \
  X(QueryFill, 0)                                 \
  X(QueryArc, 0)                                  \
  X(QueryVia, 0)                                  \
  X(QueryRegion, 0)                               \
  X(QueryPolygon, 0)                              \
  X(QuerySplitPlane, 0)                           \
  X(QueryCoordinate, 0)                           \
  X(QueryDimension, 0)                            \
  X(References_Count, 0)                          \
  X(References_At, 0)                             \
  X(QueryExtDimension, 0)                         \
  X(QueryEmbeddedBoard, 0)                        \
  X(QueryEmbedded, 0)                             \
  X(QueryNet, 0)                                  \
  X(QueryFromTo, 0)                               \
  X(QueryManualFromTo, 1)                         \
  X(QueryComponentChannelOffset, 0)               \
  X(QueryComponentKind, 0)                        \
  X(QueryComponent, 0)                            \
  X(QueryComponentEx, 0)                          \
  X(QueryComponentSourceLinks, 0)                 \
  X(QueryDefaultPCB3DModel, 0)                    \
  Custom(QueryComponent_GetObjectAt)              \
  X(QueryPad, 0)                                  \
  X(QueryPadStackMode, 0)                         \
  X(QueryPadOrViaShapeOnLayer, 0)                 \
  X(QueryPadOrViaSizeOnLayer, 0)                  \
  X(QueryPadCornerRadiusOnLayer, 0)               \
  X(QueryPadCRPercentageOnLayer, 0)               \
  X(SetPadShapeOnLayer, 0)                        \
  X(SetPadSizeOnLayer, 0)                         \
  X(SetCRPctOnLayer, 0)                           \
  X(QueryPad_PwrGnd, 0)                           \
  X(QueryText, 0)                                 \
  X(QueryTrueTypeTextInfo, 0)                     \
  X(QueryBarCodeTextInfo, 0)                      \
  X(GetDesignatorDisplayString, 0)                \
  X(QueryClass, 0)                                \
  X(GetMemberFromClassAt, 1)                      \
  X(AddMemberToClass, 1)                          \
  X(RemoveAllMembersFromClass, 1)                 \
  X(QueryRule, 0)                                 \
  X(QueryViolation, 0)                            \
  X(QueryBoard, 0)                                \
  X(QueryBoardLayerInfo, 0)                       \
  X(QueryBoardSplitPlaneMode, 1)                  \
  X(QueryBoardExternalDielectrics, 0)             \
  X(QueryBoardAdvancedPlacerOptions, 0)           \
  X(QueryBoardAdvancedPlacerOptionsExt, 0)        \
  X(QueryBoardEngineeringChangeOrderOptions, 0)   \
  X(QueryBoardGridsEx, 0)                         \
  X(QueryBoardOutputOptions, 0)                   \
  X(QueryBoardOutputOptionsPlotLayers, 0)         \
  X(QueryBoardOutputOptionsFlipLayers, 0)         \
  X(QueryBoardGerberOptions, 0)                   \
  X(QueryBoardPrinterOptions, 0)                  \
  X(QueryBoardPrinterOptionsPlotterPen, 0)        \
  X(QueryBoardPrinterOptionsCompositeLayer, 0)    \
  X(QueryLayer, 0)                                \
  X(QueryInternalPlane, 0)                        \
  X(QueryLayerDielectric, 0)                      \
  X(QueryBoardLayerPairsCount, 1)                 \
  X(QueryBoardLayerPairAt, 0)                     \
  X(QuerySystemOptions, 0)                        \
  X(QuerySystemOptionsPlaceArray, 0)              \
  X(QuerySystemOptionsPorts, 0)                   \
  X(QuerySystemOptionsMiscellaneous, 0)           \
  X(QuerySystemOptionsLayerDrawingOrder, 0)       \
  X(QuerySystemOptionsPolygon, 0)                 \
  X(QuerySystemOptionsMiscellaneousEx, 0)         \
  X(QuerySystemOptionsProtection, 0)              \
  X(SetState_DeleteAllComponentTypeMappings, 0)   \
  X(SetState_AddComponentTypeMapping, 0)          \
  X(GetState_ComponentTypeMappingsCount, 0)       \
  X(GetState_ComponentTypeMappingAt, 0)           \
  X(SendCommand, 0)
// clang-format on

// One slot per entry point; an empty slot is an entry point the editor does not export.
struct TPcbProcs {
#define PCB_PROC_SLOT(Name, ...) PcbApi_##Name##_Fn PcbApi_##Name = nullptr;
#define PCB_PROC_CUSTOM_SLOT(Name) PCB_PROC_SLOT(Name)
  PCB_PROC_LIST(PCB_PROC_SLOT, PCB_PROC_CUSTOM_SLOT)
#undef PCB_PROC_CUSTOM_SLOT
#undef PCB_PROC_SLOT
};

// Takes the handle of the already loaded editor module and looks every entry point up in it;
// names it lacks leave their slots empty. Without the module every slot is empty. Returns whether
// the module was found.
bool BindPcbProcs();

// The editor module of the last binding; null while it has not been found.
HMODULE PcbModule();

// The bound entry points (as is: no binding happens here).
const TPcbProcs& PcbProcs();

namespace Pcb {

// The bound entry points, binding first while the editor module has not been found.
inline const TPcbProcs& BoundProcs() {
  if (PcbModule() == nullptr)
    BindPcbProcs();
  return PcbProcs();
}

// A wrapper: calls the bound entry point of its slot, or gives MissingResult when the slot is
// empty.
template <typename Fn>
class TPcbEntry;

template <typename R, typename... A>
class TPcbEntry<R(PCBAPI_CALL*)(A...)> {
 public:
  using Fn = R(PCBAPI_CALL*)(A...);

  constexpr TPcbEntry(Fn TPcbProcs::*slot, int missingResult)
      : Slot(slot), MissingResult(missingResult) {}

  R operator()(A... args) const {
    const Fn entry = BoundProcs().*Slot;
    if (entry != nullptr)
      return entry(args...);
    if constexpr (!std::is_void_v<R>)
      return static_cast<R>(MissingResult);
  }

 private:
  Fn TPcbProcs::*Slot;
  int MissingResult;
};

#define PCB_PROC_WRAPPER(Name, MissingResult) \
  inline constexpr TPcbEntry<PcbApi_##Name##_Fn> Name{&TPcbProcs::PcbApi_##Name, MissingResult};
#define PCB_PROC_NO_WRAPPER(Name)
PCB_PROC_LIST(PCB_PROC_WRAPPER, PCB_PROC_NO_WRAPPER)
#undef PCB_PROC_NO_WRAPPER
#undef PCB_PROC_WRAPPER

// An iterator over the children of Parent of one kind on one layer, given by its layer NUMBER
// (0 = every layer); the editor receives the layer's id. 0 when the editor lacks the entry point.
uint32_t CreateIterator(uint32_t parent, uint8_t objectKind, uint8_t method,
                        TLayerNumber layerNumber);

// The Index-th child (from 1) of that kind in *child, 0 past the end. The out-handle is cleared
// first; 1 when the editor lacks the entry point.
int32_t QueryComponent_GetObjectAt(uint32_t component, uint8_t* objectKind, uint16_t* index,
                                   uint32_t* child);

}  // namespace Pcb
