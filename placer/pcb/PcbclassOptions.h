#pragma once

// The PCB editor's system-wide options (not a document's) and their component type mappings. The
// placer reads them once per run and only carries them: the blocks keep the editor's field widths
// and are exchanged unchanged.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pcb/Layers.h"
#include "pcb/PcbApi.h"

// The editor's list of footprint patterns and the component type each one maps to.
class TComponentTypeMap {
 public:
  struct TEntry {
    std::string Pattern;  // at most 255 characters
    uint8_t ComponentType = 0;
  };

  // Removes every entry.
  void Clear();
  // Appends an entry; the pattern is cut to 255 characters.
  void Add(std::string_view pattern, uint8_t componentType);
  // The entry at Index (from 0); leaves the outputs alone when there is none.
  void Get(int64_t index, std::string& pattern, uint8_t& componentType) const;
  std::size_t Count() const { return Entries.size(); }

  // Mode 1 replaces the entries by the editor's; 0 and 2 replace the editor's by these. Always 0.
  int32_t Sync(uint8_t mode);

 private:
  std::vector<std::unique_ptr<TEntry>> Entries;
};

inline constexpr int LayerDrawingOrderCount = LastLayer + 1;  // entries 0 to 82

// Blocks of the system options in memory order. MiscellaneousEx exchanges two fields of its own
// and three bytes of the general block.
struct TPcbSystemOptionsGeneral {
  uint8_t Flag1 = 0;
  PcbString26 Text = {};
  int32_t Value1 = 0;
  std::array<uint8_t, 9> Flags{};
  uint8_t Flag11 = 0;
  std::array<uint8_t, 3> MiscellaneousExFlags{};
  uint8_t Flag12 = 0;
  int32_t Value2 = 0;
  uint8_t Flag13 = 0;
};

struct TPcbSystemOptionsPlaceArray {
  uint8_t Flag1 = 0;
  uint8_t Flag2 = 0;
  double Values[3] = {0.0, 0.0, 0.0};
  uint8_t Flag3 = 0;
  uint8_t Flag4 = 0;
  int32_t Count = 0;
  PcbString255 Text = {};
};

struct TPcbSystemOptionsMiscellaneous {
  std::array<uint8_t, 24> Flags{};
  uint8_t Flag25 = 0;
  uint8_t Flag26 = 0;
  int32_t Value1 = 0;
  int32_t Value2 = 0;
  uint8_t Flag27 = 0;
};

class TPcbSystemOptions {
 public:
  TPcbSystemOptions();
  TPcbSystemOptions(const TPcbSystemOptions&) = delete;
  TPcbSystemOptions& operator=(const TPcbSystemOptions&) = delete;
  ~TPcbSystemOptions();

  // Mode 1 reads the options from the editor, 0 and 2 write them; the status of the first query.
  // The fields of an entry point the editor lacks keep their values.
  int32_t Sync(uint8_t mode);

  TPcbSystemOptionsGeneral General;
  TPcbSystemOptionsPlaceArray PlaceArray;
  PcbBytes5 Ports[4] = {};
  TPcbSystemOptionsMiscellaneous Miscellaneous;
  int32_t MiscellaneousExValue = 0;
  uint8_t MiscellaneousExFlag = 0;
  uint32_t MiscellaneousWord1 = 0;  // the thirtieth field of the miscellaneous options
  uint32_t MiscellaneousWord2 = 0;  // the thirty-first
  std::array<uint8_t, LayerDrawingOrderCount> LayerDrawingOrder{};
  int32_t PolygonValue = 0;
  uint8_t PolygonFlag1 = 0;
  uint8_t PolygonFlag2 = 0;
  uint8_t Protection = 0;
  std::unique_ptr<TComponentTypeMap> TypeMappings;

 private:
  int32_t SyncGeneral(uint8_t mode);
  void SyncPlaceArray(uint8_t mode);
  void SyncPorts(uint8_t mode);
  void SyncMiscellaneous(uint8_t mode);
  void SyncLayerDrawingOrder(uint8_t mode);
  void SyncPolygon(uint8_t mode);
  void SyncMiscellaneousEx(uint8_t mode);
};
