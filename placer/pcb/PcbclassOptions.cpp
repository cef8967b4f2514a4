#include "pcb/PcbclassOptions.h"

#include <algorithm>

#include "pcb/PCBProcs.h"
#include "pcb/PcbStrings.h"

namespace {

constexpr std::size_t MaxPatternLength = 255;

// More mappings than this the editor cannot mean; a larger count is read as this many, so that a
// corrupt count cannot exhaust memory.
constexpr int32_t MaxTypeMappings = 0xFFFF;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Component type map

void TComponentTypeMap::Clear() {
  Entries.clear();
}

void TComponentTypeMap::Add(std::string_view pattern, uint8_t componentType) {
  auto entry = std::make_unique<TEntry>();
  entry->Pattern = std::string(pattern.substr(0, MaxPatternLength));
  entry->ComponentType = componentType;
  Entries.push_back(std::move(entry));
}

void TComponentTypeMap::Get(int64_t index, std::string& pattern, uint8_t& componentType) const {
  if (index < 0 || static_cast<uint64_t>(index) >= Entries.size())
    return;
  const TEntry& entry = *Entries[static_cast<std::size_t>(index)];
  pattern = entry.Pattern;
  componentType = entry.ComponentType;
}

int32_t TComponentTypeMap::Sync(uint8_t mode) {
  if (mode != PcbApi_ModeRead) {
    Pcb::SetState_DeleteAllComponentTypeMappings();
    for (const auto& entry : Entries) {
      PcbString255 pattern = {};
      ToPcbString(pattern, entry->Pattern);
      Pcb::SetState_AddComponentTypeMapping(&pattern, entry->ComponentType);
    }
    return 0;
  }
  Clear();
  const int32_t count = std::min(Pcb::GetState_ComponentTypeMappingsCount(), MaxTypeMappings);
  for (int32_t i = 0; i < count; ++i) {
    PcbString255 pattern = {};
    uint8_t componentType = 0;
    Pcb::GetState_ComponentTypeMappingAt(i, &pattern, &componentType);
    Add(FromPcbString(pattern), componentType);
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// System options

TPcbSystemOptions::TPcbSystemOptions() : TypeMappings(std::make_unique<TComponentTypeMap>()) {}

TPcbSystemOptions::~TPcbSystemOptions() = default;

int32_t TPcbSystemOptions::Sync(uint8_t mode) {
  const int32_t status = SyncGeneral(mode);
  SyncPlaceArray(mode);
  SyncPorts(mode);
  SyncMiscellaneous(mode);
  SyncLayerDrawingOrder(mode);
  TypeMappings->Sync(mode);
  SyncPolygon(mode);
  SyncMiscellaneousEx(mode);
  Pcb::QuerySystemOptionsProtection(mode, &Protection);
  return status;
}

int32_t TPcbSystemOptions::SyncGeneral(uint8_t mode) {
  TPcbSystemOptionsGeneral& g = General;
  auto& f = g.Flags;
  return Pcb::QuerySystemOptions(mode, &g.Flag1, &g.Text, &g.Value1, &f[0], &f[1], &f[2], &f[3],
                                 &f[4], &f[5], &f[6], &f[7], &f[8], &g.Flag11, &g.Flag12, &g.Value2,
                                 &g.Flag13);
}

void TPcbSystemOptions::SyncPlaceArray(uint8_t mode) {
  TPcbSystemOptionsPlaceArray& p = PlaceArray;
  Pcb::QuerySystemOptionsPlaceArray(mode, &p.Flag1, &p.Flag2, &p.Values[0], &p.Values[1],
                                    &p.Values[2], &p.Flag3, &p.Flag4, &p.Count, &p.Text);
}

void TPcbSystemOptions::SyncPorts(uint8_t mode) {
  Pcb::QuerySystemOptionsPorts(mode, &Ports[0], &Ports[1], &Ports[2], &Ports[3]);
}

void TPcbSystemOptions::SyncMiscellaneous(uint8_t mode) {
  TPcbSystemOptionsMiscellaneous& m = Miscellaneous;
  auto& f = m.Flags;
  Pcb::QuerySystemOptionsMiscellaneous(mode, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7],
                                       &f[8], &f[9], &f[10], &f[11], &f[12], &f[13], &f[14], &f[15],
                                       &f[16], &f[17], &f[18], &f[19], &f[20], &f[21], &f[22],
                                       &f[23], &m.Flag25, &m.Flag26, &m.Value1, &m.Value2,
                                       &m.Flag27, &MiscellaneousWord1, &MiscellaneousWord2);
}

void TPcbSystemOptions::SyncLayerDrawingOrder(uint8_t mode) {
  for (int32_t i = 0; i < LayerDrawingOrderCount; ++i)
    Pcb::QuerySystemOptionsLayerDrawingOrder(mode, i,
                                             &LayerDrawingOrder[static_cast<std::size_t>(i)]);
}

void TPcbSystemOptions::SyncPolygon(uint8_t mode) {
  Pcb::QuerySystemOptionsPolygon(mode, &PolygonValue, &PolygonFlag1, &PolygonFlag2);
}

void TPcbSystemOptions::SyncMiscellaneousEx(uint8_t mode) {
  auto& f = General.MiscellaneousExFlags;
  Pcb::QuerySystemOptionsMiscellaneousEx(mode, &MiscellaneousExValue, &MiscellaneousExFlag, &f[0],
                                         &f[1], &f[2]);
}
