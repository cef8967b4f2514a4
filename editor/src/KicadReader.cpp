// Reading KiCad boards into the editor's model. Footprints become components with their pads,
// designator and body; the Edge.Cuts outline becomes the placement area (keep-out tracks around
// its outer loop); rule areas that forbid footprints become keep-out fills. Everything else stays
// in the kept text only.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <unordered_map>

#include "BoardFile.h"
#include "BoardLimits.h"
#include "KicadFile.h"
#include "KicadOutline.h"
#include "KicadPlacement.h"
#include "PlacerSidecar.h"
#include "SupplyNets.h"

namespace Tarnix {

namespace {

constexpr double OutlineTolerance = 0.01;  // mm between outline pieces that still meet
constexpr size_t FootprintCapacity = 250;
constexpr size_t PlacerNetListCapacity = 255;

// A box in millimetres that grows as points are added.
struct TBox {
  double X1 = std::numeric_limits<double>::infinity(), Y1 = X1;
  double X2 = -std::numeric_limits<double>::infinity(), Y2 = X2;
  void Add(TMm point) {
    X1 = std::min(X1, point.X);
    Y1 = std::min(Y1, point.Y);
    X2 = std::max(X2, point.X);
    Y2 = std::max(Y2, point.Y);
  }
  bool Empty() const { return X1 > X2; }
};

bool IsRectangle(const std::vector<TMm>& points) {
  if (points.size() != 4)
    return false;
  for (size_t i = 0; i < 4; ++i) {
    const TMm a = points[i], b = points[(i + 1) % 4];
    if (a.X != b.X && a.Y != b.Y)
      return false;
  }
  return true;
}

class TKicadReader {
 public:
  TKicadReader(std::shared_ptr<TKicadSource> source, const std::string& name)
      : Source(std::move(source)), Nodes(Source->Tree, name), Tree(Source->Tree) {}

  std::unique_ptr<TBoard> Read() {
    const TNodeId root = Tree.Root();
    if (Tree.Head(root) != "kicad_pcb")
      Nodes.Fail(root, "expected (kicad_pcb ..)");
    ReadVersion(root);
    Tree.ForEachChild(root, [&](TNodeId item) {
      const std::string_view keyword = Tree.Head(item);
      if (keyword == "layers")
        ReadLayerTable(item);
      else if (keyword == "net")
        ReadNet(item);
    });
    Tree.ForEachChild(root, [&](TNodeId item) {
      const std::string_view keyword = Tree.Head(item);
      if (keyword == "footprint" || keyword == "module")
        ReadFootprint(item);
      else if (keyword == "zone")
        ReadZone(item);
      else if (IsShapeKeyword(keyword) && Canonical(Nodes.Layer(item)) == "Edge.Cuts")
        AddEdge(item, nullptr);
    });
    BuildOutline(root);
    Board->Settings.Record.DisplayUnitImperial = 0;
    ChooseSupplyNets();
    return std::move(Board);
  }

 private:
  void ReadVersion(TNodeId root) {
    const TNodeId version = Nodes.Require(root, "version");
    const double number = Nodes.Number(version, 1);
    if (number != std::floor(number) || number < 0 || number > 99999999)
      Nodes.Fail(version, "expected a version date such as 20211014");
    Source->Version = static_cast<int>(number);
    if (Source->Version < KicadOldestVersion)
      Nodes.Fail(version, "version " + std::to_string(Source->Version) +
                              " is older than KiCad 5's format (20171130): open and save the "
                              "board in a newer KiCad first");
    if (Source->Version > KicadNewestVersion)
      Board->Notes.push_back("version " + std::to_string(Source->Version) +
                             " is newer than KiCad 9's (20241229): read on a best-effort basis");
  }

  bool Kicad5() const { return Source->Version < 20200000; }

