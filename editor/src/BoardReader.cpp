// Reading board files. Every value is checked where it is read; the first fault ends the reading
// with a message that names its place, written as a path of keys and array indices (from 0).

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <sstream>
#include <unordered_map>

#include "BoardFile.h"
#include "BoardJson.h"
#include "BoardLimits.h"
#include "BoardSettingsJson.h"
#include "FileAccess.h"
#include "StrictJson.h"

namespace Tarnix {

namespace {

using BoardJson::TJson;

constexpr size_t PlacerNetListCapacity = 255;
constexpr size_t FootprintCapacity = 250;
constexpr int64_t SupportedVersion = 1;

// A fault at a place in the file; the reader adds the file's name.
class EPlace : public std::runtime_error {
 public:
  EPlace(const std::string& place, const std::string& what)
      : std::runtime_error(place + ": " + what) {}
};

std::string Quoted(const std::string& text) {
  return TJson(text).dump(-1, ' ', false, TJson::error_handler_t::replace);
}

std::string Member(const std::string& place, const std::string& key) {
  return place.empty() ? key : place + "." + key;
}

std::string Element(const std::string& place, size_t index) {
  return place + "[" + std::to_string(index) + "]";
}

double Number(const TJson& value, const std::string& place) {
  if (!value.is_number())
    throw EPlace(place, "expected a number");
  const double number = value.get<double>();
  if (!std::isfinite(number))
    throw EPlace(place, "out of range");
  return number;
}

// A length in mil as board units, within the board limit.
int32_t Length(const TJson& value, const std::string& place) {
  const double units = std::nearbyint(Number(value, place) * BoardJson::UnitsPerMil);
  if (!(units >= -static_cast<double>(BoardLimit) && units <= static_cast<double>(BoardLimit)))
    throw EPlace(place, std::string("out of range (beyond ") + BoardLimitText + ")");
  return static_cast<int32_t>(units);
}

// An angle in degrees, reduced exactly to less than one turn: the editor turns children by the
// difference of two angles, which for huge angles would lose the fraction of a turn.
double Angle(const TJson& value, const std::string& place) {
  return std::fmod(Number(value, place), 360.0);
}

int32_t NonNegativeLength(const TJson& value, const std::string& place) {
  const int32_t length = Length(value, place);
  if (length < 0)
    throw EPlace(place, "must not be negative");
  return length;
}

int64_t Integer(const TJson& value, const std::string& place) {
  if (!value.is_number_integer())
    throw EPlace(place, "expected an integer");
  if (value.is_number_unsigned() && value.get<uint64_t>() > uint64_t{INT64_MAX})
    throw EPlace(place, "out of range");
  return value.get<int64_t>();
}

std::string String(const TJson& value, const std::string& place) {
  if (!value.is_string())
    throw EPlace(place, "expected a string");
  return value.get<std::string>();
}

bool Bool(const TJson& value, const std::string& place) {
  if (!value.is_boolean())
    throw EPlace(place, "expected true or false");
  return value.get<bool>();
}

const TJson& Array(const TJson& value, const std::string& place) {
  if (!value.is_array())
    throw EPlace(place, "expected an array");
  return value;
}

TLayerNumber LayerOfName(const TJson& value, const std::string& place) {
  const std::string name = String(value, place);
  const auto layer = LayerNumberOfName(name);
  if (!layer)
    throw EPlace(place, "unknown layer " + Quoted(name));
  return *layer;
}

// [x, y] as a point in board units.
TPoint Point(const TJson& value, const std::string& place) {
  if (!value.is_array() || value.size() != 2)
    throw EPlace(place, "expected [x, y]");
  return {Length(value[0], Element(place, 0)), Length(value[1], Element(place, 1))};
}

// One JSON object whose keys must all be among the allowed ones.
class TObjectReader {
 public:
  TObjectReader(const TJson& value, std::string place, std::initializer_list<const char*> allowed)
      : Value(value), Place(std::move(place)) {
    if (!value.is_object())
      throw EPlace(Place, "expected an object");
    for (auto member = value.begin(); member != value.end(); ++member) {
      bool known = false;
      for (const char* key : allowed)
        known = known || member.key() == key;
      if (!known)
        throw EPlace(Member(Place, member.key()), "unknown key");
    }
  }

