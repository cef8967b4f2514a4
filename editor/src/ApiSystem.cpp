// Entry points for the system-wide options, the component type map and editor commands.

#include <cstring>

#include "ApiSupport.h"
#include "Processes.h"

using namespace Tarnix;

extern "C" {

int32_t PCBAPI_CALL PcbApi_QuerySystemOptions(uint8_t Mode, uint8_t* Flag1, PcbString26* Opaque1,
                                              int32_t* Value1, uint8_t* Flag2, uint8_t* Flag3,
                                              uint8_t* Flag4, uint8_t* Flag5, uint8_t* Flag6,
                                              uint8_t* Flag7, uint8_t* Flag8, uint8_t* Flag9,
                                              uint8_t* Flag10, uint8_t* Flag11, uint8_t* Flag12,
                                              int32_t* Value2, uint8_t* Flag13) {
  return QuerySystem(Mode, [&](TFieldIo& io, TSystemOptions& options) {
    io(Flag1, options.GeneralFlags[1]);
    io.String(Opaque1, options.GeneralText);
    io(Value1, options.GeneralValues[1]);
    io.Each({Flag2, Flag3, Flag4, Flag5, Flag6, Flag7, Flag8, Flag9, Flag10, Flag11, Flag12},
            options.GeneralFlags, 2);
    io(Value2, options.GeneralValues[2]);
    io(Flag13, options.GeneralFlags[13]);
  });
}

int32_t PCBAPI_CALL PcbApi_QuerySystemOptionsPlaceArray(uint8_t Mode, uint8_t* Flag1,
                                                        uint8_t* Flag2, double* Value1,
                                                        double* Value2, double* Value3,
                                                        uint8_t* Flag3, uint8_t* Flag4,
                                                        int32_t* Count, PcbString255* Text) {
  return QuerySystem(Mode, [&](TFieldIo& io, TSystemOptions& options) {
    io.Each({Flag1, Flag2}, options.PlaceArrayFlags, 1);
    io.Finite(Value1, options.PlaceArrayValues[0]);
    io.Finite(Value2, options.PlaceArrayValues[1]);
    io.Finite(Value3, options.PlaceArrayValues[2]);
    io.Each({Flag3, Flag4}, options.PlaceArrayFlags, 3);
    io(Count, options.PlaceArrayCount);
    io.String(Text, options.PlaceArrayText);
  });
}

int32_t PCBAPI_CALL PcbApi_QuerySystemOptionsPorts(uint8_t Mode, PcbBytes5* Port1, PcbBytes5* Port2,
                                                   PcbBytes5* Port3, PcbBytes5* Port4) {
  return QuerySystem(Mode, [&](TFieldIo& io, TSystemOptions& options) {
    io.Bytes(Port1, options.Ports[0]);
    io.Bytes(Port2, options.Ports[1]);
    io.Bytes(Port3, options.Ports[2]);
    io.Bytes(Port4, options.Ports[3]);
  });
}

int32_t PCBAPI_CALL PcbApi_QuerySystemOptionsMiscellaneous(
    uint8_t Mode, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3, uint8_t* Flag4, uint8_t* Flag5,
    uint8_t* Flag6, uint8_t* Flag7, uint8_t* Flag8, uint8_t* Flag9, uint8_t* Flag10,
    uint8_t* Flag11, uint8_t* Flag12, uint8_t* Flag13, uint8_t* Flag14, uint8_t* Flag15,
    uint8_t* Flag16, uint8_t* Flag17, uint8_t* Flag18, uint8_t* Flag19, uint8_t* Flag20,
    uint8_t* Flag21, uint8_t* Flag22, uint8_t* Flag23, uint8_t* Flag24, uint8_t* Flag25,
    uint8_t* Flag26, int32_t* Value1, int32_t* Value2, uint8_t* Flag27, uint32_t* Word1,
    uint32_t* Word2) {
  return QuerySystem(Mode, [&](TFieldIo& io, TSystemOptions& options) {
    io.Each({Flag1,  Flag2,  Flag3,  Flag4,  Flag5,  Flag6,  Flag7,  Flag8,  Flag9,
             Flag10, Flag11, Flag12, Flag13, Flag14, Flag15, Flag16, Flag17, Flag18,
             Flag19, Flag20, Flag21, Flag22, Flag23, Flag24, Flag25, Flag26},
            options.MiscFlags, 1);
    io.Each({Value1, Value2}, options.MiscValues);
    io(Flag27, options.MiscFlags[27]);
    io.Each({Word1, Word2}, options.MiscWords);
  });
}

int32_t PCBAPI_CALL PcbApi_QuerySystemOptionsLayerDrawingOrder(uint8_t Mode, int32_t Index,
                                                               uint8_t* Entry) {
  if (Index < 0 || Index > LayerCount)
    return StatusFailed;
  return QuerySystem(Mode, [&](TFieldIo& io, TSystemOptions& options) {
    io(Entry, options.LayerDrawingOrder[static_cast<size_t>(Index)]);
  });
}

int32_t PCBAPI_CALL PcbApi_QuerySystemOptionsPolygon(uint8_t Mode, int32_t* Value1, uint8_t* Flag1,
                                                     uint8_t* Flag2) {
  return QuerySystem(Mode, [&](TFieldIo& io, TSystemOptions& options) {
    io(Value1, options.PolygonValue);
    io.Each({Flag1, Flag2}, options.PolygonFlags);
  });
}

int32_t PCBAPI_CALL PcbApi_QuerySystemOptionsMiscellaneousEx(uint8_t Mode, int32_t* Value1,
                                                             uint8_t* Flag1, uint8_t* Flag2,
                                                             uint8_t* Flag3, uint8_t* Flag4) {
  return QuerySystem(Mode, [&](TFieldIo& io, TSystemOptions& options) {
    io(Value1, options.MiscExValue);
    io.Each({Flag1, Flag2, Flag3, Flag4}, options.MiscExFlags);
  });
}

int32_t PCBAPI_CALL PcbApi_QuerySystemOptionsProtection(uint8_t Mode, uint8_t* Flag1) {
  return QuerySystem(Mode,
                     [&](TFieldIo& io, TSystemOptions& options) { io(Flag1, options.Protection); });
}

void PCBAPI_CALL PcbApi_SetState_DeleteAllComponentTypeMappings() {
  Editor().SystemOptions.ComponentTypeMappings.clear();
}

void PCBAPI_CALL PcbApi_SetState_AddComponentTypeMapping(const PcbString255* Pattern,
                                                         uint8_t ComponentType) {
  if (Pattern != nullptr)
    Editor().SystemOptions.ComponentTypeMappings.emplace_back(FromPcbString(*Pattern),
                                                              ComponentType);
}

int32_t PCBAPI_CALL PcbApi_GetState_ComponentTypeMappingsCount() {
  return static_cast<int32_t>(Editor().SystemOptions.ComponentTypeMappings.size());
}

int32_t PCBAPI_CALL PcbApi_GetState_ComponentTypeMappingAt(int32_t Index, PcbString255* Pattern,
                                                           uint8_t* ComponentType) {
  const auto& mappings = Editor().SystemOptions.ComponentTypeMappings;
  if (Index < 0 || static_cast<size_t>(Index) >= mappings.size())
    return StatusFailed;
  const auto& [pattern, type] = mappings[static_cast<size_t>(Index)];
  if (Pattern != nullptr)
    ToPcbString(*Pattern, pattern);
  if (ComponentType != nullptr)
    *ComponentType = type;
  return StatusOk;
}

// The editor reads at most ParametersLength characters of the parameters.
int32_t PCBAPI_CALL PcbApi_SendCommand(const char* Process, const char* Parameters,
                                       int32_t ParametersLength, int32_t) {
  if (Process == nullptr)
    return StatusFailed;
  std::string parameters;
  if (Parameters != nullptr && ParametersLength > 0)
    parameters.assign(Parameters, strnlen(Parameters, static_cast<size_t>(ParametersLength)));
  return RunProcess(Process, parameters);
}

}  // extern "C"
