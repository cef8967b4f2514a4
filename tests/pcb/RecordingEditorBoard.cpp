// The recording editor of the board tests (see RecordingEditorBoard.h). Each entry point is one
// line: its name, its number of parameters and when it fills its pointer arguments; the parameter
// types come from the entry point's function-pointer type in the shared header.

#include <charconv>
#include <cstring>
#include <tuple>
#include <type_traits>

#include "RecordedEntryPoints.h"
#include "RecordingEditorBoard.h"
#include "pcb/PcbApi.h"

namespace {

TRecordingEditor State;

// When an entry point fills its pointer arguments.
enum class TFill { ModeFirst, ModeLast, Always, Never };

template <typename T>
std::string Text(T value) {
  if constexpr (std::is_floating_point_v<T>) {
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return std::string(text, result.ptr);
  } else {
    return std::to_string(+value);
  }
}

// A length-prefixed string as its text, a byte block as its bytes joined by ".".
template <typename Element, std::size_t Size>
std::string Text(const Element (&block)[Size]) {
  if constexpr (std::is_same_v<Element, char>) {
    const auto length = static_cast<unsigned char>(block[0]);
    return std::string(block + 1, length < Size ? length : Size - 1);
  } else {
    std::string text;
    for (std::size_t i = 0; i < Size; ++i)
      text += (i == 0 ? "" : ".") + std::to_string(+block[i]);
    return text;
  }
}

template <typename T>
void Describe(TRecordedCall& call, std::string& scalars, T argument) {
  if constexpr (std::is_pointer_v<T>) {
    call.Arguments.push_back(argument == nullptr ? "null" : Text(*argument));
  } else {
    call.Arguments.push_back(Text(argument));
    scalars += (scalars.empty() ? "" : ",") + Text(argument);
  }
}

template <typename T>
void Stamp(int position, T argument) {
  if constexpr (std::is_pointer_v<T> && !std::is_const_v<std::remove_pointer_t<T>>) {
    using Target = std::remove_pointer_t<T>;
    if (argument == nullptr)
      return;
    if constexpr (std::is_floating_point_v<Target>) {
      *argument = position + 0.25;
    } else if constexpr (std::is_arithmetic_v<Target>) {
      *argument = static_cast<Target>(position);
    } else if constexpr (std::is_same_v<std::remove_extent_t<Target>, char>) {
      const std::string text = "P" + std::to_string(position);
      (*argument)[0] = static_cast<char>(text.size());
      std::memcpy(*argument + 1, text.data(), text.size());
    } else {
      std::memset(*argument, position, sizeof(Target));
    }
  }
}

template <TFill Fill, typename... A>
bool IsReading(A... arguments) {
  if constexpr (Fill == TFill::Always) {
    return true;
  } else if constexpr (Fill == TFill::Never || sizeof...(A) == 0) {
    return false;
  } else {
    const std::tuple<A...> all(arguments...);
    constexpr std::size_t modeIndex = Fill == TFill::ModeFirst ? 0 : sizeof...(A) - 1;
    return std::get<modeIndex>(all) == PcbApi_ModeRead;
  }
}

template <typename R, TFill Fill, typename... A>
R Record(const char* name, A... arguments) {
  TRecordedCall call;
  call.Name = name;
  std::string scalars;
  (Describe(call, scalars, arguments), ...);
  call.Key = call.Name + "(" + scalars + ")";
  if (IsReading<Fill>(arguments...)) {
    int position = 0;
    (Stamp(++position, arguments), ...);
  }
  State.Calls.push_back(std::move(call));
  if constexpr (!std::is_void_v<R>) {
    const auto result = State.Results.find(name);
    return result == State.Results.end() ? R{0} : static_cast<R>(result->second);
  }
}

}  // namespace

#define RECORD(Name, Count, Fill)                         \
  RECORDED_ENTRY_POINT(Name, Count) {                     \
    return Record<ResultOf<PcbApi_##Name##_Fn>, Fill>(    \
        #Name PARAMETERS_##Count(PASSED_ARGUMENT, Name)); \
  }

extern "C" PCBAPI_VISIBLE TRecordingEditor* RecordingEditor_State() {
  return &State;
}

// Board
RECORD(QueryObjectBoundingRectangle, 5, TFill::Always)
RECORD(QueryBoard, 12, TFill::ModeFirst)
RECORD(QueryBoardLayerInfo, 6, TFill::ModeFirst)
RECORD(QueryBoardExternalDielectrics, 10, TFill::ModeFirst)
RECORD(QueryBoardAdvancedPlacerOptions, 8, TFill::ModeFirst)
RECORD(QueryBoardAdvancedPlacerOptionsExt, 4, TFill::ModeFirst)
RECORD(QueryBoardEngineeringChangeOrderOptions, 4, TFill::ModeFirst)
RECORD(QueryBoardGridsEx, 16, TFill::ModeFirst)
RECORD(QueryBoardOutputOptions, 26, TFill::ModeFirst)
RECORD(QueryBoardOutputOptionsPlotLayers, 4, TFill::ModeFirst)
RECORD(QueryBoardOutputOptionsFlipLayers, 4, TFill::ModeFirst)
RECORD(QueryBoardGerberOptions, 21, TFill::ModeFirst)
RECORD(QueryBoardPrinterOptions, 28, TFill::ModeFirst)
RECORD(QueryBoardPrinterOptionsPlotterPen, 5, TFill::ModeFirst)
RECORD(QueryBoardPrinterOptionsCompositeLayer, 4, TFill::ModeFirst)

// Layers and layer pairs
RECORD(QueryLayer, 10, TFill::ModeFirst)
RECORD(QueryInternalPlane, 10, TFill::ModeFirst)
RECORD(QueryLayerDielectric, 7, TFill::ModeFirst)
RECORD(QueryBoardLayerPairsCount, 3, TFill::ModeLast)
RECORD(QueryBoardLayerPairAt, 7, TFill::ModeFirst)

// System options and the component type map
RECORD(QuerySystemOptions, 17, TFill::ModeFirst)
RECORD(QuerySystemOptionsPlaceArray, 10, TFill::ModeFirst)
RECORD(QuerySystemOptionsPorts, 5, TFill::ModeFirst)
RECORD(QuerySystemOptionsMiscellaneous, 32, TFill::ModeFirst)
RECORD(QuerySystemOptionsLayerDrawingOrder, 3, TFill::ModeFirst)
RECORD(QuerySystemOptionsPolygon, 4, TFill::ModeFirst)
RECORD(QuerySystemOptionsMiscellaneousEx, 6, TFill::ModeFirst)
RECORD(SetState_DeleteAllComponentTypeMappings, 0, TFill::Never)
RECORD(SetState_AddComponentTypeMapping, 2, TFill::Never)
RECORD(GetState_ComponentTypeMappingsCount, 0, TFill::Always)
RECORD(GetState_ComponentTypeMappingAt, 3, TFill::Always)
