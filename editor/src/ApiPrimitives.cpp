// Entry points for tracks, fills, arcs, vias, nets, connections and texts, and for the kinds this
// editor holds none of (regions, polygons, split planes, coordinates, dimensions, embedded objects,
// manual connections, classes, rules, violations): their handles are all unknown.

#include "ApiSupport.h"

using namespace Tarnix;

extern "C" {

int32_t PCBAPI_CALL PcbApi_QueryTrack(uint8_t Mode, uint32_t Track, uint16_t* StateFlags,
                                      uint16_t* Tag, uint32_t* Layer, uint32_t* NetHandle,
                                      uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X1,
                                      int32_t* Y1, int32_t* X2, int32_t* Y2, int32_t* Opaque1,
                                      int32_t* Opaque2, int32_t* Opaque3, int32_t* Opaque4) {
  return QueryObject<TTrack>(Mode, Track, TKind::Track, [&](TFieldIo& io, TTrack& track) {
    Header(io, track, StateFlags, Tag, Layer, NetHandle, Moveable, ComponentHandle);
    io(X1, track.P1.X);
    io(Y1, track.P1.Y);
    io(X2, track.P2.X);
    io(Y2, track.P2.Y);
    io(Opaque1, track.Width);
    io(Opaque2, track.Opaque2);
    io(Opaque3, track.Opaque3);
    io(Opaque4, track.Opaque4);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryFill(uint8_t Mode, uint32_t Fill, uint16_t* StateFlags,
                                     uint16_t* Tag, uint32_t* Layer, uint32_t* NetHandle,
                                     uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X1,
                                     int32_t* Y1, int32_t* X2, int32_t* Y2, int32_t* Opaque1,
                                     double* Rotation) {
  return QueryObject<TFill>(Mode, Fill, TKind::Fill, [&](TFieldIo& io, TFill& fill) {
    Header(io, fill, StateFlags, Tag, Layer, NetHandle, Moveable, ComponentHandle);
    io(X1, fill.P1.X);
    io(Y1, fill.P1.Y);
    io(X2, fill.P2.X);
    io(Y2, fill.P2.Y);
    io(Opaque1, fill.Opaque1);
    io.Finite(Rotation, fill.Rotation);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryArc(uint8_t Mode, uint32_t Arc, uint16_t* StateFlags, uint16_t* Tag,
                                    uint32_t* Layer, uint32_t* NetHandle, uint8_t* Moveable,
                                    uint32_t* ComponentHandle, int32_t* CenterX, int32_t* CenterY,
                                    int32_t* Radius, double* StartAngle, double* EndAngle,
                                    int32_t* Opaque1, int32_t* Width) {
  return QueryObject<TArc>(Mode, Arc, TKind::Arc, [&](TFieldIo& io, TArc& arc) {
    Header(io, arc, StateFlags, Tag, Layer, NetHandle, Moveable, ComponentHandle);
    io(CenterX, arc.Centre.X);
    io(CenterY, arc.Centre.Y);
    io(Radius, arc.Radius);
    io.Finite(StartAngle, arc.StartAngle);
    io.Finite(EndAngle, arc.EndAngle);
    io(Opaque1, arc.Opaque1);
    io(Width, arc.Width);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryVia(uint8_t Mode, uint32_t Via, uint16_t* StateFlags, uint16_t* Tag,
                                    uint8_t* LayerNumber, uint32_t* NetHandle, uint8_t* Moveable,
                                    uint32_t* ComponentHandle, int32_t* X, int32_t* Y,
                                    int32_t* Size, int32_t* HoleSize, uint8_t* Opaque1,
                                    uint8_t* Opaque2, uint8_t* Opaque3, uint8_t* Opaque4) {
  return QueryObject<TVia>(Mode, Via, TKind::Via, [&](TFieldIo& io, TVia& via) {
    io(StateFlags, via.StateFlags);
    io(Tag, via.Tag);
    io.LayerNumber(LayerNumber, via.Layer);
    Tarnix::NetHandle(io, NetHandle, via);
    io(Moveable, via.Moveable);
    OwnerHandle(io, ComponentHandle, via);
    io(X, via.Centre.X);
    io(Y, via.Centre.Y);
    io(Size, via.Size);
    io(HoleSize, via.HoleSize);
    io(Opaque1, via.Opaque[0]);
    io(Opaque2, via.Opaque[1]);
    io(Opaque3, via.Opaque[2]);
    io(Opaque4, via.Opaque[3]);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryRegion(uint8_t, uint32_t, uint8_t*, uint16_t*, uint16_t*, uint32_t*,
                                       uint32_t*, uint8_t*, uint32_t*, int32_t*, int32_t*, int32_t*,
                                       int32_t*, int32_t*, int32_t*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryPolygon(uint8_t, uint32_t, uint16_t*, uint16_t*, uint32_t*,
                                        uint32_t*, uint8_t*, uint8_t*, uint8_t*, uint8_t*, int32_t*,
                                        int32_t*, uint8_t*, uint8_t*, int32_t*, uint8_t*, int32_t*,
                                        PcbSegmentBlock*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QuerySplitPlane(uint8_t, uint32_t, uint16_t*, uint16_t*, uint32_t*,
                                           uint32_t*, uint8_t*, uint8_t*, int32_t*,
                                           PcbSegmentBlock*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryCoordinate(uint8_t, uint32_t, uint16_t*, uint16_t*, uint8_t*,
                                           int32_t*, int32_t*, uint32_t*, int32_t*, int32_t*,
                                           int32_t*, int32_t*, int32_t*, int32_t*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryDimension(uint8_t, uint32_t, uint16_t*, uint16_t*, uint8_t*,
                                          int32_t*, int32_t*, int32_t*, int32_t*, uint32_t*,
                                          int32_t*, int32_t*, int32_t*, int32_t*, int32_t*,
                                          uint8_t*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_References_Count(uint8_t, uint32_t, int32_t*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_References_At(uint8_t, uint32_t, int32_t, int32_t*, int32_t*, int32_t*,
                                         int32_t*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryExtDimension(uint8_t, uint32_t, uint8_t*, int32_t*, int32_t*,
                                             int32_t*, int32_t*, int32_t*, int32_t*, int32_t*,
                                             int32_t*, int32_t*, int32_t*, int32_t*, double*,
                                             uint8_t*, uint8_t*, uint8_t*, uint8_t*, uint8_t*,
                                             uint8_t*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryEmbeddedBoard(uint8_t, uint32_t, uint16_t*, uint16_t*, uint8_t*,
                                              int32_t*, int32_t*, PcbString255*, int32_t*, int32_t*,
                                              int32_t*, int32_t*, PcbBytes8*, uint8_t*, uint8_t*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryEmbedded(uint8_t, uint32_t, PcbString255*, PcbEmbeddedData*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryNet(uint8_t Mode, uint32_t Net, uint16_t* Tag, PcbString255* Name,
                                    uint8_t* Opaque1, uint8_t* Opaque2) {
  return QueryObject<TNet>(Mode, Net, TKind::Net, [&](TFieldIo& io, TNet& net) {
    io(Tag, net.Tag);
    io.String(Name, net.Name);
    io(Opaque1, net.Opaque1);
    io(Opaque2, net.Opaque2);
  });
}

// Connections are computed by the editor: only their tag and the two bytes can be written.
int32_t PCBAPI_CALL PcbApi_QueryFromTo(uint8_t Mode, uint32_t FromTo, uint16_t* Tag, int32_t* X1,
                                       int32_t* Y1, uint8_t* Opaque1, int32_t* X2, int32_t* Y2,
                                       uint8_t* Opaque2, uint32_t* NetHandle) {
  return QueryObject<TFromTo>(Mode, FromTo, TKind::FromTo, [&](TFieldIo& io, TFromTo& connection) {
    io(Tag, connection.Tag);
    io.ReadOnly(X1, connection.P1.X);
    io.ReadOnly(Y1, connection.P1.Y);
    io(Opaque1, connection.Opaque1);
    io.ReadOnly(X2, connection.P2.X);
    io.ReadOnly(Y2, connection.P2.Y);
    io(Opaque2, connection.Opaque2);
    io.ReadOnly(NetHandle, connection.Net != nullptr ? connection.Net->Handle : 0u);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryManualFromTo(uint8_t, uint32_t, uint16_t*, PcbString255*,
                                             PcbString255*, PcbString255*, int32_t*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryText(uint8_t Mode, uint32_t Text, uint16_t* StateFlags,
                                     uint16_t* Tag, uint32_t* Layer, uint32_t* NetHandle,
                                     uint8_t* Moveable, uint32_t* ComponentHandle, int32_t* X,
                                     int32_t* Y, int32_t* Opaque1, int32_t* Opaque2,
                                     double* Rotation, uint8_t* Opaque3, PcbString254* TextString,
                                     int32_t* Opaque4, int32_t* Opaque5, int32_t* Opaque6) {
  return QueryObject<TText>(Mode, Text, TKind::Text, [&](TFieldIo& io, TText& text) {
    Header(io, text, StateFlags, Tag, Layer, NetHandle, Moveable, ComponentHandle);
    io(X, text.Position.X);
    io(Y, text.Position.Y);
    io(Opaque1, text.Height);
    io(Opaque2, text.StrokeWidth);
    io.Finite(Rotation, text.Rotation);
    io(Opaque3, text.Mirrored);
    io.String(TextString, text.Text);
    io(Opaque4, text.Opaque4);
    io(Opaque5, text.Opaque5);
    io(Opaque6, text.Opaque6);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryTrueTypeTextInfo(uint8_t Mode, uint32_t Text, uint8_t* UseTrueType,
                                                 PcbString255* FontName, uint8_t* Opaque1,
                                                 uint8_t* Opaque2, uint8_t* Opaque3,
                                                 int32_t* Opaque4) {
  return QueryObject<TText>(Mode, Text, TKind::Text, [&](TFieldIo& io, TText& text) {
    io(UseTrueType, text.UseTrueType);
    io.String(FontName, text.FontName);
    io(Opaque1, text.TrueTypeByte1);
    io(Opaque2, text.TrueTypeByte2);
    io(Opaque3, text.TrueTypeByte3);
    io(Opaque4, text.TrueTypeValue);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBarCodeTextInfo(uint8_t Mode, uint32_t Text, uint8_t* Opaque1,
                                                uint8_t* Opaque2, uint8_t* Opaque3,
                                                uint8_t* Opaque4) {
  return QueryObject<TText>(Mode, Text, TKind::Text, [&](TFieldIo& io, TText& text) {
    io(Opaque1, text.BarCode[0]);
    io(Opaque2, text.BarCode[1]);
    io(Opaque3, text.BarCode[2]);
    io(Opaque4, text.BarCode[3]);
  });
}

// Texts are displayed as they are written.
int32_t PCBAPI_CALL PcbApi_GetDesignatorDisplayString(PcbString255* Buffer, uint32_t Text) {
  const TText* text = Handles().Find<TText>(Text, TKind::Text);
  if (text == nullptr || Buffer == nullptr)
    return StatusFailed;
  ToPcbString(*Buffer, text->Text);
  return StatusOk;
}

int32_t PCBAPI_CALL PcbApi_QueryClass(uint8_t, uint32_t, uint16_t*, uint8_t*, uint8_t*,
                                      PcbString255*) {
  return StatusFailed;
}

// Without classes every index lies past the last member.
int32_t PCBAPI_CALL PcbApi_GetMemberFromClassAt(uint32_t, int32_t, PcbString255*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_AddMemberToClass(uint32_t, const PcbString255*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_RemoveAllMembersFromClass(uint32_t) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryRule(uint8_t, uint32_t, uint8_t*, uint8_t*, uint8_t*, uint8_t*,
                                     uint8_t*, uint8_t*, uint8_t*, PcbString255*, PcbString255*,
                                     PcbString255*, PcbString255*, uint8_t*, uint8_t*, int32_t*,
                                     int32_t*, int32_t*, int32_t*, PcbString255*, PcbString255*,
                                     PcbString255*, PcbString255*, PcbString255*, PcbString255*) {
  return StatusFailed;
}

int32_t PCBAPI_CALL PcbApi_QueryViolation(uint8_t, uint32_t, PcbString255*, PcbString255*, int32_t*,
                                          int32_t*, int32_t*) {
  return StatusFailed;
}

}  // extern "C"
