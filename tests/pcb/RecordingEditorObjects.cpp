// The recording editor of the primitive mirror tests (see RecordingEditorObjects.h). A plain entry
// point is one line: its name, its number of parameters and whether it fills its pointers; the
// parameter types come from the entry point's function-pointer type in the shared header. The few
// entry points that answer from the editor's state are written out below.

#include "RecordingEditorObjects.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <tuple>
#include <type_traits>

#include "RecordedEntryPoints.h"
#include "pcb/PcbApi.h"

namespace {

TObjectsEditor State;

// When an entry point fills its pointer arguments: when its first argument (the mode) is 1, at
// every call (queries without a mode), or never (setters).
enum class TFill { WhenReading, Always, Never };

// --- How an argument shows in the record.

template <typename T>
std::string Shown(T value) {
  std::ostringstream text;
  if constexpr (std::is_floating_point_v<T>)
    text << value;
  else
    text << +value;
  return text.str();
}

// A length-prefixed string.
template <std::size_t Size>
std::string Shown(const char (&buffer)[Size]) {
  const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(buffer[0]), Size - 1);
  return "'" + std::string(buffer + 1, length) + "'";
}

// Several strings (a component's source links).
template <std::size_t Count, std::size_t Size>
std::string Shown(const char (&buffers)[Count][Size]) {
  std::string text;
  for (std::size_t i = 0; i < Count; ++i)
    text += (i == 0 ? "" : "|") + Shown(buffers[i]);
  return text;
}

// Any other block: its bytes.
template <typename Block>
std::string ShownBytes(const Block& block) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
  const std::size_t size = sizeof(Block);
  const bool uniform =
      std::all_of(bytes, bytes + size, [&](unsigned char b) { return b == *bytes; });
  if (uniform)
    return "[" + std::to_string(size) + "]=" + std::to_string(*bytes);
  unsigned long sum = 0;
  for (std::size_t i = 0; i < size; ++i)
    sum += bytes[i];
  return "[" + std::to_string(size) + "]~" + std::to_string(sum);
}

template <typename T>
std::string ShownArgument(T argument) {
  if constexpr (std::is_pointer_v<T>) {
    using Target = std::remove_cv_t<std::remove_pointer_t<T>>;
    if (argument == nullptr)
      return "null";
    if constexpr (std::is_arithmetic_v<Target>)
      return Shown(*argument);
    else if constexpr (std::is_same_v<std::remove_all_extents_t<Target>, char>)
      return Shown(*argument);
    else
      return ShownBytes(*argument);
  } else {
    return Shown(argument);
  }
}

// --- Stamping the pointers of a reading call.

template <std::size_t Size>
void StampString(char (&buffer)[Size], int stamp) {
  const std::string text = "S" + std::to_string(stamp);
  const std::size_t length = std::min(text.size(), Size - 1);
  buffer[0] = static_cast<char>(length);
  std::memcpy(buffer + 1, text.data(), length);
}

template <typename T>
void StampArgument(T argument) {
  if constexpr (std::is_pointer_v<T> && !std::is_const_v<std::remove_pointer_t<T>>) {
    using Target = std::remove_pointer_t<T>;
    if (argument == nullptr)
      return;
    const int stamp = ++State.Stamp;
    if constexpr (std::is_floating_point_v<Target>) {
      *argument = stamp + 0.5;
    } else if constexpr (std::is_arithmetic_v<Target>) {
      *argument = static_cast<Target>(stamp);
    } else if constexpr (std::is_same_v<std::remove_extent_t<Target>, char>) {
      StampString(*argument, stamp);
    } else if constexpr (std::is_same_v<std::remove_all_extents_t<Target>, char>) {
      for (auto& buffer : *argument)
        StampString(buffer, stamp);
    } else {
      std::memset(*argument, stamp & 0xFF, sizeof(Target));
    }
  }
}

template <typename... A>
bool Fills(TFill fill, A... arguments) {
  switch (fill) {
    case TFill::Always:
      return true;
    case TFill::Never:
      return false;
    case TFill::WhenReading:
      if constexpr (sizeof...(A) > 0)
        return std::get<0>(std::tuple<A...>(arguments...)) == PcbApi_ModeRead;
      return false;
  }
  return false;
}

template <typename... A>
void RecordCall(const char* name, A... arguments) {
  std::string line = std::string(name) + "(";
  bool first = true;
  ((line += (first ? "" : ",") + ShownArgument(arguments), first = false), ...);
  State.Calls.push_back(line + ")");
}

int32_t ResultOfName(const char* name) {
  const auto result = State.Results.find(name);
  return result == State.Results.end() ? 0 : result->second;
}

template <typename R, typename... A>
R Record(const char* name, TFill fill, A... arguments) {
  RecordCall(name, arguments...);
  if (Fills(fill, arguments...))
    (StampArgument(arguments), ...);
  if constexpr (!std::is_void_v<R>)
    return static_cast<R>(ResultOfName(name));
}

template <std::size_t Size>
void SetString(char (&buffer)[Size], const std::string& text) {
  const std::size_t length = std::min(text.size(), Size - 1);
  buffer[0] = static_cast<char>(length);
  std::memcpy(buffer + 1, text.data(), length);
}

}  // namespace

#define RECORD(Name, Arity, Fill)                                                                \
  RECORDED_ENTRY_POINT(Name, Arity) {                                                            \
    return Record<ResultOf<PcbApi_##Name##_Fn>>(#Name,                                           \
                                                Fill PARAMETERS_##Arity(PASSED_ARGUMENT, Name)); \
  }