  bool Has(const char* key) const { return Value.contains(key); }
  std::string At(const char* key) const { return Member(Place, key); }
  const std::string& Here() const { return Place; }

  const TJson& Required(const char* key) const {
    if (!Has(key))
      throw EPlace(At(key), "missing key");
    return Value.at(key);
  }

  int32_t Length(const char* key) const { return Tarnix::Length(Required(key), At(key)); }
  int32_t NonNegativeLength(const char* key) const {
    return Tarnix::NonNegativeLength(Required(key), At(key));
  }
  int32_t NonNegativeLength(const char* key, int32_t absent) const {
    return Has(key) ? NonNegativeLength(key) : absent;
  }
  double Angle(const char* key) const {
    return Has(key) ? Tarnix::Angle(Value.at(key), At(key)) : 0.0;
  }
  std::string String(const char* key) const { return Tarnix::String(Required(key), At(key)); }
  std::string String(const char* key, const std::string& absent) const {
    return Has(key) ? String(key) : absent;
  }
  bool Bool(const char* key) const { return Has(key) && Tarnix::Bool(Value.at(key), At(key)); }
  TLayerNumber Layer(const char* key) const { return LayerOfName(Required(key), At(key)); }

 private:
  const TJson& Value;
  std::string Place;
};

// Reads one file into a board that no one else sees until it is complete.
class TBoardReader {
 public:
  std::unique_ptr<TBoard> Read(const TJson& root) {
    const TObjectReader file(root, "",
                             {"format", "version", "board", "nets", "components", "primitives"});
    if (file.String("format") != "pcb-board")
      throw EPlace("format", "expected \"pcb-board\"");
    if (const int64_t version = Integer(file.Required("version"), "version");
        version != SupportedVersion)
      throw EPlace("version", "unsupported version " + std::to_string(version));
    ReadSettings(file.Required("board"), "board");
    ReadNets(file.Required("nets"));
    const TJson& components = Array(file.Required("components"), "components");
    for (size_t i = 0; i < components.size(); ++i)
      ReadComponent(components[i], Element("components", i));
    if (file.Has("primitives")) {
      const TJson& primitives = Array(file.Required("primitives"), "primitives");
      for (size_t i = 0; i < primitives.size(); ++i)
        ReadPrimitive(primitives[i], Element("primitives", i));
    }
    return std::move(Board);
  }

  // The settings object alone, as a JSON board's "board" holds it.
  TBoardSettings ReadSettingsOnly(const TJson& value, const std::string& place) {
    ReadSettings(value, place);
    return Board->Settings;
  }

 private:
  void ReadSettings(const TJson& value, const std::string& place) {
    const TObjectReader board(value, place,
                              {"displayUnit", "componentGrid", "layerColors", "placer"});
    TBoardSettings& settings = Board->Settings;
    const std::string unit = board.String("displayUnit", "mil");
    if (unit != "mil" && unit != "mm")
      throw EPlace(board.At("displayUnit"), "expected \"mil\" or \"mm\"");
    settings.Record.DisplayUnitImperial = unit == "mil" ? 1 : 0;
    if (board.Has("componentGrid")) {
      settings.Grids.ComponentGrid = board.Length("componentGrid");
      if (settings.Grids.ComponentGrid <= 0)
        throw EPlace(board.At("componentGrid"), "must be greater than 0");
    }
    if (board.Has("layerColors"))
      ReadLayerColors(board.Required("layerColors"), board.At("layerColors"));
    if (board.Has("placer"))
      ReadPlacerOptions(board.Required("placer"), board.At("placer"));
  }

  void ReadLayerColors(const TJson& value, const std::string& place) {
    if (!value.is_object())
      throw EPlace(place, "expected an object");
    for (auto member = value.begin(); member != value.end(); ++member) {
      const std::string at = Member(place, member.key());
      const auto layer = LayerNumberOfName(member.key());
      if (!layer)
        throw EPlace(at, "unknown layer");
      Board->Settings.Layers[*layer].Color = Color(member.value(), at);
    }
  }

