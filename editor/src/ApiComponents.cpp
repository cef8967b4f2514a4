// Entry points for components, their children, and pads.

#include "ApiSupport.h"

using namespace Tarnix;

namespace {

// A query of a component's header and own values. A write that moves or turns the component takes
// its pads, texts and body along; one that would carry any of them out of range changes nothing.
template <typename Exchange>
int32_t QueryComponentValues(uint8_t mode, uint32_t handle, Exchange&& exchange) {
  TComponent* component = Handles().Find<TComponent>(handle, TKind::Component);
  if (component == nullptr || !TFieldIo::KnownMode(mode))
    return StatusFailed;
  TFieldIo io(mode);
  THeaderValues header(*component);
  if (io.IsReading()) {
    exchange(io, header, component->Data);
    return StatusOk;
  }
  TComponentData data = component->Data;
  exchange(io, header, data);
  if (io.Refused() || !component->AcceptsLayer(header.Layer) || header.Net != nullptr)
    return StatusFailed;
  const bool moved =
      data.Reference != component->Data.Reference || data.Rotation != component->Data.Rotation;
  if (moved && !component->MoveTo(data.Reference, data.Rotation))
    return StatusFailed;
  component->Data = std::move(data);
  header.CommitTo(*component);
  return StatusOk;
}

// The pad or via of a handle and a layer number; false for anything else.
bool PadOrViaOnLayer(uint32_t handle, uint8_t layer, TPadLayerStack& values) {
  if (layer > LastLayer)
    return false;
  if (const TPad* pad = Handles().Find<TPad>(handle, TKind::Pad)) {
    values = pad->OnLayerNumber(layer);
    return true;
  }
  if (const TVia* via = Handles().Find<TVia>(handle, TKind::Via)) {
    // A via goes through every signal layer with its one round size.
    values = {};
    if (layer >= TopLayer && layer <= BottomLayer)
      values = {ShapeRound, {via->Size, via->Size}, 0, 0};
    return true;
  }
  return false;
}

// Changes the values of one layer of a pad's stack.
template <typename Change>
int32_t SetPadLayer(uint32_t handle, uint8_t layer, Change&& change) {
  TPad* pad = Handles().Find<TPad>(handle, TKind::Pad);
  if (pad == nullptr || layer > LastLayer)
    return StatusFailed;
  TPadLayerStack values = pad->OnLayerNumber(layer);
  if (!change(values))
    return StatusFailed;
  pad->LayerStack[layer] = values;
  return StatusOk;
}

}  // namespace