extern "C" PCBAPI_VISIBLE TObjectsEditor* RecordingObjects_State() {
  return &State;
}

// Objects in general
RECORD(QueryObjectBoundingRectangle, 5, TFill::Always)
RECORD(QueryObjectImport_FromUser, 1, TFill::Never)
RECORD(QueryObjectGraphicallyInvalidate, 1, TFill::Never)
RECORD(GetObjectBitField2, 3, TFill::WhenReading)
RECORD(GetObjectBitField3, 3, TFill::WhenReading)
RECORD(QueryPrimitive, 8, TFill::WhenReading)

// Primitives
RECORD(QueryTrack, 16, TFill::WhenReading)
RECORD(QueryFill, 14, TFill::WhenReading)
RECORD(QueryArc, 15, TFill::WhenReading)
RECORD(QueryVia, 16, TFill::WhenReading)
RECORD(QueryRegion, 15, TFill::WhenReading)
RECORD(QueryPolygon, 18, TFill::WhenReading)
RECORD(QuerySplitPlane, 10, TFill::WhenReading)
RECORD(QueryCoordinate, 14, TFill::WhenReading)
RECORD(QueryDimension, 16, TFill::WhenReading)
RECORD(References_At, 7, TFill::WhenReading)
RECORD(QueryExtDimension, 21, TFill::WhenReading)
RECORD(QueryEmbeddedBoard, 15, TFill::WhenReading)
RECORD(QueryEmbedded, 4, TFill::WhenReading)
RECORD(QueryNet, 6, TFill::WhenReading)
RECORD(QueryFromTo, 10, TFill::WhenReading)

// Components
RECORD(QueryComponentChannelOffset, 3, TFill::WhenReading)
RECORD(QueryComponentKind, 3, TFill::WhenReading)
RECORD(QueryComponent, 16, TFill::WhenReading)
RECORD(QueryComponentEx, 6, TFill::WhenReading)
RECORD(QueryComponentSourceLinks, 3, TFill::WhenReading)
RECORD(QueryDefaultPCB3DModel, 3, TFill::WhenReading)

// Pads
RECORD(QueryPad, 37, TFill::WhenReading)
RECORD(QueryPadStackMode, 3, TFill::WhenReading)
RECORD(QueryPadOrViaShapeOnLayer, 3, TFill::Always)
RECORD(QueryPadOrViaSizeOnLayer, 4, TFill::Always)
RECORD(QueryPadCornerRadiusOnLayer, 3, TFill::Always)
RECORD(QueryPadCRPercentageOnLayer, 3, TFill::Always)
RECORD(SetPadShapeOnLayer, 3, TFill::Never)
RECORD(SetPadSizeOnLayer, 4, TFill::Never)
RECORD(SetCRPctOnLayer, 3, TFill::Never)

// Texts
RECORD(QueryText, 18, TFill::WhenReading)
RECORD(QueryTrueTypeTextInfo, 8, TFill::WhenReading)
RECORD(QueryBarCodeTextInfo, 6, TFill::WhenReading)

// Classes and rules
RECORD(QueryClass, 6, TFill::WhenReading)
RECORD(AddMemberToClass, 2, TFill::Never)
RECORD(RemoveAllMembersFromClass, 1, TFill::Never)
RECORD(QueryRule, 25, TFill::WhenReading)

// --- Entry points that answer from the editor's state.

extern "C" {

PCBAPI_VISIBLE uint32_t PCBAPI_CALL PcbApi_GetObjectIdFromObjectHandle(uint32_t Object) {
  RecordCall("GetObjectIdFromObjectHandle", Object);
  const auto kind = State.Kinds.find(Object);
  return kind == State.Kinds.end() ? 0 : kind->second;
}

PCBAPI_VISIBLE int32_t PCBAPI_CALL PcbApi_QueryComponent_GetObjectAt(uint32_t Component,
                                                                     uint8_t* ObjectKind,
                                                                     uint16_t* Index,
                                                                     uint32_t* Child) {
  RecordCall("QueryComponent_GetObjectAt", Component, ObjectKind, Index, Child);
  const auto count = State.ChildCounts.find({Component, *ObjectKind});
  const int children = count == State.ChildCounts.end() ? 0 : count->second;
  *Child = *Index >= 1 && *Index <= children ? Component * 1000 + *ObjectKind * 100 + *Index : 0;
  return 0;
}

PCBAPI_VISIBLE int32_t PCBAPI_CALL PcbApi_GetMemberFromClassAt(uint32_t Class, int32_t Index,
                                                               PcbString255* Member) {
  RecordCall("GetMemberFromClassAt", Class, Index, Member);
  if (Index < 0 || static_cast<std::size_t>(Index) >= State.ClassMembers.size())
    return 1;
  SetString(*Member, State.ClassMembers[static_cast<std::size_t>(Index)]);
  return 0;
}

PCBAPI_VISIBLE int32_t PCBAPI_CALL PcbApi_GetDesignatorDisplayString(PcbString255* Buffer,
                                                                     uint32_t Text) {
  RecordCall("GetDesignatorDisplayString", Buffer, Text);
  SetString(*Buffer, State.DisplayString);
  return ResultOfName("GetDesignatorDisplayString");
}

PCBAPI_VISIBLE int32_t PCBAPI_CALL PcbApi_References_Count(uint8_t Mode, uint32_t Dimension,
                                                           int32_t* Count) {
  RecordCall("References_Count", Mode, Dimension, Count);
  if (Mode == PcbApi_ModeRead)
    *Count = State.ReferenceCount;
  return 0;
}

}  // extern "C"