  static uint32_t Color(const TJson& value, const std::string& place) {
    const std::string text = value.is_string() ? value.get<std::string>() : std::string();
    const bool wellFormed =
        text.size() == 7 && text[0] == '#' &&
        text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
    if (!wellFormed)
      throw EPlace(place, "expected a colour \"#RRGGBB\"");
    return static_cast<uint32_t>(std::stoul(text.substr(1), nullptr, 16));
  }

  void ReadPlacerOptions(const TJson& value, const std::string& place) {
    const TObjectReader placer(
        value, place,
        {"powerNets", "groundNets", "rotateComponents", "groupComponents",
         "smallComponentClearance", "largeComponentClearance", "extraFlag1", "extraFlag2"});
    TPlacerOptions& options = Board->Settings.Placer;
    options.PowerNets = NetList(placer, "powerNets");
    options.GroundNets = NetList(placer, "groundNets");
    options.RotateComponents = placer.Bool("rotateComponents");
    options.GroupComponents = placer.Bool("groupComponents");
    options.ExtraFlag1 = placer.Bool("extraFlag1");
    options.ExtraFlag2 = placer.Bool("extraFlag2");
    options.SmallComponentClearance = placer.NonNegativeLength("smallComponentClearance", 0);
    options.LargeComponentClearance = placer.NonNegativeLength("largeComponentClearance", 0);
  }

  static std::string NetList(const TObjectReader& placer, const char* key) {
    std::string names = placer.String(key, "");
    if (names.size() > PlacerNetListCapacity)
      throw EPlace(placer.At(key), "longer than 255 characters");
    return names;
  }

  void ReadNets(const TJson& value) {
    const TJson& nets = Array(value, "nets");
    for (size_t i = 0; i < nets.size(); ++i) {
      auto net = std::make_unique<TNet>();
      net->Name = String(nets[i], Element("nets", i));
      if (!NetByName.emplace(net->Name, net.get()).second)
        throw EPlace(Element("nets", i), "duplicate net " + Quoted(net->Name));
      Board->Nets.push_back(std::move(net));
    }
  }

  TNet* NetOf(const TObjectReader& object) const {
    if (!object.Has("net"))
      return nullptr;
    const std::string name = object.String("net");
    const auto net = NetByName.find(name);
    if (net == NetByName.end())
      throw EPlace(object.At("net"), "unknown net " + Quoted(name));
    return net->second;
  }

  void ReadComponent(const TJson& value, const std::string& place) {
    const TObjectReader source(value, place,
                               {"designator", "footprint", "layer", "x", "y", "rotation", "locked",
                                "groupIndex", "body", "pads"});
    auto component = std::make_unique<TComponent>();
    TComponentData& data = component->Data;
    const std::string designator = source.String("designator");
    data.Footprint = source.String("footprint", "");
    if (data.Footprint.size() > FootprintCapacity)
      throw EPlace(source.At("footprint"), "longer than 250 characters");
    component->Layer = source.Layer("layer");
    if (component->Layer != TopLayer && component->Layer != BottomLayer)
      throw EPlace(source.At("layer"), "a component's side must be TopLayer or BottomLayer");
    data.Reference = {source.Length("x"), source.Length("y")};
    data.Rotation = source.Angle("rotation");
    component->Moveable = source.Bool("locked") ? 0 : 1;
    if (source.Has("groupIndex")) {
      const int64_t group = Integer(source.Required("groupIndex"), source.At("groupIndex"));
      if (group < std::numeric_limits<int32_t>::min() ||
          group > std::numeric_limits<int32_t>::max())
        throw EPlace(source.At("groupIndex"), "out of range");
      data.GroupIndex = static_cast<int32_t>(group);
    }
    if (source.Has("body"))
      component->Body = Body(source.Required("body"), source.At("body"));
    if (source.Has("pads")) {
      const TJson& pads = Array(source.Required("pads"), source.At("pads"));
      for (size_t i = 0; i < pads.size(); ++i)
        component->Pads.push_back(Pad(pads[i], Element(source.At("pads"), i), *component));
    }
    component->Designator = DesignatorText(*component, designator);
    TExtent extent;
    component->AddBounds(extent);
    component->Designator->AddBounds(extent);
    KeepLimits(extent, place);
    Board->Components.push_back(std::move(component));
  }

