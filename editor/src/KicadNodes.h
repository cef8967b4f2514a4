#pragma once

// Reading values out of a KiCad board's tree, with messages that name the file, the line and the
// column, and what was expected there.

#include <string>
#include <string_view>

#include "SExpression.h"

namespace Tarnix {

// A point in KiCad's frame: millimetres, +Y down.
struct TMm {
  double X = 0.0;
  double Y = 0.0;
};

class TKicadNodes {
 public:
  TKicadNodes(const TSExpression& tree, const std::string& name) : Tree(tree), Name(name) {}

  // Throws EBoardFile "NAME: line L, column C: WHAT".
  [[noreturn]] void Fail(TNodeId node, const std::string& what) const;

  // The element Index of the list (the head is 0) as a finite number.
  double Number(TNodeId list, int index) const;
  // The same, or Absent when the list ends before it.
  double OptionalNumber(TNodeId list, int index, double absent) const;
  // The child list with that keyword; fails naming the keyword when there is none.
  TNodeId Require(TNodeId list, std::string_view keyword) const;
  // (keyword X Y) of the list as a point.
  TMm Point(TNodeId list, std::string_view keyword) const;
  // The atom of the item's (layer NAME), empty when it has none.
  std::string_view Layer(TNodeId item) const;
  // Whether the atom is a number.
  bool IsNumber(TNodeId atom) const;

  const TSExpression& Tree;
  const std::string& Name;
};

}  // namespace Tarnix
