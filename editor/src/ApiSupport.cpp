#include "ApiSupport.h"

namespace Tarnix {

bool Acceptable(const TPad& pad) {
  for (const uint8_t shape : {pad.TopShape, pad.MidShape, pad.BottomShape})
    if (!IsPadShape(shape))
      return false;
  for (const TSize& size : {pad.TopSize, pad.MidSize, pad.BottomSize})
    if (size.X < 0 || size.Y < 0)
      return false;
  return pad.HoleSize >= 0;
}

bool Acceptable(const TTrack& track) {
  return track.Width >= 0;
}

bool Acceptable(const TArc& arc) {
  return arc.Radius >= 0 && arc.Width >= 0;
}

bool Acceptable(const TVia& via) {
  return via.Size >= 0 && via.HoleSize >= 0;
}

bool Acceptable(const TText& text) {
  return text.Height >= 0;
}

// A net keeps a name no other net of its board has. A write that leaves the name as it was needs no
// search, so that writing every net's tag stays linear in the number of nets.
bool Acceptable(const TNet& net) {
  const auto* live = Handles().Find<TNet>(net.Handle, TKind::Net);
  if (live != nullptr && live->Name == net.Name)
    return true;
  const TNet* named = net.Board->FindNet(net.Name);
  return named == nullptr || named->Handle == net.Handle;
}

void NetHandle(TFieldIo& io, uint32_t* field, TObject& object) {
  if (field == nullptr)
    return;
  if (io.IsReading())
    *field = object.Net != nullptr ? object.Net->Handle : 0;
  else if (!object.Board->NetOfHandle(*field, object.Net))
    io.Refuse();
}

THeaderValues::THeaderValues(const TObject& object)
    : Object(object),
      StateFlags(object.StateFlags),
      Tag(object.Tag),
      BitField2(object.BitField2),
      BitField3(object.BitField3),
      Layer(object.Layer),
      Net(object.Net),
      Moveable(object.Moveable) {}

void THeaderValues::CommitTo(TObject& object) const {
  object.StateFlags = StateFlags;
  object.Tag = Tag;
  object.BitField2 = BitField2;
  object.BitField3 = BitField3;
  object.Layer = Layer;
  object.Net = Net;
  object.Moveable = Moveable;
}

void NetHandle(TFieldIo& io, uint32_t* field, THeaderValues& header) {
  if (field == nullptr)
    return;
  if (io.IsReading())
    *field = header.Net != nullptr ? header.Net->Handle : 0;
  else if (!header.Object.Board->NetOfHandle(*field, header.Net))
    io.Refuse();
}

void Header(TFieldIo& io, TObject& object, uint16_t* stateFlags, uint16_t* tag, uint32_t* layer,
            uint32_t* net, uint8_t* moveable, uint32_t* owner) {
  io(stateFlags, object.StateFlags);
  io(tag, object.Tag);
  io.LayerId(layer, object.Layer);
  NetHandle(io, net, object);
  io(moveable, object.Moveable);
  OwnerHandle(io, owner, object);
}

void OwnerHandle(TFieldIo& io, uint32_t* field, const TObject& object) {
  io.ReadOnly(field, object.Owner != nullptr ? object.Owner->Handle : 0u);
}

}  // namespace Tarnix