  static std::vector<TPoint> Body(const TJson& value, const std::string& place) {
    const TJson& points = Array(value, place);
    if (points.size() < 3)
      throw EPlace(place, "expected at least 3 points");
    std::vector<TPoint> body;
    for (size_t i = 0; i < points.size(); ++i)
      body.push_back(Point(points[i], Element(place, i)));
    return body;
  }

  std::unique_ptr<TPad> Pad(const TJson& value, const std::string& place, TComponent& owner) {
    const TObjectReader source(
        value, place,
        {"name", "x", "y", "size", "rotation", "shape", "layer", "hole", "net", "powerGround"});
    auto pad = std::make_unique<TPad>();
    pad->Owner = &owner;
    pad->Name = source.String("name");
    pad->Centre = {source.Length("x"), source.Length("y")};
    const TJson& size = source.Required("size");
    if (!size.is_array() || size.size() != 2)
      throw EPlace(source.At("size"), "expected [w, h]");
    const TSize padSize{NonNegativeLength(size[0], Element(source.At("size"), 0)),
                        NonNegativeLength(size[1], Element(source.At("size"), 1))};
    pad->SetUniform(padSize, Shape(source));
    pad->Rotation = source.Angle("rotation");
    pad->Layer = source.Layer("layer");
    if (!pad->AcceptsLayer(pad->Layer))
      throw EPlace(source.At("layer"), "a pad's layer must be TopLayer, BottomLayer or MultiLayer");
    pad->HoleSize = source.NonNegativeLength("hole", 0);
    pad->Net = NetOf(source);
    pad->PowerGround = source.Bool("powerGround") ? 1 : 0;
    return pad;
  }

  static uint8_t Shape(const TObjectReader& source) {
    const std::string shape = source.String("shape", "round");
    if (shape == "round")
      return ShapeRound;
    if (shape == "rectangle")
      return ShapeRectangle;
    if (shape == "octagonal")
      return ShapeOctagonal;
    if (shape == "roundedRectangle")
      return ShapeRoundedRectangle;
    throw EPlace(source.At("shape"), "unknown shape " + Quoted(shape));
  }

  // The designator stands at the component's reference point on the overlay of its side.
  static std::unique_ptr<TText> DesignatorText(TComponent& owner, const std::string& designator) {
    auto text = std::make_unique<TText>();
    text->Owner = &owner;
    text->Layer = owner.Layer == TopLayer ? TopOverlay : BottomOverlay;
    text->Position = owner.Data.Reference;
    text->Rotation = owner.Data.Rotation;
    text->Text = designator;
    return text;
  }

  void ReadPrimitive(const TJson& value, const std::string& place) {
    if (!value.is_object())
      throw EPlace(place, "expected an object");
    if (!value.contains("kind"))
      throw EPlace(Member(place, "kind"), "missing key");
    const std::string kind = String(value.at("kind"), Member(place, "kind"));
    std::unique_ptr<TObject> primitive;
    if (kind == "track")
      primitive = Track(
          TObjectReader(value, place, {"kind", "layer", "x1", "y1", "x2", "y2", "width", "net"}));
    else if (kind == "fill")
      primitive = Fill(TObjectReader(value, place,
                                     {"kind", "layer", "x1", "y1", "x2", "y2", "rotation", "net"}));
    else if (kind == "arc")
      primitive = Arc(TObjectReader(
          value, place,
          {"kind", "layer", "x", "y", "radius", "startAngle", "endAngle", "width", "net"}));
    else if (kind == "via")
      primitive =
          Via(TObjectReader(value, place, {"kind", "layer", "x", "y", "size", "hole", "net"}));
    else if (kind == "text")
      primitive = Text(
          TObjectReader(value, place, {"kind", "layer", "x", "y", "text", "height", "rotation"}));
    else
      throw EPlace(Member(place, "kind"), "unknown kind " + Quoted(kind));
    TExtent extent;
    primitive->AddBounds(extent);
    KeepLimits(extent, place);
    Board->Primitives.push_back(std::move(primitive));
  }