extern "C" {

int32_t PCBAPI_CALL PcbApi_QueryComponentChannelOffset(uint8_t Mode, uint32_t Component,
                                                       int32_t* ChannelOffset) {
  return QueryComponentValues(Mode, Component,
                              [&](TFieldIo& io, THeaderValues&, TComponentData& data) {
                                io(ChannelOffset, data.ChannelOffset);
                              });
}

int32_t PCBAPI_CALL PcbApi_QueryComponentKind(uint8_t Mode, uint32_t Component,
                                              uint32_t* ComponentKind) {
  return QueryComponentValues(Mode, Component,
                              [&](TFieldIo& io, THeaderValues&, TComponentData& data) {
                                io(ComponentKind, data.ComponentKind);
                              });
}

int32_t PCBAPI_CALL PcbApi_QueryComponent(uint8_t Mode, uint32_t Component, uint16_t* StateFlags,
                                          uint16_t* Tag, uint8_t* LayerNumber, uint8_t* Moveable,
                                          uint32_t* NameTextHandle, uint32_t* OpaqueHandle,
                                          PcbString250* Footprint, uint8_t* Opaque1,
                                          uint8_t* Opaque2, int32_t* X, int32_t* Y,
                                          int32_t* GroupIndex, double* Rotation, uint8_t* Opaque3) {
  return QueryComponentValues(
      Mode, Component, [&](TFieldIo& io, THeaderValues& header, TComponentData& data) {
        const auto& component = static_cast<const TComponent&>(header.Object);
        io(StateFlags, header.StateFlags);
        io(Tag, header.Tag);
        io.LayerNumber(LayerNumber, header.Layer);
        io(Moveable, header.Moveable);
        io.ReadOnly(NameTextHandle, component.Designator ? component.Designator->Handle : 0u);
        io(OpaqueHandle, data.OpaqueHandle);
        io.String(Footprint, data.Footprint);
        io(Opaque1, data.Opaque1);
        io(Opaque2, data.Opaque2);
        io(X, data.Reference.X);
        io(Y, data.Reference.Y);
        io(GroupIndex, data.GroupIndex);
        io.Finite(Rotation, data.Rotation);
        io(Opaque3, data.Opaque3);
      });
}

int32_t PCBAPI_CALL PcbApi_QueryComponentEx(uint8_t Mode, uint32_t Component, int32_t* Opaque1,
                                            uint8_t* Opaque2, uint8_t* Opaque3, uint8_t* Opaque4) {
  return QueryComponentValues(Mode, Component,
                              [&](TFieldIo& io, THeaderValues&, TComponentData& data) {
                                io(Opaque1, data.ExValue);
                                io(Opaque2, data.ExByte1);
                                io(Opaque3, data.ExByte2);
                                io(Opaque4, data.ExByte3);
                              });
}

int32_t PCBAPI_CALL PcbApi_QueryComponentSourceLinks(uint8_t Mode, uint32_t Component,
                                                     PcbSourceLinks* SourceLinks) {
  return QueryComponentValues(Mode, Component,
                              [&](TFieldIo& io, THeaderValues&, TComponentData& data) {
                                if (SourceLinks == nullptr)
                                  return;
                                for (size_t i = 0; i < data.SourceLinks.size(); ++i)
                                  io.String(&(*SourceLinks)[i], data.SourceLinks[i]);
                              });
}

int32_t PCBAPI_CALL PcbApi_QueryDefaultPCB3DModel(uint8_t Mode, uint32_t Component,
                                                  PcbString255* Model) {
  return QueryComponentValues(Mode, Component,
                              [&](TFieldIo& io, THeaderValues&, TComponentData& data) {
                                io.String(Model, data.DefaultModel);
                              });
}

int32_t PCBAPI_CALL PcbApi_QueryComponent_GetObjectAt(uint32_t Component, uint8_t* ObjectKind,
                                                      uint16_t* Index, uint32_t* Child) {
  const TComponent* component = Handles().Find<TComponent>(Component, TKind::Component);
  if (component == nullptr || ObjectKind == nullptr || Index == nullptr || Child == nullptr)
    return StatusFailed;
  const TObject* child = component->ChildAt(static_cast<TKind>(*ObjectKind), *Index);
  *Child = child != nullptr ? child->Handle : 0;
  return StatusOk;
}

int32_t PCBAPI_CALL PcbApi_QueryPad(
    uint8_t Mode, uint32_t Pad, uint16_t* StateFlags, uint16_t* Tag, uint32_t* Layer,
    uint32_t* NetHandle, uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X, int32_t* Y,
    int32_t* TopSizeX, int32_t* TopSizeY, int32_t* MidSizeX, int32_t* MidSizeY,
    int32_t* BottomSizeX, int32_t* BottomSizeY, int32_t* HoleSize, uint8_t* TopShape,
    uint8_t* MidShape, uint8_t* BottomShape, PcbString20* Name, uint8_t* OpaqueByteBeforeRotation,
    uint8_t* OpaqueByteAfterRotation, double* Rotation, PcbString20* OpaqueString1,
    PcbString20* OpaqueString2, int32_t* OpaqueValue, PcbString20* OpaqueString3, uint8_t* Tail1,
    uint8_t* Tail2, int32_t* Tail3, PcbBytes8* Tail4, int32_t* Tail5, int32_t* Tail6,
    int32_t* Tail7, uint8_t* Tail8, uint8_t* Tail9) {
  return QueryObject<TPad>(Mode, Pad, TKind::Pad, [&](TFieldIo& io, TPad& pad) {
    Header(io, pad, StateFlags, Tag, Layer, NetHandle, Moveable, ComponentHandle);
    io(X, pad.Centre.X);
    io(Y, pad.Centre.Y);
    io(TopSizeX, pad.TopSize.X);
    io(TopSizeY, pad.TopSize.Y);
    io(MidSizeX, pad.MidSize.X);
    io(MidSizeY, pad.MidSize.Y);
    io(BottomSizeX, pad.BottomSize.X);
    io(BottomSizeY, pad.BottomSize.Y);
    io(HoleSize, pad.HoleSize);
    io(TopShape, pad.TopShape);
    io(MidShape, pad.MidShape);
    io(BottomShape, pad.BottomShape);
    io.String(Name, pad.Name);
    io(OpaqueByteBeforeRotation, pad.OpaqueByteBeforeRotation);
    io(OpaqueByteAfterRotation, pad.OpaqueByteAfterRotation);
    io.Finite(Rotation, pad.Rotation);
    io.String(OpaqueString1, pad.OpaqueStrings[0]);
    io.String(OpaqueString2, pad.OpaqueStrings[1]);
    io(OpaqueValue, pad.OpaqueValue);
    io.String(OpaqueString3, pad.OpaqueStrings[2]);
    io(Tail1, pad.Tail1);
    io(Tail2, pad.Tail2);
    io(Tail3, pad.Tail3);
    io.Bytes(Tail4, pad.Tail4);
    io(Tail5, pad.Tail5);
    io(Tail6, pad.Tail6);
    io(Tail7, pad.Tail7);
    io(Tail8, pad.Tail8);
    io(Tail9, pad.Tail9);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryPadStackMode(uint8_t Mode, uint32_t Pad, uint8_t* StackMode) {
  return QueryObject<TPad>(Mode, Pad, TKind::Pad,
                           [&](TFieldIo& io, TPad& pad) { io(StackMode, pad.StackMode); });
}

int32_t PCBAPI_CALL PcbApi_QueryPadOrViaShapeOnLayer(uint32_t PadOrVia, uint8_t LayerNumber,
                                                     uint8_t* Shape) {
  TPadLayerStack values;
  if (Shape == nullptr || !PadOrViaOnLayer(PadOrVia, LayerNumber, values))
    return StatusFailed;
  *Shape = values.Shape;
  return StatusOk;
}

int32_t PCBAPI_CALL PcbApi_QueryPadOrViaSizeOnLayer(uint32_t PadOrVia, uint8_t LayerNumber,
                                                    int32_t* SizeX, int32_t* SizeY) {
  TPadLayerStack values;
  if (SizeX == nullptr || SizeY == nullptr || !PadOrViaOnLayer(PadOrVia, LayerNumber, values))
    return StatusFailed;
  *SizeX = values.Size.X;
  *SizeY = values.Size.Y;
  return StatusOk;
}

int32_t PCBAPI_CALL PcbApi_QueryPadCornerRadiusOnLayer(uint32_t Pad, uint8_t LayerNumber,
                                                       int32_t* CornerRadius) {
  const TPad* pad = Handles().Find<TPad>(Pad, TKind::Pad);
  if (pad == nullptr || CornerRadius == nullptr || LayerNumber > LastLayer)
    return StatusFailed;
  *CornerRadius = pad->OnLayerNumber(LayerNumber).CornerRadius;
  return StatusOk;
}

int32_t PCBAPI_CALL PcbApi_QueryPadCRPercentageOnLayer(uint32_t Pad, uint8_t LayerNumber,
                                                       uint8_t* CornerPercent) {
  const TPad* pad = Handles().Find<TPad>(Pad, TKind::Pad);
  if (pad == nullptr || CornerPercent == nullptr || LayerNumber > LastLayer)
    return StatusFailed;
  *CornerPercent = pad->OnLayerNumber(LayerNumber).CornerPercent;
  return StatusOk;
}

int32_t PCBAPI_CALL PcbApi_SetPadShapeOnLayer(uint32_t Pad, uint8_t LayerNumber, uint8_t Shape) {
  return SetPadLayer(Pad, LayerNumber, [&](TPadLayerStack& values) {
    values.Shape = Shape;
    return Shape == ShapeNone || IsPadShape(Shape);
  });
}

int32_t PCBAPI_CALL PcbApi_SetPadSizeOnLayer(uint32_t Pad, uint8_t LayerNumber, int32_t SizeX,
                                             int32_t SizeY) {
  return SetPadLayer(Pad, LayerNumber, [&](TPadLayerStack& values) {
    values.Size = {SizeX, SizeY};
    return SizeX >= 0 && SizeY >= 0;
  });
}

int32_t PCBAPI_CALL PcbApi_SetCRPctOnLayer(uint32_t Pad, uint8_t LayerNumber,
                                           uint8_t CornerPercent) {
  return SetPadLayer(Pad, LayerNumber, [&](TPadLayerStack& values) {
    values.CornerPercent = CornerPercent;
    values.CornerRadius = static_cast<int32_t>(std::min(values.Size.X, values.Size.Y) / 2 *
                                               int64_t{CornerPercent} / 100);
    return CornerPercent <= 100;
  });
}

int32_t PCBAPI_CALL PcbApi_QueryPad_PwrGnd(uint32_t Pad, uint8_t* IsPowerOrGround) {
  const TPad* pad = Handles().Find<TPad>(Pad, TKind::Pad);
  if (pad == nullptr || IsPowerOrGround == nullptr)
    return StatusFailed;
  *IsPowerOrGround = pad->PowerGround;
  return StatusOk;
}

}  // extern "C"
