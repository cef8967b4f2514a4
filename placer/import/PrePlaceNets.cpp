// Nets: supply nets by name, the supply net lists, and the numbering of the signal nets.

#include <string>

#include "import/PrePlace.h"
#include "import/PrePlaceSteps.h"

namespace {

// Net numbers live in the nets' 16-bit Tags: nets beyond the largest number get none.
constexpr int32_t MaxNetNumber = 65535;

// Folds the letters a to z to upper case, nothing else.
char FoldLetter(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Folded(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = FoldLetter(c);
  return result;
}

// Whether a pad of the net belongs to a component (its pads counted with iteration method 0 on
// every layer). Pads without a component never become pins, so a net of free pads only is left
// without a number.
bool HasComponentPad(uint32_t net) {
  return FindObject(net, PadObject, WalkMethod, NoLayer,
                    [](uint32_t pad) { return HeaderOf(pad).ComponentHandle != 0; });
}

}  // namespace

// The list is framed by blanks and searched for the blank-framed name. The frame is never cut, so
// that the last name of a long list matches too; an empty name matches nothing.
bool NameInList(std::string_view name, std::string_view list) {
  if (name.empty())
    return false;
  const std::string framedList = " " + Folded(list) + " ";
  const std::string framedName = " " + Folded(name) + " ";
  return framedList.find(framedName) != std::string::npos;
}

void BuildSupplyNetLists() {
  TImportContext& context = ImportContext();
  context.PowerNetList.Clear();
  context.GroundNetList.Clear();
  const TBoard& board = context.Board();
  TPcbNet net;
  for (const uint32_t handle : AllNets()) {
    net.Handle = handle;
    net.Sync(PcbApi_ModeRead);
    const std::string name = net.GetName();
    if (NameInList(name, board.PowerNets))
      context.PowerNetList.Add(handle);
    else if (NameInList(name, board.GroundNets))
      context.GroundNetList.Add(handle);
  }
}

bool IsPowerNet(uint32_t net) {
  return ImportContext().PowerNetList.Contains(net);
}

bool IsGroundNet(uint32_t net) {
  return ImportContext().GroundNetList.Contains(net);
}

bool IsSignalNet(uint32_t net) {
  return net != 0 && !IsPowerNet(net) && !IsGroundNet(net);
}

void NumberNets() {
  TPcbNet net;
  uint32_t k = 0;
  for (const uint32_t handle : AllNets()) {
    net.Handle = handle;
    net.Sync(PcbApi_ModeRead);
    net.Tag = static_cast<uint16_t>(++k);
    net.Sync(PcbApi_ModeWrite);
    for (const TLayerNumber layer : NetPadLayers) {
      uint32_t position = 0;
      ForEachObject(handle, PadObject, NetPadsMethod, layer,
                    [&](uint32_t pad) { StoreTag(pad, static_cast<uint16_t>(++position)); });
    }
  }
}

int32_t ClassifyNets() {
  const TBoard& board = ImportContext().Board();
  TPcbNet net;
  int32_t signalNets = 0;
  for (const uint32_t handle : AllNets()) {
    net.Handle = handle;
    net.Sync(PcbApi_ModeRead);
    net.Tag = 0;
    const std::string name = net.GetName();
    const bool supply = NameInList(name, board.PowerNets) || NameInList(name, board.GroundNets);
    if (!supply && signalNets < MaxNetNumber && HasComponentPad(handle))
      net.Tag = static_cast<uint16_t>(++signalNets);
    net.Sync(PcbApi_ModeWrite);
  }
  return signalNets;
}
