// The S-expression reader: atoms as KiCad writes them, the byte span of every node, and malformed
// texts refused at their place.

#include <gtest/gtest.h>

#include "SExpression.h"

using namespace Tarnix;

namespace {

struct TAtomCase {
  const char* Text;   // the atom as written
  const char* Value;  // what it reads as
  bool Quoted;
};

const TAtomCase AtomCases[] = {
    {"F.Cu", "F.Cu", false},
    {"-0.25", "-0.25", false},
    {"1e-3", "1e-3", false},
    {"*.Cu", "*.Cu", false},
    {"Net-(C1-Pad1)", "Net-(C1-Pad1)", false},  // a bare atom ends at the first parenthesis
    {"\"Net-(C1-Pad1)\"", "Net-(C1-Pad1)", true},
    {"\"\"", "", true},
    {"\"a \\\"b\\\" \\\\c\"", "a \"b\" \\c", true},
    {"\"line\\nbreak\"", "line\nbreak", true},
    {"\"/power/+3V3\"", "/power/+3V3", true},
    {"\"é (utf-8)\"", "é (utf-8)", true},
};

TEST(SExpressionTest, AtomsReadAsWrittenWithTheirSpans) {
  for (const TAtomCase& c : AtomCases) {
    SCOPED_TRACE(c.Text);
    const std::string text = std::string("(net\t") + c.Text + " )";
    const TSExpression tree(text);
    const TNodeId atom = tree.Element(tree.Root(), 1);
    ASSERT_NE(atom, NoNode);
    const std::string_view value = tree.Atom(atom);
    if (std::string_view(c.Text) == "Net-(C1-Pad1)") {
      EXPECT_EQ(value, "Net-");  // and the rest is a list
      continue;
    }
    EXPECT_EQ(value, c.Value);
    EXPECT_EQ(tree.Node(atom).Quoted, c.Quoted);
    EXPECT_EQ(text.substr(tree.Node(atom).Begin, tree.Node(atom).End - tree.Node(atom).Begin),
              c.Text);
    EXPECT_EQ(tree.Node(atom).Next, NoNode);
  }
}

TEST(SExpressionTest, ListsKeepTheirShapeAndSpans) {
  const std::string text = "\xEF\xBB\xBF (a (b 1 2) (c) \"x\" (b 3))\n";
  const TSExpression tree(text);
  const TNodeId root = tree.Root();
  EXPECT_EQ(tree.Head(root), "a");
  EXPECT_EQ(text.substr(tree.Node(root).Begin, tree.Node(root).End - tree.Node(root).Begin),
            "(a (b 1 2) (c) \"x\" (b 3))");
  const TNodeId b = tree.Child(root, "b");
  EXPECT_EQ(tree.Atom(tree.Element(b, 2)), "2");
  EXPECT_EQ(tree.Element(b, 3), NoNode);
  EXPECT_EQ(tree.Head(tree.Child(root, "c")), "c");
  EXPECT_EQ(tree.Child(root, "d"), NoNode);
  std::vector<std::string> heads;
  tree.ForEachChild(root, [&](TNodeId child) {
    heads.emplace_back(tree.Node(child).IsList ? tree.Head(child) : tree.Atom(child));
  });
  EXPECT_EQ(heads, (std::vector<std::string>{"b", "c", "x", "b"}));
  EXPECT_FALSE(tree.HasAtom(root, "x"));  // quoted: a value, not a flag
  EXPECT_TRUE(TSExpression("(f locked (layer x))").HasAtom(0, "locked"));
}

struct TBadCase {
  const char* Text;
  const char* Message;
};

const TBadCase BadCases[] = {
    {"", "line 1, column 1: expected '('"},
    {"  \n ", "line 2, column 2: expected '('"},
    {"atom", "line 1, column 1: expected '('"},
    {"(a (b)", "line 1, column 7: expected ')' to close the list opened at line 1, column 1"},
    {"(a))", "line 1, column 4: unexpected ')'"},
    {"(a) (b)", "line 1, column 5: unexpected text after the end of the board"},
    {"(a\n  \"open)", "line 2, column 3: unterminated quoted string"},
};

TEST(SExpressionTest, MalformedTextsNameThePlace) {
  for (const TBadCase& c : BadCases) {
    SCOPED_TRACE(c.Text);
    try {
      TSExpression tree(c.Text);
      ADD_FAILURE() << "accepted";
    } catch (const ESExpression& fault) {
      EXPECT_STREQ(fault.what(), c.Message);
    }
  }
  EXPECT_THROW(TSExpression(std::string("(a \0 b)", 7)), ESExpression);
}

}  // namespace