  // Layer names in footprints and pads are canonical ("F.Cu") from KiCad 6 on; KiCad 5 writes
  // the copper layers' user names, which the table maps through their ids (0 front, 31 back).
  void ReadLayerTable(TNodeId table) {
    Tree.ForEachChild(table, [&](TNodeId entry) {
      if (!Tree.Node(entry).IsList)
        return;
      const TNodeId name = Tree.Element(entry, 1);
      if (name == NoNode || Tree.Node(name).IsList)
        return;
      const std::string given(Tree.Atom(name));
      if (Kicad5()) {
        const double id = Nodes.Number(entry, 0);
        if (id == 0)
          Alias[given] = "F.Cu";
        else if (id == 31)
          Alias[given] = "B.Cu";
        else if (id > 0 && id < 31)
          Alias[given] = "In" + std::to_string(static_cast<int>(id)) + ".Cu";
        return;
      }
      const TNodeId user = Tree.Element(entry, 3);
      if (user != NoNode && !Tree.Node(user).IsList)
        Alias[std::string(Tree.Atom(user))] = given;
    });
  }

  std::string Canonical(std::string_view name) const {
    const auto alias = Alias.find(std::string(name));
    return alias != Alias.end() ? alias->second : std::string(name);
  }

  void ReadNet(TNodeId item) {
    const double number = Nodes.Number(item, 1);
    if (number != std::floor(number) || number < 0 || number > std::numeric_limits<int32_t>::max())
      Nodes.Fail(Tree.Element(item, 1), "expected a net number");
    const TNodeId nameNode = Tree.Element(item, 2);
    const std::string name(nameNode == NoNode ? std::string_view() : Tree.Atom(nameNode));
    const auto key = static_cast<int32_t>(number);
    if (NetByNumber.count(key) != 0)
      Nodes.Fail(item, "net " + std::to_string(key) + " is declared twice");
    if (name.empty()) {
      NetByNumber[key] = nullptr;
      return;
    }
    TNet*& net = NetByName[name];
    if (net == nullptr) {
      auto created = std::make_unique<TNet>();
      created->Name = name;
      net = created.get();
      Board->Nets.push_back(std::move(created));
      Board->NetsChanged();
    }
    NetByNumber[key] = net;
  }

  // A pad's (net N "name"), or (net "name") in files that name nets only.
  TNet* NetOfPad(TNodeId pad) {
    const TNodeId node = Tree.Child(pad, "net");
    if (node == NoNode)
      return nullptr;
    const TNodeId first = Tree.Element(node, 1);
    if (first != NoNode && !Nodes.IsNumber(first)) {
      const auto named = NetByName.find(std::string(Tree.Atom(first)));
      TNet* net = named != NetByName.end() ? named->second : nullptr;
      if (net == nullptr && !Tree.Atom(first).empty())
        Nodes.Fail(node, "the net \"" + std::string(Tree.Atom(first)) +
                             "\" is not in the board's net table");
      return net;
    }
    const double number = Nodes.Number(node, 1);
    // Every declared net number is a whole number in 0..2^31-1 (ReadNet), so nothing else is.
    const bool declarable = number == std::floor(number) && number >= 0 &&
                            number <= std::numeric_limits<int32_t>::max();
    const auto found =
        declarable ? NetByNumber.find(static_cast<int32_t>(number)) : NetByNumber.end();
    if (found == NetByNumber.end())
      Nodes.Fail(node, "net " + std::string(Tree.Atom(first)) + " is not in the board's net table");
    return found->second;
  }

  int32_t Units(double mm, TNodeId where) const {
    const double units = std::nearbyint(mm * UnitsPerMillimetre);
    if (!(units >= std::numeric_limits<int32_t>::min() &&
          units <= std::numeric_limits<int32_t>::max()))
      Nodes.Fail(where, "coordinate out of range");
    return static_cast<int32_t>(units);
  }

  // KiCad's frame (millimetres, +Y down) to the model's (board units, +Y up).
  TPoint ToModel(TMm point, TNodeId where) const {
    return {Units(point.X, where), Units(-point.Y, where)};
  }

  void NoteAngle(double angle) {
    if (angle > 180.0)
      Source->AnglesFrom0To360 = true;
  }

