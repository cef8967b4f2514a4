#pragma once

// Moving fields between an editor object and its caller's pointers. A query reads (mode 1) or
// writes (modes 0 and 2); writes go into a staged copy of the object's values, which the entry
// point checks and then commits whole, so that a rejected write changes nothing. A null pointer
// leaves its field out.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "LayerTable.h"
#include "pcb/PcbApi.h"
#include "pcb/PcbStrings.h"

namespace Tarnix {

inline constexpr int32_t StatusOk = 0;
inline constexpr int32_t StatusFailed = 1;

// Whether text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

class TFieldIo {
 public:
  explicit TFieldIo(uint8_t mode) : Reading(mode == PcbApi_ModeRead) {}

  // Modes 0, 1 and 2 are known.
  static bool KnownMode(uint8_t mode) { return mode <= PcbApi_ModeWriteFinal; }

  bool IsReading() const { return Reading; }
  // Whether a written value was refused.
  bool Refused() const { return RefusedValue; }
  void Refuse() { RefusedValue = true; }

  template <typename T>
  void operator()(T* field, T& value) {
    if (field == nullptr)
      return;
    if (Reading)
      *field = value;
    else
      value = *field;
  }

  // Fields that go with consecutive entries of an array, starting at entry First.
  template <typename T, size_t N>
  void Each(std::initializer_list<T*> fields, std::array<T, N>& values, size_t first = 0) {
    size_t index = first;
    for (T* field : fields)
      (*this)(field, values.at(index++));
  }

  // A field that callers may read but not change: writes leave the value as it is.
  template <typename T>
  void ReadOnly(T* field, const T& value) {
    if (field != nullptr && Reading)
      *field = value;
  }

  // An angle or other double that must stay finite.
  void Finite(double* field, double& value) {
    if (field != nullptr && !Reading && !std::isfinite(*field))
      Refuse();
    else
      (*this)(field, value);
  }

  template <size_t N>
  void Bytes(uint8_t (*field)[N], std::array<uint8_t, N>& value) {
    if (field == nullptr)
      return;
    if (Reading)
      std::memcpy(*field, value.data(), N);
    else
      std::memcpy(value.data(), *field, N);
  }

  // A length-prefixed string. Text longer than the field is handed out cut; written back
  // unchanged, the cut text leaves the whole value in place. Text that is not UTF-8 is refused.
  template <size_t N>
  void String(char (*field)[N], std::string& value) {
    if (field == nullptr)
      return;
    if (Reading) {
      ToPcbString(*field, value);
      return;
    }
    std::string written = FromPcbString(*field);
    if (written == std::string_view(value).substr(0, N - 1))
      return;
    if (!IsUtf8(written))
      Refuse();
    else
      value = std::move(written);
  }

  // A layer exchanged as a layer id; ids that name no layer are refused.
  void LayerId(uint32_t* field, TLayerNumber& value) {
    if (field == nullptr)
      return;
    if (Reading) {
      *field = LayerIdOf(value);
    } else if (const auto layer = LayerNumberOfId(*field)) {
      value = *layer;
    } else {
      Refuse();
    }
  }

  // A layer exchanged as a layer number byte.
  void LayerNumber(uint8_t* field, TLayerNumber& value) {
    if (field == nullptr)
      return;
    if (Reading)
      *field = value;
    else if (*field <= LastLayer)
      value = *field;
    else
      Refuse();
  }

 private:
  bool Reading;
  bool RefusedValue = false;
};

}  // namespace Tarnix
