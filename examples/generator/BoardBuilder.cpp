#include "BoardBuilder.h"

#include <algorithm>
#include <cmath>

namespace {

using Tarnix::BoardJson::Angle;
using Tarnix::BoardJson::Length;
using Tarnix::BoardJson::TJson;

constexpr int32_t PackingGap = Mil(30);     // between packed parts
constexpr int32_t OutlineMargin = Mil(60);  // between the outline and packed parts
constexpr int32_t OutlineWidth = Mil(10);
constexpr int32_t OutlineStep = Mil(100);  // the outline's sides are whole multiples of this

struct TOffset {
  int32_t X, Y;
};

// An offset of the footprint on the part's side (the bottom side sees it mirrored), turned.
TOffset Place(const TPart& part, int32_t x, int32_t y) {
  if (part.Bottom)
    x = -x;
  switch (part.QuarterTurns % 4) {
    case 1:
      return {-y, x};
    case 2:
      return {-x, -y};
    case 3:
      return {y, -x};
    default:
      return {x, y};
  }
}

TBox BoxAround(TOffset centre, int32_t w, int32_t h, bool turned) {
  if (turned)
    std::swap(w, h);
  return {centre.X - w / 2, centre.Y - h / 2, centre.X + w / 2, centre.Y + h / 2};
}

void Merge(TBox& box, const TBox& other, bool& first) {
  if (first) {
    box = other;
    first = false;
    return;
  }
  box = {std::min(box.X1, other.X1), std::min(box.Y1, other.Y1), std::max(box.X2, other.X2),
         std::max(box.Y2, other.Y2)};
}

TBox Shifted(const TBox& box, int32_t x, int32_t y) {
  return {box.X1 + x, box.Y1 + y, box.X2 + x, box.Y2 + y};
}

int32_t RoundUp(double value, int32_t step) {
  return static_cast<int32_t>(std::ceil(value / step)) * step;
}

}  // namespace

bool TBox::Overlaps(const TBox& other, int32_t gap) const {
  return X1 < other.X2 + gap && other.X1 < X2 + gap && Y1 < other.Y2 + gap && other.Y1 < Y2 + gap;
}

TBox TPart::Extent() const {
  const bool turned = QuarterTurns % 2 == 1;
  TBox box;
  bool first = true;
  for (const TPadShape& pad : Footprint.Pads)
    Merge(box, BoxAround(Place(*this, pad.X, pad.Y), pad.W, pad.H, turned), first);
  if (Footprint.BodyW > 0)
    Merge(box, BoxAround({0, 0}, Footprint.BodyW, Footprint.BodyH, turned), first);
  return box;
}

TPart& TBoardBuilder::Add(const std::string& prefix, TFootprint footprint,
                          std::vector<std::string> padNets) {
  padNets.resize(footprint.Pads.size());
  for (const std::string& net : padNets)
    NoteNet(net);
  TPart part;
  part.Designator = prefix + std::to_string(++Counters[prefix]);
  part.Footprint = std::move(footprint);
  part.PadNets = std::move(padNets);
  Parts.push_back(std::move(part));
  return Parts.back();
}

void TBoardBuilder::Lock(TPart& part, TAnchor anchor, int quarterTurns) {
  part.Locked = true;
  part.Anchor = anchor;
  part.QuarterTurns = quarterTurns;
}

void TBoardBuilder::AddKeepOut(TAnchor lowerLeft, TAnchor upperRight) {
  KeepOutAnchors.emplace_back(lowerLeft, upperRight);
}

int32_t TBoardBuilder::AtX(const TAnchor& anchor) const {
  return static_cast<int32_t>(int64_t{Width} * anchor.PermilleX / 1000) + anchor.OffsetX;
}

int32_t TBoardBuilder::AtY(const TAnchor& anchor) const {
  return static_cast<int32_t>(int64_t{Height} * anchor.PermilleY / 1000) + anchor.OffsetY;
}

// The outline grows step by step until every movable part finds room inside it.
void TBoardBuilder::Lay(double fill, TRandom& random) {
  SizeOutline(fill);
  while (true) {
    KeepOuts.clear();
    for (const auto& [lowerLeft, upperRight] : KeepOutAnchors)
      KeepOuts.push_back({AtX(lowerLeft), AtY(lowerLeft), AtX(upperRight), AtY(upperRight)});
    for (TPart& part : Parts)
      if (part.Locked) {
        part.X = AtX(part.Anchor);
        part.Y = AtY(part.Anchor);
      }
    TRandom attempt = random;
    if (Pack(attempt)) {
      random = attempt;
      return;
    }
    Width += OutlineStep;
    Height += OutlineStep;
  }
}

void TBoardBuilder::NoteNet(const std::string& name) {
  if (!name.empty() && KnownNets.insert(name).second)
    Nets.push_back(name);
}

void TBoardBuilder::SizeOutline(double fill) {
  double area = 0;
  for (const TPart& part : Parts) {
    const TBox box = part.Extent();
    area += static_cast<double>(box.X2 - box.X1 + PackingGap) * (box.Y2 - box.Y1 + PackingGap);
  }
  area /= fill;
  Width = RoundUp(std::sqrt(area * 1.5), OutlineStep);
  Height = RoundUp(area / Width, OutlineStep);
}