  std::unique_ptr<TObject> Track(const TObjectReader& source) {
    auto track = std::make_unique<TTrack>();
    track->Layer = source.Layer("layer");
    track->P1 = {source.Length("x1"), source.Length("y1")};
    track->P2 = {source.Length("x2"), source.Length("y2")};
    track->Width = source.NonNegativeLength("width");
    track->Net = NetOf(source);
    return track;
  }

  std::unique_ptr<TObject> Fill(const TObjectReader& source) {
    auto fill = std::make_unique<TFill>();
    fill->Layer = source.Layer("layer");
    fill->P1 = {source.Length("x1"), source.Length("y1")};
    fill->P2 = {source.Length("x2"), source.Length("y2")};
    fill->Rotation = source.Angle("rotation");
    fill->Net = NetOf(source);
    return fill;
  }

  std::unique_ptr<TObject> Arc(const TObjectReader& source) {
    auto arc = std::make_unique<TArc>();
    arc->Layer = source.Layer("layer");
    arc->Centre = {source.Length("x"), source.Length("y")};
    arc->Radius = source.NonNegativeLength("radius");
    source.Required("startAngle");
    source.Required("endAngle");
    arc->StartAngle = source.Angle("startAngle");
    arc->EndAngle = source.Angle("endAngle");
    arc->Width = source.NonNegativeLength("width");
    arc->Net = NetOf(source);
    return arc;
  }

  std::unique_ptr<TObject> Via(const TObjectReader& source) {
    auto via = std::make_unique<TVia>();
    if (source.Layer("layer") != MultiLayer)
      throw EPlace(source.At("layer"), "a via's layer must be MultiLayer");
    via->Centre = {source.Length("x"), source.Length("y")};
    via->Size = source.NonNegativeLength("size");
    via->HoleSize = source.NonNegativeLength("hole");
    via->Net = NetOf(source);
    return via;
  }

  std::unique_ptr<TObject> Text(const TObjectReader& source) {
    auto text = std::make_unique<TText>();
    text->Layer = source.Layer("layer");
    text->Position = {source.Length("x"), source.Length("y")};
    text->Text = source.String("text");
    text->Height = source.NonNegativeLength("height", text->Height);
    text->Rotation = source.Angle("rotation");
    return text;
  }

  void KeepLimits(const TExtent& object, const std::string& place) {
    switch (Extent.Add(object)) {
      case TBoardExtent::TFit::Inside:
        return;
      case TBoardExtent::TFit::ObjectOutside:
        throw EPlace(place, std::string("reaches beyond ") + BoardLimitText + " from the origin");
      case TBoardExtent::TFit::BoardTooLarge:
        throw EPlace(place, std::string("makes the board wider or taller than ") + BoardLimitText);
    }
  }

  std::unique_ptr<TBoard> Board = std::make_unique<TBoard>();
  TBoardExtent Extent;
  std::unordered_map<std::string, TNet*> NetByName;  // every net read, by name
};

}  // namespace

std::unique_ptr<TBoard> ReadBoardText(const std::string& text, const std::string& name) {
  const TJson root = ParseStrictJson(text, name);
  try {
    return TBoardReader().Read(root);
  } catch (const EPlace& fault) {
    throw EBoardFile(name + ": " + fault.what());
  }
}

TBoardSettings ReadBoardSettingsJson(const TJson& value, const std::string& name,
                                     const std::string& place) {
  try {
    return TBoardReader().ReadSettingsOnly(value, place);
  } catch (const EPlace& fault) {
    throw EBoardFile(name + ": " + fault.what());
  }
}

std::unique_ptr<TBoard> ReadBoardFile(const std::string& fileName) {
  auto board = ReadBoardText(ReadFileText(fileName), fileName);
  board->FileName = AbsoluteFileName(fileName);
  return board;
}

}  // namespace Tarnix
