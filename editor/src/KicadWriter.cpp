// Writing KiCad boards: the text read, with the placement of every moved or turned footprint
// edited in. A moved footprint changes only its (at); a turned one also the absolute angles of its
// pads and texts; the zones of a footprint, in board coordinates, move and turn with it. Every
// other byte is copied.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "BoardFile.h"
#include "KicadFile.h"
#include "KicadPlacement.h"

namespace Tarnix {

namespace {

// KiCad's number form: at most six decimals, no trailing zeros.
std::string NumberText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  std::string text(buffer);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.')
    text.pop_back();
  return text == "-0" ? "0" : text;
}

// A coordinate in board units as the shortest millimetre text that reads back to the same units
// (the placer's mil grids give round figures), and that text's value.
std::pair<std::string, double> CoordinateText(int64_t units) {
  const double millimetres = units / UnitsPerMillimetre;
  for (int decimals = 0; decimals < 6; ++decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, millimetres);
    const double value = std::strtod(buffer, nullptr);
    if (std::nearbyint(value * UnitsPerMillimetre) == static_cast<double>(units))
      return {NumberText(value), value};
  }
  return {NumberText(millimetres), std::strtod(NumberText(millimetres).c_str(), nullptr)};
}

bool SameAngle(double a, double b) {
  const double difference = std::remainder(a - b, 360.0);
  return std::abs(difference) < 1e-9;
}

struct TEdit {
  uint32_t Begin = 0;
  uint32_t End = 0;
  std::string Text;
};

class TKicadWriter {
 public:
  explicit TKicadWriter(const TKicadSource& source)
      : Source(source), Tree(source.Tree), Nodes(source.Tree, Unnamed) {}

  void Footprint(const TKicadFootprint& footprint, const TComponent& component);
  std::string Text();

 private:
  double Normalised(double angle) const;
  void Replace(TNodeId node, const std::string& text);
  void SetAngle(TNodeId at, double angle);
  void TurnChildren(TNodeId footprint, double delta);
  void MoveZone(TNodeId zone, const TPlacement& from, const TPlacement& to);
  void MovePoint(TNodeId point, const TPlacement& from, const TPlacement& to);

  static inline const std::string Unnamed = "board";
  const TKicadSource& Source;
  const TSExpression& Tree;
  TKicadNodes Nodes;
  std::vector<TEdit> Edits;
};

double TKicadWriter::Normalised(double angle) const {
  double reduced = std::fmod(angle, 360.0);
  if (Source.AnglesFrom0To360) {
    if (reduced < 0)
      reduced += 360.0;
  } else if (reduced <= -180.0) {
    reduced += 360.0;
  } else if (reduced > 180.0) {
    reduced -= 360.0;
  }
  return std::abs(reduced) < 1e-9 || std::abs(reduced - 360.0) < 1e-9 ? 0.0 : reduced;
}

bool SeparatesAtoms(char c) {
  return c == '(' || c == ')' || std::isspace(static_cast<unsigned char>(c)) != 0;
}

// A quoted atom may touch its neighbours ((at 1"2") reads as 1 and 2); the bare number written in
// its place is kept apart from them by a space.
void TKicadWriter::Replace(TNodeId node, const std::string& text) {
  const TSNode& replaced = Tree.Node(node);
  const std::string& original = Tree.Text();
  std::string spaced;
  if (replaced.Begin > 0 && !SeparatesAtoms(original[replaced.Begin - 1]))
    spaced += ' ';
  spaced += text;
  if (replaced.End < original.size() && !SeparatesAtoms(original[replaced.End]))
    spaced += ' ';
  Edits.push_back({replaced.Begin, replaced.End, std::move(spaced)});
}

// Writes the angle of an (at X Y [angle] ..), leaving it out when it is 0.
void TKicadWriter::SetAngle(TNodeId at, double angle) {
  const TNodeId y = Tree.Element(at, 2);
  const TNodeId old = Tree.Element(at, 3);
  const bool hasAngle = old != NoNode && Nodes.IsNumber(old);
  if (hasAngle && angle == 0.0)
    Edits.push_back({Tree.Node(y).End, Tree.Node(old).End, ""});
  else if (hasAngle)
    Replace(old, NumberText(angle));
  else if (angle != 0.0)
    Edits.push_back({Tree.Node(y).End, Tree.Node(y).End, " " + NumberText(angle)});
}

