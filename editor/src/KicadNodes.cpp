#include "KicadNodes.h"

#include <charconv>
#include <cmath>

#include "BoardFile.h"

namespace Tarnix {

namespace {

bool ParseNumber(std::string_view text, double& value) {
  if (text.empty())
    return false;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && std::isfinite(value);
}

}  // namespace

void TKicadNodes::Fail(TNodeId node, const std::string& what) const {
  const size_t offset = node == NoNode ? 0 : Tree.Node(node).Begin;
  throw EBoardFile(Name + ": " + LineAndColumnOf(Tree.Text(), offset) + ": " + what);
}

double TKicadNodes::Number(TNodeId list, int index) const {
  const TNodeId atom = Tree.Element(list, index);
  const std::string keyword(Tree.Head(list));
  if (atom == NoNode)
    Fail(list, "expected a number in (" + keyword + " ..)");
  double value = 0.0;
  if (Tree.Node(atom).IsList || !ParseNumber(Tree.Atom(atom), value))
    Fail(atom, "expected a number in (" + keyword + " ..)");
  return value;
}

double TKicadNodes::OptionalNumber(TNodeId list, int index, double absent) const {
  const TNodeId atom = Tree.Element(list, index);
  return atom == NoNode || !IsNumber(atom) ? absent : Number(list, index);
}

TNodeId TKicadNodes::Require(TNodeId list, std::string_view keyword) const {
  const TNodeId child = Tree.Child(list, keyword);
  if (child == NoNode)
    Fail(list,
         "expected (" + std::string(keyword) + " ..) in (" + std::string(Tree.Head(list)) + " ..)");
  return child;
}

TMm TKicadNodes::Point(TNodeId list, std::string_view keyword) const {
  const TNodeId point = Require(list, keyword);
  return {Number(point, 1), Number(point, 2)};
}

std::string_view TKicadNodes::Layer(TNodeId item) const {
  const TNodeId layer = Tree.Child(item, "layer");
  if (layer == NoNode)
    return {};
  const TNodeId name = Tree.Element(layer, 1);
  return name == NoNode ? std::string_view() : Tree.Atom(name);
}

bool TKicadNodes::IsNumber(TNodeId atom) const {
  double value = 0.0;
  return !Tree.Node(atom).IsList && ParseNumber(Tree.Atom(atom), value);
}

}  // namespace Tarnix