// Rows from the lower left corner upwards; a part that meets a keep-out area or a locked part
// moves to the right of it. False when a part finds no room.
bool TBoardBuilder::Pack(TRandom& random) {
  std::vector<TBox> taken = KeepOuts;
  std::vector<TPart*> movable;
  for (TPart& part : Parts) {
    if (part.Locked)
      taken.push_back(Shifted(part.Extent(), part.X, part.Y));
    else
      movable.push_back(&part);
  }
  random.Shuffle(movable);
  for (TPart* part : movable)
    part->QuarterTurns = static_cast<int>(random.Below(2));
  // Rows of parts of like height waste little room.
  std::stable_sort(movable.begin(), movable.end(), [](const TPart* a, const TPart* b) {
    const TBox ea = a->Extent(), eb = b->Extent();
    return ea.Y2 - ea.Y1 > eb.Y2 - eb.Y1;
  });

  const int32_t left = OutlineMargin, right = Width - OutlineMargin, top = Height - OutlineMargin;
  int32_t x = left, y = OutlineMargin, rowHeight = 0;
  for (TPart* part : movable) {
    const TBox extent = part->Extent();
    const int32_t w = extent.X2 - extent.X1, h = extent.Y2 - extent.Y1;
    while (true) {
      if (y + h > top)
        return false;
      if (x + w > right) {
        x = left;
        y += rowHeight + PackingGap;
        rowHeight = 0;
        continue;
      }
      const TBox spot{x, y, x + w, y + h};
      const auto blocker = std::find_if(taken.begin(), taken.end(), [&](const TBox& box) {
        return box.Overlaps(spot, PackingGap);
      });
      if (blocker == taken.end()) {
        taken.push_back(spot);
        break;
      }
      x = blocker->X2 + PackingGap;
    }
    part->X = x - extent.X1;
    part->Y = y - extent.Y1;
    x += w + PackingGap;
    rowHeight = std::max(rowHeight, h);
  }
  return true;
}

TJson TBoardBuilder::ToJson() const {
  TJson root = TJson::object();
  root["format"] = "pcb-board";
  root["version"] = 1;
  root["board"] = {{"displayUnit", "mil"},
                   {"componentGrid", Length(Settings.ComponentGrid)},
                   {"placer",
                    {{"powerNets", Settings.PowerNets},
                     {"groundNets", Settings.GroundNets},
                     {"rotateComponents", Settings.RotateComponents},
                     {"groupComponents", Settings.GroupComponents},
                     {"smallComponentClearance", Length(Settings.SmallClearance)},
                     {"largeComponentClearance", Length(Settings.LargeClearance)},
                     {"extraFlag1", false},
                     {"extraFlag2", false}}}};
  root["nets"] = Nets;

  TJson components = TJson::array();
  for (const TPart& part : Parts) {
    const bool turned = part.QuarterTurns % 2 == 1;
    const double rotation = 90.0 * (part.QuarterTurns % 4);
    TJson component = TJson::object();
    component["designator"] = part.Designator;
    component["footprint"] = part.Footprint.Name;
    component["layer"] = part.Bottom ? "BottomLayer" : "TopLayer";
    component["x"] = Length(part.X);
    component["y"] = Length(part.Y);
    if (rotation != 0.0)
      component["rotation"] = Angle(rotation);
    if (part.Locked)
      component["locked"] = true;
    if (part.Footprint.BodyW > 0) {
      const TBox body = Shifted(
          BoxAround({0, 0}, part.Footprint.BodyW, part.Footprint.BodyH, turned), part.X, part.Y);
      component["body"] = TJson::array({TJson::array({Length(body.X1), Length(body.Y1)}),
                                        TJson::array({Length(body.X2), Length(body.Y1)}),
                                        TJson::array({Length(body.X2), Length(body.Y2)}),
                                        TJson::array({Length(body.X1), Length(body.Y2)})});
    }
    TJson pads = TJson::array();
    for (size_t i = 0; i < part.Footprint.Pads.size(); ++i) {
      const TPadShape& shape = part.Footprint.Pads[i];
      const TOffset centre = Place(part, shape.X, shape.Y);
      const bool throughHole = shape.Kind == TPadKind::ThroughHole;
      TJson pad = TJson::object();
      pad["name"] = shape.Name;
      pad["x"] = Length(int64_t{part.X} + centre.X);
      pad["y"] = Length(int64_t{part.Y} + centre.Y);
      pad["size"] = TJson::array({Length(shape.W), Length(shape.H)});
      if (rotation != 0.0)
        pad["rotation"] = Angle(rotation);
      pad["shape"] = shape.Shape;
      pad["layer"] = throughHole ? "MultiLayer" : part.Bottom ? "BottomLayer" : "TopLayer";
      if (shape.Hole != 0)
        pad["hole"] = Length(shape.Hole);
      if (!part.PadNets[i].empty())
        pad["net"] = part.PadNets[i];
      pads.push_back(pad);
    }
    component["pads"] = pads;
    components.push_back(component);
  }
  root["components"] = components;

  TJson primitives = TJson::array();
  const std::vector<std::pair<int32_t, int32_t>> corners = {
      {0, 0}, {Width, 0}, {Width, Height}, {0, Height}};
  for (size_t i = 0; i < corners.size(); ++i) {
    const auto& [x1, y1] = corners[i];
    const auto& [x2, y2] = corners[(i + 1) % corners.size()];
    primitives.push_back({{"kind", "track"},
                          {"layer", "KeepOutLayer"},
                          {"x1", Length(x1)},
                          {"y1", Length(y1)},
                          {"x2", Length(x2)},
                          {"y2", Length(y2)},
                          {"width", Length(OutlineWidth)}});
  }
  for (const TBox& box : KeepOuts)
    primitives.push_back({{"kind", "fill"},
                          {"layer", "KeepOutLayer"},
                          {"x1", Length(box.X1)},
                          {"y1", Length(box.Y1)},
                          {"x2", Length(box.X2)},
                          {"y2", Length(box.Y2)}});
  root["primitives"] = primitives;
  return root;
}