  // The placer's arithmetic holds boards within the editor's limits only.
  void KeepLimits(const TObject& object, TNodeId where) {
    TExtent extent;
    object.AddBounds(extent);
    switch (Extent.Add(extent)) {
      case TBoardExtent::TFit::Inside:
        return;
      case TBoardExtent::TFit::ObjectOutside:
        Nodes.Fail(where, std::string("reaches beyond ") + BoardLimitText + " from the origin");
      case TBoardExtent::TFit::BoardTooLarge:
        Nodes.Fail(where, std::string("makes the board wider or taller than ") + BoardLimitText);
    }
  }

  void ReadFootprint(TNodeId item);
  void ReadFootprintChild(TNodeId child, const TPlacement& placement, TComponent& component);
  std::unique_ptr<TPad> ReadPad(TNodeId item, const TPlacement& placement, TComponent& owner);
  void ReadDesignator(TNodeId item, const TPlacement& placement, TComponent& component);
  TLayerNumber SideOf(TNodeId footprint);
  TLayerNumber PadLayer(TNodeId pad, bool& copper);
  void SetBody(TComponent& component, const TPlacement& placement, TNodeId where);
  void ReadZone(TNodeId zone);
  void AddEdge(TNodeId item, const TPlacement* placement);
  void BuildOutline(TNodeId root);
  void AddAreaTracks(const TBox& box, TNodeId where);
  void ChooseSupplyNets();

