#pragma once

// S-expression text as a tree of lists and atoms, each node with the byte span it came from, so
// that a writer can replace exactly the bytes of one node and copy every other byte unchanged.
// Atoms are bare (`F.Cu`, `-0.25`) or double-quoted with backslash escapes (`"Net-(C1-Pad1)"`).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "TextPlace.h"

namespace Tarnix {

// A text that is no well-formed S-expression: the message starts with the line and column of the
// fault; Offset is its byte.
class ESExpression : public std::runtime_error {
 public:
  ESExpression(size_t offset, const std::string& what) : std::runtime_error(what), Offset(offset) {}
  size_t Offset;
};

// Node handles are indices; NoNode ends a walk.
using TNodeId = int32_t;
inline constexpr TNodeId NoNode = -1;

struct TSNode {
  uint32_t Begin = 0;           // first byte: the '(' of a list, the first byte of an atom
  uint32_t End = 0;             // one past the last byte: after the ')' or the closing quote
  TNodeId FirstChild = NoNode;  // lists only
  TNodeId Next = NoNode;        // the next node of the same list
  int32_t Unescaped = -1;       // quoted atoms with escapes: their value in the escape table
  bool IsList = false;
  bool Quoted = false;
};

class TSExpression {
 public:
  // Parses a text holding exactly one list (blanks around it are allowed). Throws ESExpression.
  explicit TSExpression(std::string text);

  const std::string& Text() const { return Source; }
  TNodeId Root() const { return 0; }
  const TSNode& Node(TNodeId id) const { return Nodes[static_cast<size_t>(id)]; }
  size_t NodeCount() const { return Nodes.size(); }

  // An atom's value, quotes and escapes removed; empty for a list.
  std::string_view Atom(TNodeId id) const;
  // The first atom of a list (its keyword), empty when it has none.
  std::string_view Head(TNodeId list) const;
  // The N-th element of a list counting the head as 0; NoNode when it has fewer.
  TNodeId Element(TNodeId list, int index) const;
  // The first child list whose head is Keyword, or NoNode.
  TNodeId Child(TNodeId list, std::string_view keyword) const;
  // Whether the list holds the bare atom (like `locked` in a footprint's head).
  bool HasAtom(TNodeId list, std::string_view atom) const;

  // Calls Visit(child) for every element of the list after its head.
  template <typename Visit>
  void ForEachChild(TNodeId list, Visit&& visit) const {
    const TNodeId head = Node(list).FirstChild;
    for (TNodeId child = head == NoNode ? NoNode : Node(head).Next; child != NoNode;
         child = Node(child).Next)
      visit(child);
  }

 private:
  void Parse();
  TNodeId AddNode(const TSNode& node, std::vector<TNodeId>& lastChild, TNodeId parent);
  size_t ReadQuoted(size_t at, TSNode& node);
  size_t ReadBare(size_t at) const;
  ESExpression Fault(size_t offset, const std::string& what) const;

  std::string Source;
  std::vector<TSNode> Nodes;
  std::vector<std::string> Escaped;
};

}  // namespace Tarnix
