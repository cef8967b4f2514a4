#include "StrictJson.h"

#include <iterator>
#include <unordered_set>
#include <vector>

#include "BoardFile.h"
#include "TextPlace.h"

namespace Tarnix {

namespace {

using BoardJson::TJson;

// Far deeper than any board file, shallow enough that no reader of the value runs out of stack.
constexpr size_t MaxDepth = 64;

// A character iterator that tells how far the parser has read, so that a fault found by the
// handler below can be placed in the text.
class TCountingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TCountingIterator(const char* at, size_t* read) : At(at), Read(read) {}
  reference operator*() const { return *At; }
  TCountingIterator& operator++() {
    ++At;
    ++*Read;
    return *this;
  }
  TCountingIterator operator++(int) {
    TCountingIterator before = *this;
    ++*this;
    return before;
  }
  friend bool operator==(const TCountingIterator& a, const TCountingIterator& b) {
    return a.At == b.At;
  }

 private:
  const char* At;
  size_t* Read;
};

// Builds the value as the library's own handler does, and refuses repeated keys and deep nesting.
class TStrictHandler {
 public:
  explicit TStrictHandler(TJson& root) : Builder(root, false) {}

  // The fault and the byte (counted from 1) it was found at; empty while there is none.
  std::string Fault;
  size_t FaultAt = 0;
  size_t Read = 0;

  bool null() { return Builder.null(); }
  bool boolean(bool value) { return Builder.boolean(value); }
  bool number_integer(TJson::number_integer_t value) { return Builder.number_integer(value); }
  bool number_unsigned(TJson::number_unsigned_t value) { return Builder.number_unsigned(value); }
  bool number_float(TJson::number_float_t value, const std::string& text) {
    return Builder.number_float(value, text);
  }
  bool string(std::string& value) { return Builder.string(value); }
  bool binary(TJson::binary_t& value) { return Builder.binary(value); }

  bool start_object(std::size_t size) {
    Keys.emplace_back();
    return Deeper() && Builder.start_object(size);
  }
  bool key(std::string& name) {
    if (!Keys.back().insert(name).second)
      return Refuse("duplicate key " +
                    TJson(name).dump(-1, ' ', false, TJson::error_handler_t::replace));
    return Builder.key(name);
  }
  bool end_object() {
    Keys.pop_back();
    --Depth;
    return Builder.end_object();
  }
  bool start_array(std::size_t size) { return Deeper() && Builder.start_array(size); }
  bool end_array() {
    --Depth;
    return Builder.end_array();
  }

  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception& error) {
    constexpr int NumberOverflow = 406;
    Fault = error.id == NumberOverflow ? "number out of range" : "not valid JSON";
    FaultAt = position;
    return false;
  }

 private:
  bool Deeper() { return ++Depth <= MaxDepth || Refuse("nested too deeply"); }

  bool Refuse(std::string fault) {
    Fault = std::move(fault);
    FaultAt = Read;
    return false;
  }

  nlohmann::detail::json_sax_dom_parser<TJson> Builder;
  std::vector<std::unordered_set<std::string>> Keys;
  size_t Depth = 0;
};

// "line 3, column 7" of a byte position (counted from 1) in the text.
std::string LineAndColumn(const std::string& text, size_t position) {
  return LineAndColumnOf(text, position == 0 ? 0 : position - 1);
}

}  // namespace

TJson ParseStrictJson(const std::string& text, const std::string& name) {
  // The parser takes a NUL byte for the end of the text and would ignore what follows it.
  if (const size_t nul = text.find('\0'); nul != std::string::npos)
    throw EBoardFile(name + ": " + LineAndColumn(text, nul + 1) + ": NUL byte");
  TJson root;
  TStrictHandler handler(root);
  const char* begin = text.data();
  TJson::sax_parse(TCountingIterator(begin, &handler.Read),
                   TCountingIterator(begin + text.size(), &handler.Read), &handler);
  if (!handler.Fault.empty())
    throw EBoardFile(name + ": " + LineAndColumn(text, handler.FaultAt) + ": " + handler.Fault);
  return root;
}

}  // namespace Tarnix
