#include "Board.h"

#include "Handles.h"

namespace Tarnix {

bool TBoard::Register() {
  uint64_t count = 1;
  ForEachObject([&](TObject&) { ++count; });
  if (!Handles().CanAllocate(count))
    return false;
  Handle = Handles().Add(*this);
  ForEachObject([&](TObject& object) {
    object.Board = this;
    object.Handle = Handles().Add(object);
  });
  return true;
}

void TBoard::Unregister() {
  ForEachObject([](TObject& object) {
    Handles().Remove(object.Handle);
    object.Handle = 0;
  });
  Handles().Remove(Handle);
  Handle = 0;
}

void TBoard::ForEachObject(const std::function<void(TObject&)>& visit) const {
  for (const auto& net : Nets)
    visit(*net);
  for (const auto& component : Components) {
    visit(*component);
    for (const auto& pad : component->Pads)
      visit(*pad);
    if (component->Designator)
      visit(*component->Designator);
  }
  for (const auto& primitive : Primitives)
    visit(*primitive);
  for (const auto& connection : Connections)
    visit(*connection);
}

void TBoard::RebuildMembers() {
  for (const auto& net : Nets)
    net->Members.clear();
  ForEachObject([](TObject& object) {
    if (object.Net != nullptr)
      object.Net->Members.push_back(&object);
  });
  MembersStale = false;
}

std::vector<uint32_t> TBoard::Walk(const TObject* parent, TKind kind, TLayerNumber layer) {
  std::vector<uint32_t> handles;
  const auto take = [&](const TObject& object) {
    if (object.Kind == kind && (layer == NoLayer || object.OnLayer(layer)))
      handles.push_back(object.Handle);
  };
  if (parent == nullptr && kind == TKind::Net) {
    // Only the board's own lists hold nets and components: walked alone they give the same order
    // as the walk of every object, without passing over every pad.
    for (const auto& net : Nets)
      take(*net);
  } else if (parent == nullptr && kind == TKind::Component) {
    for (const auto& component : Components)
      take(*component);
  } else if (parent == nullptr) {
    ForEachObject(take);
  } else if (parent->Kind == TKind::Net) {
    if (MembersStale)
      RebuildMembers();
    for (const TObject* member : static_cast<const TNet*>(parent)->Members)
      take(*member);
  } else if (parent->Kind == TKind::Component) {
    for (const TObject* child : static_cast<const TComponent*>(parent)->Children(kind))
      take(*child);
  }
  return handles;
}

TRect TBoard::Bounds() const {
  TExtent extent;
  ForEachObject([&](TObject& object) {
    if (object.Kind != TKind::FromTo)
      object.AddBounds(extent);
  });
  return extent.Covering();
}

TNet* TBoard::FindNet(std::string_view name) const {
  for (const auto& net : Nets)
    if (net->Name == name)
      return net.get();
  return nullptr;
}

bool TBoard::NetOfHandle(uint32_t handle, TNet*& net) const {
  if (handle == 0) {
    net = nullptr;
    return true;
  }
  TNet* found = Handles().Find<TNet>(handle, TKind::Net);
  if (found == nullptr || found->Board != this)
    return false;
  net = found;
  return true;
}

}  // namespace Tarnix