  std::shared_ptr<TKicadSource> Source;
  TKicadNodes Nodes;
  const TSExpression& Tree;
  std::unique_ptr<TBoard> Board = std::make_unique<TBoard>();
  std::map<std::string, std::string> Alias;
  std::unordered_map<int32_t, TNet*> NetByNumber;
  std::unordered_map<std::string, TNet*> NetByName;  // every net read, by name
  std::vector<TShapePath> Edges;                     // board coordinates, millimetres
  TBoardExtent Extent;
  // The boxes a footprint's body is made of, in its own coordinates: the courtyard, else the
  // pads with the fabrication and silkscreen graphics.
  TBox Courtyard, Fallback;
};

void TKicadReader::ReadFootprint(TNodeId item) {
  auto component = std::make_unique<TComponent>();
  const TNodeId nameNode = Tree.Element(item, 1);
  if (nameNode != NoNode && !Tree.Node(nameNode).IsList)
    component->Data.Footprint = std::string(Tree.Atom(nameNode)).substr(0, FootprintCapacity);
  component->Layer = SideOf(item);
  const TNodeId lockedNode = Tree.Child(item, "locked");
  const bool locked = Tree.HasAtom(item, "locked") ||
                      (lockedNode != NoNode && Tree.Element(lockedNode, 1) != NoNode &&
                       Tree.Atom(Tree.Element(lockedNode, 1)) == "yes");
  component->Moveable = locked ? 0 : 1;

  TKicadFootprint source;
  source.Node = item;
  source.At = Nodes.Require(item, "at");
  source.Angle = Nodes.OptionalNumber(source.At, 3, 0.0);
  NoteAngle(source.Angle);
  const TPlacement placement({Nodes.Number(source.At, 1), Nodes.Number(source.At, 2)},
                             source.Angle);
  component->Data.Reference = ToModel(placement.At, source.At);
  component->Data.Rotation = source.Angle;
  source.Reference = component->Data.Reference;
  source.Rotation = source.Angle;

  Courtyard = {};
  Fallback = {};
  Tree.ForEachChild(item, [&](TNodeId child) { ReadFootprintChild(child, placement, *component); });
  SetBody(*component, placement, item);
  if (!component->Designator)
    ReadDesignator(NoNode, placement, *component);

  KeepLimits(*component, item);
  component->SourceIndex = static_cast<int32_t>(Source->Footprints.size());
  Source->Footprints.push_back(source);
  Board->Components.push_back(std::move(component));
}

void TKicadReader::ReadFootprintChild(TNodeId child, const TPlacement& placement,
                                      TComponent& component) {
  if (!Tree.Node(child).IsList)
    return;
  const std::string_view keyword = Tree.Head(child);
  if (keyword == "pad") {
    if (auto pad = ReadPad(child, placement, component))
      component.Pads.push_back(std::move(pad));
  } else if (keyword == "fp_text" || keyword == "property") {
    const TNodeId kind = Tree.Element(child, 1);
    const std::string_view what = kind == NoNode ? std::string_view() : Tree.Atom(kind);
    if (!component.Designator && (what == "reference" || what == "Reference"))
      ReadDesignator(child, placement, component);
  } else if (keyword == "zone") {
    ReadZone(child);
  } else if (IsShapeKeyword(keyword)) {
    const std::string layer = Canonical(Nodes.Layer(child));
    if (layer == "Edge.Cuts") {
      AddEdge(child, &placement);
      return;
    }
    TBox* box = layer == "F.CrtYd" || layer == "B.CrtYd" ? &Courtyard
                : layer == "F.Fab" || layer == "B.Fab" || layer == "F.SilkS" || layer == "B.SilkS"
                    ? &Fallback
                    : nullptr;
    if (box == nullptr)
      return;
    const std::optional<TShapePath> path = ShapePath(Nodes, child);
    for (const TMm& point : path->Points)
      box->Add(point);
  }
}

TLayerNumber TKicadReader::SideOf(TNodeId footprint) {
  const std::string layer = Canonical(Nodes.Layer(footprint));
  if (layer == "F.Cu")
    return TopLayer;
  if (layer == "B.Cu")
    return BottomLayer;
  Nodes.Fail(Tree.Child(footprint, "layer") == NoNode ? footprint : Tree.Child(footprint, "layer"),
             "expected the front or back copper layer as the footprint's layer");
}

// Through-hole pads are on every layer; a surface pad on the side of its copper layer. Copper
// tells whether the pad has copper at all (paste-only pads have none and are no pins).
TLayerNumber TKicadReader::PadLayer(TNodeId pad, bool& copper) {
  const TNodeId type = Tree.Element(pad, 2);
  const std::string_view kind = type == NoNode ? std::string_view() : Tree.Atom(type);
  if (kind == "thru_hole" || kind == "np_thru_hole") {
    copper = true;
    return MultiLayer;
  }
  bool front = false, back = false;
  const TNodeId layers = Tree.Child(pad, "layers");
  if (layers != NoNode)
    Tree.ForEachChild(layers, [&](TNodeId atom) {
      const std::string name = Canonical(Tree.Atom(atom));
      front = front || name == "F.Cu" || name == "*.Cu" || name == "F&B.Cu";
      back = back || name == "B.Cu" || name == "*.Cu" || name == "F&B.Cu";
    });
  copper = front || back;
  return front && back ? MultiLayer : back ? BottomLayer : TopLayer;
}

uint8_t ShapeOfPad(std::string_view shape) {
  if (shape == "circle" || shape == "oval")
    return ShapeRound;
  if (shape == "roundrect")
    return ShapeRoundedRectangle;
  return ShapeRectangle;  // rect, trapezoid, custom (its anchor), chamfered
}

std::unique_ptr<TPad> TKicadReader::ReadPad(TNodeId item, const TPlacement& placement,
                                            TComponent& owner) {
  const TNodeId at = Nodes.Require(item, "at");
  const TMm local{Nodes.Number(at, 1), Nodes.Number(at, 2)};
  const double angle = Nodes.OptionalNumber(at, 3, 0.0);
  NoteAngle(angle);
  const TNodeId sizeNode = Nodes.Require(item, "size");
  const double width = Nodes.Number(sizeNode, 1), height = Nodes.Number(sizeNode, 2);
  if (width < 0 || height < 0)
    Nodes.Fail(sizeNode, "a pad's size must not be negative");

  // The pad's box in the footprint's own frame counts for the body when there is no courtyard.
  const TSinCos turn = SinCosDegrees(angle - placement.Angle);
  const double hx = std::abs(width / 2 * turn.Cos) + std::abs(height / 2 * turn.Sin);
  const double hy = std::abs(width / 2 * turn.Sin) + std::abs(height / 2 * turn.Cos);
  Fallback.Add({local.X - hx, local.Y - hy});
  Fallback.Add({local.X + hx, local.Y + hy});

  bool copper = false;
  const TLayerNumber layer = PadLayer(item, copper);
  if (!copper)
    return nullptr;
  auto pad = std::make_unique<TPad>();
  pad->Owner = &owner;
  const TNodeId name = Tree.Element(item, 1);
  pad->Name = name == NoNode || Tree.Node(name).IsList ? "" : std::string(Tree.Atom(name));
  pad->Centre = ToModel(placement.ToBoard(local), at);
  const TNodeId shape = Tree.Element(item, 3);
  pad->SetUniform({Units(width, sizeNode), Units(height, sizeNode)},
                  ShapeOfPad(shape == NoNode ? std::string_view() : Tree.Atom(shape)));
  pad->Rotation = angle;
  pad->Layer = layer;
  if (const TNodeId drill = Tree.Child(item, "drill"); drill != NoNode) {
    const TNodeId first = Tree.Element(drill, 1);
    const bool oval = first != NoNode && Tree.Atom(first) == "oval";
    const double hole = Nodes.OptionalNumber(drill, oval ? 2 : 1, 0.0);
    pad->HoleSize = Units(std::max(hole, 0.0), drill);
  }
  pad->Net = NetOfPad(item);
  return pad;
}

// The designator text at its place; without one, an empty text at the footprint's position.
void TKicadReader::ReadDesignator(TNodeId item, const TPlacement& placement,
                                  TComponent& component) {
  auto text = std::make_unique<TText>();
  text->Owner = &component;
  text->Layer = component.Layer == TopLayer ? TopOverlay : BottomOverlay;
  text->Position = component.Data.Reference;
  text->Rotation = component.Data.Rotation;
  if (item != NoNode) {
    const TNodeId value = Tree.Element(item, 2);
    text->Text = value == NoNode ? "" : std::string(Tree.Atom(value));
    if (const TNodeId at = Tree.Child(item, "at"); at != NoNode) {
      text->Position = ToModel(placement.ToBoard({Nodes.Number(at, 1), Nodes.Number(at, 2)}), at);
      text->Rotation = Nodes.OptionalNumber(at, 3, 0.0);
    }
  }
  component.Designator = std::move(text);
}

void TKicadReader::SetBody(TComponent& component, const TPlacement& placement, TNodeId where) {
  const TBox& box = Courtyard.Empty() ? Fallback : Courtyard;
  if (box.Empty())
    return;
  for (const TMm corner :
       {TMm{box.X1, box.Y1}, TMm{box.X2, box.Y1}, TMm{box.X2, box.Y2}, TMm{box.X1, box.Y2}})
    component.Body.push_back(ToModel(placement.ToBoard(corner), where));
}

// A rule area that forbids footprints keeps components off the box around its polygon.
void TKicadReader::ReadZone(TNodeId zone) {
  const TNodeId keepout = Tree.Child(zone, "keepout");
  const TNodeId footprints = keepout == NoNode ? NoNode : Tree.Child(keepout, "footprints");
  if (footprints == NoNode || Tree.Element(footprints, 1) == NoNode ||
      Tree.Atom(Tree.Element(footprints, 1)) != "not_allowed")
    return;
  const TNodeId polygon = Nodes.Require(zone, "polygon");
  const std::vector<TMm> points = PolygonPoints(Nodes, polygon);
  TBox box;
  for (const TMm& point : points)
    box.Add(point);
  auto fill = std::make_unique<TFill>();
  fill->Layer = KeepOutLayer;
  fill->P1 = ToModel({box.X1, box.Y2}, polygon);
  fill->P2 = ToModel({box.X2, box.Y1}, polygon);
  KeepLimits(*fill, zone);
  Board->Primitives.push_back(std::move(fill));
  if (!IsRectangle(points)) {
    const TNodeId name = Tree.Child(zone, "name");
    const std::string label = name != NoNode && Tree.Element(name, 1) != NoNode
                                  ? "\"" + std::string(Tree.Atom(Tree.Element(name, 1))) + "\" "
                                  : std::string();
    Board->Notes.push_back("keep-out area " + label + "at " +
                           LineAndColumnOf(Tree.Text(), Tree.Node(zone).Begin) +
                           " is a polygon: its bounding rectangle is kept out");
  }
}

void TKicadReader::AddEdge(TNodeId item, const TPlacement* placement) {
  TShapePath path = *ShapePath(Nodes, item);
  for (TMm& point : path.Points) {
    if (placement != nullptr)
      point = placement->ToBoard(point);
    ToModel(point, item);  // fails for a point beyond the board units' range
  }
  Edges.push_back(std::move(path));
}

// The outer loop's box becomes the placement area, drawn as four keep-out tracks.
void TKicadReader::BuildOutline(TNodeId root) {
  if (Edges.empty())
    Nodes.Fail(root, "expected a board outline on the Edge.Cuts layer");
  TOutlineLoops outline = ChainOutline(Edges, OutlineTolerance);
  TBox area;
  const int outer = OuterLoop(outline.Loops);
  if (outer >= 0)
    std::swap(outline.Loops[0], outline.Loops[static_cast<size_t>(outer)]);
  for (const auto& loop : outline.Loops) {
    std::vector<TPoint> points;
    for (const TMm& point : loop)
      points.push_back(ToModel(point, root));
    Board->Outline.push_back(std::move(points));
  }
  if (outline.Open.empty() && !outline.Loops.empty()) {
    for (const TMm& point : outline.Loops.front())
      area.Add(point);
  } else {
    Board->Notes.push_back(
        "the outline on Edge.Cuts does not close: the box around all its "
        "pieces is the placement area");
    for (const auto& group : {outline.Loops, outline.Open})
      for (const auto& chain : group)
        for (const TMm& point : chain)
          area.Add(point);
  }
  AddAreaTracks(area, root);
}

void TKicadReader::AddAreaTracks(const TBox& box, TNodeId where) {
  const TPoint lowerLeft = ToModel({box.X1, box.Y2}, where);
  const TPoint upperRight = ToModel({box.X2, box.Y1}, where);
  const TPoint corners[4] = {
      lowerLeft, {upperRight.X, lowerLeft.Y}, upperRight, {lowerLeft.X, upperRight.Y}};
  for (int i = 0; i < 4; ++i) {
    auto track = std::make_unique<TTrack>();
    track->Layer = KeepOutLayer;
    track->P1 = corners[i];
    track->P2 = corners[(i + 1) % 4];
    KeepLimits(*track, where);
    Board->Primitives.push_back(std::move(track));
  }
}

void TKicadReader::ChooseSupplyNets() {
  std::vector<std::string> names;
  for (const auto& net : Board->Nets)
    names.push_back(net->Name);
  std::vector<std::string> left;
  TPlacerOptions& options = Board->Settings.Placer;
  options.PowerNets = SupplyNetList(names, TSupplyKind::Power, PlacerNetListCapacity, left);
  options.GroundNets = SupplyNetList(names, TSupplyKind::Ground, PlacerNetListCapacity, left);
  for (const std::string& name : left)
    Board->Notes.push_back("the supply net \"" + name +
                           "\" cannot be listed in the placer's options (a blank in its name or "
                           "the list is full): it is placed as a signal net");
}

}  // namespace

bool IsKicadText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF"))
    text.remove_prefix(3);
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos || text[first] != '(')
    return false;
  text.remove_prefix(first + 1);
  const size_t word = text.find_first_not_of(" \t\r\n");
  return word != std::string_view::npos && text.substr(word).starts_with("kicad_pcb") &&
         (text.size() == word + 9 ||
          std::string_view(" \t\r\n()").find(text[word + 9]) != std::string_view::npos);
}

std::unique_ptr<TBoard> ReadKicadText(std::string text, const std::string& name,
                                      const std::optional<TBoardSettings>& storedSettings) {
  std::shared_ptr<TKicadSource> source;
  try {
    source = std::make_shared<TKicadSource>(std::move(text));
  } catch (const ESExpression& fault) {
    throw EBoardFile(name + ": " + fault.what());
  }
  auto board = TKicadReader(source, name).Read();
  source->DerivedSettings = SidecarText(board->Settings);
  if (storedSettings) {
    board->Settings = *storedSettings;
    source->SettingsFromSidecar = true;
  }
  board->Kicad = source;
  return board;
}

}  // namespace Tarnix
