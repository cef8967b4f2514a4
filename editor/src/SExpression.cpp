#include "SExpression.h"

#include <limits>

namespace Tarnix {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool EndsBareAtom(char c) {
  return IsBlank(c) || c == '(' || c == ')' || c == '"' || c == '\0';
}

char EscapedChar(char c) {
  switch (c) {
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case 'r':
      return '\r';
    default:
      return c;
  }
}

}  // namespace

TSExpression::TSExpression(std::string text) : Source(std::move(text)) {
  if (Source.size() >= std::numeric_limits<uint32_t>::max())
    throw Fault(0, "the file is too large");
  Parse();
}

ESExpression TSExpression::Fault(size_t offset, const std::string& what) const {
  return ESExpression(offset, LineAndColumnOf(Source, offset) + ": " + what);
}

// Reads the text without recursion, so that deep nesting cannot exhaust the stack. Open lists are
// kept on a stack together with the last child added to each.
void TSExpression::Parse() {
  std::vector<TNodeId> open;
  std::vector<TNodeId> lastChild;
  const size_t size = Source.size();
  size_t at = Source.starts_with("\xEF\xBB\xBF") ? 3 : 0;  // a byte order mark
  while (at < size) {
    const char c = Source[at];
    if (IsBlank(c)) {
      ++at;
      continue;
    }
    if (c == '\0')
      throw Fault(at, "unexpected NUL byte");
    if (c == ')' && open.empty())
      throw Fault(at, "unexpected ')'");
    if (open.empty() && !Nodes.empty())
      throw Fault(at, "unexpected text after the end of the board");
    if (c == ')') {
      Nodes[static_cast<size_t>(open.back())].End = static_cast<uint32_t>(at + 1);
      open.pop_back();
      lastChild.pop_back();
      ++at;
      continue;
    }
    TSNode node;
    node.Begin = static_cast<uint32_t>(at);
    if (c == '(') {
      node.IsList = true;
      ++at;
    } else if (open.empty()) {
      throw Fault(at, "expected '('");
    } else if (c == '"') {
      at = ReadQuoted(at, node);
    } else {
      at = ReadBare(at);
    }
    node.End = static_cast<uint32_t>(at);
    const TNodeId id = AddNode(node, lastChild, open.empty() ? NoNode : open.back());
    if (node.IsList) {
      open.push_back(id);
      lastChild.push_back(NoNode);
    }
  }
  if (Nodes.empty())
    throw Fault(size, "expected '('");
  if (!open.empty())
    throw Fault(size, "expected ')' to close the list opened at " +
                          LineAndColumnOf(Source, Node(open.back()).Begin));
}

TNodeId TSExpression::AddNode(const TSNode& node, std::vector<TNodeId>& lastChild, TNodeId parent) {
  const auto id = static_cast<TNodeId>(Nodes.size());
  Nodes.push_back(node);
  if (parent != NoNode) {
    TNodeId& last = lastChild.back();
    if (last == NoNode)
      Nodes[static_cast<size_t>(parent)].FirstChild = id;
    else
      Nodes[static_cast<size_t>(last)].Next = id;
    last = id;
  }
  return id;
}

size_t TSExpression::ReadQuoted(size_t at, TSNode& node) {
  const size_t start = at++;
  std::string value;
  bool escaped = false;
  while (at < Source.size() && Source[at] != '"') {
    if (Source[at] == '\0')
      throw Fault(at, "unexpected NUL byte");
    if (Source[at] == '\\' && at + 1 < Source.size()) {
      escaped = true;
      value += EscapedChar(Source[at + 1]);
      at += 2;
      continue;
    }
    value += Source[at++];
  }
  if (at >= Source.size())
    throw Fault(start, "unterminated quoted string");
  node.Quoted = true;
  if (escaped) {
    node.Unescaped = static_cast<int32_t>(Escaped.size());
    Escaped.push_back(std::move(value));
  }
  return at + 1;
}

size_t TSExpression::ReadBare(size_t at) const {
  while (at < Source.size() && !EndsBareAtom(Source[at]))
    ++at;
  return at;
}

std::string_view TSExpression::Atom(TNodeId id) const {
  const TSNode& node = Node(id);
  if (node.IsList)
    return {};
  if (node.Unescaped >= 0)
    return Escaped[static_cast<size_t>(node.Unescaped)];
  std::string_view text(Source);
  if (node.Quoted)
    return text.substr(node.Begin + 1, node.End - node.Begin - 2);
  return text.substr(node.Begin, node.End - node.Begin);
}

std::string_view TSExpression::Head(TNodeId list) const {
  const TNodeId head = Node(list).FirstChild;
  if (head == NoNode || Node(head).IsList)
    return {};
  return Atom(head);
}

TNodeId TSExpression::Element(TNodeId list, int index) const {
  TNodeId node = Node(list).FirstChild;
  for (int i = 0; i < index && node != NoNode; ++i)
    node = Node(node).Next;
  return node;
}

TNodeId TSExpression::Child(TNodeId list, std::string_view keyword) const {
  TNodeId found = NoNode;
  ForEachChild(list, [&](TNodeId child) {
    if (found == NoNode && Node(child).IsList && Head(child) == keyword)
      found = child;
  });
  return found;
}

bool TSExpression::HasAtom(TNodeId list, std::string_view atom) const {
  bool found = false;
  ForEachChild(list, [&](TNodeId child) {
    found = found || (!Node(child).IsList && !Node(child).Quoted && Atom(child) == atom);
  });
  return found;
}

}  // namespace Tarnix
