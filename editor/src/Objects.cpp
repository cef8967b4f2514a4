#include "Objects.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace Tarnix {

namespace {

// Corner percentage of a pad layer that was not set layer by layer.
constexpr uint8_t DefaultCornerPercent = 50;

}  // namespace

bool IsPadShape(uint8_t shape) {
  return shape == ShapeRound || shape == ShapeRectangle || shape == ShapeOctagonal ||
         shape == ShapeRoundedRectangle;
}

bool TObject::AcceptsLayer(TLayerNumber layer) const {
  return layer >= FirstLayer && layer <= LastLayer;
}

bool TPad::AcceptsLayer(TLayerNumber layer) const {
  return layer == TopLayer || layer == BottomLayer || layer == MultiLayer;
}

TSize TPad::SideSize() const {
  return Layer == BottomLayer ? BottomSize : TopSize;
}

uint8_t TPad::SideShape() const {
  return Layer == BottomLayer ? BottomShape : TopShape;
}

void TPad::SetUniform(TSize size, uint8_t shape) {
  TopSize = MidSize = BottomSize = size;
  TopShape = MidShape = BottomShape = shape;
}

TPadLayerStack TPad::OnLayerNumber(TLayerNumber layer) const {
  if (const auto set = LayerStack.find(layer); set != LayerStack.end())
    return set->second;
  TPadLayerStack values;
  const bool throughHole = Layer == MultiLayer;
  if (layer == TopLayer && (throughHole || Layer == TopLayer)) {
    values.Shape = TopShape;
    values.Size = TopSize;
  } else if (layer == BottomLayer && (throughHole || Layer == BottomLayer)) {
    values.Shape = BottomShape;
    values.Size = BottomSize;
  } else if (layer >= MidLayer1 && layer <= MidLayer30 && throughHole) {
    values.Shape = MidShape;
    values.Size = MidSize;
  } else {
    return values;
  }
  if (values.Shape == ShapeRoundedRectangle) {
    values.CornerPercent = DefaultCornerPercent;
    values.CornerRadius = static_cast<int32_t>(std::min(values.Size.X, values.Size.Y) / 2 *
                                               int64_t{DefaultCornerPercent} / 100);
  }
  return values;
}

void TPad::AddBounds(TExtent& extent) const {
  TSize size = SideSize();
  if (Layer == MultiLayer) {
    size.X = std::max({TopSize.X, MidSize.X, BottomSize.X});
    size.Y = std::max({TopSize.Y, MidSize.Y, BottomSize.Y});
  }
  extent.AddTurnedRect(Centre.X, Centre.Y, size.X, size.Y, Rotation);
}

// A text's cell is as wide as it is high; the box is that of its cells, turned about the first
// cell's lower left corner.
void TText::AddBounds(TExtent& extent) const {
  const double width = static_cast<double>(Height) * static_cast<double>(Text.size());
  const double height = Height;
  const TSinCos turn = SinCosDegrees(Rotation);
  const double cx = width / 2 * turn.Cos - height / 2 * turn.Sin;
  const double cy = width / 2 * turn.Sin + height / 2 * turn.Cos;
  extent.AddTurnedRect(Position.X + cx, Position.Y + cy, width, height, Rotation);
}

void TTrack::AddBounds(TExtent& extent) const {
  TExtent line;
  line.Add(P1.X, P1.Y);
  line.Add(P2.X, P2.Y);
  line.Grow(Width / 2.0);
  extent.Add(line);
}

void TFill::AddBounds(TExtent& extent) const {
  const double cx = (static_cast<double>(P1.X) + P2.X) / 2;
  const double cy = (static_cast<double>(P1.Y) + P2.Y) / 2;
  const double w = std::abs(static_cast<double>(P2.X) - P1.X);
  const double h = std::abs(static_cast<double>(P2.Y) - P1.Y);
  extent.AddTurnedRect(cx, cy, w, h, Rotation);
}

// The arc runs counter-clockwise from its start to its end angle; equal angles draw a circle.
void TArc::AddBounds(TExtent& extent) const {
  TExtent arc;
  const auto pointAt = [&](double degrees) {
    const TSinCos at = SinCosDegrees(degrees);
    arc.Add(Centre.X + Radius * at.Cos, Centre.Y + Radius * at.Sin);
  };
  double sweep = std::fmod(EndAngle - StartAngle, 360.0);
  if (!std::isfinite(sweep) || sweep <= 0.0)
    sweep += 360.0;
  pointAt(StartAngle);
  pointAt(StartAngle + sweep);
  // The extreme points at the quarter turns that the sweep passes (at most four).
  const double firstQuarter = std::ceil(StartAngle / 90.0) * 90.0;
  for (int i = 0; i < 4; ++i) {
    const double quarter = firstQuarter + 90.0 * i;
    if (!(quarter < StartAngle + sweep))
      break;
    pointAt(quarter);
  }
  arc.Grow(Width / 2.0);
  extent.Add(arc);
}

void TVia::AddBounds(TExtent& extent) const {
  extent.AddTurnedRect(Centre.X, Centre.Y, Size, Size, 0.0);
}

void TFromTo::AddBounds(TExtent& extent) const {
  extent.Add(P1.X, P1.Y);
  extent.Add(P2.X, P2.Y);
}

TComponent::TComponent() : TObject(TKind::Component) {
  Layer = TopLayer;
}

void TComponent::AddBounds(TExtent& extent) const {
  TExtent own;
  for (const auto& pad : Pads)
    pad->AddBounds(own);
  for (const TPoint& point : Body)
    own.Add(point.X, point.Y);
  if (own.Empty())
    own.Add(Data.Reference.X, Data.Reference.Y);
  extent.Add(own);
}

std::vector<TObject*> TComponent::Children(TKind kind) const {
  std::vector<TObject*> children;
  if (kind == TKind::Pad)
    for (const auto& pad : Pads)
      children.push_back(pad.get());
  if (kind == TKind::Text && Designator)
    children.push_back(Designator.get());
  return children;
}

TObject* TComponent::ChildAt(TKind kind, size_t index) const {
  if (kind == TKind::Pad && index >= 1 && index <= Pads.size())
    return Pads[index - 1].get();
  if (kind == TKind::Text && index == 1)
    return Designator.get();
  return nullptr;
}

bool TComponent::MoveTo(TPoint reference, double rotation) {
  const TSinCos turn = SinCosDegrees(rotation - Data.Rotation);
  const TPoint from = Data.Reference;
  const auto turned = [&](TPoint point) { return TurnAbout(point, from, reference, turn); };

  // Everything is computed before anything changes, so that a failure leaves the component whole.
  std::vector<TPoint> padCentres, body;
  for (const auto& pad : Pads) {
    const auto centre = turned(pad->Centre);
    if (!centre)
      return false;
    padCentres.push_back(*centre);
  }
  for (const TPoint& point : Body) {
    const auto moved = turned(point);
    if (!moved)
      return false;
    body.push_back(*moved);
  }
  std::optional<TPoint> designator;
  if (Designator && !(designator = turned(Designator->Position)))
    return false;

  const double delta = rotation - Data.Rotation;
  for (size_t i = 0; i < Pads.size(); ++i) {
    Pads[i]->Centre = padCentres[i];
    Pads[i]->Rotation += delta;
  }
  Body = std::move(body);
  if (Designator) {
    Designator->Position = *designator;
    Designator->Rotation += delta;
  }
  Data.Reference = reference;
  Data.Rotation = rotation;
  return true;
}

}  // namespace Tarnix