// Pads and texts carry absolute angles: they turn with the footprint.
void TKicadWriter::TurnChildren(TNodeId footprint, double delta) {
  Tree.ForEachChild(footprint, [&](TNodeId child) {
    const std::string_view keyword = Tree.Head(child);
    if (keyword != "pad" && keyword != "fp_text" && keyword != "property")
      return;
    const TNodeId at = Tree.Child(child, "at");
    if (at == NoNode || Tree.Element(at, 2) == NoNode)
      return;
    SetAngle(at, Normalised(Nodes.OptionalNumber(at, 3, 0.0) + delta));
  });
}

// Points the reader never needed may hold anything: what is not a point stays as it is.
void TKicadWriter::MovePoint(TNodeId point, const TPlacement& from, const TPlacement& to) {
  const TNodeId x = Tree.Element(point, 1), y = Tree.Element(point, 2);
  if (x == NoNode || y == NoNode || !Nodes.IsNumber(x) || !Nodes.IsNumber(y))
    return;
  const TMm moved = to.ToBoard(from.ToLocal({Nodes.Number(point, 1), Nodes.Number(point, 2)}));
  Replace(Tree.Element(point, 1), NumberText(moved.X));
  Replace(Tree.Element(point, 2), NumberText(moved.Y));
}

// Every point of a zone (outline, fill, arcs of the outline) in board coordinates.
void TKicadWriter::MoveZone(TNodeId zone, const TPlacement& from, const TPlacement& to) {
  std::vector<std::pair<TNodeId, bool>> pending{{zone, false}};
  while (!pending.empty()) {
    const TNodeId list = pending.back().first;
    const bool inArc = pending.back().second;
    pending.pop_back();
    Tree.ForEachChild(list, [&](TNodeId child) {
      if (!Tree.Node(child).IsList)
        return;
      const std::string_view keyword = Tree.Head(child);
      if (keyword == "xy" ||
          (inArc && (keyword == "start" || keyword == "mid" || keyword == "end")))
        MovePoint(child, from, to);
      else
        pending.emplace_back(child, keyword == "arc");
    });
  }
}

void TKicadWriter::Footprint(const TKicadFootprint& footprint, const TComponent& component) {
  const bool moved = component.Data.Reference != footprint.Reference;
  const bool turned = !SameAngle(component.Data.Rotation, footprint.Rotation);
  if (!moved && !turned)
    return;
  const TPlacement from({Nodes.Number(footprint.At, 1), Nodes.Number(footprint.At, 2)},
                        footprint.Angle);
  TMm at = from.At;
  if (moved) {
    const auto [xText, x] = CoordinateText(component.Data.Reference.X);
    const auto [yText, y] = CoordinateText(-int64_t{component.Data.Reference.Y});
    at = {x, y};
    Replace(Tree.Element(footprint.At, 1), xText);
    Replace(Tree.Element(footprint.At, 2), yText);
  }
  double angle = footprint.Angle;
  if (turned) {
    angle = Normalised(component.Data.Rotation);
    SetAngle(footprint.At, angle);
    TurnChildren(footprint.Node, angle - footprint.Angle);
  }
  const TPlacement to(at, angle);
  Tree.ForEachChild(footprint.Node, [&](TNodeId child) {
    if (Tree.Node(child).IsList && Tree.Head(child) == "zone")
      MoveZone(child, from, to);
  });
}

std::string TKicadWriter::Text() {
  std::sort(Edits.begin(), Edits.end(),
            [](const TEdit& a, const TEdit& b) { return a.Begin < b.Begin; });
  const std::string& original = Tree.Text();
  std::string text;
  text.reserve(original.size() + Edits.size() * 4);
  size_t copied = 0;
  for (const TEdit& edit : Edits) {
    text.append(original, copied, edit.Begin - copied);
    text += edit.Text;
    copied = edit.End;
  }
  text.append(original, copied);
  return text;
}

}  // namespace

std::string KicadFileText(const TBoard& board) {
  if (!board.Kicad)
    throw EBoardFile(board.FileName + ": the board was not read from a KiCad file");
  TKicadWriter writer(*board.Kicad);
  for (const auto& component : board.Components) {
    const int32_t index = component->SourceIndex;
    if (index >= 0 && static_cast<size_t>(index) < board.Kicad->Footprints.size())
      writer.Footprint(board.Kicad->Footprints[static_cast<size_t>(index)], *component);
  }
  return writer.Text();
}

}  // namespace Tarnix
