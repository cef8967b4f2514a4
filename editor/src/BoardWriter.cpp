// Writing board files. Optional keys are left out where they hold their default, which reads back
// to the same board.

#include "BoardFile.h"
#include "BoardJson.h"
#include "BoardSettingsJson.h"
#include "FileAccess.h"

namespace Tarnix {

namespace {

using BoardJson::Angle;
using BoardJson::Length;
using BoardJson::TJson;

std::string LayerName(TLayerNumber layer) {
  return std::string(LayerNameOf(layer));
}

std::string ShapeName(uint8_t shape) {
  switch (shape) {
    case ShapeRectangle:
      return "rectangle";
    case ShapeOctagonal:
      return "octagonal";
    case ShapeRoundedRectangle:
      return "roundedRectangle";
    default:
      return "round";
  }
}

std::string ColorText(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
  return text;
}

void PutNet(TJson& object, const TObject& owner) {
  if (owner.Net != nullptr)
    object["net"] = owner.Net->Name;
}

TJson PointJson(TPoint point) {
  return TJson::array({Length(point.X), Length(point.Y)});
}

TJson SettingsJson(const TBoardSettings& settings) {
  TJson board = TJson::object();
  board["displayUnit"] = settings.Record.DisplayUnitImperial != 0 ? "mil" : "mm";
  board["componentGrid"] = Length(settings.Grids.ComponentGrid);
  TJson colors = TJson::object();
  for (int n = FirstLayer; n <= LastLayer; ++n) {
    const auto layer = static_cast<TLayerNumber>(n);
    if (settings.Layers[layer].Color != DefaultLayerColor(layer))
      colors[LayerName(layer)] = ColorText(settings.Layers[layer].Color);
  }
  if (!colors.empty())
    board["layerColors"] = colors;
  const TPlacerOptions& placer = settings.Placer;
  board["placer"] = {{"powerNets", placer.PowerNets},
                     {"groundNets", placer.GroundNets},
                     {"rotateComponents", placer.RotateComponents != 0},
                     {"groupComponents", placer.GroupComponents != 0},
                     {"smallComponentClearance", Length(placer.SmallComponentClearance)},
                     {"largeComponentClearance", Length(placer.LargeComponentClearance)},
                     {"extraFlag1", placer.ExtraFlag1 != 0},
                     {"extraFlag2", placer.ExtraFlag2 != 0}};
  return board;
}

TJson PadJson(const TPad& pad) {
  TJson object = TJson::object();
  object["name"] = pad.Name;
  object["x"] = Length(pad.Centre.X);
  object["y"] = Length(pad.Centre.Y);
  const TSize size = pad.SideSize();
  object["size"] = TJson::array({Length(size.X), Length(size.Y)});
  if (pad.Rotation != 0.0)
    object["rotation"] = Angle(pad.Rotation);
  object["shape"] = ShapeName(pad.SideShape());
  object["layer"] = LayerName(pad.Layer);
  if (pad.HoleSize != 0)
    object["hole"] = Length(pad.HoleSize);
  PutNet(object, pad);
  if (pad.PowerGround != 0)
    object["powerGround"] = true;
  return object;
}

TJson ComponentJson(const TComponent& component) {
  const TComponentData& data = component.Data;
  TJson object = TJson::object();
  object["designator"] = component.Designator ? component.Designator->Text : std::string();
  if (!data.Footprint.empty())
    object["footprint"] = data.Footprint;
  object["layer"] = LayerName(component.Layer);
  object["x"] = Length(data.Reference.X);
  object["y"] = Length(data.Reference.Y);
  if (data.Rotation != 0.0)
    object["rotation"] = Angle(data.Rotation);
  if (component.Moveable == 0)
    object["locked"] = true;
  if (data.GroupIndex != 0)
    object["groupIndex"] = data.GroupIndex;
  if (!component.Body.empty()) {
    TJson body = TJson::array();
    for (const TPoint& point : component.Body)
      body.push_back(PointJson(point));
    object["body"] = body;
  }
  if (!component.Pads.empty()) {
    TJson pads = TJson::array();
    for (const auto& pad : component.Pads)
      pads.push_back(PadJson(*pad));
    object["pads"] = pads;
  }
  return object;
}

TJson PrimitiveJson(const TObject& primitive) {
  TJson object = TJson::object();
  const auto corners = [&](TPoint p1, TPoint p2) {
    object["x1"] = Length(p1.X);
    object["y1"] = Length(p1.Y);
    object["x2"] = Length(p2.X);
    object["y2"] = Length(p2.Y);
  };
  switch (primitive.Kind) {
    case TKind::Track: {
      const auto& track = static_cast<const TTrack&>(primitive);
      object["kind"] = "track";
      object["layer"] = LayerName(track.Layer);
      corners(track.P1, track.P2);
      object["width"] = Length(track.Width);
      break;
    }
    case TKind::Fill: {
      const auto& fill = static_cast<const TFill&>(primitive);
      object["kind"] = "fill";
      object["layer"] = LayerName(fill.Layer);
      corners(fill.P1, fill.P2);
      if (fill.Rotation != 0.0)
        object["rotation"] = Angle(fill.Rotation);
      break;
    }
    case TKind::Arc: {
      const auto& arc = static_cast<const TArc&>(primitive);
      object["kind"] = "arc";
      object["layer"] = LayerName(arc.Layer);
      object["x"] = Length(arc.Centre.X);
      object["y"] = Length(arc.Centre.Y);
      object["radius"] = Length(arc.Radius);
      object["startAngle"] = Angle(arc.StartAngle);
      object["endAngle"] = Angle(arc.EndAngle);
      object["width"] = Length(arc.Width);
      break;
    }
    case TKind::Via: {
      const auto& via = static_cast<const TVia&>(primitive);
      object["kind"] = "via";
      object["layer"] = LayerName(via.Layer);
      object["x"] = Length(via.Centre.X);
      object["y"] = Length(via.Centre.Y);
      object["size"] = Length(via.Size);
      object["hole"] = Length(via.HoleSize);
      break;
    }
    case TKind::Text: {
      const auto& text = static_cast<const TText&>(primitive);
      object["kind"] = "text";
      object["layer"] = LayerName(text.Layer);
      object["x"] = Length(text.Position.X);
      object["y"] = Length(text.Position.Y);
      object["text"] = text.Text;
      object["height"] = Length(text.Height);
      if (text.Rotation != 0.0)
        object["rotation"] = Angle(text.Rotation);
      return object;
    }
    default:
      return object;
  }
  PutNet(object, primitive);
  return object;
}

TJson BoardJsonOf(const TBoard& board) {
  TJson root = TJson::object();
  root["format"] = "pcb-board";
  root["version"] = 1;
  root["board"] = SettingsJson(board.Settings);
  TJson nets = TJson::array();
  for (const auto& net : board.Nets)
    nets.push_back(net->Name);
  root["nets"] = nets;
  TJson components = TJson::array();
  for (const auto& component : board.Components)
    components.push_back(ComponentJson(*component));
  root["components"] = components;
  if (!board.Primitives.empty()) {
    TJson primitives = TJson::array();
    for (const auto& primitive : board.Primitives)
      primitives.push_back(PrimitiveJson(*primitive));
    root["primitives"] = primitives;
  }
  return root;
}

}  // namespace

TJson BoardSettingsJson(const TBoardSettings& settings) {
  return SettingsJson(settings);
}

std::string BoardFileText(const TBoard& board) {
  return BoardJson::Layout(BoardJsonOf(board));
}

void WriteBoardFile(const TBoard& board, const std::string& fileName) {
  WriteFileAtomically(fileName, BoardFileText(board));
}

}  // namespace Tarnix
